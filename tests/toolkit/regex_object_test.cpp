// RegexObject: the dialect the patterns need, the numbering and failure rules,
// Replace, positions, limits and concurrent use.
#include "toolkit/regex_object.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/toolkit/case_name.h"

namespace mozhou {
namespace {

// One run of the dialect table: a pattern and text with options, and every match
// expected as {whole match, group 1, group 2, ...}.
struct DialectCase {
  const char* name;
  std::string pattern;
  std::string text;
  std::optional<bool> case_sensitive;
  std::optional<bool> multi_line;
  std::optional<bool> all_matches;
  std::vector<std::vector<std::string>> matches;
};

std::ostream& operator<<(std::ostream& out, const DialectCase& c) { return out << c.name; }

using testing_support::CaseName;

const std::optional<bool> kOmitted;

const DialectCase kDialect[] = {
    // Quantifiers.
    {"lazy", "<b>(.*?)</b>", "<b>x</b><b>y</b>", kOmitted, kOmitted, kOmitted,
     {{"<b>x</b>", "x"}, {"<b>y</b>", "y"}}},
    {"greedy", "<b>(.*)</b>", "<b>x</b><b>y</b>", kOmitted, kOmitted, kOmitted,
     {{"<b>x</b><b>y</b>", "x</b><b>y"}}},
    {"counted", "\\d{2,3}", "1 12 1234", kOmitted, kOmitted, kOmitted, {{"12"}, {"123"}}},
    {"digits among CJK", "\\d+", "第12页共345页", kOmitted, kOmitted, kOmitted,
     {{"12"}, {"345"}}},
    // Line ends: "." crosses CR, never LF.
    {"two lines joined by CRLF", "(.*?)</li>", "a</li>\r\nb</li>", kOmitted, kOmitted, kOmitted,
     {{"a</li>", "a"}, {"b</li>", "b"}}},
    {"dot does not cross LF", "<p>(.*?)</p>", "<p>a\nb</p>", kOmitted, kOmitted, kOmitted, {}},
    {"dot crosses CR", "<p>(.*?)</p>", "<p>a\rb</p>", kOmitted, kOmitted, kOmitted,
     {{"<p>a\rb</p>", "a\rb"}}},
    {"dot does not cross LF, not multi-line", "a.b", "a\nb", kOmitted, false, kOmitted, {}},
    {"literal CR LF TAB span lines", "a\r\n\tb", "xa\r\n\tby", kOmitted, kOmitted, kOmitted,
     {{"a\r\n\tb"}}},
    // Letter case.
    {"case ignored by default", "ABC", "abc", kOmitted, kOmitted, kOmitted, {{"abc"}}},
    {"case sensitive", "ABC", "abc", true, kOmitted, kOmitted, {}},
    {"case sensitive, same case", "ABC", "xABC", true, kOmitted, kOmitted, {{"ABC"}}},
    {"case ignored explicitly", "abc", "ABC", false, kOmitted, kOmitted, {{"ABC"}}},
    {"full-width letters fold", "ａ", "Ａ", kOmitted, kOmitted, kOmitted, {{"Ａ"}}},
    // Multi-line.
    {"multi-line anchors by default", "^(\\w+)$", "one\ntwo\nthree", kOmitted, kOmitted,
     kOmitted, {{"one", "one"}, {"two", "two"}, {"three", "three"}}},
    {"not multi-line", "^(\\w+)$", "one\ntwo\nthree", kOmitted, false, kOmitted, {}},
    {"not multi-line, $ before final LF", "^(\\w+)$", "one\n", kOmitted, false, kOmitted,
     {{"one", "one"}}},
    {"multi-line with CRLF: $ only before LF", "^(\\w+)$", "one\r\ntwo", kOmitted, kOmitted,
     kOmitted, {{"two", "two"}}},
    // Global.
    {"global, non-overlapping", "aa", "aaaaa", kOmitted, kOmitted, kOmitted, {{"aa"}, {"aa"}}},
    {"first match only", "a(.)", "abacad", kOmitted, kOmitted, false, {{"ab", "b"}}},
    {"no match", "zzz", "abc", kOmitted, kOmitted, kOmitted, {}},
    // Empty matches: at each place a non-empty match is tried first after an empty one.
    {"empty matches around a non-empty one", "x*", "axb", kOmitted, kOmitted, kOmitted,
     {{""}, {"x"}, {""}, {""}}},
    {"empty pattern: one match per character boundary", "", "中a", kOmitted, kOmitted,
     kOmitted, {{""}, {""}, {""}}},
    {"empty text, empty-matching pattern", "a*", "", kOmitted, kOmitted, kOmitted, {{""}}},
    {"empty then non-empty at the same place", "(?=b)|b", "ab", kOmitted, kOmitted, kOmitted,
     {{""}, {"b"}}},
    // Back references and look-around.
    {"back reference", "(\\w)\\1", "abccdeef", kOmitted, kOmitted, kOmitted,
     {{"cc", "c"}, {"ee", "e"}}},
    {"back reference ignores case", "(a)\\1", "aA", kOmitted, kOmitted, kOmitted,
     {{"aA", "a"}}},
    {"lookahead", "\\w+(?=;)", "ab; cd, ef;", kOmitted, kOmitted, kOmitted, {{"ab"}, {"ef"}}},
    {"negative lookahead", "a(?!b)", "ab ac", kOmitted, kOmitted, kOmitted, {{"a"}}},
    // CJK: one character for ".", for counting and for literals.
    {"CJK is one character for dot", "^.$", "中", kOmitted, kOmitted, kOmitted, {{"中"}}},
    {"CJK counted as characters", ".{2}", "中文字", kOmitted, kOmitted, kOmitted,
     {{"中文"}}},
    {"CJK and full-width literals", "书名：(.*?)，", "书名：青岚，作者：无名，", kOmitted,
     kOmitted, kOmitted, {{"书名：青岚，", "青岚"}}},
    {"full-width brackets", "【(.*?)】", "【玄幻】x【都市】", kOmitted, kOmitted, kOmitted,
     {{"【玄幻】", "玄幻"}, {"【都市】", "都市"}}},
    {"full-width colon is not ASCII colon", "：", "a:b", kOmitted, kOmitted, kOmitted, {}},
    // Groups that took no part.
    {"group that took no part is empty", "(a)|(b)", "b", kOmitted, kOmitted, kOmitted,
     {{"b", "", "b"}}},
    {"optional group not taken", "x(y)?z", "xz", kOmitted, kOmitted, kOmitted, {{"xz", ""}}},
};

class RegexDialect : public testing::TestWithParam<DialectCase> {};

TEST_P(RegexDialect, MatchesAsExpected) {
  const DialectCase& c = GetParam();
  RegexObject regex;
  ASSERT_TRUE(regex.Run(c.pattern, c.text, c.case_sensitive, c.multi_line, c.all_matches));
  ASSERT_EQ(regex.MatchCount(), static_cast<int>(c.matches.size()));
  for (std::size_t i = 0; i < c.matches.size(); ++i) {
    const int match = static_cast<int>(i) + 1;
    EXPECT_EQ(regex.MatchText(match), c.matches[i][0]) << "match " << match;
    for (std::size_t g = 1; g < c.matches[i].size(); ++g) {
      EXPECT_EQ(regex.SubMatchText(match, static_cast<int>(g)), c.matches[i][g])
          << "match " << match << " group " << g;
    }
  }
  if (!c.matches.empty()) {
    EXPECT_EQ(regex.SubMatchCount(), static_cast<int>(c.matches[0].size()) - 1);
  } else {
    EXPECT_EQ(regex.SubMatchCount(), 0);
  }
  EXPECT_EQ(regex.Pattern(), c.pattern);
}

INSTANTIATE_TEST_SUITE_P(Table, RegexDialect, testing::ValuesIn(kDialect),
                         CaseName<DialectCase>);

// Every question answers empty: no matches, no groups, no position, no replacement.
void ExpectNoAnswers(const RegexObject& regex) {
  long position = 7;
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_EQ(regex.SubMatchCount(), 0);
  EXPECT_EQ(regex.MatchText(1, &position), "");
  EXPECT_EQ(position, -2);
  EXPECT_EQ(regex.SubMatchText(1, 1), "");
  EXPECT_EQ(regex.Replace("x"), "");
}

TEST(RegexObject, BeforeTheFirstRunEverythingIsEmpty) {
  RegexObject regex;
  EXPECT_EQ(regex.Pattern(), "");
  ExpectNoAnswers(regex);
}

TEST(RegexObject, DestroyingAnObjectNeverRunIsAllowed) {
  { RegexObject regex; }
  SUCCEED();
}

TEST(RegexObject, OutOfRangeQuestionsGiveEmptyTexts) {
  RegexObject regex;
  ASSERT_TRUE(regex.Run("(\\w)(\\d)", "a1 b2"));
  ASSERT_EQ(regex.MatchCount(), 2);
  ASSERT_EQ(regex.SubMatchCount(), 2);
  long position = 7;
  EXPECT_EQ(regex.SubMatchText(3, 1, &position), "");  // count + 1
  EXPECT_EQ(position, -2);
  EXPECT_EQ(regex.SubMatchText(1, 3), "");  // groups + 1
  EXPECT_EQ(regex.SubMatchText(1, 0), "");  // groups count from 1
  EXPECT_EQ(regex.SubMatchText(0, 1), "");
  EXPECT_EQ(regex.SubMatchText(-1, -1), "");
  EXPECT_EQ(regex.MatchText(0), "");
  EXPECT_EQ(regex.MatchText(3), "");
  EXPECT_EQ(regex.MatchText(2), "b2");
  EXPECT_EQ(regex.SubMatchText(2, 2), "2");
}

TEST(RegexObject, SecondRunReplacesTheFirst) {
  RegexObject regex;
  ASSERT_TRUE(regex.Run("(a)(b)", "ab ab ab"));
  ASSERT_EQ(regex.MatchCount(), 3);
  ASSERT_TRUE(regex.Run("c", "c"));
  EXPECT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.SubMatchCount(), 0);
  EXPECT_EQ(regex.MatchText(2), "");
  EXPECT_EQ(regex.SubMatchText(1, 1), "");
  EXPECT_EQ(regex.Pattern(), "c");
  EXPECT_EQ(regex.Replace("d"), "d");
}

TEST(RegexObject, OptionsOfARunDoNotSurviveIt) {
  RegexObject regex;
  ASSERT_TRUE(regex.Run("ABC", "abc", true));
  EXPECT_EQ(regex.MatchCount(), 0);
  ASSERT_TRUE(regex.Run("ABC", "abc"));
  EXPECT_EQ(regex.MatchCount(), 1);
}

TEST(RegexObject, InvalidPatternFails) {
  RegexObject regex;
  ASSERT_TRUE(regex.Run("(a)", "a"));
  EXPECT_FALSE(regex.Run("(", "a(b"));
  ExpectNoAnswers(regex);
  EXPECT_EQ(regex.Pattern(), "(");  // the pattern of the failed run (see the header)

  EXPECT_FALSE(regex.Run("[a", "a"));
  EXPECT_FALSE(regex.Run("a)", "a"));
  EXPECT_FALSE(regex.Run("\xFF", "a"));  // a pattern that is not UTF-8
  EXPECT_TRUE(regex.Run("a", "a"));      // and the object still works
  EXPECT_EQ(regex.MatchCount(), 1);
}

TEST(RegexObject, PositionsAreByteOffsetsInTheSearchedText) {
  RegexObject regex;
  ASSERT_TRUE(regex.Run("(中)(c)|(z)", "中文ab中c"));  // 中文 = 6 bytes, ab = 2
  ASSERT_EQ(regex.MatchCount(), 1);
  long position = 0;
  EXPECT_EQ(regex.MatchText(1, &position), "中c");
  EXPECT_EQ(position, 8);
  EXPECT_EQ(regex.SubMatchText(1, 1, &position), "中");
  EXPECT_EQ(position, 8);
  EXPECT_EQ(regex.SubMatchText(1, 2, &position), "c");
  EXPECT_EQ(position, 11);
  EXPECT_EQ(regex.SubMatchText(1, 3, &position), "");  // took no part
  EXPECT_EQ(position, -2);
  EXPECT_EQ(regex.SubMatchText(1, 4, &position), "");  // no such group
  EXPECT_EQ(position, -2);

  ASSERT_TRUE(regex.Run("x", "x中x"));
  EXPECT_EQ(regex.MatchText(1, &position), "x");
  EXPECT_EQ(position, 0);
  EXPECT_EQ(regex.MatchText(2, &position), "x");
  EXPECT_EQ(position, 4);

  ASSERT_TRUE(regex.Run("$", "中"));  // an empty match at the end
  ASSERT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.MatchText(1, &position), "");
  EXPECT_EQ(position, 3);
}

