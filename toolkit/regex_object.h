// RegexObject: run a pattern over a text, then ask for matches and groups by number.
//
// PCRE2 in UTF mode with JIT. Defaults: letter case ignored, multi-line, all matches.
// LF is the only newline: "." crosses a CR, never an LF. Matches and groups count from 1;
// a number out of range, a question before the first run or after a failed run gives the
// empty text or 0. A run that hits the match or depth limit keeps the matches found
// before it. Compiled patterns are cached process-wide by pattern and options, so a new
// run costs no new JIT compile.
//
// Details of the contract:
// - All matches: left to right, never overlapping; after an empty match the next search
//   first tries a non-empty match at the same place, else moves on one character.
// - Text that is not valid UTF-8 is searched without harm (invalid bytes match nothing
//   that needs a character); a pattern that is not valid UTF-8 does not compile.
// - Pattern(): the pattern of the last run, also when that run failed to compile (the
//   engine of the run was set up with it); empty before the first run.
// - Replace(): the searched text of the last run with the matches that run found (all of
//   them, or the first when all matches was false) replaced. "$n" / "$nn" is group n
//   (two digits only when that group exists, else one digit and a literal digit; a group
//   that does not exist leaves the "$" literal), "$&" the match, "$`" the text before it,
//   "$'" the text after it, "$$" one "$"; any other "$" is literal. A group that took no
//   part gives the empty text. Before the first run and after a failed run: empty.
// - A run stops, keeping what it found, also after regex_engine::kMatchCountLimit matches.
// - Positions are 0-based byte offsets (DESIGN.md), not the character index the
//   original engine reported. An empty pattern matches at every character boundary.
// - One object is used by one thread; different objects may run on different threads at
//   once (the pattern cache is shared and locked).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mozhou {

namespace regex_engine {
struct Compiled;  // a compiled (and JIT-compiled) pattern, shared through the cache

// Limits of one run. The match and depth limits bound each search (PCRE2's match and
// depth limits; the JIT has its stack instead of the depth limit, and a search that
// overflows it is repeated by the interpreter); the heap limit bounds the interpreter's
// backtracking memory. A search that hits one ends the run with the matches before it.
inline constexpr std::uint32_t kMatchLimit = 10'000'000;
inline constexpr std::uint32_t kDepthLimit = 100'000;
inline constexpr std::uint32_t kHeapLimitKiB = 20'000;
inline constexpr int kMatchCountLimit = 1 << 20;
// Compiled patterns kept by the process-wide cache (least recently used go first).
inline constexpr std::size_t kPatternCacheCapacity = 256;
}  // namespace regex_engine

class RegexObject final {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject&) = delete;
  RegexObject& operator=(const RegexObject&) = delete;

  // True when the run produced a match collection (an empty one included); false for a
  // pattern that does not compile.
  bool Run(std::string_view pattern, std::string_view text,
           std::optional<bool> case_sensitive = {}, std::optional<bool> multi_line = {},
           std::optional<bool> all_matches = {});

  std::string Pattern() const;
  // The searched text with the matches replaced; $1..$99, $&, $`, $' and $$.
  std::string Replace(std::string_view replacement) const;
  int MatchCount() const;
  // `position`: the 0-based byte offset of the match or group in the searched text,
  // or -2 when there is none.
  std::string MatchText(int match, long* position = nullptr) const;
  std::string SubMatchText(int match, int group, long* position = nullptr) const;
  int SubMatchCount() const;

 private:
  struct Span {
    std::ptrdiff_t begin = -1;  // -1: the group took no part
    std::ptrdiff_t end = -1;
  };
  // The span of group `group` (0 = whole match) of match `match` (from 1), or nullptr
  // when either number is out of range.
  const Span* Find_Span(int match, int group) const;
  std::string Span_Text(const Span* span, long* position) const;

  std::shared_ptr<const regex_engine::Compiled> engine_;  // none before a run / after a failed one
  std::string pattern_;
  std::string searched_;
  std::vector<Span> spans_;  // match-major: [(match - 1) * groups_per_match_ + group]
  int groups_per_match_ = 0; // 1 + number of capture groups
  int match_count_ = 0;
};

}  // namespace mozhou
