// Preview, jump by number and the detail area.
#include <QBuffer>
#include <QImage>
#include <iterator>
#include <random>

#include "tests/qinglan/catalogue_fixture.h"
#include "tests/qinglan/catalogue_pages.h"
#include "tests/support/http_fixture.h"

namespace mozhou::testing {
namespace {

using qinglan::Kept;

std::string PngBytes() {
  QImage image(8, 10, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

class DetailTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    server.ServeBytes("/cover/1.png", PngBytes(), "image/png");
    Open(server.Base());
  }
  void Jump(const std::string& number) {
    desktop->QueueInput(number);
    Click(qinglan::kJumpButton);
  }
  LoopbackServer server;
};

TEST_F(DetailTest, JumpFillsTitleCoverCleanDescriptionAndLinks) {
  server.ServeBytes("/Shtml42.html",
                    Qinglan_DetailPage("星河长歌", "第一行<BR>第二行&nbsp;尾<br/>&lt;br&gt; &amp; &#39;",
                                       "thunder://QUFodHRwOi8vYS9iWlo=", "/down/42.txt"));
  Jump("42");
  EXPECT_EQ(window().Title(), "星河长歌 - 青岚测试1.3.1版");
  EXPECT_EQ(window().Text("分组框_总"), "星河长歌");
  EXPECT_FALSE(window().Picture_IsEmpty(qinglan::kCover));
  EXPECT_EQ(window().Text(qinglan::kDescription), "第一行\r\n第二行 尾\r\n<br> &amp; &#39;");
  EXPECT_EQ(Kept().Book_ThunderLink, "thunder://QUFodHRwOi8vYS9iWlo=");
  EXPECT_EQ(Kept().Book_SiteLink, "/down/42.txt");
  EXPECT_EQ(desktop->Entries("input"),
            std::vector<std::string>{"input|编号跳转|请输入青岚编号!\r\n例:12345"});
  EXPECT_EQ(Status(1), "") << "the jump writes no status text";
}

TEST_F(DetailTest, EmptyNumberAsksForACorrectOneAndFetchesNothing) {
  Jump("");
  EXPECT_EQ(desktop->Entries("message"), std::vector<std::string>{"message|错误|请输入正确的青岚编码"});
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(DetailTest, MinusAloneIsANumberToo) {
  Jump("-");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].request_line, "GET /Shtml-.html HTTP/1.1");
}

TEST_F(DetailTest, NewBookWithoutLinksEmptiesTheKeptLinks) {
  server.ServeBytes("/Shtml1.html", Qinglan_DetailPage("甲", "a", "thunder://x", "/down/1.txt"));
  server.ServeBytes("/Shtml2.html", Qinglan_DetailPage("乙", "b", "", ""));
  server.ServeBytes("/Shtml3.html", Gbk_Page("not a detail page"));
  Jump("1");
  ASSERT_EQ(Kept().Book_SiteLink, "/down/1.txt");

  Jump("3");  // nothing matches: everything stays
  EXPECT_EQ(window().Text("分组框_总"), "甲");
  EXPECT_EQ(Kept().Book_SiteLink, "/down/1.txt");

  Jump("2");  // another book without links: the buttons must not download 甲
  EXPECT_EQ(window().Text("分组框_总"), "乙");
  EXPECT_EQ(Kept().Book_SiteLink, "");
  EXPECT_EQ(Kept().Book_ThunderLink, "");
  Click(qinglan::kSiteDownloadButton);
  EXPECT_TRUE(desktop->Entries("download").empty());
}

TEST_F(DetailTest, MissingCoverEmptiesThePicture) {
  server.ServeBytes("/Shtml1.html", Qinglan_DetailPage("甲", "a", "t", "/d"));
  server.ServeBytes("/Shtml2.html", Qinglan_DetailPage("乙", "b", "t", "/d", "/cover/none.png"));
  Jump("1");
  ASSERT_FALSE(window().Picture_IsEmpty(qinglan::kCover));
  Jump("2");
  EXPECT_TRUE(window().Picture_IsEmpty(qinglan::kCover));
}

TEST_F(DetailTest, PreviewWithoutSelectionAsksForTheEmptyNumber) {
  window().Menu_Trigger(qinglan::kMenu, qinglan::kMenuPreview);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].request_line, "GET /Shtml.html HTTP/1.1");
  EXPECT_EQ(Status(1), "加载书籍完毕");
}

