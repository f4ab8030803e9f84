// The update-notice page, read with the launcher's notice pattern.

#include <gtest/gtest.h>

#include "standin/standin.h"
#include "tests/standin/patterns.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"

namespace mozhou::standin {
namespace {

using namespace mozhou::standin::testing;

TEST(NoticePage, EachBlockMatchesWithItsFields) {
  NoticeBlock older;
  older.notice = "旧版公告<br>第二行";
  older.version = "1.3.0";
  older.download = "http://127.0.0.1:47802/download/mozhou-1.3.0.zip";
  older.features = "书库浏览<BR>本地下载";
  older.state = "正常";
  NoticeBlock newer;
  newer.version = "1.10";
  newer.state = "关闭";
  const std::vector<NoticeBlock> blocks{older, newer};

  const std::string text = Page_Text(Notice_Page(blocks));
  RegexObject regex;
  ASSERT_TRUE(regex.Run(kNoticePattern, text));
  ASSERT_EQ(regex.MatchCount(), 2);
  for (int match = 1; match <= 2; ++match) {
    const NoticeBlock& block = blocks[match - 1];
    SCOPED_TRACE(block.version);
    EXPECT_EQ(regex.SubMatchText(match, 1), block.notice);
    EXPECT_EQ(regex.SubMatchText(match, 2), block.version);
    EXPECT_EQ(regex.SubMatchText(match, 3), block.download);
    EXPECT_EQ(regex.SubMatchText(match, 4), block.features);
    EXPECT_EQ(regex.SubMatchText(match, 5), block.state);
  }
}

TEST(NoticePage, DefaultIsOneBlockOfThisVersionInService) {
  RegexObject regex;
  ASSERT_TRUE(regex.Run(kNoticePattern, Page_Text(Notice_Page({NoticeBlock{}}))));
  ASSERT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.SubMatchText(1, 2), "1.3.1");
  EXPECT_EQ(regex.SubMatchText(1, 5), "正常");
}

TEST(NoticePage, WithoutBlocksNothingMatches) {
  const std::string text = Page_Text(Notice_Page({}));
  EXPECT_FALSE(text.empty());
  RegexObject regex;
  ASSERT_TRUE(regex.Run(kNoticePattern, text));
  EXPECT_EQ(regex.MatchCount(), 0);
}

}  // namespace
}  // namespace mozhou::standin
