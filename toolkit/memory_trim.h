// Memory_Trim: arm the process-wide 3000 ms trim timer "内存_优化" (restarting it when
// it runs), then let the pending window events run when called on the GUI thread.
#pragma once

namespace mozhou {

void Memory_Trim();

}  // namespace mozhou
