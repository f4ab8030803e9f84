#include "toolkit/regex_object.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <list>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace mozhou {

namespace regex_engine {

struct Compiled final {
  explicit Compiled(pcre2_code* compiled) : code(compiled) {
    std::uint32_t captures = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captures);
    capture_count = static_cast<int>(captures);
  }
  ~Compiled() { pcre2_code_free(code); }
  Compiled(const Compiled&) = delete;
  Compiled& operator=(const Compiled&) = delete;

  pcre2_code* const code;  // read-only once built: shared by threads matching at once
  int capture_count = 0;
};

}  // namespace regex_engine

namespace {

using regex_engine::Compiled;

constexpr std::uint32_t kAlwaysOptions = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
constexpr PCRE2_SIZE kUnset = PCRE2_UNSET;

// Contexts are set up once and then only read, which PCRE2 allows from many threads.
// Like the cache they are never destroyed, so a thread still matching at process exit
// never meets a destroyed one.
pcre2_compile_context* CompileContext() {
  static pcre2_compile_context* const context = [] {
    pcre2_compile_context* created = pcre2_compile_context_create(nullptr);
    if (created != nullptr) pcre2_set_newline(created, PCRE2_NEWLINE_LF);
    return created;
  }();
  return context;
}

pcre2_match_context* MatchContext() {
  static pcre2_match_context* const context = [] {
    pcre2_match_context* created = pcre2_match_context_create(nullptr);
    if (created != nullptr) {
      pcre2_set_match_limit(created, regex_engine::kMatchLimit);
      pcre2_set_depth_limit(created, regex_engine::kDepthLimit);
      pcre2_set_heap_limit(created, regex_engine::kHeapLimitKiB);
    }
    return created;
  }();
  return context;
}

std::shared_ptr<const Compiled> Compile(std::string_view pattern, std::uint32_t options) {
  pcre2_compile_context* context = CompileContext();
  if (context == nullptr) return nullptr;  // out of memory: nothing compiles
  int error_code = 0;
  PCRE2_SIZE error_offset = 0;
  pcre2_code* code =
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                    options | kAlwaysOptions, &error_code, &error_offset, context);
  if (code == nullptr) return nullptr;
  // Where the JIT is not available (or refuses the pattern) the interpreter runs it.
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  return std::make_shared<const Compiled>(code);
}

// Process-wide cache of compiled patterns keyed by options and pattern, least recently
// used first out. Compiling happens outside the lock; when two threads compile the same
// pattern at once, the first one stored is kept.
class PatternCache final {
 public:
  std::shared_ptr<const Compiled> Find_OrCompile(std::string_view pattern,
                                                 std::uint32_t options) {
    std::string key = Key(pattern, options);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->second;
      }
    }
    std::shared_ptr<const Compiled> compiled = Compile(pattern, options);
    if (compiled == nullptr) return nullptr;  // invalid patterns are not kept
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto found = index_.find(key); found != index_.end()) {
      entries_.splice(entries_.begin(), entries_, found->second);
      return found->second->second;
    }
    entries_.emplace_front(key, compiled);
    index_.emplace(std::move(key), entries_.begin());
    if (entries_.size() > regex_engine::kPatternCacheCapacity) {
      index_.erase(entries_.back().first);
      entries_.pop_back();  // a RegexObject still using it keeps it alive
    }
    return compiled;
  }

 private:
  using Entry = std::pair<std::string, std::shared_ptr<const Compiled>>;

  static std::string Key(std::string_view pattern, std::uint32_t options) {
    std::string key(sizeof options, '\0');
    for (std::size_t i = 0; i < sizeof options; ++i) {
      key[i] = static_cast<char>((options >> (8 * i)) & 0xFF);
    }
    key.append(pattern);
    return key;
  }

  std::mutex mutex_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

PatternCache& Cache() {
  static PatternCache* const cache = new PatternCache;  // immortal, see above
  return *cache;
}

struct MatchDataFree {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

// The offset just after the UTF-8 character at `offset` (one byte for a byte that does
// not begin a character).
std::size_t NextCharacter(std::string_view text, std::size_t offset) {
  ++offset;
  while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) {
    ++offset;
  }
  return offset;
}

// One search from `start`; a search that overflows the JIT stack is repeated by the
// interpreter, which has the depth and heap limits instead.
int Search(const Compiled& compiled, std::string_view text, std::size_t start,
           std::uint32_t flags, pcre2_match_data* data) {
  const auto subject = reinterpret_cast<PCRE2_SPTR>(text.data());
  int rc = pcre2_match(compiled.code, subject, text.size(), start, flags, data, MatchContext());
  if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
    rc = pcre2_match(compiled.code, subject, text.size(), start, flags | PCRE2_NO_JIT, data,
                     MatchContext());
  }
  return rc;
}

}  // namespace

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;

