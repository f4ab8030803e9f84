// Small text helpers shared by the launcher and the plug-ins.
//
// Texts are UTF-8. A character is one UTF-8 sequence, a byte a UTF-8 byte; positions
// are 1-based byte positions.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace mozhou {

struct ReplacePair {
  std::string_view find;
  std::string_view replacement;
};

struct ReplaceOptions {
  std::optional<int> count;           // most replacements per pair; all when omitted
  std::optional<int> start;           // 1-based byte position; 0 counts as 1
  std::optional<bool> case_sensitive; // false when omitted (ASCII letters)
};

inline constexpr std::size_t kMaxReplacePairs = 5;

// Replaces up to five find texts in turn, each pair working on the result of the one
// before; text a pair inserted is not scanned again by the same pair. An empty find text
// changes nothing. Pairs beyond the fifth are ignored.
std::string Text_ReplacePairs(std::string_view text, std::initializer_list<ReplacePair> pairs,
                              const ReplaceOptions& options = {});

// A page body as text: the bytes before the first zero byte, decoded from GBK
// (invalid bytes become U+FFFD). The one place a body becomes a text.
std::string Page_Text(std::string_view body);

// The decimal number at the start of the text, after white space; 0 when there is none.
double Text_ToNumber(std::string_view text);
// A number as plain decimal text: whole numbers without fraction or leading zeros
// (3, 10, 0, -1).
std::string Number_ToText(double number);

// The part of `text` after the last occurrence of `separator`; the whole text when it
// does not occur.
std::string Text_AfterLast(std::string_view text, std::string_view separator);

}  // namespace mozhou
