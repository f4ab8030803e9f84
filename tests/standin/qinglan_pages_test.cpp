// 青岚网's stand-in pages, read the way the plug-in reads them: the body decoded with
// Page_Text, then each pattern run with a fresh RegexObject and its default options.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <set>
#include <string>

#include "standin/standin.h"
#include "tests/standin/patterns.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"

namespace mozhou::standin {
namespace {

using namespace mozhou::standin::testing;

const std::string kBase = "http://127.0.0.1:47803";

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

struct ListCase {
  int category;
  int page;
};

class QinglanListPage : public ::testing::TestWithParam<ListCase> {};

TEST_P(QinglanListPage, GivesThirtyRowsInPageOrderAndSkipsTheOtherLayouts) {
  const auto [category, page] = GetParam();
  const std::string text = Page_Text(Qinglan_ListPage(category, page, kBase));
  RegexObject regex;
  ASSERT_TRUE(regex.Run(kListPattern, text));
  ASSERT_EQ(regex.MatchCount(), kQinglanEntriesPerPage);
  for (int entry = 1; entry <= kQinglanEntriesPerPage; ++entry) {
    SCOPED_TRACE("row " + std::to_string(entry));
    const std::optional<QinglanBook> book = Qinglan_Book(Qinglan_BookNumber(category, page, entry));
    ASSERT_TRUE(book);
    EXPECT_EQ(regex.SubMatchText(entry, 1), std::to_string(book->number));
    EXPECT_EQ(regex.SubMatchText(entry, 2), book->title);
    EXPECT_EQ(regex.SubMatchText(entry, 3), book->size);
    EXPECT_EQ(regex.SubMatchText(entry, 4), book->date);
    EXPECT_EQ(regex.SubMatchText(entry, 5), book->type);
    EXPECT_EQ(regex.SubMatchText(entry, 6), book->environment);
    EXPECT_EQ(regex.SubMatchText(entry, 7), book->author);
  }
  // The rows in the promoted and the older layout are there, and were not taken.
  EXPECT_GE(Occurrences(text, "href=\"/Shtml"), static_cast<std::size_t>(kQinglanEntriesPerPage + 2));
  EXPECT_NE(text.find("\n    <div class=\"mainListName\">"), std::string::npos);
  EXPECT_NE(text.find("<div class=\"mainTopName\">"), std::string::npos);

  ASSERT_TRUE(regex.Run(kPagerPattern, text));
  ASSERT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.SubMatchText(1, 1), std::to_string(page));
  EXPECT_EQ(regex.SubMatchText(1, 2), std::to_string(Qinglan_PageCount(category)));
}

INSTANTIATE_TEST_SUITE_P(Categories, QinglanListPage,
                         ::testing::Values(ListCase{1, 1}, ListCase{2, 5}, ListCase{4, 1}, ListCase{11, 2},
                                           ListCase{15, 3}));

TEST(QinglanCatalogue, CategoryTableAndPageCounts) {
  EXPECT_EQ(Qinglan_ListKey(1), "special/new_0_0");
  EXPECT_EQ(Qinglan_ListKey(2), "sort01/list1");
  EXPECT_EQ(Qinglan_ListKey(11), "sort010/list10");
  EXPECT_EQ(Qinglan_ListKey(15), "sort014/list14");
  EXPECT_EQ(Qinglan_CategoryName(11), "名著杂志");
  bool one_page = false;
  bool five_pages = false;
  for (int category = 1; category <= kQinglanCategoryCount; ++category) {
    const int count = Qinglan_PageCount(category);
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 8);
    one_page = one_page || count == 1;
    five_pages = five_pages || count == 5;
  }
  EXPECT_TRUE(one_page);
  EXPECT_TRUE(five_pages);
}

TEST(QinglanCatalogue, BookNumbersAreUniqueAndLeadBackToTheirRow) {
  std::set<int> seen;
  for (int category = 1; category <= kQinglanCategoryCount; ++category) {
    for (int page = 1; page <= Qinglan_PageCount(category); ++page) {
      for (int entry = 1; entry <= kQinglanEntriesPerPage; ++entry) {
        const int number = Qinglan_BookNumber(category, page, entry);
        ASSERT_TRUE(seen.insert(number).second) << number;
        const std::optional<QinglanBook> book = Qinglan_Book(number);
        ASSERT_TRUE(book) << number;
        EXPECT_EQ(book->category, category);
        EXPECT_EQ(book->page, page);
        EXPECT_EQ(book->entry, entry);
      }
    }
  }
}

TEST(QinglanCatalogue, NothingOutsideTheCatalogue) {
  EXPECT_EQ(Qinglan_ListPage(0, 1, kBase), "");
  EXPECT_EQ(Qinglan_ListPage(16, 1, kBase), "");
  EXPECT_EQ(Qinglan_ListPage(2, 0, kBase), "");
  EXPECT_EQ(Qinglan_ListPage(2, Qinglan_PageCount(2) + 1, kBase), "");
  for (int number : {0, -1, 10000, 11000, 12000, 12241, 25500, 99999}) {
    SCOPED_TRACE(number);
    EXPECT_FALSE(Qinglan_Book(number));
    EXPECT_EQ(Qinglan_DetailPage(number, kBase), "");
    EXPECT_EQ(Qinglan_Cover(number), "");
    EXPECT_EQ(Qinglan_Archive(number), "");
  }
}

