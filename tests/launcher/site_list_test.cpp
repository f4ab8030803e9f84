// Fill_Site_List against home pages on loopback that answer, refuse, or never answer.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>

#include "launcher/site_list.h"
#include "tests/launcher/launcher_fixture.h"

namespace mozhou::testing {
namespace {

using SiteListTest = ShownLauncherTest;

TEST_F(SiteListTest, EachSiteGetsTheEntryOfItsAnswer) {
  struct Case {
    Home qinglan, yuemo, yunjian;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {Home::Up, Home::Up, Home::Up, kAllUp},
      {Home::Down, Home::Up, Home::Up,
       {"青岚网【下载类】(维护)", "悦墨网【下载类】(正常)", "云笺书屋【阅读类】(待开放)", "敬请期待"}},
      {Home::Up, Home::Down, Home::Down,
       {"青岚网【下载类】(正常)", "悦墨网【下载类】(维护)", "云笺书屋【阅读类】(待开放)", "敬请期待"}},
      // A body whose text ends before its first byte is no answer.
      {Home::ZeroFirst, Home::Up, Home::Up,
       {"青岚网【下载类】(维护)", "悦墨网【下载类】(正常)", "云笺书屋【阅读类】(待开放)", "敬请期待"}},
  };
  for (const Case& c : cases) {
    ProbedSites sites(c.qinglan, c.yuemo, c.yunjian);
    launcher::Fill_Site_List(window());
    EXPECT_EQ(SiteList(), c.entries);
    EXPECT_EQ(window().Combo_Selected("组合框1"), 0);
    EXPECT_EQ(window().Text("组合框1"), c.entries[0]);
    EXPECT_TRUE(window().IsEnabled("按钮1"));
    EXPECT_EQ(window().FocusedControl(), "按钮1");
  }
}

// Probes that never answer are given up after one probe time-out, all three together;
// the window's events run meanwhile, with "加载" disabled and the list empty.
TEST_F(SiteListTest, ProbesThatNeverAnswerEndTogetherWithinOneTimeOut) {
  ProbedSites sites(Home::Never, Home::Never, Home::Never);
  window().Combo_Add("组合框1", "旧条目");
  window().SetEnabled("按钮1", true);
  bool ran_during_fill = false;
  bool load_enabled_during_fill = true;
  int entries_during_fill = -1;
  QTimer::singleShot(200, [&] {
    ran_during_fill = true;
    load_enabled_during_fill = window().IsEnabled("按钮1");
    entries_during_fill = window().Combo_Count("组合框1");
  });

  const auto started = std::chrono::steady_clock::now();
  launcher::Fill_Site_List(window());
  const auto took = std::chrono::steady_clock::now() - started;

  // One after the other they would take three time-outs.
  EXPECT_LT(took, 2 * launcher::kProbeTimeout);
  EXPECT_EQ(SiteList(), (std::vector<std::string>{"青岚网【下载类】(维护)", "悦墨网【下载类】(维护)",
                                                   "云笺书屋【阅读类】(待开放)", "敬请期待"}));
  EXPECT_TRUE(ran_during_fill);
  EXPECT_FALSE(load_enabled_during_fill);
  EXPECT_EQ(entries_during_fill, 0);
  EXPECT_TRUE(window().IsEnabled("按钮1"));
}

}  // namespace
}  // namespace mozhou::testing
