// Running a step later on the GUI thread.
#pragma once

#include <functional>

#include "platform/window.h"

namespace mozhou::ui {

// Queues `step` to run on the GUI thread once the current event is done. The step is
// dropped when `window` is destroyed first. Safe to call from any thread.
void Gui_Post(const Window& window, std::function<void()> step);

}  // namespace mozhou::ui
