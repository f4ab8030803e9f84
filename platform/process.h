// Process end with registered clean-ups.
//
// Clean-ups run once, in the reverse order of registration, before the process ends:
// from End(), or at normal exit (return from main, std::exit) through the exit hook that
// the first registration installs. Before the clean-ups, every running network transfer
// is cancelled and waited for briefly (net::kTransferDrainLimit), so no worker is left
// running into torn-down state. A clean-up that throws is skipped over.
#pragma once

#include <functional>

namespace mozhou::process {

using CleanupId = int;

CleanupId RegisterCleanup(std::function<void()> cleanup);
void UnregisterCleanup(CleanupId id);

// Runs the registered clean-ups (each at most once over the process's life).
void RunCleanups();

// Installs the exit hook (cancel transfers, then run the clean-ups) once; idempotent.
void InstallExitHook();

// Runs the clean-ups, flushes the standard streams and ends the process with `code`.
// No static destructor runs, so no worker that is still running meets destroyed state.
[[noreturn]] void End(int code);

}  // namespace mozhou::process
