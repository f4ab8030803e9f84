#include "platform/event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace mozhou::pump {

// While a GUI-thread wait runs, Finish() wakes that thread's event dispatcher. The waker
// is installed and removed under the completion's lock, so a worker never calls it after
// the wait has returned.
class WaitScope final {
 public:
  explicit WaitScope(Completion& completion) : completion_(completion) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    std::lock_guard lock(completion_.mutex_);
    previous_ = std::move(completion_.waker_);
    completion_.waker_ = [dispatcher, previous = previous_] {
      if (dispatcher != nullptr) dispatcher->wakeUp();
      if (previous) previous();
    };
  }
  ~WaitScope() {
    std::lock_guard lock(completion_.mutex_);
    completion_.waker_ = std::move(previous_);
  }
  WaitScope(const WaitScope&) = delete;
  WaitScope& operator=(const WaitScope&) = delete;

  // Off the GUI thread nothing needs waking but the condition variable.
  static bool PlainWait(Completion& completion, Clock::time_point deadline) {
    std::unique_lock lock(completion.mutex_);
    completion.finished_cv_.wait_until(lock, deadline, [&] { return completion.finished_; });
    return completion.finished_;
  }

 private:
  Completion& completion_;
  std::function<void()> previous_;
};

void Completion::Finish() {
  std::lock_guard lock(mutex_);
  finished_ = true;
  finished_cv_.notify_all();
  if (waker_) waker_();
}

bool Completion::IsFinished() const {
  std::lock_guard lock(mutex_);
  return finished_;
}

namespace {

// The bounding timer is armed for whole milliseconds, rounded up, so the last pass does
// not spin on a sub-millisecond remainder.
int RemainingMs(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return static_cast<int>(std::clamp<decltype(ms)>(ms, 0, 1'000'000'000));
}

bool WaitWithEvents(Completion& completion, Clock::time_point deadline) {
  WaitScope scope(completion);
  for (;;) {
    if (completion.IsFinished()) return true;
    const int remaining = RemainingMs(deadline);
    if (remaining <= 0) break;
    // Each pass waits at most for the time that is left.
    QTimer bound;
    bound.setSingleShot(true);
    bound.setTimerType(Qt::PreciseTimer);
    bound.start(remaining);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
  return completion.IsFinished();
}

}  // namespace

bool Wait(Completion& completion, Clock::time_point deadline) {
  if (OnGuiThread()) return WaitWithEvents(completion, deadline);
  return WaitScope::PlainWait(completion, deadline);
}

void ProcessPendingEvents() {
  if (OnGuiThread()) QCoreApplication::processEvents();
}

bool OnGuiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace mozhou::pump