struct ReplaceCase {
  const char* name;
  std::string pattern;
  std::string text;
  std::optional<bool> all_matches;
  std::string replacement;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ReplaceCase& c) { return out << c.name; }

const ReplaceCase kReplace[] = {
    {"plain", "b", "abcb", kOmitted, "X", "aXcX"},
    {"first match only", "a", "aaa", false, "b", "baa"},
    {"no match: text unchanged", "z", "abc", kOmitted, "X", "abc"},
    {"whole match", "b", "abc", kOmitted, "[$&]", "a[b]c"},
    {"twice the match", "b", "abc", kOmitted, "$&$&", "abbc"},
    {"before the match", "b", "abc", kOmitted, "[$`]", "a[a]c"},
    {"after the match", "b", "abc", kOmitted, "[$']", "a[c]c"},
    {"dollar", "b", "abc", kOmitted, "$$", "a$c"},
    {"dollar at the end", "b", "abc", kOmitted, "x$", "ax$c"},
    {"other dollar literal", "b", "abc", kOmitted, "$x", "a$xc"},
    {"group that does not exist", "b", "abc", kOmitted, "$1", "a$1c"},
    {"$0 is literal", "(b)", "abc", kOmitted, "$0", "a$0c"},
    {"groups swapped", "(\\w+)@(\\w+)", "x a@b y c@d", kOmitted, "$2@$1", "x b@a y d@c"},
    {"one digit then a literal digit", "(a)(b)", "ab", kOmitted, "$12|$21", "a2|b1"},
    {"leading zero", "(a)(b)", "ab", kOmitted, "$01$02", "ab"},
    {"two digits when the group exists", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)",
     "abcdefghijkl", kOmitted, "$12$10$1", "lja"},
    {"group that took no part", "(x)?b", "b", kOmitted, "[$1]", "[]"},
    {"CJK", "(青)(岚)", "青岚网", kOmitted, "$2$1", "岚青网"},
    {"empty matches", "x*", "axb", kOmitted, "-", "-a--b-"},
    {"line break tag", "<br>", "a<BR>b", kOmitted, "\r\n", "a\r\nb"},
};

