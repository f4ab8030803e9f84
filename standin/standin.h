// The stand-in servers: the maker's notice server and web site, 青岚网, 悦墨网 and
// 云笺书屋, each an HTTP server on loopback that serves pages in the layouts the program
// reads, in GBK, generated deterministically.
//
// Used by the demo (mozhou-standin) and, in process, by the tests.
//
// The page functions return the bytes served (HTML and texts in GBK, covers in PNG) and
// never fail; a page that does not exist (a category or page outside the catalogue, a
// book no list shows) is the empty text, which the servers answer with 404 and
// Error_Page. `site_base` is the address the site is served at: pages link
// site-relative, only the Thunder link on a detail page holds the absolute address.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mozhou::standin {

// One block of the update-notice page.
struct NoticeBlock {
  std::string notice = "墨舟更新公告";
  std::string version = "1.3.1";
  std::string download = "http://127.0.0.1:47802/download/mozhou-1.3.1.zip";
  std::string features = "浏览青岚网与悦墨网的书库";
  std::string state = "正常";
};

enum class SiteKind { Notice, Maker, Qinglan, Yuemo, Yunjian, YuemoCover };

struct SiteOptions {
  SiteKind kind;
  int port = 0;                          // 0: an ephemeral port
  std::vector<NoticeBlock> notice = {NoticeBlock{}};  // Notice only; empty: no block
};

// One running stand-in server; stops when destroyed.
//
// Binds 127.0.0.1 only and serves on a thread of its own; the destructor stops the
// server and joins that thread.
class Site final {
 public:
  static std::unique_ptr<Site> Start(const SiteOptions& options);  // nullptr when it cannot bind
  ~Site();
  std::string Base() const;  // "http://127.0.0.1:PORT"
  int port() const;

  struct Impl;
  explicit Site(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

// The pages themselves (GBK bytes), for tests and benchmarks.
std::string Notice_Page(const std::vector<NoticeBlock>& blocks);
// 青岚网: category index 1 to 15 as in the plug-in's category table, page from 1.
int Qinglan_PageCount(int category);
std::string Qinglan_ListPage(int category, int page, const std::string& site_base);
std::string Qinglan_DetailPage(int book_number, const std::string& site_base);

// ---- 青岚网's generated catalogue --------------------------------------------------

inline constexpr int kQinglanCategoryCount = 15;
inline constexpr int kQinglanEntriesPerPage = 30;  // rows in the list pattern's layout

// One book as its list row and detail page show it (UTF-8).
struct QinglanBook {
  int number = 0;            // the number in "/Shtml" + number + ".html"
  int category = 0;          // 1 to 15
  int page = 0;              // the list page that shows it, from 1
  int entry = 0;             // its row on that page, 1 to 30
  std::string title;         // list group 2, detail "softname"
  std::string size;          // "1.25 MB" or "640 KB"
  std::string date;          // "2024-03-15"
  std::string type;          // "TXT全本", ...
  std::string environment;   // "Win9x/NT/2000/XP/2003", ...
  std::string author;
  std::string intro;         // the list entry's one-line intro
  std::string serial;        // "已完结" or "连载中"
  int stars = 3;             // rating picture "/images/star" + stars + ".gif", 1 to 5
  std::string description;   // the detail page's markup: <br>, <BR>, &nbsp;, &lt;, &gt;, &amp;
  bool has_downloads = true; // false: the detail page carries no download links
};

// The list key of the category table ("special/new_0_0", "sort010/list10"); empty
// outside 1 to 15.
std::string Qinglan_ListKey(int category);
// The category's item text ("玄幻奇幻"); empty outside 1 to 15.
std::string Qinglan_CategoryName(int category);
// The number of the book in row `entry` of list page `page`; 0 outside the catalogue.
int Qinglan_BookNumber(int category, int page, int entry);
// The book a list page shows under this number; nullopt for any other number.
std::optional<QinglanBook> Qinglan_Book(int book_number);
// Listed books whose detail page has no download links.
std::vector<int> Qinglan_BooksWithoutDownloads();

// The site's own download link of a book, site-relative ("/down/N.txt"), and its
// Thunder link: "thunder://" + base64("AA" + site_base + site link + "ZZ").
std::string Qinglan_SiteLink(int book_number);
std::string Qinglan_ThunderLink(int book_number, const std::string& site_base);

std::string Qinglan_HomePage(const std::string& site_base);
// A list page in the list layout whose entries repeat until the page holds at least
// `min_bytes` (GBK), with one page counter: for benchmarks and large-page tests.
std::string Qinglan_LargeListPage(std::size_t min_bytes, const std::string& site_base);
// The cover picture "/cover/N.png" (PNG bytes, 170 × 210); empty for an unlisted book.
std::string Qinglan_Cover(int book_number);
// The archive behind the site link: the book's text, GBK; empty for an unlisted book.
std::string Qinglan_Archive(int book_number);

// ---- the maker's site and the other sites' home pages --------------------------------

inline constexpr const char* kMakerArticlePath = "/article.php?id=16";

std::string Maker_HomePage();
std::string Maker_ArticlePage();
// What the notice's download address leads to ("/download/" + file name).
std::string Maker_DownloadPage(const std::string& file_name);
std::string Yuemo_HomePage();
std::string YuemoCover_HomePage();
std::string Yunjian_HomePage();

// The small page a server answers with for an address it does not serve.
std::string Error_Page(int status);

}  // namespace mozhou::standin
