// Text helpers and the page-number conversions.
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/case_name.h"

namespace mozhou {
namespace {

struct Pair {
  std::string find;
  std::string replacement;
};

struct ReplacePairsCase {
  const char* name;
  std::string text;
  std::vector<Pair> pairs;
  ReplaceOptions options;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ReplacePairsCase& c) { return out << c.name; }

using testing_support::CaseName;

// Text_ReplacePairs takes its pairs as a braced list, as the callers write them.
std::string Apply(const ReplacePairsCase& c) {
  std::vector<ReplacePair> p;
  for (const Pair& pair : c.pairs) p.push_back({pair.find, pair.replacement});
  switch (p.size()) {
    case 1: return Text_ReplacePairs(c.text, {p[0]}, c.options);
    case 2: return Text_ReplacePairs(c.text, {p[0], p[1]}, c.options);
    case 3: return Text_ReplacePairs(c.text, {p[0], p[1], p[2]}, c.options);
    case 4: return Text_ReplacePairs(c.text, {p[0], p[1], p[2], p[3]}, c.options);
    case 5: return Text_ReplacePairs(c.text, {p[0], p[1], p[2], p[3], p[4]}, c.options);
    case 6: return Text_ReplacePairs(c.text, {p[0], p[1], p[2], p[3], p[4], p[5]}, c.options);
    default: ADD_FAILURE() << "table case with " << p.size() << " pairs"; return {};
  }
}

ReplaceOptions Count(int count) { return ReplaceOptions{count, {}, {}}; }
ReplaceOptions Start(int start) { return ReplaceOptions{{}, start, {}}; }
ReplaceOptions CaseSensitive(bool on) { return ReplaceOptions{{}, {}, on}; }

const ReplacePairsCase kReplacePairs[] = {
    // The edge cases of the replacement rules.
    {"letter case ignored", "a<BR>b", {{"<br>", "\r\n"}}, {}, "a\r\nb"},
    {"letter case kept when asked", "a<BR>b", {{"<br>", "\r\n"}}, CaseSensitive(true), "a<BR>b"},
    {"letter case ignored when asked", "a<BR>b", {{"<br>", "\r\n"}}, CaseSensitive(false),
     "a\r\nb"},
    {"earlier pair has already run", "a&lt;br&gt;b",
     {{"<br>", "\r\n"}, {"&lt;", "<"}, {"&gt;", ">"}}, {}, "a<br>b"},
    {"later pairs see inserted text", "a&lt;br&gt;b",
     {{"&lt;", "<"}, {"&gt;", ">"}, {"<br>", "\r\n"}}, {}, "a\r\nb"},
    {"count 1", "a-b-c", {{"-", "+"}}, Count(1), "a+b-c"},
    {"count 1 for each pair", "aXbXcYY", {{"X", "1"}, {"Y", "2"}}, Count(1), "a1bXc2Y"},
    {"count 0 replaces nothing", "a-b-c", {{"-", "+"}}, Count(0), "a-b-c"},
    {"count larger than occurrences", "a-b-c", {{"-", "+"}}, Count(9), "a+b+c"},
    {"negative count replaces nothing", "a-b", {{"-", "+"}}, Count(-1), "a-b"},
    {"start beyond the end", "a-b-c", {{"-", "+"}}, Start(6), "a-b-c"},
    {"start far beyond the end", "a-b-c", {{"-", "+"}}, Start(1000), "a-b-c"},
    {"start at the last byte", "a-b-c", {{"c", "C"}}, Start(5), "a-b-C"},
    {"start in the middle", "a-b-c", {{"-", "+"}}, Start(3), "a-b+c"},
    {"start 0 counts as 1", "a-b-c", {{"-", "+"}}, Start(0), "a+b+c"},
    {"negative start counts as 1", "a-b-c", {{"-", "+"}}, Start(-4), "a+b+c"},
    {"omitted pairs change nothing", "abc", {{"b", "B"}}, {}, "aBc"},
    // Scanning.
    {"inserted text not scanned again by the same pair", "aa", {{"a", "aa"}}, {}, "aaaa"},
    {"occurrences never overlap", "aaa", {{"aa", "b"}}, {}, "ba"},
    {"empty find changes nothing", "abc", {{"", "x"}}, {}, "abc"},
    {"empty first find, second pair works", "abc", {{"", "x"}, {"c", "C"}}, {}, "abC"},
    {"empty replacement deletes", "a<br>b<BR>", {{"<br>", ""}}, {}, "ab"},
    {"find longer than the text", "ab", {{"abc", "x"}}, {}, "ab"},
    {"empty text", "", {{"a", "b"}}, {}, ""},
    {"five pairs", "12345", {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}}, {},
     "abcde"},
    {"a sixth pair is ignored", "123456",
     {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}, {"6", "f"}}, {}, "abcde6"},
    {"HTML entities and breaks of a description", "第一章&nbsp;开始<br />&quot;好&quot;",
     {{"&nbsp;", " "}, {"<br />", "\r\n"}, {"&quot;", "\""}}, {}, "第一章 开始\r\n\"好\""},
    // Characters are UTF-8 sequences.
    {"full-width colon", "书名：青岚", {{"：", ":"}}, {}, "书名:青岚"},
    {"full-width brackets", "【完结】书", {{"【", "["}, {"】", "]"}}, {}, "[完结]书"},
    {"no occurrence across a character boundary", "中文", {{"\xAD\xE6", "X"}}, {}, "中文"},
    {"no occurrence inside a character", "中文", {{"\xB8\xAD", "X"}}, {}, "中文"},
    {"CJK find among CJK", "中文中文", {{"文中", "-"}}, {}, "中-文"},
    {"start inside a character begins at the next one", "中a中a", {{"a", "b"}}, Start(2),
     "中b中b"},
    {"start at an ASCII byte after CJK", "中a中a", {{"a", "b"}}, Start(4), "中b中b"},
    {"start inside the second character", "中a中a", {{"a", "b"}}, Start(5), "中a中b"},
    {"start inside the last character", "a中", {{"a", "b"}}, Start(3), "a中"},
    {"only ASCII letters ignore case", "ＡＢab", {{"ａｂ", "x"}, {"AB", "y"}}, {}, "ＡＢy"},
    {"invalid UTF-8 bytes are characters of their own", "\xFF-\xE4-", {{"-", "+"}}, {},
     "\xFF+\xE4+"},
};

