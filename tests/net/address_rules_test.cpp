// The address rules and the header composition of Http_Exchange, without a network.
#include <gtest/gtest.h>

#include <string>

#include "tests/net/net_fixture.h"
#include "toolkit/http_exchange.h"

namespace mozhou::nettest {
namespace {

const std::string kAccept = std::string("Accept: ") + kAcceptValue + "\r\n";
const std::string kLanguage = "Accept-Language: zh-cn\r\n";
const std::string kFormType = "Content-Type: application/x-www-form-urlencoded\r\n";

struct AddressCase {
  const char* address;
  bool secure;
  const char* host;
  const char* path;
  int port;
};

TEST(AddressRules, HostPathPortAndSecurity) {
  const AddressCase cases[] = {
      {"http://Ab.Example:8080/a", false, "ab.example", "/a", 8080},
      {"http://h/list_2.html?x=1", false, "h", "/list_2.html?x=1", 80},
      {"http://h", false, "h", "/", 80},
      {"h:81/x", false, "h", "/x", 81},
      {"http://h:abc/", false, "h", "/", 0},
      {"http://h:80x/", false, "h", "/", 80},
      {"https://h/x", true, "h", "/x", 443},
      // An explicit port on a secure address is used.
      {"https://h:8443/", true, "h", "/", 8443},
      // Secure only when the address begins with the scheme, in any letter case.
      {"HTTPS://H.example/P", true, "h.example", "/P", 443},
      {"http://a/?next=https://b/", false, "a", "/?next=https://b/", 80},
      // A host that also occurs inside the scheme does not move the path.
      {"http://t/x", false, "t", "/x", 80},
      // Only ASCII capitals are lowered; GBK bytes stay.
      {"http://\xB9\xFA" "A.cn/", false, "\xB9\xFA" "a.cn", "/", 80},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(Http_IsSecure(c.address), c.secure);
    EXPECT_EQ(Http_HostOf(c.address), c.host);
    EXPECT_EQ(Http_PathOf(c.address), c.path);
    EXPECT_EQ(Http_PortOf(c.address), c.port);
  }
}

TEST(AddressRules, AgentFromTheCallersLineOrTheDefault) {
  EXPECT_EQ(Http_AgentOf(""), kDefaultAgent);
  EXPECT_EQ(Http_AgentOf("Accept: x\r\n"), kDefaultAgent);
  EXPECT_EQ(Http_AgentOf("User-Agent: X\r\n"), "X");
  EXPECT_EQ(Http_AgentOf("A: b\r\nuser-agent:   Spider 1.0  \r\nC: d\r\n"), "Spider 1.0");
  // No line end after it: the agent is empty.
  EXPECT_EQ(Http_AgentOf("User-Agent: X"), "");
}

struct ComposeCase {
  const char* name;
  std::string verb;
  std::string headers;
  std::string data;
  std::string cookies;
  std::string expected;
};

TEST(AddressRules, HeaderComposition) {
  const std::string address = "http://h/p";
  const std::string referer = "Referer: http://h/p\r\n";
  const ComposeCase cases[] = {
      {"defaults", "GET", "", "", "", kAccept + referer + kLanguage},
      {"Accept-Language counts as Accept", "GET", "Accept-Language: en\r\n", "", "",
       "Accept-Language: en\r\n" + referer},
      {"own Referer", "GET", "Referer: r\r\n", "", "", "Referer: r\r\n" + kAccept + kLanguage},
      {"RefererNo removed, no Referer", "GET", "X: RefererNo\r\n", "", "", "X: \r\n" + kAccept + kLanguage},
      // The test ignores letter case, the removal does not.
      {"refererno kept", "GET", "X: refererno\r\n", "", "", "X: refererno\r\n" + kAccept + kLanguage},
      {"GET cookie line", "GET", "", "", "c=3", kAccept + referer + kLanguage + "Cookie: c=3\r\n\r\n"},
      {"cookie of one blank", "GET", "", "", " ", kAccept + referer + kLanguage + "Cookie:  \r\n\r\n"},
      {"GET ignores data", "GET", "", "a=1", "", kAccept + referer + kLanguage},
      {"POST lines", "POST", "", "a=1&b=2", "c=3",
       kAccept + referer + kLanguage + kFormType + "Content-Length: 7\r\n" + "Cookie: c=3\r\n\r\n"},
      {"POST own type", "POST", "content-type: text/plain\r\n", "abc", "",
       "content-type: text/plain\r\n" + kAccept + referer + kLanguage + "Content-Length: 3\r\n"},
      {"POST without data", "POST", "", "", "", kAccept + referer + kLanguage},
      {"other verb", "PUT", "", "x", "c=3", kAccept + referer + kLanguage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Http_ComposeHeaders(address, c.verb, c.headers, c.data, c.cookies), c.expected);
  }
}

}  // namespace
}  // namespace mozhou::nettest
