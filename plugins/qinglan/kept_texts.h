// The five texts the 青岚 library keeps for the life of the process: empty at load,
// released by a clean-up at unload or process end. Only the GUI thread reads or writes
// them (every command runs there).
#pragma once

#include <string>

namespace mozhou::qinglan {

struct KeptTexts {
  std::string List_CurrentKey;   // list key of the last category loaded with GO
  std::string List_PrevPageUrl;  // full address of the previous list page
  std::string List_NextPageUrl;  // full address of the next list page
  std::string Book_ThunderLink;  // thunderHref of the last book with links
  std::string Book_SiteLink;     // the site's own download link of that book
};

KeptTexts& Kept();
void Kept_Release();  // the clean-up: empties and frees all five

}  // namespace mozhou::qinglan
