// Web_Fetch: read one web page on a worker thread with a time-out.
//
// The address is normalised first: blanks are trimmed; an empty address returns empty
// bytes at once; an address that does not begin with "http://" or "https://" (any
// letter case) gets "http://" in front, and the caller's text is replaced by that form.
// The request runs in Http_Exchange on its own thread; the caller waits through the event
// pump (window events keep running on the GUI thread) for at most the time-out,
// measured from the start of the call. On a time-out the transfer is cancelled, its late
// answer thrown away, and the GBK bytes of kFetchTimeoutMessage come back; the out
// arguments are then not written. Otherwise the body comes back as the result form says,
// whatever the HTTP status was; a failed exchange gives empty bytes.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace mozhou {

inline constexpr int kFetchDefaultTimeoutSeconds = 60;

// UTF-8; Web_Fetch returns it in GBK.
inline constexpr const char* kFetchTimeoutMessage =
    "超时返回，指定网站不能访问，或者你的网络出现问题，你可以把参数中的＂超时返回＂的值设置长一些。";

enum class ResultForm { Raw = 0, Utf8ToGbk = 1, Big5ToSimplifiedGbk = 2 };

// The ten optional arguments; an empty optional or a null pointer is an omitted argument.
struct FetchOptions {
  std::optional<int> method;                 // 1 = POST, anything else GET
  std::optional<std::string> proxy;          // "host:port", http addresses only
  std::optional<std::string> headers;        // lines, each ending in "\r\n"
  std::optional<std::string> data;           // POST body
  std::optional<std::string> cookies;        // "a=1; b=2"
  std::optional<int> timeout_seconds;        // default 60; a given 0 is 0
  std::string* response_headers = nullptr;   // out: raw headers of the final response
  std::optional<int> result_form;            // ResultForm values; others = raw
  std::string* received_cookies = nullptr;   // out: "a=1;b=2;"
  std::optional<bool> follow_redirects;      // default true
};

std::string Web_Fetch(std::string& address, const FetchOptions& options = {});

}  // namespace mozhou
