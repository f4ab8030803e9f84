// ASCII-only text tests used where addresses and header lines are read: blanks, and
// prefixes compared without regard to the letter case of ASCII letters.
#pragma once

#include <cstddef>
#include <string_view>

namespace mozhou::ascii {

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

inline char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (ToLower(text[i]) != ToLower(prefix[i])) return false;
  }
  return true;
}

}  // namespace mozhou::ascii
