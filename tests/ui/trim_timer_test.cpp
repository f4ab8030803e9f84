// The process-wide trim timer. Each test binary process starts without one, so the test
// that looks at the state before the first Arm() does everything in order itself.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/trim_timer.h"

namespace mozhou::trim {
namespace {

using Clock = std::chrono::steady_clock;

TEST(TrimTimerTest, OneTimerFromTheFirstArmOn) {
  if (TimerCount() == 0) {
    EXPECT_EQ(TickCount(), 0);  // nothing trims before the first Arm()
  }
  for (int i = 0; i < 100; ++i) Arm();
  EXPECT_EQ(TimerCount(), 1);

  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 100; ++i) Arm();
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(TimerCount(), 1);
}

TEST(TrimTimerTest, ArmRestartsThePeriod) {
  Arm();
  const Clock::time_point first_due = NextTickDue();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const Clock::time_point before = Clock::now();
  Arm();
  EXPECT_GE(NextTickDue(), before + kTrimPeriod);
  EXPECT_GT(NextTickDue(), first_due);
}

TEST(TrimTimerTest, TicksOncePeriodHasPassed) {
  const long ticks = TickCount();
  Arm();
  // Waits for the tick itself; the bound only keeps a broken timer from hanging the run.
  const auto give_up = Clock::now() + 10 * kTrimPeriod;
  while (TickCount() == ticks && Clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_GT(TickCount(), ticks);
  EXPECT_EQ(TimerCount(), 1);
}

}  // namespace
}  // namespace mozhou::trim
