// Category GO, the three page commands and List_LoadPage.
#include <optional>
#include <vector>

#include "plugins/common/catalogue_frame.h"
#include "plugins/qinglan/catalogue_window.h"
#include "plugins/qinglan/catalogue_window_table.h"
#include "plugins/qinglan/kept_texts.h"
#include "toolkit/memory_trim.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"

namespace mozhou::qinglan {
namespace {

constexpr const char* kListPattern =
    "<div class=\"mainListName\"><span class=\"mainSoftName\"><a href=\"/Shtml(.*?).html\" "
    "title=\"(.*?)\">.*?</a></span></div><div class=\"mainListSize\">(.*?)</div><div "
    "class=\"mainListDate\"><span class=\"oldDate\"><span class=\".*?\">(.*?)</span></span></div>"
    "<div class=\"mainListHist\">(.*?)</div>\r\n\t\t\t\t</div>\r\n\t\t\t\t<div "
    "class=\"mainListIntro\" id=\"soft_content_1\">.*?</div>\r\n\t\t\t\t<div "
    "class=\"mainListBottom\">\r\n\t\t\t\t\t<div class=\"mainRunSystem\"><span "
    "class=\"mainGreen\">运行环境：</span>(.*?)</div><div class=\"mainAccredit\"><span "
    "class=\"mainGreen\">书籍作者：</span>(.*?)</div><div class=\"mainstar\"><span "
    "class=\"mainGreen\">推荐星级：</span><img src=\".*?\"></div>";
constexpr int kListColumns = 7;

constexpr const char* kPagerPattern =
    "<td class=\"tabletitle1\" title=\"页次\">&nbsp;(.*?)/(.*?)页&nbsp;</td>";

constexpr unsigned kRedText = 0xFF0000;
constexpr unsigned kMagentaText = 0xFF00FF;

}  // namespace

std::string CatalogueWindow::ListPageAddress(const std::string& page_number) const {
  return site_base_ + "/soft/" + Kept().List_CurrentKey + "_" + page_number + ".html";
}

void CatalogueWindow::Category_Go() {
  catalogue::Status_Message(*window_, "类型板块跳转中...");
  const int n = window_->Combo_Selected(kCategoryBox);
  if (n == 0) {
    window_->SetTextColor(kCategoryHint, kRedText);
    window_->SetText(kCategoryHint, "请选择...");
  } else if (n > 0 && n < kCategoryCount) {
    window_->SetTextColor(kCategoryHint, kMagentaText);
    window_->SetText(kCategoryHint, window_->Text(kCategoryBox));
    Kept().List_CurrentKey = kCategories[n].key;
    List_LoadPage(ListPageAddress("1"));
  }
  catalogue::Status_Message(*window_, "跳转完毕.");
}

void CatalogueWindow::Page_Next() {
  Page_Step("下一页,加载中...", Kept().List_NextPageUrl, "加载完毕.");
}

void CatalogueWindow::Page_Previous() {
  Page_Step("上一页,加载中...", Kept().List_PrevPageUrl, "加载完毕.");
}

void CatalogueWindow::Page_GoTo() {
  // The page number goes into the address as typed.
  Page_Step("页面跳转,请稍后...", ListPageAddress(window_->Text(kPageNumberBox)), "页面跳转完毕.");
}

void CatalogueWindow::Page_Step(const char* status_text, const std::string& address,
                                const char* done_text) {
  const std::string target = address;  // the kept text may change while the page loads
  Memory_Trim();
  window_->SetEnabled(kCategoryGo, false);
  window_->SetEnabled(kPageGo, false);
  catalogue::Status_Message(*window_, status_text);
  List_LoadPage(target);
  window_->SetEnabled(kCategoryGo, true);
  window_->SetEnabled(kPageGo, true);
  catalogue::Status_Message(*window_, done_text);
  Memory_Trim();
}

void CatalogueWindow::List_LoadPage(const std::string& address) {
  const std::optional<std::string> page = Page_FetchUnlessOvertaken(address, list_loads_started_);
  if (!page) return;

  RegexObject regex;
  regex.Run(kListPattern, *page);
  std::vector<std::vector<std::string>> rows;
  rows.reserve(regex.MatchCount());
  for (int i = 1; i <= regex.MatchCount(); ++i) {
    std::vector<std::string>& row = rows.emplace_back();
    for (int k = 1; k <= kListColumns; ++k) row.push_back(regex.SubMatchText(i, k));
  }
  window_->List_ReplaceRows(kList, rows);
  Page_ReadCounter(*page);
}

// The pager line "&nbsp;CUR/COUNT页&nbsp;": the counter, the neighbour addresses and the
// paging controls. A page without it leaves all of them as they were.
void CatalogueWindow::Page_ReadCounter(const std::string& page) {
  RegexObject regex;
  regex.Run(kPagerPattern, page);
  for (int i = 1; i <= regex.MatchCount(); ++i) {
    const std::string g1 = regex.SubMatchText(i, 1);
    const std::string g2 = regex.SubMatchText(i, 2);
    const double current_number = Text_ToNumber(g1);
    const std::string current = Number_ToText(current_number);
    Kept().List_PrevPageUrl = ListPageAddress(Number_ToText(current_number - 1));
    Kept().List_NextPageUrl = ListPageAddress(Number_ToText(current_number + 1));
    catalogue::Status_PageCounter(*window_, g1 + "/" + g2);
    const std::string last = Number_ToText(Text_ToNumber(g2));

    window_->SetEnabled(kPageGo, last != "1");
    const bool on_last = current == last;
    window_->SetEnabled(kNextButton, !on_last);
    window_->Menu_SetEnabled(kMenu, kMenuNext, !on_last);
    const bool on_first = current == "1";
    window_->SetEnabled(kPreviousButton, !on_first);
    window_->Menu_SetEnabled(kMenu, kMenuPrevious, !on_first);
  }
}

}  // namespace mozhou::qinglan
