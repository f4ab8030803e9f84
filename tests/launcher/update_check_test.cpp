// The launcher window after its update check, against the stand-in notice server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launcher/update_check.h"
#include "tests/launcher/launcher_fixture.h"

namespace mozhou::testing {
namespace {

using launcher::Version_IsNewer;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(VersionIsNewer, ComparesDottedPartsAgainstTheCurrentVersion) {
  struct Case {
    const char* newest;
    bool newer;
  };
  const Case cases[] = {
      {"1.3.1", false},  {"1.3.2", true},    {"2.0", true},      {"1.10", true},
      {"1.3.10", true},  {"", false},        {"1.3.1.0", false}, {"1.3.1.1", true},
      {"1.3", false},    {"1.2.9", false},   {"0.9.9", false},   {"01.03.01", false},
      {"1.3.01", false}, {"1.3.1a", true},   {"1.3.a", true},    {"1.3.0b", false},
      {"1.3.99999999999999999999", true},    {"1..1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Version_IsNewer("1.3.1", c.newest), c.newer) << "newest " << c.newest;
  }
  EXPECT_TRUE(Version_IsNewer("", "0.1")) << "an empty current version is older than any";
  EXPECT_FALSE(Version_IsNewer("", ""));
}

class UpdateCheckTest : public LauncherTest {};

// Nothing to read, or nothing in it: the window stays exactly as it was built.
TEST_F(UpdateCheckTest, WithoutANoticeTheWindowKeepsItsInitialState) {
  ProbedSites sites(Home::Up, Home::Up, Home::Up);
  HomePage unreachable(Home::Down);
  LoopbackServer wrong_layout;
  wrong_layout.ServeBytes("/cnwzsj.html", "<h4>墨舟</h4><div><ul><li>最新版本：9.9 版</li></ul></div>");
  struct Case {
    const char* what;
    std::string address;
  };
  const Case cases[] = {
      {"unreachable server", unreachable.Base() + "/cnwzsj.html"},
      {"page without a block", wrong_layout.Base() + "/cnwzsj.html"},
      {"no address at all", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    desktop->ClearLog();
    Start(c.address);
    EXPECT_THAT(desktop->log(), IsEmpty());
    EXPECT_EQ(window().Text("编辑框2"), "1.3.1");
    EXPECT_EQ(window().Text("标签1"), "当前版本:     版");
    EXPECT_EQ(window().Text("标签2"), "最新版本: 0.0 版");
    EXPECT_EQ(window().Text("标签3"), "当前版本: 1.3.1 版");
    EXPECT_EQ(window().Text("编辑框3"), "国内工具数据");
    EXPECT_EQ(window().Combo_Count("组合框1"), 0);
    EXPECT_FALSE(window().IsEnabled("按钮1"));
    EXPECT_FALSE(window().IsEnabled("按钮2"));
    EXPECT_FALSE(window().IsEnabled("选择框1"));
    EXPECT_TRUE(window().IsEnabled("按钮3"));
    EXPECT_EQ(window().Tab_Current("高级选择夹1"), 0);
    EXPECT_EQ(launcher->Download_Address(), "");
    EXPECT_TRUE(window().IsVisible());
  }
  EXPECT_THAT(window().Text("编辑框1"),
              ::testing::StartsWith("正常 - 网站可正常进入,该区正常,可以进入\r\n"
                                    "维护 - 该区维护,暂时无法进入\r\n\r\n软件官网:"));
}

TEST_F(UpdateCheckTest, ACurrentNoticeFillsTheWindowAndTheSiteListWithoutAsking) {
  ProbedSites sites(Home::Up, Home::Up, Home::Up);
  standin::NoticeBlock block;
  block.notice = "墨舟公告";
  block.features = "新功能";
  block.download = "http://127.0.0.1:9/mozhou-1.3.1.zip";
  StartWithNotice({block});

  EXPECT_THAT(desktop->log(), IsEmpty());
  EXPECT_EQ(window().Text("编辑框3"), "墨舟公告\r\n新功能\r\n");
  EXPECT_EQ(window().Text("标签2"), "最新版本: 1.3.1 版");
  EXPECT_EQ(launcher->Download_Address(), "http://127.0.0.1:9/mozhou-1.3.1.zip");
  EXPECT_EQ(SiteList(), kAllUp);
  EXPECT_EQ(window().Combo_Selected("组合框1"), 0);
  EXPECT_TRUE(window().IsEnabled("按钮1"));
  EXPECT_EQ(window().FocusedControl(), "按钮1");
  EXPECT_EQ(window().Tab_Current("高级选择夹1"), 0);
  EXPECT_EQ(sites.qinglan().Requests(), 1);
}

TEST_F(UpdateCheckTest, ANewerVersionIsOfferedAndTheListIsFilledTwice) {
  for (const auto answer : {ui::MessageAnswer::Yes, ui::MessageAnswer::No}) {
    const bool yes = answer == ui::MessageAnswer::Yes;
    SCOPED_TRACE(yes ? "Yes" : "No");
    ProbedSites sites(Home::Up, Home::Up, Home::Up);
    desktop->ClearLog();
    desktop->QueueAnswer(answer);
    standin::NoticeBlock block;
    block.version = "1.10";
    StartWithNotice({block});

    EXPECT_THAT(desktop->log(), ElementsAre("message|更新提示|检测到新版本！是否查看详情？"));
    EXPECT_EQ(window().Tab_Current("高级选择夹1"), yes ? 1 : 0);
    EXPECT_EQ(window().Text("标签2"), "最新版本: 1.10 版");
    EXPECT_EQ(sites.qinglan().Requests(), 2) << "once after the prompt, once for the state";
    EXPECT_EQ(SiteList(), kAllUp) << "the second fill starts from an empty list";
    EXPECT_EQ(desktop->end_code(), -1);
  }
}

TEST_F(UpdateCheckTest, AWithdrawnVersionOffersTheArticleAndEnds) {
  for (const auto answer : {ui::MessageAnswer::Yes, ui::MessageAnswer::No}) {
    const bool yes = answer == ui::MessageAnswer::Yes;
    SCOPED_TRACE(yes ? "Yes" : "No");
    ProbedSites sites(Home::Up, Home::Up, Home::Up);
    ScopedEnvironment maker("MOZHOU_MAKER_SITE", "http://127.0.0.1:47999");
    desktop->ClearLog();
    desktop->QueueAnswer(answer);
    standin::NoticeBlock block;
    block.state = "关闭";
    StartWithNotice({block});

    std::vector<std::string> expected = {"message|公告|该版本已关闭,是否下载最新版？"};
    if (yes) {
      expected.push_back("open|http://127.0.0.1:47999/article.php?id=16");
      expected.push_back("message|信息：|如若网站无法打开,请联系管理员，QQ：" +
                         std::string(launcher::kMakerContactNumbers));
    }
    expected.push_back("end|0");
    EXPECT_EQ(desktop->log(), expected);
    EXPECT_EQ(SiteList(), std::vector<std::string>{});
  }
}

TEST_F(UpdateCheckTest, AnyOtherStateIsMaintenanceAndEnds) {
  for (const char* state : {"维护", "正常 ", "", "关闭 "}) {
    SCOPED_TRACE(std::string("state \"") + state + "\"");
    ProbedSites sites(Home::Up, Home::Up, Home::Up);
    desktop->ClearLog();
    standin::NoticeBlock block;
    block.state = state;
    StartWithNotice({block});

    EXPECT_THAT(desktop->log(),
                ElementsAre("message|抱歉,该软件暂时无法使用|服务器正在维护中...", "end|0"));
    EXPECT_EQ(window().Combo_Count("组合框1"), 0);
  }
}

TEST_F(UpdateCheckTest, TwoBlocksEndWithTheSecondBlocksValues) {
  ProbedSites sites(Home::Up, Home::Up, Home::Up);
  standin::NoticeBlock first;
  first.notice = "第一";
  first.version = "1.3.2";
  first.download = "http://127.0.0.1:9/first.zip";
  first.features = "甲";
  standin::NoticeBlock second;
  second.notice = "第二";
  second.version = "1.3.1";
  second.download = "http://127.0.0.1:9/second.zip";
  second.features = "乙";
  desktop->QueueAnswer(ui::MessageAnswer::No);
  StartWithNotice({first, second});

  EXPECT_THAT(desktop->log(), ElementsAre("message|更新提示|检测到新版本！是否查看详情？"));
  EXPECT_EQ(window().Text("编辑框3"), "第二\r\n乙\r\n");
  EXPECT_EQ(window().Text("标签2"), "最新版本: 1.3.1 版");
  EXPECT_EQ(launcher->Download_Address(), "http://127.0.0.1:9/second.zip");
  EXPECT_EQ(sites.qinglan().Requests(), 3) << "after the prompt and after each 正常";
  EXPECT_EQ(SiteList(), kAllUp);
}

TEST_F(UpdateCheckTest, ABlockThatEndsTheProcessIsTheLastOneRead) {
  ProbedSites sites(Home::Up, Home::Up, Home::Up);
  standin::NoticeBlock first;
  first.version = "1.3.0";
  first.state = "维护";
  standin::NoticeBlock second;
  second.version = "1.3.5";
  StartWithNotice({first, second});

  EXPECT_THAT(desktop->log(),
              ElementsAre("message|抱歉,该软件暂时无法使用|服务器正在维护中...", "end|0"));
  EXPECT_EQ(window().Text("标签2"), "最新版本: 1.3.0 版");
  EXPECT_EQ(sites.qinglan().Requests(), 0);
}

TEST_F(UpdateCheckTest, LineBreakTagsInAnyCaseBecomeLineEnds) {
  ProbedSites sites(Home::Up, Home::Up, Home::Up);
  standin::NoticeBlock block;
  block.notice = "甲<br>乙";
  block.features = "丙<BR>丁<bR>";
  StartWithNotice({block});

  EXPECT_EQ(window().Text("编辑框3"), "甲\r\n乙\r\n丙\r\n丁\r\n\r\n");
}

}  // namespace
}  // namespace mozhou::testing
