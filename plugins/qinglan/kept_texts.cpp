#include "plugins/qinglan/kept_texts.h"

#include "platform/process.h"

namespace mozhou::qinglan {
namespace {

// Registers the clean-up with the process end while the library is loaded, and runs it
// when the library unloads.
struct LibraryLifetime final {
  LibraryLifetime() : cleanup(process::RegisterCleanup(Kept_Release)) {}
  ~LibraryLifetime() {
    process::UnregisterCleanup(cleanup);
    Kept_Release();
  }
  process::CleanupId cleanup;
};

KeptTexts kept_texts;
const LibraryLifetime library_lifetime;

}  // namespace

KeptTexts& Kept() { return kept_texts; }

void Kept_Release() { kept_texts = KeptTexts{}; }

}  // namespace mozhou::qinglan
