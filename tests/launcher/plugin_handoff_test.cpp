// The load handler, "手动更新" and the page-change focus, on a shown launcher window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "launcher/plugin_handoff.h"
#include "tests/launcher/launcher_fixture.h"

namespace mozhou::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class PluginHandoffTest : public LauncherTest {
 protected:
  void SetUp() override {
    LauncherTest::SetUp();
    ASSERT_TRUE(plugins_.isValid());
    Build("", Plugins());
    launcher->Show();
    QCoreApplication::processEvents();
  }

  std::string Plugins() const { return plugins_.path().toStdString(); }

  // The site list as a fill leaves it, with `entry` chosen.
  void Choose(const std::string& entry) {
    window().Combo_Clear("组合框1");
    for (const std::string& e : {std::string(launcher::kQinglanUp), std::string(launcher::kYuemoUp),
                                 std::string(launcher::kYunjianEntry), std::string(launcher::kComingEntry),
                                 std::string(launcher::kQinglanDown), std::string(launcher::kYuemoDown)}) {
      window().Combo_Add("组合框1", e);
    }
    window().SetText("组合框1", entry);
    ASSERT_EQ(window().Text("组合框1"), entry);
    window().SetEnabled("按钮1", true);
  }

  void WritePlugin(const char* file, const std::string& bytes) {
    std::ofstream(Plugins() + "/" + file, std::ios::binary) << bytes;
  }

 private:
  QTemporaryDir plugins_;
};

TEST_F(PluginHandoffTest, EntriesWithoutAPluginAreAnsweredWithoutLoading) {
  WritePlugin("qinglan.so", "not a library");
  WritePlugin("yuemo.so", "not a library");
  for (const char* entry : {"青岚网【下载类】(维护)", "悦墨网【下载类】(维护)",
                            "云笺书屋【阅读类】(待开放)", "敬请期待"}) {
    SCOPED_TRACE(entry);
    desktop->ClearLog();
    Choose(entry);
    Click("按钮1");
    EXPECT_THAT(desktop->log(), ElementsAre("message|敬请期待|敬请期待！"));
    EXPECT_TRUE(window().IsVisible());
  }
}

TEST_F(PluginHandoffTest, AnUnreadablePluginFileEndsTheProcessWithTheWindowShown) {
  WritePlugin("qinglan.so", "");  // empty counts as unreadable; yuemo.so is missing
  for (const char* entry : {"青岚网【下载类】(正常)", "悦墨网【下载类】(正常)"}) {
    SCOPED_TRACE(entry);
    desktop->ClearLog();
    Choose(entry);
    Click("按钮1");
    EXPECT_THAT(desktop->log(), ElementsAre("message|抱歉|加载出错,请重试", "end|0"));
    EXPECT_TRUE(window().IsVisible()) << "the window is not hidden before the process ends";
  }
}

// A library that does not load, and one that loads but lacks the export: both end the
// process with a message that names the file and the entry.
TEST_F(PluginHandoffTest, APluginThatCannotBeBoundEndsWithARunTimeError) {
  WritePlugin("yuemo.so", "not a library");
  std::filesystem::create_symlink(MOZHOU_BUILD_BIN "/libmozhou_platform.so",
                                  Plugins() + "/qinglan.so");
  struct Case {
    const char* entry;
    const char* file;
    const char* export_name;
  };
  for (const Case& c : {Case{"悦墨网【下载类】(正常)", "yuemo.so", "加载悦墨"},
                        Case{"青岚网【下载类】(正常)", "qinglan.so", "加载青岚"}}) {
    SCOPED_TRACE(c.file);
    desktop->ClearLog();
    Choose(c.entry);
    Click("按钮1");
    const std::vector<std::string> messages = desktop->Entries("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_THAT(messages[0], ::testing::StartsWith("message|运行时错误|"));
    EXPECT_THAT(messages[0], HasSubstr(Plugins() + "/" + c.file));
    EXPECT_THAT(messages[0], HasSubstr(c.export_name));
    EXPECT_EQ(desktop->end_code(), launcher::kBindFailureExitCode);
    EXPECT_FALSE(window().IsVisible()) << "hidden for the call that could not be made";
  }
}

TEST_F(PluginHandoffTest, ManualUpdateOpensTheKeptAddressEvenWhenEmpty) {
  window().Tab_SetCurrent("高级选择夹1", 1);
  Click("按钮3");
  launcher->Download_SetAddress("http://127.0.0.1:9/mozhou-1.3.2.zip");
  Click("按钮3");
  EXPECT_THAT(desktop->log(), ElementsAre("open|", "open|http://127.0.0.1:9/mozhou-1.3.2.zip"));
  EXPECT_TRUE(window().IsVisible());
}

TEST_F(PluginHandoffTest, ChangingThePageMovesTheFocusToItsButton) {
  window().SetEnabled("按钮1", true);  // as after a fill
  window().Tab_SetCurrent("高级选择夹1", 1);
  EXPECT_EQ(window().FocusedControl(), "按钮3");
  window().Tab_SetCurrent("高级选择夹1", 0);
  EXPECT_EQ(window().FocusedControl(), "按钮1");
}

}  // namespace
}  // namespace mozhou::testing