class RegexReplace : public testing::TestWithParam<ReplaceCase> {};

TEST_P(RegexReplace, ReplacesTheMatchesOfTheLastRun) {
  const ReplaceCase& c = GetParam();
  RegexObject regex;
  ASSERT_TRUE(regex.Run(c.pattern, c.text, {}, {}, c.all_matches));
  EXPECT_EQ(regex.Replace(c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RegexReplace, testing::ValuesIn(kReplace),
                         CaseName<ReplaceCase>);

TEST(RegexObject, MatchLimitKeepsEarlierMatchesAndReturns) {
  // Nested quantifiers over a long run of "a" without the "b": exponential backtracking,
  // stopped by the match limit. The two "x" before it are kept.
  const std::string text = "x x " + std::string(40, 'a') + " x";
  RegexObject regex;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(regex.Run("x|(a+)+b", text));
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(regex.MatchCount(), 2);
  EXPECT_EQ(regex.MatchText(2), "x");
  EXPECT_EQ(regex.MatchText(3), "");
  EXPECT_LT(elapsed, std::chrono::seconds(20));
}

TEST(RegexObject, DeepBacktrackingDoesNotCrash) {
  // Each "a" is a nested backtracking point: beyond the JIT stack and the depth limit.
  const std::string text = "c " + std::string(1'000'000, 'a') + "c";
  RegexObject regex;
  EXPECT_TRUE(regex.Run("c|(?:a|b)*c", text));
  EXPECT_GE(regex.MatchCount(), 1);
  EXPECT_EQ(regex.MatchText(1), "c");
}

TEST(RegexObject, InvalidUtf8TextDoesNotCrash) {
  const std::string text = "a\xFF\xFE<b>x\x80y</b>\xE4\xB8<b>z</b>\xC3";
  RegexObject regex;
  ASSERT_TRUE(regex.Run("<b>(.*?)</b>", text));
  // An invalid byte is no character: "." does not match it, so the first pair fails.
  ASSERT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.SubMatchText(1, 1), "z");
  ASSERT_TRUE(regex.Run("y</b>", text));
  EXPECT_EQ(regex.MatchCount(), 1);
  ASSERT_TRUE(regex.Run("", text));  // empty matches stepping over invalid bytes
  EXPECT_GT(regex.MatchCount(), 0);
  ASSERT_TRUE(regex.Run(".", "\xFF\xFE"));
  EXPECT_EQ(regex.MatchCount(), 0);
  ASSERT_TRUE(regex.Run("x", std::string("\0x\0", 3)));  // zero bytes are plain bytes
  EXPECT_EQ(regex.MatchCount(), 1);
}

TEST(RegexObject, ManyPatternsBeyondTheCacheStillWork) {
  RegexObject regex;
  for (std::size_t i = 0; i < regex_engine::kPatternCacheCapacity + 20; ++i) {
    const std::string number = std::to_string(i);
    ASSERT_TRUE(regex.Run("n" + number + "\\b", "n" + number + " m"));
    ASSERT_EQ(regex.MatchCount(), 1) << number;
  }
  ASSERT_TRUE(regex.Run("n0\\b", "n0"));  // evicted long ago: compiled again
  EXPECT_EQ(regex.MatchCount(), 1);
}

TEST(RegexObject, EvictedEngineStaysAliveWhileUsed) {
  RegexObject kept;
  ASSERT_TRUE(kept.Run("(k)(e)pt", "kept"));
  RegexObject other;
  for (std::size_t i = 0; i < regex_engine::kPatternCacheCapacity + 5; ++i) {
    ASSERT_TRUE(other.Run("evict" + std::to_string(i), "x"));
  }
  EXPECT_EQ(kept.SubMatchText(1, 2), "e");
  EXPECT_EQ(kept.Replace("$2$1"), "ek");
}

TEST(RegexObject, ObjectsOnSeveralThreadsAtOnce) {
  constexpr int kThreads = 6;
  constexpr int kRunsPerThread = 300;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      std::string page;
      for (int row = 0; row < 20; ++row) {
        page += "<li><a href=\"/b" + std::to_string(row) + ".html\">书" + std::to_string(t) +
                "</a></li>\r\n";
      }
      for (int run = 0; run < kRunsPerThread; ++run) {
        RegexObject regex;
        // Shared patterns (the same cache entry on every thread) and own ones.
        const std::string own = "书(" + std::to_string(t) + ")</a>";
        const bool shared_ok = regex.Run("<a href=\"(.*?)\">(.*?)</a>", page) &&
                               regex.MatchCount() == 20 &&
                               regex.SubMatchText(20, 1) == "/b19.html";
        const bool own_ok = regex.Run(own + std::to_string(run % 7) + "?", page) &&
                            regex.MatchCount() == 20 &&
                            regex.SubMatchText(1, 1) == std::to_string(t);
        if (!shared_ok || !own_ok) failures.fetch_add(1);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace mozhou