class ReplacePairsTable : public testing::TestWithParam<ReplacePairsCase> {};

TEST_P(ReplacePairsTable, GivesTheExpectedText) {
  const ReplacePairsCase& c = GetParam();
  EXPECT_EQ(Apply(c), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReplacePairsTable, testing::ValuesIn(kReplacePairs),
                         CaseName<ReplacePairsCase>);

TEST(TextReplacePairs, TheTextGoingInIsNotChanged) {
  const std::string text = "a<br>b";
  const std::string result = Text_ReplacePairs(text, {{"<br>", "\n"}});
  EXPECT_EQ(text, "a<br>b");
  EXPECT_EQ(result, "a\nb");
}

TEST(PageText, CutAtTheFirstZeroByteThenDecodedFromGbk) {
  // "中文" in GBK is D6 D0 CE C4.
  EXPECT_EQ(Page_Text("\xD6\xD0\xCE\xC4"), "中文");
  EXPECT_EQ(Page_Text(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(Page_Text(std::string("\xD6\xD0\0\xCE\xC4", 5)), "中");
  EXPECT_EQ(Page_Text(std::string("\0abc", 4)), "");
  EXPECT_EQ(Page_Text(""), "");
  // A lead byte cut off by the zero byte, and a lead byte before a byte that is no
  // trail byte, become U+FFFD; the text goes on after them.
  EXPECT_EQ(Page_Text(std::string("a\xD6\0\xD0", 4)), "a\xEF\xBF\xBD");
  EXPECT_EQ(Page_Text("\x81 <b>"), "\xEF\xBF\xBD <b>");
  EXPECT_EQ(Page_Text("<p>\xD6\xD0</p>"), "<p>中</p>");
}

struct ToNumberCase {
  std::string text;
  double expected;
};

std::ostream& operator<<(std::ostream& out, const ToNumberCase& c) {
  return out << '"' << c.text << '"';
}

const ToNumberCase kToNumber[] = {
    {"3", 3},         {"10", 10},       {"0", 0},          {"-1", -1},     {"  12abc", 12},
    {"\t-5", -5},     {"\r\n 42", 42},  {"+7", 7},         {"3.5", 3.5},   {".5", 0.5},
    {"-0.25x", -0.25}, {"1.", 1},       {" 0012", 12},     {"12 34", 12},  {"1e5", 1},
    {"abc", 0},       {"", 0},          {"-", 0},          {"+", 0},       {".", 0},
    {"- 5", 0},       {"１２", 0},       {"x12", 0},        {"999999999999", 999999999999},
};

class ToNumberTable : public testing::TestWithParam<ToNumberCase> {};

TEST_P(ToNumberTable, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(Text_ToNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ToNumberTable, testing::ValuesIn(kToNumber));

struct ToTextCase {
  double number;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ToTextCase& c) { return out << c.number; }

const ToTextCase kToText[] = {
    {3, "3"},
    {10, "10"},
    {0, "0"},
    {-0.0, "0"},
    {-1, "-1"},
    {100, "100"},
    {123456789012.0, "123456789012"},
    {1e15, "1000000000000000"},
    {0.5, "0.5"},
    {-2.25, "-2.25"},
    {0.1, "0.1"},
    {1e-7, "0.0000001"},
    {1.0 / 3.0, "0.3333333333333333"},
};

class ToTextTable : public testing::TestWithParam<ToTextCase> {};

TEST_P(ToTextTable, WritesPlainDecimalText) {
  EXPECT_EQ(Number_ToText(GetParam().number), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ToTextTable, testing::ValuesIn(kToText));

TEST(PageNumbers, ConvertedThenWrittenBack) {
  EXPECT_EQ(Number_ToText(Text_ToNumber("0012") + 1), "13");
  EXPECT_EQ(Number_ToText(Text_ToNumber(" 3") - 1), "2");
  EXPECT_EQ(Number_ToText(Text_ToNumber("") - 1), "-1");
  EXPECT_EQ(Number_ToText(Text_ToNumber("1.5") * 2), "3");
}

struct AfterLastCase {
  std::string text;
  std::string separator;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const AfterLastCase& c) {
  return out << '"' << c.text << "\" / \"" << c.separator << '"';
}

const AfterLastCase kAfterLast[] = {
    // The 悦墨 pager: a lazy group that ran over an earlier link, and a bare reference.
    {"1.htm\">1</a> <a href=\"3", "<a href=\"", "3"},
    {"5", "<a href=\"", "5"},
    {"a/b/c", "/", "c"},
    {"abc/", "/", ""},
    {"/abc", "/", "abc"},
    {"", "/", ""},
    {"abc", "", "abc"},
    {"x<A HREF=\"y", "<a href=\"", "x<A HREF=\"y"},  // bytes compared exactly
    {"第1页第2页", "第", "2页"},
    {"aaa", "aa", ""},
};

class AfterLastTable : public testing::TestWithParam<AfterLastCase> {};

TEST_P(AfterLastTable, GivesThePartAfterTheLastOccurrence) {
  EXPECT_EQ(Text_AfterLast(GetParam().text, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, AfterLastTable, testing::ValuesIn(kAfterLast));

}  // namespace
}  // namespace mozhou