// The whole road on the stand-in site: category, preview by double click, both downloads.
using DetailOnStandinTest = StandinCatalogueTest;

TEST_F(DetailOnStandinTest, PreviewARowThenDownloadBothWays) {
  ChooseCategory(3);
  ASSERT_EQ(window().List_RowCount(qinglan::kList), 30);
  const std::string title = window().List_Cell(qinglan::kList, 4, 1);

  DoubleClickRow(4);
  EXPECT_EQ(Status(1), "加载书籍完毕");
  EXPECT_EQ(window().Text("分组框_总"), title);
  EXPECT_EQ(window().Title(), title + " - 青岚测试1.3.1版");
  EXPECT_FALSE(window().Picture_IsEmpty(qinglan::kCover));
  const std::string description = window().Text(qinglan::kDescription);
  // The stand-in's descriptions hold line-break tags, "&nbsp;", "&lt;", "&gt;" and "&amp;".
  EXPECT_NE(description.find("\r\n"), std::string::npos);
  for (const char* gone : {"&nbsp;", "&lt;", "&gt;"}) {
    EXPECT_EQ(description.find(gone), std::string::npos) << gone;
  }
  EXPECT_NE(description.find("&amp;"), std::string::npos) << "other entities stay";
  ASSERT_FALSE(Kept().Book_SiteLink.empty());

  Click(qinglan::kSiteDownloadButton);
  Click(qinglan::kThunderDownloadButton);
  const auto downloads = desktop->Entries("download");
  ASSERT_EQ(downloads.size(), 2u);
  const std::string site_link = Kept().Book_SiteLink;
  EXPECT_EQ(downloads[0], "download|" + (site_link.rfind("/", 0) == 0 ? site->Base() + site_link : site_link));
  EXPECT_EQ(downloads[1], "download|" + Kept().Book_ThunderLink);
}

}  // namespace
}  // namespace mozhou::testing

namespace mozhou::testing {
namespace {

// Pages that are no catalogue pages at all — random bytes, zero bytes — change nothing,
// and every command still ends. A detail page cut off after its title shows the new
// title; its links are gone with the cut, so the kept ones are emptied.
TEST_F(DetailTest, BrokenPagesNeverStopACommand) {
  server.ServeBytes("/Shtml1.html", Qinglan_DetailPage("甲", "a", "thunder://x", "/down/1.txt"));
  Jump("1");
  ASSERT_EQ(window().Text("分组框_总"), "甲");

  std::mt19937 random(20261211);
  std::string noise(256 * 1024, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  const std::string broken[] = {noise, std::string("\0\0<html>", 8)};
  for (std::size_t i = 0; i < std::size(broken); ++i) {
    SCOPED_TRACE(i);
    const std::string number = std::to_string(900 + i);
    server.ServeBytes("/Shtml" + number + ".html", broken[i]);
    server.ServeBytes("/soft/special/new_0_0_" + number + ".html", broken[i]);
    Jump(number);
    window().SetText(qinglan::kPageNumberBox, number);
    Click(qinglan::kPageGo);
    EXPECT_EQ(Status(1), "页面跳转完毕.");
    EXPECT_EQ(window().List_RowCount(qinglan::kList), 0);
    EXPECT_EQ(window().Text("分组框_总"), "甲");
    EXPECT_EQ(Kept().Book_SiteLink, "/down/1.txt");
  }

  const std::string whole = Qinglan_DetailPage("乙", "b", "thunder://y", "/down/2.txt");
  server.ServeBytes("/Shtml2.html", whole.substr(0, whole.size() / 2));
  Jump("2");
  EXPECT_EQ(window().Text("分组框_总"), "乙");
  EXPECT_EQ(Kept().Book_SiteLink, "");
}

}  // namespace
}  // namespace mozhou::testing
