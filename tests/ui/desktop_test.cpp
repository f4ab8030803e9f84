// The scripted desktop tests use in place of dialogs, and the switch between desktops.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop.h"

namespace mozhou::ui {
namespace {

TEST(ScriptedDesktopTest, AnswersFromItsQueuesThenDefaults) {
  ScriptedDesktop desktop;
  desktop.QueueAnswer(MessageAnswer::No);
  EXPECT_EQ(desktop.Message("检测到新版本！是否查看详情？", "更新提示", MessageButtons::YesNo), MessageAnswer::No);
  EXPECT_EQ(desktop.Message("再问", "更新提示", MessageButtons::YesNo), MessageAnswer::Yes);
  EXPECT_EQ(desktop.Message("好", "", MessageButtons::Ok), MessageAnswer::Ok);

  desktop.QueueInput("12a3-4");
  desktop.QueueInput("书名");
  EXPECT_EQ(desktop.Input("请输入编号", "编号跳转", "", true), "123-4");
  EXPECT_EQ(desktop.Input("请输入", "标题", "", false), "书名");
  EXPECT_EQ(desktop.Input("请输入", "标题", "初值", false), "");

  EXPECT_TRUE(desktop.SetClipboardText("等待加载."));
  desktop.SetClipboardWilling(false);
  EXPECT_FALSE(desktop.SetClipboardText("拒绝"));

  EXPECT_EQ(desktop.end_code(), -1);
  desktop.OpenAddress("");
  desktop.HandDownload("http://127.0.0.1/a.zip");
  desktop.EndProcess(0);
  EXPECT_EQ(desktop.end_code(), 0);

  EXPECT_EQ(desktop.log(), (std::vector<std::string>{
                               "message|更新提示|检测到新版本！是否查看详情？",
                               "message|更新提示|再问",
                               "message|信息：|好",  // the title shown for an empty one
                               "input|编号跳转|请输入编号",
                               "input|标题|请输入",
                               "input|标题|请输入",
                               "clipboard|等待加载.",
                               "clipboard|拒绝",
                               "open|",
                               "download|http://127.0.0.1/a.zip",
                               "end|0",
                           }));
  EXPECT_EQ(desktop.Entries("clipboard"), (std::vector<std::string>{"clipboard|等待加载.", "clipboard|拒绝"}));
  EXPECT_TRUE(desktop.Entries("mess").empty());
  desktop.ClearLog();
  EXPECT_TRUE(desktop.log().empty());
}

TEST(ScriptedDesktopTest, RecordsCallsFromSeveralThreads) {
  ScriptedDesktop desktop;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&desktop, t] {
      for (int i = 0; i < 50; ++i) desktop.HandDownload("http://127.0.0.1/" + std::to_string(t));
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(desktop.Entries("download").size(), 200u);
}

TEST(DesktopInstallTest, InstallReplacesAndReturnsThePrevious) {
  auto first = std::make_unique<ScriptedDesktop>();
  ScriptedDesktop* first_seen = first.get();
  std::unique_ptr<Desktop> original = Desktop_Install(std::move(first));
  EXPECT_EQ(&Desktop_Current(), first_seen);

  std::unique_ptr<Desktop> back = Desktop_Install(std::move(original));
  EXPECT_EQ(back.get(), first_seen);
  EXPECT_NE(&Desktop_Current(), first_seen);
}

}  // namespace
}  // namespace mozhou::ui
