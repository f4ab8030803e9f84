#include "plugins/qinglan/catalogue_window.h"

#include "platform/desktop.h"
#include "platform/gui_post.h"
#include "plugins/common/catalogue_frame.h"
#include "plugins/qinglan/catalogue_window_table.h"
#include "plugins/qinglan/kept_texts.h"
#include "toolkit/memory_trim.h"
#include "toolkit/text.h"
#include "toolkit/web_fetch.h"

namespace mozhou::qinglan {

using ui::Event;

CatalogueWindow::CatalogueWindow(std::string site_base) : site_base_(std::move(site_base)) {
  std::vector<ui::EventSpec> events = {
      {"", Event::Created, [] { Memory_Trim(); }},
      {"", Event::WillBeDestroyed, [] { ui::Desktop_Current().EndProcess(0); }},
      {kList, Event::DoubleClicked, [this] { Book_Preview(); }},
      {kList, Event::RightButtonReleased, [this] { Menu_Show(); }},
      {kMenu, Event::MenuSelected, [this] { Book_Preview(); }, kMenuPreview},
      {kMenu, Event::MenuSelected, [this] { Defer(&CatalogueWindow::Page_Previous); }, kMenuPrevious},
      {kMenu, Event::MenuSelected, [this] { Defer(&CatalogueWindow::Page_Next); }, kMenuNext},
      {kCategoryGo, Event::Clicked, [this] { Category_Go(); }},
      {kPageGo, Event::Clicked, [this] { Page_GoTo(); }},
      {kPreviousButton, Event::Clicked, [this] { Page_Previous(); }},
      {kNextButton, Event::Clicked, [this] { Page_Next(); }},
      {kJumpButton, Event::Clicked, [this] { Book_JumpByNumber(); }},
      {kOnlineReadingButton, Event::Clicked, [this] { Online_Reading(); }},
      {kSiteDownloadButton, Event::Clicked, [this] { Download_BySiteLink(); }},
      {kThunderDownloadButton, Event::Clicked, [this] { Download_ByThunderLink(); }},
      {kTitleLabel, Event::DoubleClicked, [this] { Title_Copy(); }},
  };
  window_ = std::make_unique<ui::Window>(CatalogueWindowSpec(), std::move(events));
  window_->Browser_SetSiteBase(catalogue::kDownloadBrowser, site_base_);
}

CatalogueWindow::~CatalogueWindow() = default;

std::optional<std::string> CatalogueWindow::Page_FetchUnlessOvertaken(const std::string& address,
                                                                    unsigned long& loads_started) {
  const unsigned long this_load = ++loads_started;
  std::string fetch_address = address;
  std::string page = Page_Text(Web_Fetch(fetch_address));
  if (this_load != loads_started) return std::nullopt;
  return page;
}

void CatalogueWindow::Defer(void (CatalogueWindow::*command)()) {
  ui::Gui_Post(*window_, [this, command] { (this->*command)(); });
}

void CatalogueWindow::Download_BySiteLink() {
  catalogue::Download_Start(*window_, Kept().Book_SiteLink);
}

void CatalogueWindow::Download_ByThunderLink() {
  catalogue::Download_Start(*window_, Kept().Book_ThunderLink);
}

void CatalogueWindow::Online_Reading() {
  Memory_Trim();
  catalogue::Status_Message(*window_, catalogue::kOnlineReadingRefused);
  Memory_Trim();
}

void CatalogueWindow::Title_Copy() { catalogue::Title_Copy(*window_); }

void CatalogueWindow::Menu_Show() { window_->Menu_Popup(kMenu); }

}  // namespace mozhou::qinglan
