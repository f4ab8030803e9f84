// Link rules for addresses handed to the system, and the Thunder link decoder.
#include <gtest/gtest.h>

#include <QByteArray>

#include <optional>
#include <string>

#include "platform/links.h"

namespace mozhou::links {
namespace {

constexpr const char* kSiteBase = "http://127.0.0.1:47803";

std::string ThunderOf(const std::string& wrapped) {
  return "thunder://" + QByteArray::fromStdString(wrapped).toBase64().toStdString();
}

TEST(LinkForSystemTest, Rules) {
  struct Case {
    const char* address;
    std::optional<std::string> link;
  };
  const Case cases[] = {
      {"http://127.0.0.1/a.zip", "http://127.0.0.1/a.zip"},
      {"HtTp://127.0.0.1/a.zip", "HtTp://127.0.0.1/a.zip"},
      {"https://127.0.0.1/a.zip", "https://127.0.0.1/a.zip"},
      {"THUNDER://QUFaWg==", "THUNDER://QUFaWg=="},
      {"\t http://127.0.0.1/a.zip  ", "http://127.0.0.1/a.zip"},
      {"/down/1.zip", "http://127.0.0.1:47803/down/1.zip"},
      {"txt/2.rar", "http://127.0.0.1:47803/txt/2.rar"},
      {"//127.0.0.1:9/x", "http://127.0.0.1:9/x"},
      {"ftp://127.0.0.1/a.zip", std::nullopt},
      {"file:///etc/passwd", std::nullopt},
      {"FILE:C:/x", std::nullopt},
      {"javascript:alert(1)", std::nullopt},
      {"mailto:a@b", std::nullopt},
      {"C:\\x\\y.exe", std::nullopt},
      {"\\\\host\\share", std::nullopt},
      {"", std::nullopt},
      {" \r\n", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Link_ForSystem(c.address, kSiteBase), c.link) << c.address;
  }
  // Without a site base a relative link has nowhere to go.
  EXPECT_EQ(Link_ForSystem("/down/1.zip", ""), std::nullopt);
}

TEST(LinkIsWebTest, SchemeInAnyCase) {
  EXPECT_TRUE(Link_IsWeb("http://a/"));
  EXPECT_TRUE(Link_IsWeb("HTTPS://a/"));
  EXPECT_FALSE(Link_IsWeb("httpx://a/"));
  EXPECT_FALSE(Link_IsWeb("http:/a"));
  EXPECT_FALSE(Link_IsWeb("thunder://QUFaWg=="));
  EXPECT_FALSE(Link_IsWeb(""));
}

TEST(ThunderDecodeTest, RoundTrip) {
  for (const std::string inner : {"http://127.0.0.1/a.zip", "https://127.0.0.1:8443/书/第1卷.txt"}) {
    EXPECT_EQ(Thunder_Decode(ThunderOf("AA" + inner + "ZZ")), inner);
  }
  EXPECT_EQ(Thunder_Decode("Thunder://" + ThunderOf("AAhttp://a/ZZ").substr(10) + "/"), "http://a/");
}

TEST(ThunderDecodeTest, GbkInnerAddressBecomesUtf8) {
  // "书" in GBK is CA E9.
  EXPECT_EQ(Thunder_Decode(ThunderOf("AAhttp://127.0.0.1/\xCA\xE9.zipZZ")), "http://127.0.0.1/书.zip");
}

TEST(ThunderDecodeTest, Refusals) {
  const std::string refused[] = {
      "thunder://!!!not base64!!!",
      ThunderOf("http://127.0.0.1/a.zip"),      // no AA … ZZ
      ThunderOf("AAhttp://127.0.0.1/a.zip"),    // no ZZ
      ThunderOf("AAfile:///etc/passwdZZ"),      // inner address not a web one
      ThunderOf("AAjavascript:alert(1)ZZ"),
      ThunderOf("AAZZ"),
      ThunderOf("AZ"),
      "http://127.0.0.1/a.zip",
      "thunder://",
      "",
  };
  for (const std::string& link : refused) EXPECT_EQ(Thunder_Decode(link), std::nullopt) << link;
}

}  // namespace
}  // namespace mozhou::links
