// RegexObject: run a pattern over a text, then ask for matches and groups by number.
//
// PCRE2 in UTF mode with JIT. Defaults: letter case ignored, multi-line, all matches.
// LF is the only newline: "." crosses a CR, never an LF. Matches and groups count from 1;
// a number out of range, a question before the first run or after a failed run gives the
// empty text or 0. A run that hits the match or depth limit keeps the matches found
// before it. Compiled patterns are cached process-wide by pattern and options, so a new
// run costs no new JIT compile.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mozhou {

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
  struct Compiled;

  std::shared_ptr<const Compiled> engine_;
  std::string pattern_;
  std::string searched_;
  std::vector<std::vector<Span>> matches_;  // [match][0 = whole, 1.. = groups]
  bool has_matches_ = false;
};

}  // namespace mozhou
