// The library's one export. Opens the 青岚 catalogue window modally; closing it ends the
// process. Returns 0 when the window cannot be opened. No exception leaves the library.
#include "platform/settings.h"
#include "platform/window.h"
#include "plugins/qinglan/catalogue_window.h"

extern "C" __attribute__((visibility("default"))) int 加载青岚(const char* /*unused*/) noexcept {
  try {
    mozhou::ui::EnsureApplication();
    mozhou::qinglan::CatalogueWindow catalogue(mozhou::settings::QinglanBase());
    return catalogue.ShowModal();
  } catch (...) {
    return 0;
  }
}
