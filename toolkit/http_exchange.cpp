#include "toolkit/http_exchange.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/cookie_store.h"
#include "platform/http_session.h"

namespace mozhou {
namespace {

using ascii::TrimBlanks;
using ascii::StartsWithNoCase;

constexpr const char* kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";
constexpr const char* kAcceptLine =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
constexpr const char* kAcceptLanguageLine = "Accept-Language: zh-cn\r\n";
constexpr const char* kContentTypeLine = "Content-Type: application/x-www-form-urlencoded\r\n";
constexpr std::string_view kSetCookiePrefix = "Set-Cookie: ";
constexpr std::string_view kRefererNo = "RefererNo";

// Response headers collected per response; a server that sends more is cut off.
constexpr std::size_t kHeaderCap = 1u << 20;

// ---- text rules ----------------------------------------------------------------------

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool ContainsNoCase(std::string_view text, std::string_view needle) {
  if (needle.size() > text.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
    if (EqualNoCase(text.substr(i, needle.size()), needle)) return true;
  }
  return false;
}

std::size_t FindNoCase(std::string_view text, std::string_view needle) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
    if (EqualNoCase(text.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

// A byte string as a text: the bytes before the first zero byte.
std::string AsText(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

// The address after its scheme ("http://" or "https://", any letter case).
std::string_view AfterScheme(std::string_view address) {
  if (StartsWithNoCase(address, "https://")) return address.substr(8);
  if (StartsWithNoCase(address, "http://")) return address.substr(7);
  return address;
}

std::string_view AuthorityOf(std::string_view address) {
  const std::string_view rest = AfterScheme(address);
  return rest.substr(0, rest.find('/'));
}

void RemoveAll(std::string& text, std::string_view what) {
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.erase(at, what.size());
  }
}

// Bytes curl must not see in a host: they would turn into user names, queries or spaces.
bool IsUsableHost(std::string_view host) {
  if (host.empty()) return false;
  for (const char c : host) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F || c == '@' || c == '?' || c == '#' || c == '\\' ||
        c == '[' || c == ']' || c == '%') {
      return false;
    }
  }
  return true;
}

// ---- the wire --------------------------------------------------------------------------

struct SlistDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

bool Append(HeaderList& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (grown == nullptr) return false;
  list.release();
  list.reset(grown);
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
  return lines;
}

std::string_view NameOf(std::string_view line) {
  const std::size_t colon = line.find(':');
  return TrimBlanks(line.substr(0, colon == std::string_view::npos ? 0 : colon));
}

// The header lines handed to curl: the agent first, then the composed lines in order
// (empty lines dropped), then the stored cookies when the exchange sends them, then
// empty entries that keep curl's own default lines off the wire.
// A POST whose lines give no length still gets curl's "Content-Length: 0": servers wait for
// a body until the connection closes without one.
HeaderList WireHeaders(const std::string& agent, const std::vector<std::string>& composed,
                       const std::string& stored_cookies, bool via_proxy) {
  HeaderList list;
  bool ok = true;
  if (!agent.empty()) ok &= Append(list, "User-Agent: " + agent);
  for (const std::string& line : composed) {
    if (line.empty()) continue;
    const std::size_t colon = line.find(':');
    // curl drops "Name:" with nothing after it; "Name;" is its way to send it empty.
    if (colon != std::string::npos && TrimBlanks(std::string_view(line).substr(colon + 1)).empty()) {
      ok &= Append(list, std::string(std::string_view(line).substr(0, colon)) + ";");
    } else {
      ok &= Append(list, line);
    }
  }
  if (!stored_cookies.empty()) ok &= Append(list, "Cookie: " + stored_cookies);
  ok &= Append(list, "Accept:");
  ok &= Append(list, "Expect:");
  ok &= Append(list, "Content-Type:");
  if (via_proxy) ok &= Append(list, "Proxy-Connection:");
  if (!ok) list.reset();
  return list;
}

// One response as it arrives.
struct Response {
  std::string headers;  // status line and header lines of the latest response, CR LF each
  std::string body;
  const std::atomic<bool>* cancelled = nullptr;
};

std::size_t CollectHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto* response = static_cast<Response*>(user);
  const std::size_t n = size * count;
  const std::string_view line(data, n);
  if (line.starts_with("HTTP/")) response->headers.clear();  // a new response (after a 1xx)
  if (response->headers.size() + n > kHeaderCap) return 0;
  response->headers.append(line);
  return n;
}

std::size_t CollectBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* response = static_cast<Response*>(user);
  const std::size_t n = size * count;
  if (response->cancelled->load(std::memory_order_relaxed)) return 0;
  if (n > kBodyCap - response->body.size()) return 0;  // over the cap: abandon the body
  response->body.append(data, n);
  return n;
}

