// Category GO, paging and the page counter, against the stand-in site and against pages
// of the test's own.
#include <QTimer>
#include <chrono>

#include "tests/qinglan/catalogue_fixture.h"
#include "tests/qinglan/catalogue_pages.h"
#include "tests/support/http_fixture.h"

namespace mozhou::testing {
namespace {

using qinglan::Kept;

using ListingOnStandinTest = StandinCatalogueTest;

TEST_F(ListingOnStandinTest, CategoryNextPreviousAndGoToPage) {
  constexpr int kCategory = 2;  // 玄幻奇幻
  const int pages = standin::Qinglan_PageCount(kCategory);
  ASSERT_GE(pages, 3) << "the stand-in gives this category several pages";
  const std::string count = std::to_string(pages);

  ChooseCategory(kCategory);
  EXPECT_EQ(window().Text(qinglan::kCategoryHint), "玄幻奇幻");
  EXPECT_EQ(window().TextColor(qinglan::kCategoryHint), 0xFF00FFu);
  EXPECT_EQ(Status(1), "跳转完毕.");
  EXPECT_EQ(Status(3), "1/" + count);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 30);
  EXPECT_EQ(Kept().List_CurrentKey, "sort01/list1");
  EXPECT_EQ(Kept().List_NextPageUrl, site->Base() + "/soft/sort01/list1_2.html");
  EXPECT_EQ(Kept().List_PrevPageUrl, site->Base() + "/soft/sort01/list1_0.html");
  EXPECT_FALSE(window().IsEnabled(qinglan::kPreviousButton));
  EXPECT_TRUE(window().IsEnabled(qinglan::kNextButton));
  const std::string first_book = window().List_Cell(qinglan::kList, 0, 0);

  Click(qinglan::kNextButton);
  EXPECT_EQ(Status(1), "加载完毕.");
  EXPECT_EQ(Status(3), "2/" + count);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 30);
  EXPECT_NE(window().List_Cell(qinglan::kList, 0, 0), first_book);
  EXPECT_TRUE(window().IsEnabled(qinglan::kPreviousButton));
  EXPECT_TRUE(window().IsEnabled(qinglan::kCategoryGo));
  EXPECT_TRUE(window().IsEnabled(qinglan::kPageGo));

  Click(qinglan::kPreviousButton);
  EXPECT_EQ(Status(3), "1/" + count);
  EXPECT_EQ(window().List_Cell(qinglan::kList, 0, 0), first_book);

  window().SetText(qinglan::kPageNumberBox, count);
  Click(qinglan::kPageGo);
  EXPECT_EQ(Status(1), "页面跳转完毕.");
  EXPECT_EQ(Status(3), count + "/" + count);
  EXPECT_FALSE(window().IsEnabled(qinglan::kNextButton));
  EXPECT_FALSE(window().Menu_IsEnabled(qinglan::kMenu, qinglan::kMenuNext));
}

TEST_F(ListingOnStandinTest, EveryCategoryLoadsItsFirstPage) {
  for (int category = 1; category < qinglan::kCategoryCount; ++category) {
    ChooseCategory(category);
    EXPECT_EQ(window().List_RowCount(qinglan::kList), 30) << qinglan::kCategories[category].text;
    EXPECT_EQ(Status(3), "1/" + std::to_string(standin::Qinglan_PageCount(category)));
  }
}

TEST_F(ListingOnStandinTest, PromptEntryFetchesNothingAndKeepsTheRows) {
  ChooseCategory(2);
  ASSERT_EQ(window().List_RowCount(qinglan::kList), 30);
  ChooseCategory(0);
  EXPECT_EQ(window().Text(qinglan::kCategoryHint), "请选择...");
  EXPECT_EQ(window().TextColor(qinglan::kCategoryHint), 0xFF0000u);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 30);
  EXPECT_EQ(Status(1), "跳转完毕.");
}

TEST_F(ListingOnStandinTest, NextPageBeforeAnyCategoryEmptiesTheList) {
  Click(qinglan::kNextButton);
  EXPECT_EQ(Status(1), "加载完毕.");
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 0);
  EXPECT_EQ(Status(3), "0/0");
}

// Pages of the test's own: the counter read every way that matters.
class ListingCounterTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    Open(server.Base());
  }
  void ServeList(const std::string& path, const std::string& counter_html, int entries = 2) {
    std::string body;
    for (int i = 0; i < entries; ++i) body += Qinglan_ListEntry(std::to_string(100 + i), "书名");
    server.ServeBytes(path, Gbk_Page(body + counter_html));
  }
  LoopbackServer server;
};

TEST_F(ListingCounterTest, EnabledStatesFollowTheCounter) {
  struct Case {
    const char* current;
    const char* count;
    bool page_go, previous, next;
    const char* previous_page;
    const char* next_page;
  };
  const Case cases[] = {
      {"1", "1", false, false, false, "0", "2"},
      {"1", "5", true, false, true, "0", "2"},
      {"5", "5", true, true, false, "4", "6"},
      {"05", "5", true, true, false, "4", "6"},
      {"3", "5", true, true, true, "2", "4"},
  };
  int category = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.current) + "/" + c.count);
    const std::string key = qinglan::kCategories[++category].key;
    ServeList("/soft/" + key + "_1.html", Qinglan_Counter(c.current, c.count));
    ChooseCategory(category);
    EXPECT_EQ(Status(3), std::string(c.current) + "/" + c.count);
    EXPECT_EQ(window().IsEnabled(qinglan::kPageGo), c.page_go);
    EXPECT_EQ(window().IsEnabled(qinglan::kPreviousButton), c.previous);
    EXPECT_EQ(window().Menu_IsEnabled(qinglan::kMenu, qinglan::kMenuPrevious), c.previous);
    EXPECT_EQ(window().IsEnabled(qinglan::kNextButton), c.next);
    EXPECT_EQ(window().Menu_IsEnabled(qinglan::kMenu, qinglan::kMenuNext), c.next);
    const std::string prefix = server.Base() + "/soft/" + key + "_";
    EXPECT_EQ(Kept().List_PrevPageUrl, prefix + c.previous_page + ".html");
    EXPECT_EQ(Kept().List_NextPageUrl, prefix + c.next_page + ".html");
  }
}

