#include "platform/http_session.h"

#include <condition_variable>
#include <exception>
#include <iterator>
#include <list>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/process.h"

namespace mozhou::net {
namespace {

// Immortal: workers may still be closing their scopes while static destructors run.
struct Worker {
  std::thread thread;
  bool ended = false;  // the work has returned; joining now takes no time
};

struct TransferCount {
  std::mutex mutex;
  std::condition_variable drained;
  int running = 0;        // open TransferScopes
  int unended = 0;        // started workers whose work has not returned
  std::list<Worker> workers;
  std::atomic<bool> cancel_all{false};
};

TransferCount& Count() {
  static auto* count = new TransferCount;
  return *count;
}

// Takes the ended workers out of the list (under the lock) for joining outside it.
std::vector<std::thread> TakeEnded(TransferCount& count) {
  std::vector<std::thread> ended;
  for (auto it = count.workers.begin(); it != count.workers.end();) {
    if (it->ended) {
      ended.push_back(std::move(it->thread));
      it = count.workers.erase(it);
    } else {
      ++it;
    }
  }
  return ended;
}

bool ShouldStop(const std::atomic<bool>* cancelled) {
  return Count().cancel_all.load(std::memory_order_acquire) ||
         (cancelled != nullptr && cancelled->load(std::memory_order_acquire));
}

}  // namespace

void HttpSession_Init() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

TransferScope::TransferScope() {
  process::InstallExitHook();
  auto& count = Count();
  std::lock_guard lock(count.mutex);
  ++count.running;
}

TransferScope::~TransferScope() {
  auto& count = Count();
  std::lock_guard lock(count.mutex);
  if (--count.running == 0 && count.unended == 0) count.drained.notify_all();
}

void Worker_Start(std::function<void()> work) {
  process::InstallExitHook();
  auto& count = Count();
  std::vector<std::thread> ended;
  std::exception_ptr failure;
  {
    std::lock_guard lock(count.mutex);
    ended = TakeEnded(count);
    count.workers.emplace_back();
    const auto slot = std::prev(count.workers.end());
    try {
      slot->thread = std::thread([&count, slot, work = std::move(work)] {
        try {
          work();
        } catch (...) {
        }
        std::lock_guard done(count.mutex);
        slot->ended = true;
        if (--count.unended == 0 && count.running == 0) count.drained.notify_all();
      });
      ++count.unended;
    } catch (...) {
      count.workers.erase(slot);
      failure = std::current_exception();
    }
  }
  for (auto& thread : ended) thread.join();
  if (failure) std::rethrow_exception(failure);
}

CURLcode Transfer_Perform(CURL* easy, const std::atomic<bool>* cancelled) {
  HttpSession_Init();
  if (ShouldStop(cancelled)) return CURLE_ABORTED_BY_CALLBACK;

  CURLM* multi = curl_multi_init();
  if (multi == nullptr) return CURLE_OUT_OF_MEMORY;
  if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
    curl_multi_cleanup(multi);
    return CURLE_FAILED_INIT;
  }

  CURLcode result = CURLE_ABORTED_BY_CALLBACK;
  bool done = false;
  while (!done) {
    if (ShouldStop(cancelled)) break;
    int still_running = 0;
    if (curl_multi_perform(multi, &still_running) != CURLM_OK) {
      result = CURLE_FAILED_INIT;
      break;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
        result = message->data.result;
        done = true;
      }
    }
    if (done) break;
    if (still_running == 0) {  // ended without a message: treat as a failed transfer
      result = CURLE_FAILED_INIT;
      break;
    }
    if (curl_multi_poll(multi, nullptr, 0, static_cast<int>(kTransferPollInterval.count()),
                        nullptr) != CURLM_OK) {
      result = CURLE_FAILED_INIT;
      break;
    }
  }

  curl_multi_remove_handle(multi, easy);
  curl_multi_cleanup(multi);
  return result;
}

bool Transfers_Cancelled() { return Count().cancel_all.load(std::memory_order_acquire); }

bool Transfers_CancelAndDrain(std::chrono::milliseconds limit) {
  auto& count = Count();
  count.cancel_all.store(true, std::memory_order_release);
  std::vector<std::thread> ended;
  bool drained = false;
  {
    std::unique_lock lock(count.mutex);
    drained = count.drained.wait_for(lock, limit, [&] { return count.running == 0 && count.unended == 0; });
    ended = TakeEnded(count);
  }
  for (auto& thread : ended) thread.join();
  return drained;
}

int Transfers_Running() {
  auto& count = Count();
  std::lock_guard lock(count.mutex);
  return count.running + count.unended;
}

}  // namespace mozhou::net
