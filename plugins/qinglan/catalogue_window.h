// The 青岚 catalogue window: categories, paging, book preview, jump by number, title
// copy, online-reading message and the two download buttons.
//
// Every command runs on the GUI thread. A fetch keeps the window's events running, so a
// command can start while another one waits for its page: the newest load of the list,
// and the newest load of the detail area, is the one that stands; an older load that
// finishes after it is dropped, so two loads never mix their rows or their book.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/window.h"

namespace mozhou::qinglan {

class CatalogueWindow final {
 public:
  explicit CatalogueWindow(std::string site_base);
  ~CatalogueWindow();

  ui::Window& window() { return *window_; }
  int ShowModal() { return window_->ShowModal(); }

  // Listing and paging.
  void Category_Go();
  void Page_Next();
  void Page_Previous();
  void Page_GoTo();
  void List_LoadPage(const std::string& address);

  // Book details.
  void Book_Preview();
  void Book_JumpByNumber();
  void Book_LoadDetail(const std::string& address);

  // Small commands.
  void Download_BySiteLink();
  void Download_ByThunderLink();
  void Online_Reading();
  void Title_Copy();
  void Menu_Show();

 private:
  // The page at `address` as text, or nullopt when another load counted by `loads_started`
  // began while this one waited for its page.
  static std::optional<std::string> Page_FetchUnlessOvertaken(const std::string& address,
                                                              unsigned long& loads_started);
  void Page_Step(const char* status_text, const std::string& address, const char* done_text);
  void Page_ReadCounter(const std::string& page);
  // The menu's paging items return at once; their command follows on the GUI thread.
  void Defer(void (CatalogueWindow::*command)());
  std::string ListPageAddress(const std::string& page_number) const;
  std::string DetailAddress(const std::string& book_number) const;

  std::string site_base_;
  std::unique_ptr<ui::Window> window_;
  unsigned long list_loads_started_ = 0;
  unsigned long detail_loads_started_ = 0;
};

}  // namespace mozhou::qinglan
