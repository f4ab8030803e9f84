// The process-wide working-set trim timer, "内存_优化".
//
// One repeating timer for the whole process, owned by no window: it does not exist
// before the first Arm(), and every Arm(), from any thread, restarts the same timer so
// that the next tick comes one period from now. Each tick trims the heap (malloc_trim).
// Failures are ignored.
#pragma once

#include <chrono>

namespace mozhou::trim {

inline constexpr const char* kTimerName = "内存_优化";
inline constexpr std::chrono::milliseconds kTrimPeriod{3000};

void Arm();

// For tests: how many trim timers exist (0 or 1), how many ticks have run, and when the
// next tick is due (the epoch before the first Arm()).
int TimerCount();
long TickCount();
std::chrono::steady_clock::time_point NextTickDue();

}  // namespace mozhou::trim
