// The hidden browser: what reaches the system's downloader for each kind of address.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window.h"
#include "tests/support/scripted_desktop_scope.h"

namespace mozhou::ui {
namespace {

constexpr const char* kSiteBase = "http://127.0.0.1:47999";

TEST(HiddenBrowserTest, OnlySafeLinksAreHandedOn) {
  struct Case {
    std::string address;
    std::string handed;  // empty: nothing handed on
  };
  const Case cases[] = {
      {"http://127.0.0.1:47999/down/1.zip", "http://127.0.0.1:47999/down/1.zip"},
      {"https://127.0.0.1/a.txt", "https://127.0.0.1/a.txt"},
      {"HTTPS://127.0.0.1/A.TXT", "HTTPS://127.0.0.1/A.TXT"},
      {"thunder://QUFodHRwOi8vMTI3LjAuMC4xL2EuemlwWlo=", "thunder://QUFodHRwOi8vMTI3LjAuMC4xL2EuemlwWlo="},
      {"  http://127.0.0.1/b.rar \r\n", "http://127.0.0.1/b.rar"},
      {"/down/1.zip", std::string(kSiteBase) + "/down/1.zip"},
      {"down/2.zip", std::string(kSiteBase) + "/down/2.zip"},
      {"//127.0.0.1/c.zip", "http://127.0.0.1/c.zip"},
      {"file:///etc/passwd", ""},
      {"javascript:alert(1)", ""},
      {"C:\\Windows\\notepad.exe", ""},
      {"\\\\host\\share\\x.exe", ""},
      {"", ""},
      {"   ", ""},
  };
  testing::ScriptedDesktopScope scope;
  Window window({"x", 0, 0, 100, 100, {{ControlKind::HiddenBrowser, "浏览框", "", 0, 0, 0, 32, 24, ""}}}, {});
  window.Browser_SetSiteBase("浏览框", kSiteBase);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    scope.desktop().ClearLog();
    window.Browser_SetAddress("浏览框", c.address);
    EXPECT_EQ(window.Browser_Address("浏览框"), c.address);
    const std::vector<std::string> expected =
        c.handed.empty() ? std::vector<std::string>{} : std::vector<std::string>{"download|" + c.handed};
    EXPECT_EQ(scope.desktop().log(), expected);
  }
}

TEST(HiddenBrowserTest, RelativeLinkWithoutSiteBaseIsDropped) {
  testing::ScriptedDesktopScope scope;
  Window window({"x", 0, 0, 100, 100, {{ControlKind::HiddenBrowser, "浏览框", "", 0, 0, 0, 32, 24, ""}}}, {});
  window.Browser_SetAddress("浏览框", "/down/1.zip");
  EXPECT_TRUE(scope.desktop().log().empty());
}

}  // namespace
}  // namespace mozhou::ui
