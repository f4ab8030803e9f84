// 青岚网's generated catalogue: which books each list page shows, and what each book is.
//
// A book's number encodes where it is listed (category, page, row), and everything else
// about it is drawn from fixed word tables by a hash of that number, so every run, every
// process and every test sees the same catalogue.

#include <QByteArray>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "standin/pages_markup.h"
#include "standin/standin.h"

namespace mozhou::standin {
namespace {

struct Category {
  std::string_view name;
  std::string_view key;
  int pages;
};

// The plug-in's category table, items 1 to 15, with how many list pages each has.
constexpr std::array<Category, kQinglanCategoryCount> kCategories{{
    {"最新全本", "special/new_0_0", 8},
    {"玄幻奇幻", "sort01/list1", 5},
    {"武侠仙侠", "sort02/list2", 3},
    {"女频言情", "sort03/list3", 1},
    {"现代都市", "sort04/list4", 6},
    {"历史军事", "sort05/list5", 4},
    {"游戏竞技", "sort06/list6", 2},
    {"科幻灵异", "sort07/list7", 7},
    {"美文同人", "sort08/list8", 3},
    {"剧本教程", "sort09/list9", 1},
    {"名著杂志", "sort010/list10", 5},
    {"技术其它", "sort011/list11", 2},
    {"手机互动", "sort012/list12", 4},
    {"软件工具", "sort013/list13", 6},
    {"游戏休闲", "sort014/list14", 3},
}};

// Book numbers: kNumberBase + category × kNumbersPerCategory + (page − 1) × 30 + row.
constexpr int kNumberBase = 10000;
constexpr int kNumbersPerCategory = 1000;

// 玄幻奇幻 page 1 row 7, and row 1 of 剧本教程 (a one-page category).
constexpr std::array<int, 2> kWithoutDownloads{12007, 20001};

constexpr std::array<std::string_view, 24> kTitleHeads{
    "九天", "星河", "苍穹", "青云", "龙城", "玄黄", "万古", "长夜", "明月", "风雪", "山河", "天命",
    "烟雨", "剑影", "紫霄", "沧海", "落日", "寒江", "乱世", "逍遥", "北冥", "南山", "白帝", "幽州"};
constexpr std::array<std::string_view, 24> kTitleTails{
    "剑主", "神帝", "传说", "归来", "战记", "仙途", "狂歌", "密录", "风云", "问道", "长歌", "侠客",
    "天下", "无双", "纪元", "行者", "仙门", "奇谭", "血脉", "王座", "旧梦", "繁华", "烽火", "残卷"};
constexpr std::array<std::string_view, 20> kSurnames{
    "李", "王", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴",
    "林", "萧", "叶", "苏", "沈", "顾", "唐", "楚", "慕容", "上官"};
constexpr std::array<std::string_view, 16> kGivenNames{
    "青山", "子墨", "流云", "一笑", "长风", "半夏", "听雨", "无忌",
    "清秋", "三少", "孤城", "小刀", "醉月", "南风", "墨白", "知秋"};
constexpr std::array<std::string_view, 8> kSentences{
    "少年偶得奇遇，自此踏上修行之路。",
    "一座孤城，一段被遗忘的往事。",
    "乱世之中英雄辈出，谁主沉浮？",
    "平凡的日子里，藏着不平凡的心事。",
    "江湖路远，一剑一酒一知己。",
    "星海尽头，人类最后的舰队正在集结。",
    "千年古卷重现人间，引来各方争夺。",
    "都市喧嚣之下，另有一番天地。"};
constexpr std::array<std::string_view, 4> kTypes{"TXT全本", "TXT全本", "TXT精校", "TXT连载"};
constexpr std::array<std::string_view, 3> kEnvironments{
    "Win9x/NT/2000/XP/2003", "Win9x/NT/2000/XP/2003/Vista", "Win9x/NT/2000/XP"};
constexpr std::array<std::string_view, 10> kChineseNumerals{
    "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};

constexpr std::chrono::year_month_day kNewestDate{std::chrono::year{2024}, std::chrono::month{6},
                                                  std::chrono::day{30}};

// splitmix64: a fixed, well-spread hash, the same on every machine.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

// The n-th independent draw for a book.
std::uint64_t Draw(int number, int n) {
  return Mix(static_cast<std::uint64_t>(number) * 64 + static_cast<std::uint64_t>(n));
}

template <std::size_t N>
std::string_view Pick(const std::array<std::string_view, N>& table, std::uint64_t draw) {
  return table[draw % N];
}

bool InCategories(int category) { return category >= 1 && category <= kQinglanCategoryCount; }

std::string Title(int number) {
  std::string title{Pick(kTitleHeads, Draw(number, 1))};
  if (Draw(number, 2) % 4 == 0) title += "之";
  title += Pick(kTitleTails, Draw(number, 3));
  return title;
}

std::string Author(int number) {
  return std::string{Pick(kSurnames, Draw(number, 4))} + std::string{Pick(kGivenNames, Draw(number, 5))};
}

std::string Size(int number) {
  const std::uint64_t draw = Draw(number, 6);
  char text[32];
  if (draw % 10 == 0) {
    std::snprintf(text, sizeof text, "%d KB", static_cast<int>(300 + draw / 10 % 700));
  } else {
    std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(50 + draw / 10 % 1250) / 100.0);
  }
  return text;
}

// Newest first: each page goes further back in time, two rows a day.
std::string Date(int category, int page, int entry) {
  const int days_back = ((page - 1) * kQinglanEntriesPerPage + entry - 1) / 2 + category;
  const std::chrono::year_month_day date{std::chrono::sys_days{kNewestDate} - std::chrono::days{days_back}};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

// One line of markup (no LF): line breaks in both letter cases, the self-closing form,
// and the entities the plug-in turns back into text, plus one it leaves alone.
std::string Description(const QinglanBook& book) {
  const std::string indent = "&nbsp;&nbsp;&nbsp;&nbsp;";
  std::string text = indent + std::string{Pick(kSentences, Draw(book.number, 8))} + "<br>";
  text += indent + std::string{Pick(kSentences, Draw(book.number, 9))} + "<BR>";
  text += indent + "作者" + book.author + "另著有&lt;" + Title(book.number + 7) +
          "&gt;，书末附人物&amp;门派一览。<br/>";
  text += "排版说明：原书分段记号&lt;br&gt;照录。";
  if (!book.has_downloads) text += "<br>因版权原因，本书暂停下载。";
  return text;
}

}  // namespace

int Qinglan_PageCount(int category) { return InCategories(category) ? kCategories[category - 1].pages : 0; }

std::string Qinglan_ListKey(int category) {
  return InCategories(category) ? std::string{kCategories[category - 1].key} : std::string{};
}

std::string Qinglan_CategoryName(int category) {
  return InCategories(category) ? std::string{kCategories[category - 1].name} : std::string{};
}

int Qinglan_BookNumber(int category, int page, int entry) {
  if (!InCategories(category) || page < 1 || page > Qinglan_PageCount(category) || entry < 1 ||
      entry > kQinglanEntriesPerPage) {
    return 0;
  }
  return kNumberBase + category * kNumbersPerCategory + (page - 1) * kQinglanEntriesPerPage + entry;
}

std::optional<QinglanBook> Qinglan_Book(int book_number) {
  const int offset = book_number - kNumberBase;
  if (offset <= 0) return std::nullopt;
  const int category = offset / kNumbersPerCategory;
  const int index = offset % kNumbersPerCategory - 1;
  if (index < 0) return std::nullopt;
  const int page = index / kQinglanEntriesPerPage + 1;
  const int entry = index % kQinglanEntriesPerPage + 1;
  if (Qinglan_BookNumber(category, page, entry) != book_number) return std::nullopt;

  QinglanBook book;
  book.number = book_number;
  book.category = category;
  book.page = page;
  book.entry = entry;
  book.title = Title(book_number);
  book.size = Size(book_number);
  book.date = Date(category, page, entry);
  book.type = std::string{Pick(kTypes, Draw(book_number, 7))};
  book.environment = std::string{Pick(kEnvironments, Draw(book_number, 10))};
  book.author = Author(book_number);
  book.intro = book.title + "：" + std::string{Pick(kSentences, Draw(book_number, 8))};
  book.serial = book.type == "TXT连载" ? "连载中" : "已完结";
  book.stars = static_cast<int>(Draw(book_number, 11) % 5) + 1;
  for (int without : kWithoutDownloads) {
    if (without == book_number) book.has_downloads = false;
  }
  book.description = Description(book);
  return book;
}

std::vector<int> Qinglan_BooksWithoutDownloads() { return {kWithoutDownloads.begin(), kWithoutDownloads.end()}; }

std::string Qinglan_SiteLink(int book_number) { return "/down/" + std::to_string(book_number) + ".txt"; }

std::string Qinglan_ThunderLink(int book_number, const std::string& site_base) {
  const std::string wrapped = "AA" + site_base + Qinglan_SiteLink(book_number) + "ZZ";
  return "thunder://" + QByteArray(wrapped.data(), static_cast<qsizetype>(wrapped.size())).toBase64().toStdString();
}

std::string Qinglan_Archive(int book_number) {
  const std::optional<QinglanBook> book = Qinglan_Book(book_number);
  if (!book) return {};
  constexpr int kChapters = 5;
  constexpr int kParagraphs = 6;
  std::string text = book->title + "\r\n作者：" + book->author + "\r\n\r\n";
  for (int chapter = 0; chapter < kChapters; ++chapter) {
    text += "第" + std::string{kChineseNumerals[chapter]} + "章 " + Title(book_number + 100 + chapter) + "\r\n\r\n";
    for (int paragraph = 0; paragraph < kParagraphs; ++paragraph) {
      text += "　　";
      for (int sentence = 0; sentence < 3; ++sentence) {
        text += Pick(kSentences, Draw(book_number, 16 + chapter * 8 + paragraph + sentence));
      }
      text += "\r\n";
    }
    text += "\r\n";
  }
  text += "（全书完）\r\n";
  return markup::Gbk(text);
}

}  // namespace mozhou::standin
