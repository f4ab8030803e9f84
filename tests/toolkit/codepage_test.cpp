// Code pages on ICU: GBK both ways, Big5, traditional → simplified.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace mozhou::codepage {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

TEST(Codepage, GbkBytesOfChineseTextAndFullWidthPunctuation) {
  EXPECT_EQ(Utf8_ToGbk("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Utf8_ToGbk("："), "\xA3\xBA");
  EXPECT_EQ(Utf8_ToGbk("，"), "\xA3\xAC");
  EXPECT_EQ(Utf8_ToGbk("【】"), "\xA1\xBE\xA1\xBF");
  EXPECT_EQ(Gbk_ToUtf8("\xD6\xD0\xCE\xC4\xA3\xBA\xA3\xAC\xA1\xBE\xA1\xBF"), "中文：，【】");
}

TEST(Codepage, GbkRoundTrip) {
  const std::string texts[] = {
      "",
      "plain ASCII <a href=\"/soft/1_2.html\">x</a>\r\n",
      "青岚网【下载类】(正常)",
      "书名：青岚，作者：无名。“引号”‘单引号’！？；（括号）",
      "<li><a href=\"/Shtml123.html\">玄幻奇幻</a></li>\r\n<li>都市言情</li>",
      "ＡＢＣ１２３　全角空格",
      std::string(10000, 'x') + "中" + std::string(9999, 'y') + "文",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(Gbk_ToUtf8(Utf8_ToGbk(text)), text) << text.substr(0, 60);
  }
}

TEST(Codepage, LongChineseTextRoundTrip) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "第" + std::to_string(i) + "章　龙腾四海：开始，";
  EXPECT_EQ(Gbk_ToUtf8(Utf8_ToGbk(text)), text);
}

TEST(Codepage, AsciiRangeTrailBytesAreReadAsTrailBytes) {
  // 丂 is 81 40 in GBK: the trail byte is "@". A lead byte before "<" is invalid.
  EXPECT_EQ(Gbk_ToUtf8("\x81\x40"), "丂");
  EXPECT_EQ(Utf8_ToGbk("丂"), "\x81\x40");
  EXPECT_EQ(Gbk_ToUtf8("a\x81\x40z"), "a丂z");
}

TEST(Codepage, InvalidGbkBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Gbk_ToUtf8("\x81"), kReplacement);                         // truncated
  EXPECT_EQ(Gbk_ToUtf8("a\xD6"), "a" + kReplacement);                  // truncated at the end
  EXPECT_EQ(Gbk_ToUtf8("\x81 x"), kReplacement + " x");                // lead before a space
  EXPECT_EQ(Gbk_ToUtf8("\x81<b>"), kReplacement + "<b>");              // lead before "<"
  EXPECT_EQ(Gbk_ToUtf8("\xD6\xD0\x81\x7F\xCE\xC4"), "中" + kReplacement + "\x7F" "文");
  EXPECT_EQ(Gbk_ToUtf8(std::string("\x81\0", 2)), kReplacement + std::string(1, '\0'));
  // Whatever the bytes, the result is valid UTF-8 and no crash happens.
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes.push_back(static_cast<char>(b));
  for (int b = 255; b >= 0; --b) all_bytes.push_back(static_cast<char>(b));
  const std::string decoded = Gbk_ToUtf8(all_bytes);
  EXPECT_FALSE(decoded.empty());
  EXPECT_FALSE(Utf8_ToGbk(decoded).empty());
}

TEST(Codepage, SegmentedDecodingAgreesWithWholeCharacterRules) {
  // Every byte below 0x40 splits a segment; the result must be what one pass gives.
  EXPECT_EQ(Gbk_ToUtf8("\xD6\xD0 \xCE\xC4"), "中 文");
  EXPECT_EQ(Gbk_ToUtf8("\xD6\xD0" "abc" "\xCE\xC4"), "中abc文");
  EXPECT_EQ(Gbk_ToUtf8("\xD6" "abc"), Gbk_ToUtf8("\xD6" "a") + "bc");
}

TEST(Codepage, CharactersGbkLacksBecomeTheSubstituteAndTheTextGoesOn) {
  EXPECT_EQ(Utf8_ToGbk("a😀b"), "a?b");
  EXPECT_EQ(Utf8_ToGbk("x한y"), "x?y");
  EXPECT_EQ(Utf8_ToGbk("中😀文"), "\xD6\xD0?\xCE\xC4");
  // Invalid UTF-8 going in is replaced too, never cut short.
  EXPECT_EQ(Utf8_ToGbk("a\xFF" "b"), "a?b");
}

TEST(Codepage, Big5ToUtf8) {
  EXPECT_EQ(Big5_ToUtf8("\xAE\xD1"), "書");
  EXPECT_EQ(Big5_ToUtf8("\xC0\x73"), "龍");  // trail byte in the ASCII range
  EXPECT_EQ(Big5_ToUtf8("<b>\xAE\xD1\xC0\x73\xC5\xE9</b>"), "<b>書龍體</b>");
  EXPECT_EQ(Big5_ToUtf8("a\xAE"), "a" + kReplacement);
  EXPECT_EQ(Big5_ToUtf8("\xAE "), kReplacement + " ");
}

TEST(Codepage, TraditionalToSimplified) {
  EXPECT_EQ(Utf8_TraditionalToSimplified("書"), "书");
  EXPECT_EQ(Utf8_TraditionalToSimplified("龍"), "龙");
  EXPECT_EQ(Utf8_TraditionalToSimplified("<b>書龍體</b> abc"), "<b>书龙体</b> abc");
  EXPECT_EQ(Utf8_TraditionalToSimplified("已是简体"), "已是简体");
  EXPECT_EQ(Utf8_TraditionalToSimplified(""), "");
  EXPECT_EQ(Utf8_TraditionalToSimplified("ascii only"), "ascii only");
  EXPECT_EQ(Utf8_TraditionalToSimplified(Big5_ToUtf8("\xAE\xD1\xC0\x73")), "书龙");
}

TEST(Codepage, ConversionsOnSeveralThreadsAtOnce) {
  constexpr int kThreads = 6;
  constexpr int kRuns = 200;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&failures, t] {
      const std::string text = "第" + std::to_string(t) + "页：書龍，<br>";
      for (int i = 0; i < kRuns; ++i) {
        const bool ok = Gbk_ToUtf8(Utf8_ToGbk("青岚：" + std::to_string(i))) ==
                            "青岚：" + std::to_string(i) &&
                        Big5_ToUtf8("\xAE\xD1") == "書" &&
                        Utf8_TraditionalToSimplified(text) ==
                            "第" + std::to_string(t) + "页：书龙，<br>";
        if (!ok) failures.fetch_add(1);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace mozhou::codepage