bool IsRedirectStatus(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Cookies of one response: the received-cookie text, and each cookie stored for `host`.
std::string TakeCookies(const std::string& headers, const std::string& host, bool store) {
  std::string received;
  for (const std::string& line : SplitLines(headers)) {
    if (!StartsWithNoCase(line, kSetCookiePrefix)) continue;
    const std::string cookie = line.substr(kSetCookiePrefix.size());
    received += cookie.substr(0, cookie.find(';'));
    received += ';';
    const std::size_t equals = cookie.find('=');
    if (store && equals != std::string::npos && equals > 0) {
      net::CookieStore_Set(host, cookie.substr(0, equals), cookie.substr(equals + 1));
    }
  }
  return received;
}

std::string ProxyFor(const std::string& url, const std::string& proxy) {
  return Http_IsSecure(url) ? std::string() : proxy;
}

// The address as curl reads it: scheme, host, port and path by the rules of this file.
std::string CurlAddressOf(const std::string& address) {
  const std::string host = Http_HostOf(address);
  const int port = Http_PortOf(address);
  if (!IsUsableHost(host) || port <= 0 || port > 65535) return {};
  return std::string(Http_IsSecure(address) ? "https://" : "http://") + host + ":" +
         std::to_string(port) + Http_PathOf(address);
}

void DropBodyLines(std::vector<std::string>& lines) {
  std::erase_if(lines, [](const std::string& line) {
    const std::string_view name = NameOf(line);
    return EqualNoCase(name, "Content-Type") || EqualNoCase(name, "Content-Length");
  });
}

}  // namespace

bool Http_IsSecure(const std::string& address) { return StartsWithNoCase(address, "https://"); }

std::string Http_HostOf(const std::string& address) {
  const std::string_view authority = AuthorityOf(address);
  std::string host(authority.substr(0, authority.find(':')));
  for (char& c : host) c = LowerAscii(c);
  return host;
}

std::string Http_PathOf(const std::string& address) {
  const std::string_view rest = AfterScheme(address);
  const std::size_t slash = rest.find('/');
  return slash == std::string_view::npos ? std::string("/") : std::string(rest.substr(slash));
}

int Http_PortOf(const std::string& address) {
  const std::string_view authority = AuthorityOf(address);
  const std::size_t colon = authority.find(':');
  if (colon == std::string_view::npos) return Http_IsSecure(address) ? 443 : 80;
  // The numeric value of what follows the ":"; 0 when it is no number.
  long port = 0;
  for (const char c : authority.substr(colon + 1)) {
    if (c < '0' || c > '9') break;
    port = port * 10 + (c - '0');
    if (port > 65535) return 0;
  }
  return static_cast<int>(port);
}

std::string Http_AgentOf(const std::string& caller_headers) {
  constexpr std::string_view kUserAgent = "User-Agent:";
  const std::size_t at = FindNoCase(caller_headers, kUserAgent);
  if (at == std::string::npos) return kDefaultAgent;
  const std::size_t value = at + kUserAgent.size();
  const std::size_t end = caller_headers.find("\r\n", value);
  if (end == std::string::npos) return {};
  return std::string(TrimBlanks(std::string_view(caller_headers).substr(value, end - value)));
}

std::string Http_ComposeHeaders(const std::string& address, const std::string& verb,
                                const std::string& caller_headers, const std::string& data,
                                const std::string& cookie_text) {
  std::string text = caller_headers;
  if (!ContainsNoCase(text, "Accept")) text += kAcceptLine;
  if (ContainsNoCase(text, kRefererNo)) {
    RemoveAll(text, kRefererNo);
  } else if (!ContainsNoCase(text, "Referer")) {
    text += "Referer: " + address + "\r\n";
  }
  if (!ContainsNoCase(text, "Accept-Language")) text += kAcceptLanguageLine;

  const std::string cookie_line = "Cookie: " + cookie_text + "\r\n\r\n";
  if (verb == "GET") {
    if (!cookie_text.empty()) text += cookie_line;
  } else if (verb == "POST") {
    if (!data.empty()) {
      if (!ContainsNoCase(text, "Content-Type")) text += kContentTypeLine;
      if (!ContainsNoCase(text, "Content-Length")) {
        text += "Content-Length: " + std::to_string(data.size()) + "\r\n";
      }
    }
    if (!cookie_text.empty()) text += cookie_line;
  }
  return text;
}

