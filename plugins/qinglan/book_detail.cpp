// Preview, jump by book number and Book_LoadDetail.
#include <optional>

#include "platform/desktop.h"
#include "platform/url_reader.h"
#include "plugins/common/catalogue_frame.h"
#include "plugins/qinglan/catalogue_window.h"
#include "plugins/qinglan/catalogue_window_table.h"
#include "plugins/qinglan/kept_texts.h"
#include "toolkit/memory_trim.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"

namespace mozhou::qinglan {
namespace {

constexpr const char* kTitlePattern = "var softname='(.*?)';\r\nvar softid=(.*?);";

constexpr const char* kCoverPattern =
    "<img src=\"(.*?)\" width=\"170\" height=\"210\" border=\"0\"/></a></DIV>\r\n\t\t\t\t\t"
    "<p class=\"downInfoRowL\"><b>运行环境：</b>(.*?)<br/>\r\n\t\t\t\t\t"
    "<b>书籍语言：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>书籍大小：</b>(.*?)<br/>\r\n\t\t\t\t\t"
    "<b>书籍类型：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>是否连载：</b>(.*?)<br/>\r\n\t\t\t\t\t"
    "<b>书籍作者：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>更新时间：</b>(.*?)<br/>\r\n\t\t\t\t\t"
    "<b>书籍评级：</b><img src=\"(.*?)\"><br/>";

constexpr const char* kDescriptionPattern =
    "<div id=\"mainSoftIntro\"><div id='clickeye_content'>(.*?)</div>";

constexpr const char* kDownloadPattern =
    "thunderHref='(.*?)'class=downLinks>迅雷专用高速下载点</A><br><img src=.*?> "
    "<A  href='(.*?)'><strong>本站下载地址</strong></A>";

constexpr const char* kTitleSuffix = " - 青岚测试1.3.1版";

std::string Description_Clean(const std::string& text) {
  return Text_ReplacePairs(text, {{"&nbsp;", " "},
                                  {"<br>", "\r\n"},
                                  {"<br/>", "\r\n"},
                                  {"&lt;", "<"},
                                  {"&gt;", ">"}});
}

}  // namespace

std::string CatalogueWindow::DetailAddress(const std::string& book_number) const {
  return site_base_ + "/Shtml" + book_number + ".html";
}

void CatalogueWindow::Book_Preview() {
  Memory_Trim();
  catalogue::Status_Message(*window_, "正在加载书籍...");
  const int row = window_->List_SelectedRow(kList);
  const std::string number = row >= 0 ? window_->List_Cell(kList, row, 0) : std::string();
  Book_LoadDetail(DetailAddress(number));
  catalogue::Status_Message(*window_, "加载书籍完毕");
  Memory_Trim();
}

void CatalogueWindow::Book_JumpByNumber() {
  const std::string number =
      ui::Desktop_Current().Input("请输入青岚编号!\r\n例:12345", "编号跳转", "", true);
  if (number.empty()) {
    ui::Desktop_Current().Message("请输入正确的青岚编码", "错误", ui::MessageButtons::Ok);
    return;
  }
  Memory_Trim();
  Book_LoadDetail(DetailAddress(number));
  Memory_Trim();
}

void CatalogueWindow::Book_LoadDetail(const std::string& address) {
  const std::optional<std::string> fetched = Page_FetchUnlessOvertaken(address, detail_loads_started_);
  if (!fetched) return;
  const std::string& page = *fetched;

  RegexObject regex;
  regex.Run(kTitlePattern, page);
  const bool shows_new_title = regex.MatchCount() > 0;
  for (int i = 1; i <= regex.MatchCount(); ++i) {
    const std::string title = regex.SubMatchText(i, 1);
    window_->SetTitle(title + kTitleSuffix);
    window_->SetText(catalogue::kTitleGroup, title);
  }

  regex.Run(kCoverPattern, page);
  for (int i = 1; i <= regex.MatchCount(); ++i) {
    window_->Picture_SetBytes(kCover, net::Url_Read(site_base_ + regex.SubMatchText(i, 1)));
  }

  regex.Run(kDescriptionPattern, page);
  for (int i = 1; i <= regex.MatchCount(); ++i) {
    window_->SetText(kDescription, regex.SubMatchText(i, 1));
    window_->SetText(kDescription, Description_Clean(window_->Text(kDescription)));
  }

  regex.Run(kDownloadPattern, page);
  if (shows_new_title && regex.MatchCount() == 0) {
    // Another book is shown now: the previous book's links must not download in its name.
    Kept().Book_ThunderLink.clear();
    Kept().Book_SiteLink.clear();
  }
  for (int i = 1; i <= regex.MatchCount(); ++i) {
    Kept().Book_ThunderLink = regex.SubMatchText(i, 1);
    Kept().Book_SiteLink = regex.SubMatchText(i, 2);
  }

  Memory_Trim();
  Memory_Trim();
  Memory_Trim();
}

}  // namespace mozhou::qinglan
