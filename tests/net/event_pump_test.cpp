// The event pump: a wait that keeps window events running on the GUI thread and is woken
// by a worker, and a plain wait elsewhere.
#include <gtest/gtest.h>

#include <QTimer>
#include <atomic>
#include <thread>

#include "platform/event_pump.h"
#include "tests/net/net_fixture.h"

namespace mozhou::nettest {
namespace {

using pump::Completion;

TEST(EventPump, KnowsTheGuiThread) {
  EXPECT_TRUE(pump::OnGuiThread());
  bool elsewhere = true;
  std::thread([&] { elsewhere = pump::OnGuiThread(); }).join();
  EXPECT_FALSE(elsewhere);
}

TEST(EventPump, GuiWaitRunsEventsAndWakesWhenTheWorkerFinishes) {
  Completion completion;
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(5);
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    completion.Finish();
  });

  const auto start = Clock::now();
  EXPECT_TRUE(pump::Wait(completion, Clock::now() + std::chrono::seconds(30)));
  const double elapsed = SecondsSince(start);
  worker.join();

  EXPECT_GT(ticks, 0);
  EXPECT_LT(elapsed, 10.0);  // woken by the worker, not by the deadline
}

TEST(EventPump, QuietGuiWaitIsWokenByTheWorker) {
  Completion completion;
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    completion.Finish();
  });
  const auto start = Clock::now();
  EXPECT_TRUE(pump::Wait(completion, Clock::now() + std::chrono::seconds(30)));
  EXPECT_LT(SecondsSince(start), 10.0);
  worker.join();
}

TEST(EventPump, WaitEndsAtTheDeadline) {
  for (const bool gui : {true, false}) {
    SCOPED_TRACE(gui ? "GUI thread" : "other thread");
    Completion completion;
    bool finished = true;
    double elapsed = 0;
    auto wait = [&] {
      const auto start = Clock::now();
      finished = pump::Wait(completion, start + std::chrono::milliseconds(300));
      elapsed = SecondsSince(start);
    };
    if (gui) {
      wait();
    } else {
      std::thread(wait).join();
    }
    EXPECT_FALSE(finished);
    EXPECT_GE(elapsed, 0.3);
    EXPECT_LT(elapsed, 3.0);
  }
}

TEST(EventPump, PlainWaitIsWokenAndAFinishedCompletionNeedsNoWait) {
  Completion completion;
  bool finished = false;
  std::thread waiter([&] { finished = pump::Wait(completion, Clock::now() + std::chrono::seconds(30)); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  completion.Finish();
  waiter.join();
  EXPECT_TRUE(finished);

  completion.Finish();  // again: harmless
  EXPECT_TRUE(completion.IsFinished());
  EXPECT_TRUE(pump::Wait(completion, Clock::now() - std::chrono::seconds(1)));
}

TEST(EventPump, ProcessPendingEventsRunsQueuedEventsOnTheGuiThreadOnly) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  std::thread([] { pump::ProcessPendingEvents(); }).join();
  EXPECT_FALSE(ran);
  pump::ProcessPendingEvents();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace mozhou::nettest