bool RegexObject::Run(std::string_view pattern, std::string_view text,
                      std::optional<bool> case_sensitive, std::optional<bool> multi_line,
                      std::optional<bool> all_matches) {
  const bool ignore_case = !case_sensitive.value_or(false);
  const bool multi = multi_line.value_or(true);
  const bool global = all_matches.value_or(true);

  // Nothing of the previous run survives.
  engine_.reset();
  spans_.clear();
  searched_.clear();
  groups_per_match_ = 0;
  match_count_ = 0;
  pattern_.assign(pattern);

  const std::uint32_t options =
      (ignore_case ? PCRE2_CASELESS : 0u) | (multi ? PCRE2_MULTILINE : 0u);
  std::shared_ptr<const Compiled> compiled = Cache().Find_OrCompile(pattern, options);
  if (compiled == nullptr) return false;
  std::unique_ptr<pcre2_match_data, MatchDataFree> data(
      pcre2_match_data_create_from_pattern(compiled->code, nullptr));
  if (data == nullptr) return false;

  engine_ = std::move(compiled);
  searched_.assign(text);
  groups_per_match_ = engine_->capture_count + 1;

  const std::string_view subject(searched_);
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
  std::size_t start = 0;
  std::uint32_t flags = 0;
  while (match_count_ < regex_engine::kMatchCountLimit) {
    const int rc = Search(*engine_, subject, start, flags, data.get());
    if (rc == PCRE2_ERROR_NOMATCH) {
      if (flags == 0) break;
      // No non-empty match where the empty one was: move on one character.
      start = NextCharacter(subject, start);
      flags = 0;
      continue;
    }
    if (rc < 0) break;  // a limit (or another failure): keep the matches found so far
    if (ovector[0] > ovector[1]) break;  // \K moved the start past the end: stop
    const int set_pairs = rc == 0 ? groups_per_match_ : rc;
    for (int group = 0; group < groups_per_match_; ++group) {
      const PCRE2_SIZE begin = ovector[2 * group];
      const PCRE2_SIZE end = ovector[2 * group + 1];
      if (group >= set_pairs || begin == kUnset || end == kUnset) {
        spans_.push_back(Span{});
      } else {
        spans_.push_back(
            Span{static_cast<std::ptrdiff_t>(begin), static_cast<std::ptrdiff_t>(end)});
      }
    }
    ++match_count_;
    if (!global) break;
    start = ovector[1];
    flags = 0;
    if (ovector[0] == ovector[1]) {
      if (start >= subject.size()) break;
      flags = PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED;
    }
  }
  return true;
}

std::string RegexObject::Pattern() const { return pattern_; }

int RegexObject::MatchCount() const { return match_count_; }

int RegexObject::SubMatchCount() const {
  return match_count_ > 0 ? groups_per_match_ - 1 : 0;
}

const RegexObject::Span* RegexObject::Find_Span(int match, int group) const {
  if (match < 1 || match > match_count_ || group < 0 || group >= groups_per_match_) {
    return nullptr;
  }
  return &spans_[static_cast<std::size_t>(match - 1) * static_cast<std::size_t>(groups_per_match_) +
                 static_cast<std::size_t>(group)];
}

std::string RegexObject::Span_Text(const Span* span, long* position) const {
  const bool took_part = span != nullptr && span->begin >= 0;
  if (position != nullptr) *position = took_part ? static_cast<long>(span->begin) : -2;
  if (!took_part) return {};
  return searched_.substr(static_cast<std::size_t>(span->begin),
                          static_cast<std::size_t>(span->end - span->begin));
}

std::string RegexObject::MatchText(int match, long* position) const {
  return Span_Text(Find_Span(match, 0), position);
}

std::string RegexObject::SubMatchText(int match, int group, long* position) const {
  // Group 0 is not a group: groups count from 1.
  return Span_Text(group >= 1 ? Find_Span(match, group) : nullptr, position);
}

std::string RegexObject::Replace(std::string_view replacement) const {
  if (engine_ == nullptr) return {};
  const std::string_view searched(searched_);
  const int groups = groups_per_match_ - 1;
  auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  auto append_span = [&](std::string& out, const Span* span) {
    if (span != nullptr && span->begin >= 0) {
      out.append(searched.substr(static_cast<std::size_t>(span->begin),
                                 static_cast<std::size_t>(span->end - span->begin)));
    }
  };

  std::string out;
  out.reserve(searched.size());
  std::size_t copied = 0;  // searched text before this offset is already in `out`
  for (int match = 1; match <= match_count_; ++match) {
    const Span* whole = Find_Span(match, 0);
    const auto begin = static_cast<std::size_t>(whole->begin);
    const auto end = static_cast<std::size_t>(whole->end);
    out.append(searched.substr(copied, begin - copied));
    for (std::size_t i = 0; i < replacement.size(); ++i) {
      const char c = replacement[i];
      if (c != '$' || i + 1 == replacement.size()) {
        out.push_back(c);
        continue;
      }
      const char next = replacement[i + 1];
      if (next == '$') {
        out.push_back('$');
        ++i;
      } else if (next == '&') {
        out.append(searched.substr(begin, end - begin));
        ++i;
      } else if (next == '`') {
        out.append(searched.substr(0, begin));
        ++i;
      } else if (next == '\'') {
        out.append(searched.substr(end));
        ++i;
      } else if (is_digit(next)) {
        const int one = next - '0';
        const bool has_second = i + 2 < replacement.size() && is_digit(replacement[i + 2]);
        const int two = has_second ? one * 10 + (replacement[i + 2] - '0') : 0;
        if (has_second && two >= 1 && two <= groups) {
          append_span(out, Find_Span(match, two));
          i += 2;
        } else if (one >= 1 && one <= groups) {
          append_span(out, Find_Span(match, one));
          i += 1;
        } else {
          out.push_back('$');  // no such group: literal
        }
      } else {
        out.push_back('$');
      }
    }
    copied = end;
  }
  out.append(searched.substr(copied));
  return out;
}

}  // namespace mozhou
