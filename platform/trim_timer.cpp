#include "platform/trim_timer.h"

#include <malloc.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace mozhou::trim {
namespace {

using Clock = std::chrono::steady_clock;

// The one timer of the process. Heap-allocated and never destroyed: its thread is detached
// and may still be waiting when static destructors run at process end.
struct TrimTimer final {
  std::mutex mutex;
  std::condition_variable rearmed;
  Clock::time_point next_tick;
  std::atomic<long> ticks{0};

  [[noreturn]] void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      // An Arm() meanwhile moves next_tick on; wait again for the new time.
      if (rearmed.wait_until(lock, next_tick, [this] { return Clock::now() >= next_tick; })) {
        next_tick = Clock::now() + kTrimPeriod;
        lock.unlock();
        malloc_trim(0);  // its answer (whether memory was released) is of no interest
        ticks.fetch_add(1, std::memory_order_relaxed);
        lock.lock();
      }
    }
  }
};

std::atomic<TrimTimer*> g_timer{nullptr};

TrimTimer& TimerStartedOnce() {
  static TrimTimer* const timer = [] {
    auto* created = new TrimTimer;  // immortal, see TrimTimer
    created->next_tick = Clock::now() + kTrimPeriod;
    std::thread([created] { created->Run(); }).detach();
    g_timer.store(created, std::memory_order_release);
    return created;
  }();
  return *timer;
}

}  // namespace

void Arm() {
  TrimTimer& timer = TimerStartedOnce();
  {
    const std::lock_guard lock(timer.mutex);
    timer.next_tick = Clock::now() + kTrimPeriod;
  }
  timer.rearmed.notify_one();
}

int TimerCount() { return g_timer.load(std::memory_order_acquire) != nullptr ? 1 : 0; }

long TickCount() {
  const TrimTimer* timer = g_timer.load(std::memory_order_acquire);
  return timer != nullptr ? timer->ticks.load(std::memory_order_relaxed) : 0;
}

std::chrono::steady_clock::time_point NextTickDue() {
  TrimTimer* timer = g_timer.load(std::memory_order_acquire);
  if (timer == nullptr) return {};
  const std::lock_guard lock(timer->mutex);
  return timer->next_tick;
}

}  // namespace mozhou::trim
