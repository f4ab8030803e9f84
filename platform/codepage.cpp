#include "platform/codepage.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>

namespace mozhou::codepage {
namespace {

// ICU names: "GBK" is windows-936-2000 (code page 936), "Big5" is windows-950-2000
// (code page 950); both resolve without the ambiguity warning of "windows-936".
constexpr const char* kGbkName = "GBK";
constexpr const char* kBig5Name = "Big5";
constexpr const char* kTraditionalToSimplifiedId = "Traditional-Simplified";

// UTF-16 units converted per ICU step; the buffer lives on the stack.
constexpr std::size_t kChunkUnits = 4096;
// A UTF-16 unit becomes at most three UTF-8 bytes (a surrogate pair, two units, four).
constexpr std::size_t kUtf8BytesPerUnit = 3;
constexpr UChar kReplacementCharacter = 0xFFFD;

bool IsAscii(unsigned char byte) { return byte < 0x80; }

// Length of the run of ASCII bytes at the start of [p, p + n), eight bytes at a time.
std::size_t AsciiRunLength(const char* p, std::size_t n) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= n; i += sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, p + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (i < n && IsAscii(static_cast<unsigned char>(p[i]))) ++i;
  return i;
}

// In GBK and Big5 every byte below 0x40 is a character of its own in every converter
// state: it is never a trail byte (trail bytes start at 0x40), and after a pending lead
// byte the converter reports that lead as illegal and reads the byte afresh. So a
// double-byte segment may end before such a byte: converting the segment alone (with
// flush) gives exactly what one pass over the whole text gives, and the ASCII after it
// can be copied as it is.
std::size_t DoubleByteSegmentLength(const char* p, std::size_t n) {
  std::size_t i = 0;
  while (i < n && static_cast<unsigned char>(p[i]) >= 0x40) ++i;
  return i;
}

// In UTF-8 an ASCII byte is always a character boundary.
std::size_t NonAsciiRunLength(const char* p, std::size_t n) {
  std::size_t i = 0;
  while (i < n && !IsAscii(static_cast<unsigned char>(p[i]))) ++i;
  return i;
}

// Every byte sequence that does not decode (illegal, unassigned or truncated) becomes
// one U+FFFD. ICU's default would substitute U+001A for converters whose substitute is
// 0x1A; this callback makes the result independent of that.
void U_CALLCONV ToUnicodeReplacement(const void* /*context*/, UConverterToUnicodeArgs* args,
                                     const char* /*code_units*/, int32_t /*length*/,
                                     UConverterCallbackReason reason, UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
  *error = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &kReplacementCharacter, 1, 0, error);
}

struct ConverterClose {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

Converter OpenConverter(const char* name) {
  UErrorCode error = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &error));
  if (U_FAILURE(error)) return nullptr;
  ucnv_setToUCallBack(converter.get(), ToUnicodeReplacement, nullptr, nullptr, nullptr, &error);
  if (U_FAILURE(error)) return nullptr;
  return converter;
}

// One converter of each kind per thread: a UConverter holds conversion state and must
// not be shared between threads, and opening one costs more than a short conversion.
UConverter* GbkConverter() {
  thread_local const Converter converter = OpenConverter(kGbkName);
  return converter.get();
}

UConverter* Big5Converter() {
  thread_local const Converter converter = OpenConverter(kBig5Name);
  return converter.get();
}

// Appends UTF-16 units as UTF-8.
void AppendUtf8(std::string& out, const UChar* units, std::size_t count) {
  if (count == 0) return;
  const std::size_t old_size = out.size();
  const std::size_t capacity = count * kUtf8BytesPerUnit;
  out.resize(old_size + capacity);
  int32_t written = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data() + old_size, static_cast<int32_t>(capacity), &written, units,
                     static_cast<int32_t>(count), kReplacementCharacter, nullptr, &error);
  out.resize(old_size + (U_SUCCESS(error) ? static_cast<std::size_t>(written) : 0));
}

