// The launcher on the offscreen platform with a scripted desktop, and the loopback
// servers it talks to: the stand-in notice server and three small home pages.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launcher/launcher_window.h"
#include "platform/desktop.h"
#include "standin/standin.h"
#include "tests/support/scripted_desktop_scope.h"
#include "tests/support/http_fixture.h"

namespace mozhou::testing {

// Sets an environment variable for the life of the object.
class ScopedEnvironment final {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (previous_) {
      setenv(name_, previous_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

// How a probed home page behaves.
enum class Home { Up, Down, Never, ZeroFirst };

// A home page on loopback that answers as told; Down is a port where nothing listens.
class HomePage final {
 public:
  explicit HomePage(Home home) {
    server_ = std::make_unique<LoopbackServer>();
    base_ = server_->Base();
    switch (home) {
      case Home::Up: server_->ServeBytes("/", "<html>home</html>"); break;
      case Home::ZeroFirst: server_->ServeBytes("/", std::string("\0<html>", 7)); break;
      case Home::Never: server_->ServeNever("/"); break;
      case Home::Down: server_.reset(); break;  // the port is closed again
    }
  }
  const std::string& Base() const { return base_; }
  int Requests() const { return server_ ? static_cast<int>(server_->Requests().size()) : 0; }

 private:
  std::unique_ptr<LoopbackServer> server_;
  std::string base_;
};

// The three probed sites, with the settings pointed at them.
class ProbedSites final {
 public:
  ProbedSites(Home qinglan, Home yuemo, Home yunjian)
      : qinglan_(qinglan), yuemo_(yuemo), yunjian_(yunjian),
        qinglan_env_("MOZHOU_QINGLAN_BASE", qinglan_.Base()),
        yuemo_env_("MOZHOU_YUEMO_BASE", yuemo_.Base()),
        yunjian_env_("MOZHOU_YUNJIAN_BASE", yunjian_.Base()) {}

  HomePage& qinglan() { return qinglan_; }

 private:
  HomePage qinglan_, yuemo_, yunjian_;
  ScopedEnvironment qinglan_env_, yuemo_env_, yunjian_env_;
};

inline constexpr auto kSettleLimit = std::chrono::seconds(60);  // "does not hang" bound

class LauncherTest : public ::testing::Test {
 protected:
  void TearDown() override { launcher.reset(); }

  // A launcher that is built but not shown: no update check runs.
  void Build(std::string notice_address = {}, std::string plugin_directory = {}) {
    launcher = std::make_unique<launcher::Launcher>(
        launcher::LauncherPlaces{std::move(notice_address), std::move(plugin_directory)});
  }

  // Shows the launcher and lets its update check run to the end.
  void Start(std::string notice_address, std::string plugin_directory = {}) {
    Build(std::move(notice_address), std::move(plugin_directory));
    launcher->Show();
    const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
    while (!launcher->UpdateCheckFinished() && std::chrono::steady_clock::now() < deadline) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(launcher->UpdateCheckFinished()) << "the update check did not end";
  }

  // Starts the stand-in notice server with these blocks and the launcher against it.
  void StartWithNotice(const std::vector<standin::NoticeBlock>& blocks) {
    notice_server = standin::Site::Start({standin::SiteKind::Notice, 0, blocks});
    ASSERT_NE(notice_server, nullptr);
    Start(notice_server->Base() + "/cnwzsj.html");
  }

  ui::Window& window() { return launcher->window(); }

  void Click(const char* name) {
    auto* button = qobject_cast<QAbstractButton*>(window().Widget(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
  }

  std::vector<std::string> SiteList() {
    std::vector<std::string> entries;
    for (int i = 0; i < window().Combo_Count("组合框1"); ++i) {
      entries.push_back(window().Combo_Item("组合框1", i));
    }
    return entries;
  }

  ScriptedDesktopScope scripted_desktop;  // first: it outlives the launcher
  ui::ScriptedDesktop* desktop = &scripted_desktop.desktop();
  std::unique_ptr<standin::Site> notice_server;
  std::unique_ptr<launcher::Launcher> launcher;
};

// The launcher built with the default places and shown.
class ShownLauncherTest : public LauncherTest {
 protected:
  void SetUp() override {
    LauncherTest::SetUp();
    Build();
    launcher->Show();
    QCoreApplication::processEvents();
  }
};

inline const std::vector<std::string> kAllUp = {
    "青岚网【下载类】(正常)", "悦墨网【下载类】(正常)", "云笺书屋【阅读类】(待开放)", "敬请期待"};

}  // namespace mozhou::testing
