#include "toolkit/text.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/codepage.h"

namespace mozhou {
namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the UTF-8 sequence at `offset`: the whole well-formed sequence, or one byte
// for a byte that does not begin one (such a byte is a character of its own).
std::size_t CharacterLength(std::string_view text, std::size_t offset) {
  const auto lead = static_cast<unsigned char>(text[offset]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (offset + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuationByte(static_cast<unsigned char>(text[offset + i]))) return 1;
  }
  return length;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsAt(std::string_view text, std::size_t offset, std::string_view find,
              bool case_sensitive) {
  if (text.size() - offset < find.size()) return false;
  if (case_sensitive) return text.compare(offset, find.size(), find) == 0;
  for (std::size_t i = 0; i < find.size(); ++i) {
    if (AsciiLower(text[offset + i]) != AsciiLower(find[i])) return false;
  }
  return true;
}

// One pair over the text from byte offset `begin` (a character boundary).
std::string Pair_Apply(std::string_view text, std::size_t begin, const ReplacePair& pair,
                       std::optional<int> count, bool case_sensitive) {
  std::string out(text.substr(0, begin));
  std::size_t i = begin;
  int replaced = 0;
  while (i < text.size()) {
    if (count.has_value() && replaced >= *count) break;
    if (EqualsAt(text, i, pair.find, case_sensitive)) {
      out.append(pair.replacement);
      i += pair.find.size();
      ++replaced;
    } else {
      const std::size_t length = CharacterLength(text, i);
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out.append(text.substr(i));
  return out;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// Start: 1-based byte position; 0 and negative count as 1. A start inside a UTF-8
// character begins the scan at the next character. Count: at most that many
// replacements per pair; 0 or negative replaces nothing.
std::string Text_ReplacePairs(std::string_view text, std::initializer_list<ReplacePair> pairs,
                              const ReplaceOptions& options) {
  const int start = options.start.value_or(1) < 1 ? 1 : options.start.value_or(1);
  const bool case_sensitive = options.case_sensitive.value_or(false);
  std::string result(text);
  if (static_cast<std::size_t>(start) > text.size()) return result;

  std::size_t used = 0;
  for (const ReplacePair& pair : pairs) {
    if (used++ == kMaxReplacePairs) break;
    if (pair.find.empty()) continue;
    std::size_t begin = static_cast<std::size_t>(start - 1);
    while (begin < result.size() &&
           IsContinuationByte(static_cast<unsigned char>(result[begin]))) {
      ++begin;
    }
    if (begin >= result.size()) continue;
    result = Pair_Apply(result, begin, pair, options.count, case_sensitive);
  }
  return result;
}

std::string Page_Text(std::string_view body) {
  const void* zero = std::memchr(body.data(), '\0', body.size());
  if (zero != nullptr) body = body.substr(0, static_cast<const char*>(zero) - body.data());
  return codepage::Gbk_ToUtf8(body);
}

double Text_ToNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t number_begin = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    std::size_t fraction_digits = 0;
    while (j < text.size() && IsDigit(text[j])) {
      ++j;
      ++fraction_digits;
    }
    if (fraction_digits > 0) {
      i = j;
      digits += fraction_digits;
    }
  }
  if (digits == 0) return 0.0;
  double value = 0.0;
  std::from_chars(text.data() + number_begin, text.data() + i, value, std::chars_format::fixed);
  return negative ? -value : value;
}

// Fixed notation, shortest text that reads back as the same number: whole numbers come
// out without fraction (3, 10, 0, -1), others as plain decimals (0.5, 0.0000001).
// Negative zero is "0"; not-a-number and infinities come out as "nan", "inf", "-inf".
std::string Number_ToText(double number) {
  if (number == 0.0) return "0";
  char buffer[400];  // the longest fixed-notation double is about 330 characters
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
  if (result.ec != std::errc{}) return "0";
  return std::string(buffer, result.ptr);
}

// An empty separator does not occur: the whole text comes back.
std::string Text_AfterLast(std::string_view text, std::string_view separator) {
  if (separator.empty()) return std::string(text);
  const std::size_t found = text.rfind(separator);
  if (found == std::string_view::npos) return std::string(text);
  return std::string(text.substr(found + separator.size()));
}

}  // namespace mozhou
