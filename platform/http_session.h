// The process's HTTP session on libcurl: one global initialisation, and every running
// transfer counted so that process end can cancel them and wait for them briefly.
//
// Transfer_Perform runs a prepared easy handle to its end while watching a cancel flag
// (and the process-wide cancel of process end); a cancelled transfer aborts within a
// few poll intervals and reports CURLE_ABORTED_BY_CALLBACK. A TransferScope marks a
// piece of work that must be finished (or abandoned) before the process's static state
// is torn down; process end cancels every transfer, then waits at most
// kTransferDrainLimit for the scopes to close.
#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <functional>

namespace mozhou::net {

// How often a running transfer looks at its cancel flag.
inline constexpr std::chrono::milliseconds kTransferPollInterval{20};
// How long process end waits for running transfers after cancelling them.
inline constexpr std::chrono::milliseconds kTransferDrainLimit{1000};

// curl_global_init, once per process, from any thread.
void HttpSession_Init();

// Counts one running piece of network work for the drain at process end.
class TransferScope final {
 public:
  TransferScope();
  ~TransferScope();
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;
};

// Starts `work` on a thread of its own. The thread is joined once it has ended — by a
// later start, or at process end, so that no thread is still tearing down its state
// (curl's, OpenSSL's) while the process's is destroyed. One still running when the drain
// limit passes is left behind. Throws std::system_error when no thread can be started.
void Worker_Start(std::function<void()> work);

// Performs `easy` (already configured) to its end. `cancelled` may be null.
CURLcode Transfer_Perform(CURL* easy, const std::atomic<bool>* cancelled);

// True once process end has cancelled every transfer.
bool Transfers_Cancelled();

// Cancels every running and future transfer and waits up to `limit` for the open
// TransferScopes to close and the started workers to end; joins those that ended.
// Returns true when none is left.
bool Transfers_CancelAndDrain(std::chrono::milliseconds limit);

// For tests: open TransferScopes plus started workers that have not ended.
int Transfers_Running();

}  // namespace mozhou::net
