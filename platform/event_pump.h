// Waiting while the window lives.
//
// A Completion is finished once by a worker thread. Wait() returns when it is finished
// or when the deadline passes, whichever comes first. Called on the Qt GUI thread it runs
// a nested event loop meanwhile (handlers may be entered again: intended); on any other
// thread it is a plain wait.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace mozhou::pump {

using Clock = std::chrono::steady_clock;

class Completion final {
 public:
  // Marks the work finished and wakes whoever waits. Safe from any thread, once or more.
  void Finish();
  bool IsFinished() const;

 private:
  friend class WaitScope;
  mutable std::mutex mutex_;
  std::condition_variable finished_cv_;
  bool finished_ = false;
  std::function<void()> waker_;  // set while a GUI-thread wait is running
};

// Waits until `completion` is finished or `deadline` has passed.
// Returns true when it was finished (checked last, under the completion's lock).
bool Wait(Completion& completion, Clock::time_point deadline);

// On the GUI thread: lets the pending window events run once. Elsewhere: nothing.
void ProcessPendingEvents();

// True on the thread that runs the Qt application's event loop.
bool OnGuiThread();

}  // namespace mozhou::pump
