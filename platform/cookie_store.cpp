#include "platform/cookie_store.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace mozhou::net {
namespace {

struct Cookie {
  std::string name;
  std::string data;  // attributes included
};

// Immortal: a worker may store a cookie while the process is ending.
struct CookieJar {
  std::mutex mutex;
  std::map<std::string, std::vector<Cookie>> by_host;  // each host's cookies in first-stored order
};

std::string HostKey(const std::string& host) {
  std::string key = host;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

CookieJar& Jar() {
  static auto* jar = new CookieJar;
  return *jar;
}

}  // namespace

void CookieStore_Set(const std::string& host, const std::string& name, const std::string& data) {
  auto& jar = Jar();
  std::lock_guard lock(jar.mutex);
  auto& cookies = jar.by_host[HostKey(host)];
  for (auto& cookie : cookies) {
    if (cookie.name == name) {
      cookie.data = data;
      return;
    }
  }
  cookies.push_back({name, data});
}

std::string CookieStore_HeaderValue(const std::string& host) {
  auto& jar = Jar();
  std::lock_guard lock(jar.mutex);
  const auto found = jar.by_host.find(HostKey(host));
  if (found == jar.by_host.end()) return {};
  std::string value;
  for (const auto& cookie : found->second) {
    if (!value.empty()) value += "; ";
    value += cookie.name;
    value += '=';
    value += cookie.data.substr(0, cookie.data.find(';'));
  }
  return value;
}

void CookieStore_Clear() {
  auto& jar = Jar();
  std::lock_guard lock(jar.mutex);
  jar.by_host.clear();
}

}  // namespace mozhou::net
