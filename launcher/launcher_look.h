// How the launcher window is drawn on Qt, so that it looks the way its table was laid out.
//
// LauncherWindow_FitLook(window) is called once, right after the window was built from
// its table and before it is shown. It changes fonts, the tab position and frames only:
// no text, no state and no position of the table. Afterwards the tabs sit at the foot of
// 高级选择夹1 with each page's hyperlink beside them; every control of a page is seen
// whole with its page; "当前版本: 1.3.1 版" reads as one line across 标签1 and 编辑框2.
#pragma once

#include "platform/window.h"

namespace mozhou::launcher {

void LauncherWindow_FitLook(ui::Window& window);

}  // namespace mozhou::launcher