void Http_Exchange(FetchRecord& record, const std::atomic<bool>& cancelled) {
  const std::string address = AsText(record[FetchRecord::kAddress]);
  std::string verb = record[FetchRecord::kMethod];
  const std::string proxy = AsText(record[FetchRecord::kProxy]);
  const std::string caller_headers = AsText(record[FetchRecord::kHeaders]);
  std::string data = record[FetchRecord::kData];
  const std::string cookie_text = AsText(record[FetchRecord::kCookies]);
  const std::string& follow_field = record[FetchRecord::kFollowRedirects];
  const bool follow = !(follow_field.empty() || follow_field == "0");

  const bool secure = Http_IsSecure(address);
  const std::string host = Http_HostOf(address);
  // Unless the caller brings cookies of its own (a secure address aside), the stored
  // cookies of each host go out and the ones each response sets are kept.
  const bool automatic_cookies = secure || TrimBlanks(cookie_text).empty();
  const bool may_redirect = follow || secure;
  const std::string agent = Http_AgentOf(caller_headers);
  std::vector<std::string> composed =
      SplitLines(Http_ComposeHeaders(address, verb, caller_headers, data, cookie_text));

  // Until a response says otherwise: no body, no cookies, no headers.
  auto answer = [&record](std::string body, std::string headers) {
    std::string raw = AsText(headers);
    if (raw.empty() || raw.size() >= kRawHeaderLimit) raw.assign(kRawHeaderLimit, ' ');
    record[FetchRecord::kAddress] = std::move(body);
    record[FetchRecord::kCookies] = std::move(raw);
  };
  record[FetchRecord::kMethod].clear();
  answer({}, {});
  if (verb != "GET" && verb != "POST") return;  // nothing is sent for another verb

  net::HttpSession_Init();
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) return;
  CURL* h = easy.get();

  std::string url = CurlAddressOf(address);
  std::string hop_host = host;
  Response response;
  for (long redirects = 0;; ++redirects) {
    if (url.empty()) return;
    const std::string hop_proxy = ProxyFor(url, proxy);
    HeaderList headers = WireHeaders(
        agent, composed, automatic_cookies ? net::CookieStore_HeaderValue(hop_host) : std::string(),
        !hop_proxy.empty());
    if (!headers) return;

    response = Response{};
    response.cancelled = &cancelled;
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);  // redirects are followed below, hop by hop
    curl_easy_setopt(h, CURLOPT_PROXY, hop_proxy.c_str());
    curl_easy_setopt(h, CURLOPT_NOPROXY, "");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, CollectHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &response);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, CollectBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &response);
    if (verb == "POST") {
      curl_easy_setopt(h, CURLOPT_POST, 1L);
      curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(data.size()));
      curl_easy_setopt(h, CURLOPT_POSTFIELDS, data.data());
    } else {
      curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }

    const CURLcode result = net::Transfer_Perform(h, &cancelled);
    if (cancelled.load(std::memory_order_acquire) || net::Transfers_Cancelled()) return;
    if (result != CURLE_OK) {
      // Every failure gives an empty body; headers count as far as they came.
      answer({}, response.headers);
      break;
    }

    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    const char* location = nullptr;
    curl_easy_getinfo(h, CURLINFO_REDIRECT_URL, &location);
    if (!may_redirect || !IsRedirectStatus(status) || location == nullptr ||
        !(StartsWithNoCase(location, "http://") || StartsWithNoCase(location, "https://"))) {
      answer(std::move(response.body), response.headers);
      break;
    }
    if (redirects >= kRedirectLimit) return;  // a loop or an endless chain: a failed read

    // The platform keeps the cookies of every response it follows through.
    TakeCookies(response.headers, hop_host, automatic_cookies);
    if (verb == "POST" && status != 307 && status != 308) {
      verb = "GET";
      data.clear();
      DropBodyLines(composed);
    }
    const std::string next = location;
    hop_host = Http_HostOf(next);
    url = CurlAddressOf(next);
  }

  if (automatic_cookies) TakeCookies(response.headers, hop_host, true);
  record[FetchRecord::kMethod] = TakeCookies(record[FetchRecord::kCookies], host, true);
}

}  // namespace mozhou
