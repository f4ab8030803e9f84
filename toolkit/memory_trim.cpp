#include "toolkit/memory_trim.h"

#include "platform/event_pump.h"
#include "platform/trim_timer.h"

namespace mozhou {

void Memory_Trim() {
  trim::Arm();
  pump::ProcessPendingEvents();
}

}  // namespace mozhou
