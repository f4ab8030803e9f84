#include "plugins/common/catalogue_frame.h"

#include "platform/desktop.h"
#include "toolkit/memory_trim.h"

namespace mozhou::catalogue {

void Status_Message(ui::Window& window, const std::string& text) {
  window.Status_SetPart(kStatusBar, kStatusMessagePart, text);
}

void Status_PageCounter(ui::Window& window, const std::string& text) {
  window.Status_SetPart(kStatusBar, kStatusPageCounterPart, text);
}

void Download_Start(ui::Window& window, const std::string& link) {
  window.Browser_SetAddress(kDownloadBrowser, link);
  Memory_Trim();
  Memory_Trim();
}

void Title_Copy(ui::Window& window) {
  const std::string title = window.Text(kTitleGroup);
  const bool copied = ui::Desktop_Current().SetClipboardText(title);
  Status_Message(window, copied ? kTitleCopied : kTitleNotCopied);
}

}  // namespace mozhou::catalogue