// Decodes one segment of code-page bytes, starting and ending in the converter's
// initial state, and appends it as UTF-8.
void AppendDecoded(std::string& out, UConverter* converter, const char* begin, const char* end) {
  if (converter == nullptr) {  // no ICU data: every non-ASCII byte is undecodable
    for (const char* p = begin; p != end; ++p) {
      if (IsAscii(static_cast<unsigned char>(*p))) {
        out.push_back(*p);
      } else {
        out.append("\xEF\xBF\xBD");
      }
    }
    return;
  }
  ucnv_resetToUnicode(converter);
  UChar buffer[kChunkUnits + 1];
  std::size_t carried = 0;  // a lead surrogate held back from the previous step
  const char* source = begin;
  for (;;) {
    UChar* target = buffer + carried;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, buffer + kChunkUnits + carried, &source, end, nullptr,
                   /*flush=*/true, &error);
    std::size_t produced = static_cast<std::size_t>(target - buffer);
    const bool more = error == U_BUFFER_OVERFLOW_ERROR;
    carried = (more && produced > 0 && U16_IS_LEAD(buffer[produced - 1])) ? 1 : 0;
    AppendUtf8(out, buffer, produced - carried);
    if (!more) return;  // done, or a failure that leaves nothing more to read
    if (carried != 0) buffer[0] = buffer[produced - 1];
  }
}

std::string DecodeDoubleByte(std::string_view bytes, UConverter* converter) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p != end) {
    const std::size_t ascii = AsciiRunLength(p, static_cast<std::size_t>(end - p));
    out.append(p, ascii);
    p += ascii;
    if (p == end) break;
    const std::size_t segment = DoubleByteSegmentLength(p, static_cast<std::size_t>(end - p));
    AppendDecoded(out, converter, p, p + segment);
    p += segment;
  }
  return out;
}

// Encodes one run of non-ASCII UTF-8 into the converter's code page. Invalid UTF-8
// becomes U+FFFD first, which the code page lacks, so it becomes the substitute too.
void AppendEncoded(std::string& out, UConverter* converter, const char* begin, const char* end,
                   char fallback_substitute) {
  std::u16string units(static_cast<std::size_t>(end - begin), u'\0');
  int32_t unit_count = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &unit_count, begin,
                       static_cast<int32_t>(end - begin), kReplacementCharacter, nullptr, &error);
  if (U_FAILURE(error)) return;
  if (converter == nullptr) {
    for (int32_t i = 0; i < unit_count; ++i) {
      if (!U16_IS_TRAIL(units[static_cast<std::size_t>(i)])) out.push_back(fallback_substitute);
    }
    return;
  }
  ucnv_resetFromUnicode(converter);
  const UChar* source = units.data();
  const UChar* const source_end = units.data() + unit_count;
  char buffer[kChunkUnits];
  for (;;) {
    char* target = buffer;
    error = U_ZERO_ERROR;
    ucnv_fromUnicode(converter, &target, buffer + sizeof buffer, &source, source_end, nullptr,
                     /*flush=*/true, &error);
    out.append(buffer, static_cast<std::size_t>(target - buffer));
    if (error != U_BUFFER_OVERFLOW_ERROR) return;
  }
}

// The transliterator is built once and never destroyed (threads still converting at
// process exit never meet a destroyed object). It is not safe for concurrent use, so
// every use holds the mutex; traditional text is rare, and the lock is short.
struct Transliteration {
  std::mutex mutex;
  std::unique_ptr<icu::Transliterator> transliterator;
};

Transliteration& TraditionalToSimplified() {
  static Transliteration* const instance = [] {
    auto* created = new Transliteration;
    UErrorCode error = U_ZERO_ERROR;
    created->transliterator.reset(icu::Transliterator::createInstance(
        icu::UnicodeString(kTraditionalToSimplifiedId, -1, US_INV), UTRANS_FORWARD, error));
    if (U_FAILURE(error)) created->transliterator.reset();
    return created;
  }();
  return *instance;
}

bool IsAllAscii(std::string_view text) {
  return AsciiRunLength(text.data(), text.size()) == text.size();
}

}  // namespace

std::string Gbk_ToUtf8(std::string_view gbk) { return DecodeDoubleByte(gbk, GbkConverter()); }

std::string Big5_ToUtf8(std::string_view big5) { return DecodeDoubleByte(big5, Big5Converter()); }

std::string Utf8_ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const char* p = utf8.data();
  const char* const end = p + utf8.size();
  while (p != end) {
    const std::size_t ascii = AsciiRunLength(p, static_cast<std::size_t>(end - p));
    out.append(p, ascii);
    p += ascii;
    if (p == end) break;
    const std::size_t run = NonAsciiRunLength(p, static_cast<std::size_t>(end - p));
    AppendEncoded(out, GbkConverter(), p, p + run, '?');
    p += run;
  }
  return out;
}

std::string Utf8_TraditionalToSimplified(std::string_view utf8) {
  if (IsAllAscii(utf8)) return std::string(utf8);
  Transliteration& transliteration = TraditionalToSimplified();
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  if (transliteration.transliterator != nullptr) {
    std::lock_guard<std::mutex> lock(transliteration.mutex);
    transliteration.transliterator->transliterate(text);
  }
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace mozhou::codepage