TEST(QinglanDetailPage, EachPatternMatchesOnceWithTheBooksValues) {
  const int number = Qinglan_BookNumber(3, 2, 9);
  const QinglanBook book = *Qinglan_Book(number);
  const std::string text = Page_Text(Qinglan_DetailPage(number, kBase));

  RegexObject title;
  ASSERT_TRUE(title.Run(kTitlePattern, text));
  ASSERT_EQ(title.MatchCount(), 1);
  EXPECT_EQ(title.SubMatchText(1, 1), book.title);
  EXPECT_EQ(title.SubMatchText(1, 2), std::to_string(number));

  RegexObject cover;
  ASSERT_TRUE(cover.Run(kCoverPattern, text));
  ASSERT_EQ(cover.MatchCount(), 1);
  const std::string expected[] = {"/cover/" + std::to_string(number) + ".png", book.environment, "简体中文",
                                  book.size, book.type, book.serial, book.author, book.date,
                                  "/images/star" + std::to_string(book.stars) + ".gif"};
  for (int group = 1; group <= 9; ++group) EXPECT_EQ(cover.SubMatchText(1, group), expected[group - 1]) << group;

  RegexObject description;
  ASSERT_TRUE(description.Run(kDescriptionPattern, text));
  ASSERT_EQ(description.MatchCount(), 1);
  const std::string intro = description.SubMatchText(1, 1);
  EXPECT_EQ(intro, book.description);
  for (const char* markup : {"<br>", "<BR>", "<br/>", "&nbsp;", "&lt;", "&gt;", "&amp;"}) {
    EXPECT_NE(intro.find(markup), std::string::npos) << markup;
  }

  RegexObject links;
  ASSERT_TRUE(links.Run(kDownloadPattern, text));
  ASSERT_EQ(links.MatchCount(), 1);
  EXPECT_EQ(links.SubMatchText(1, 2), "/down/" + std::to_string(number) + ".txt");
  const std::string thunder = links.SubMatchText(1, 1);
  ASSERT_EQ(thunder.rfind("thunder://", 0), 0u) << thunder;
  const QByteArray wrapped = QByteArray::fromBase64(QByteArray::fromStdString(thunder.substr(10)));
  EXPECT_EQ(wrapped.toStdString(), "AA" + kBase + "/down/" + std::to_string(number) + ".txtZZ");
}

TEST(QinglanDetailPage, BooksWithoutDownloadsKeepTheOtherBlocks) {
  const std::vector<int> without = Qinglan_BooksWithoutDownloads();
  ASSERT_FALSE(without.empty());
  for (int number : without) {
    SCOPED_TRACE(number);
    ASSERT_TRUE(Qinglan_Book(number));
    EXPECT_FALSE(Qinglan_Book(number)->has_downloads);
    const std::string text = Page_Text(Qinglan_DetailPage(number, kBase));
    for (const char* pattern : {kTitlePattern, kCoverPattern, kDescriptionPattern}) {
      RegexObject regex;
      ASSERT_TRUE(regex.Run(pattern, text));
      EXPECT_EQ(regex.MatchCount(), 1);
    }
    RegexObject links;
    ASSERT_TRUE(links.Run(kDownloadPattern, text));
    EXPECT_EQ(links.MatchCount(), 0);
  }
}

TEST(QinglanPictures, CoverIsA170By210Image) {
  const std::string bytes = Qinglan_Cover(Qinglan_BookNumber(2, 1, 1));
  const QImage image = QImage::fromData(QByteArray::fromStdString(bytes), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 170);
  EXPECT_EQ(image.height(), 210);
  EXPECT_EQ(Qinglan_Cover(Qinglan_BookNumber(2, 1, 1)), bytes);
}

TEST(QinglanArchive, HoldsTheBooksTextInGbk) {
  const QinglanBook book = *Qinglan_Book(Qinglan_BookNumber(5, 6, 30));
  const std::string text = Page_Text(Qinglan_Archive(book.number));
  EXPECT_EQ(text.rfind(book.title + "\r\n作者：" + book.author + "\r\n", 0), 0u);
  EXPECT_NE(text.find("第一章"), std::string::npos);
}

TEST(QinglanLargePage, RepeatsTheRowsWithOnePageCounter) {
  constexpr std::size_t kMiB = 1 << 20;
  const std::string body = Qinglan_LargeListPage(kMiB, kBase);
  ASSERT_GE(body.size(), kMiB);
  EXPECT_LT(body.size(), kMiB + 64 * 1024);
  const std::string text = Page_Text(body);
  RegexObject regex;
  ASSERT_TRUE(regex.Run(kListPattern, text));
  // Every row in the list layout is taken, and only those.
  EXPECT_GT(regex.MatchCount(), 20 * kQinglanEntriesPerPage);
  EXPECT_EQ(static_cast<std::size_t>(regex.MatchCount()),
            Occurrences(text, "<div class=\"mainListTop\"><div class=\"mainListName\">"));
  ASSERT_TRUE(regex.Run(kPagerPattern, text));
  EXPECT_EQ(regex.MatchCount(), 1);
}

}  // namespace
}  // namespace mozhou::standin
