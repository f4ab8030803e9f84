// The hand-off to a site plug-in, and the launcher's other small handlers.
//
// Plugin_Load (按钮1 "加载"): the text of 组合框1 decides. Only the two "(正常)" entries
// have a plug-in; every other entry gets "敬请期待！" and nothing else happens. The
// plug-in file must be readable below the plug-in directory, else "加载出错,请重试" and
// the process ends (exit code 0). Then the launcher window is hidden, the library is
// bound by path and export name, and its entry runs the plug-in's modal window. A library
// that cannot be loaded or lacks the export gives a run-time error message naming the
// file and the entry, and the process ends with kBindFailureExitCode. When the entry
// returns, the launcher window is shown again, so the user can choose another site and
// the process never lives on without a window.
//
// Download_OpenAddress (按钮3 "手动更新"): opens Download_Address, empty or not.
// Page_MoveFocus (page change of 高级选择夹1): "首页" focuses 按钮1, "版本更新" 按钮3.
#pragma once

#include <array>
#include <string_view>

#include "launcher/site_list.h"

namespace mozhou::launcher {

class Launcher;

struct Plugin {
  std::string_view entry_text;   // the site-list entry that starts it
  std::string_view file;         // in the plug-in directory
  std::string_view export_name;  // int (const char*)
};

inline constexpr std::array<Plugin, 2> kPlugins = {{
    {kQinglanUp, "qinglan.so", "加载青岚"},
    {kYuemoUp, "yuemo.so", "加载悦墨"},
}};

// Handed to a plug-in's entry, which does not read it.
inline constexpr const char* kPluginArgument = "墨舟";

// A plug-in that cannot be bound is a broken installation: the process ends with an
// error status rather than the 0 of an orderly end.
inline constexpr int kBindFailureExitCode = 1;

void Plugin_Load(Launcher& launcher);
void Download_OpenAddress(Launcher& launcher);
void Page_MoveFocus(Launcher& launcher);

}  // namespace mozhou::launcher
