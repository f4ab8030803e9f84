// The launcher window: its control table, its event table and the one text it keeps.
//
// Launcher builds the window from LauncherWindow_Spec() and its event table, registers
// the clean-up that releases Download_Address at process end, and runs Update_Check from
// the window's creation-complete event. Closing the window ends the process (exit code 0).
// Every member runs on the GUI thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/process.h"
#include "platform/window.h"

namespace mozhou::launcher {

// The version of this build; shown in 编辑框2 (read by the version test) and in 标签3.
inline constexpr std::string_view kCurrentVersion = MOZHOU_VERSION;

// The maker, as the legend, the hyperlink on "首页" and the contact message show him.
inline constexpr std::string_view kMakerName = "墨舟工作室";
inline constexpr std::string_view kMakerContactNumbers = "80012345 / 80012346";

// Where the launcher finds its notice page and its plug-ins.
struct LauncherPlaces {
  std::string notice_address;    // the update-notice page
  std::string plugin_directory;  // holds qinglan.so and yuemo.so; no trailing "/"
};

// The notice server's "/cnwzsj.html" and the "bindll" folder beside the program.
LauncherPlaces LauncherPlaces_Default();

// The window's control table. The maker's web address is read from the settings.
ui::WindowSpec LauncherWindow_Spec();

class Launcher final {
 public:
  explicit Launcher(LauncherPlaces places);
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // Shows the window; its creation-complete event then runs Update_Check once.
  void Show();

  ui::Window& window() { return *window_; }
  const LauncherPlaces& places() const { return places_; }

  // The newest version's download address from the last notice block; empty at start.
  const std::string& Download_Address() const { return download_address_; }
  void Download_SetAddress(std::string address) { download_address_ = std::move(address); }

  // True once the creation-complete event's Update_Check has returned.
  bool UpdateCheckFinished() const { return update_check_finished_; }

 private:
  std::vector<ui::EventSpec> Events();

  LauncherPlaces places_;
  std::string download_address_;
  bool update_check_finished_ = false;
  process::CleanupId cleanup_;
  std::unique_ptr<ui::Window> window_;  // last: its handlers use the members above
};

}  // namespace mozhou::launcher
