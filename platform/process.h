// Process end with registered clean-ups.
//
// Clean-ups run once, in the reverse order of registration, before the process ends.
#pragma once

#include <functional>

namespace mozhou::process {

using CleanupId = int;

CleanupId RegisterCleanup(std::function<void()> cleanup);
void UnregisterCleanup(CleanupId id);

// Runs the registered clean-ups (each at most once over the process's life).
void RunCleanups();

// Runs the clean-ups, flushes the standard streams and ends the process with `code`.
// No static destructor runs, so no worker that is still running meets destroyed state.
[[noreturn]] void End(int code);

}  // namespace mozhou::process