TEST_F(ListingCounterTest, OnlyCategoryGoLeavesGoToPageDisabled) {
  ServeList("/soft/special/new_0_0_1.html", Qinglan_Counter("1", "1"));
  ChooseCategory(1);
  EXPECT_FALSE(window().IsEnabled(qinglan::kPageGo));

  // A page command enables it again after the counter has disabled it.
  ServeList("/soft/sort01/list1_1.html", Qinglan_Counter("1", "3"));
  ServeList("/soft/sort01/list1_2.html", Qinglan_Counter("1", "1"));
  ChooseCategory(2);
  Click(qinglan::kNextButton);
  EXPECT_EQ(Status(3), "1/1");
  EXPECT_TRUE(window().IsEnabled(qinglan::kPageGo));
  EXPECT_FALSE(window().IsEnabled(qinglan::kNextButton));
}

TEST_F(ListingCounterTest, PageWithoutCounterKeepsTheLastCounterAndAddresses) {
  ServeList("/soft/special/new_0_0_1.html", Qinglan_Counter("1", "5"));
  ChooseCategory(1);
  const std::string next = Kept().List_NextPageUrl;
  ServeList("/soft/special/new_0_0_2.html", "", 3);
  Click(qinglan::kNextButton);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 3);
  EXPECT_EQ(Status(3), "1/5");
  EXPECT_EQ(Kept().List_NextPageUrl, next);
  EXPECT_FALSE(window().IsEnabled(qinglan::kPreviousButton));
}

TEST_F(ListingCounterTest, GoToPageSendsTheNumberAsTyped) {
  ServeList("/soft/special/new_0_0_1.html", Qinglan_Counter("1", "5"));
  ChooseCategory(1);
  for (const char* typed : {"", "x7"}) {
    server.ClearRequests();
    window().SetText(qinglan::kPageNumberBox, typed);
    Click(qinglan::kPageGo);
    ASSERT_EQ(server.Requests().size(), 1u) << typed;
    EXPECT_EQ(server.Requests()[0].request_line,
              "GET /soft/special/new_0_0_" + std::string(typed) + ".html HTTP/1.1");
    EXPECT_EQ(Status(1), "页面跳转完毕.");
  }
}

TEST_F(ListingCounterTest, FailedFetchEmptiesTheListAndStillEnds) {
  ServeList("/soft/sort010/list10_1.html", Qinglan_Counter("1", "2"));
  ChooseCategory(11);  // 名著杂志
  ASSERT_EQ(window().List_RowCount(qinglan::kList), 2);
  EXPECT_EQ(server.Requests().back().request_line, "GET /soft/sort010/list10_1.html HTTP/1.1");

  // The next page does not exist and the answer is no list page.
  Click(qinglan::kNextButton);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 0);
  EXPECT_EQ(Status(1), "加载完毕.");
}

TEST_F(ListingCounterTest, UnreachableSiteEmptiesTheList) {
  ServeList("/soft/special/new_0_0_1.html", Qinglan_Counter("1", "5"));
  ChooseCategory(1);
  ASSERT_EQ(window().List_RowCount(qinglan::kList), 2);
  catalogue.reset();
  Open("http://127.0.0.1:1");  // nothing listens there
  ChooseCategory(1);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 0);
  EXPECT_EQ(Status(1), "跳转完毕.");
}

// The menu's paging runs while a slow load waits: the newest load's rows stand alone.
TEST_F(ListingCounterTest, MenuPagingDuringASlowLoadNeverMixesRows) {
  ServeList("/soft/special/new_0_0_1.html", Qinglan_Counter("1", "5"), 4);
  ChooseCategory(1);
  ASSERT_EQ(Kept().List_NextPageUrl, server.Base() + "/soft/special/new_0_0_2.html");

  std::string slow_page;
  for (int i = 0; i < 7; ++i) slow_page += Qinglan_ListEntry("slow" + std::to_string(i), "慢");
  server.ServeSlow("/soft/special/new_0_0_3.html", Gbk_Page(slow_page + Qinglan_Counter("3", "5")),
                   std::chrono::milliseconds(400));
  ServeList("/soft/special/new_0_0_2.html", Qinglan_Counter("2", "5"), 5);

  bool menu_fired = false;
  QTimer::singleShot(100, [&] {
    window().Menu_Trigger(qinglan::kMenu, qinglan::kMenuNext);
    menu_fired = true;
  });
  window().SetText(qinglan::kPageNumberBox, "3");
  Click(qinglan::kPageGo);  // waits 400 ms; the menu's next page runs meanwhile
  QCoreApplication::processEvents();

  ASSERT_TRUE(menu_fired);
  EXPECT_EQ(window().List_RowCount(qinglan::kList), 5);
  for (int row = 0; row < window().List_RowCount(qinglan::kList); ++row) {
    EXPECT_EQ(window().List_Cell(qinglan::kList, row, 0).rfind("10", 0), 0u);
  }
  EXPECT_EQ(Status(3), "2/5");
  EXPECT_TRUE(window().IsEnabled(qinglan::kCategoryGo));
  EXPECT_TRUE(window().IsEnabled(qinglan::kPageGo));
}

}  // namespace
}  // namespace mozhou::testing
