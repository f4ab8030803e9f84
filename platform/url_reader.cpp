#include "platform/url_reader.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/http_session.h"

namespace mozhou::net {
namespace {

using ascii::StartsWithNoCase;

constexpr long kUrlReadRedirectLimit = 20;

struct Body {
  std::string bytes;
  std::size_t cap = 0;
};

std::size_t CollectBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* body = static_cast<Body*>(user);
  const std::size_t n = size * count;
  if (n > body->cap - body->bytes.size()) return 0;  // over the cap: abort the transfer
  body->bytes.append(data, n);
  return n;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

}  // namespace

std::string Url_Read(const std::string& address, std::chrono::milliseconds timeout,
                     std::size_t cap) {
  if (!StartsWithNoCase(address, "http://") && !StartsWithNoCase(address, "https://")) return {};
  if (timeout.count() <= 0) return {};

  TransferScope scope;
  HttpSession_Init();
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) return {};

  Body body;
  body.cap = cap;
  CURL* h = easy.get();
  curl_easy_setopt(h, CURLOPT_URL, address.c_str());
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, kUrlReadRedirectLimit);
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
  curl_easy_setopt(h, CURLOPT_PROXY, "");
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);

  if (Transfer_Perform(h, nullptr) != CURLE_OK) return {};
  return std::move(body.bytes);
}

}  // namespace mozhou::net
