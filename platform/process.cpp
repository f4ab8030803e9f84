#include "platform/process.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/http_session.h"

namespace mozhou::process {
namespace {

struct Cleanup {
  CleanupId id;
  std::function<void()> run;
};

// Immortal: the exit hook and late threads may reach it after static destructors began.
struct CleanupList {
  std::mutex mutex;
  std::vector<Cleanup> entries;  // in registration order
  CleanupId next_id = 1;
};

CleanupList& List() {
  static auto* list = new CleanupList;
  return *list;
}

void FinishProcess() {
  net::Transfers_CancelAndDrain(net::kTransferDrainLimit);
  RunCleanups();
}

}  // namespace

CleanupId RegisterCleanup(std::function<void()> cleanup) {
  InstallExitHook();
  auto& list = List();
  std::lock_guard lock(list.mutex);
  const CleanupId id = list.next_id++;
  list.entries.push_back({id, std::move(cleanup)});
  return id;
}

void UnregisterCleanup(CleanupId id) {
  auto& list = List();
  std::lock_guard lock(list.mutex);
  std::erase_if(list.entries, [id](const Cleanup& c) { return c.id == id; });
}

void RunCleanups() {
  // Taken out under the lock, run outside it: a clean-up may register or unregister.
  std::vector<Cleanup> due;
  {
    auto& list = List();
    std::lock_guard lock(list.mutex);
    due.swap(list.entries);
  }
  for (auto it = due.rbegin(); it != due.rend(); ++it) {
    try {
      if (it->run) it->run();
    } catch (...) {
    }
  }
}

void InstallExitHook() {
  static std::once_flag once;
  std::call_once(once, [] {
    // curl's global set-up registers OpenSSL's exit clean-up. Done first, it runs after
    // this hook (exit handlers run in reverse), so workers are joined before it.
    net::HttpSession_Init();
    std::atexit(FinishProcess);
  });
}

void End(int code) {
  FinishProcess();
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}

}  // namespace mozhou::process
