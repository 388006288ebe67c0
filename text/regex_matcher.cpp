#define PCRE2_CODE_UNIT_WIDTH 8
#include "text/regex_matcher.h"

#include <pcre2.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "text/codepage.h"
#include "text/markers.h"

namespace jixia {
namespace {

// PCRE2 counts the match limit per start position, about one step per
// subject byte that a lazy "[\s\S]*?" walks over. A listing row needs a few
// thousand; a start that walks further than about 80 KB without completing
// ends the match list. That bounds a page whose tail starts many matches that
// never complete (each later start walks less than the limit) to well under
// a second with JIT instead of minutes.
constexpr uint32_t kMatchLimit = 100'000;
constexpr uint32_t kDepthLimit = 100'000;
constexpr PCRE2_SIZE kJitStackStart = 64 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 8 * 1024 * 1024;

// Offsets into the UTF-8 subject: group 0 (whole match) first, PCRE2_UNSET
// for groups that took no part.
struct Match {
  std::vector<PCRE2_SIZE> offsets;  // start, end per group
};

template <auto Free>
struct PcreDeleter {
  template <typename T>
  void operator()(T* p) const {
    Free(p);
  }
};
using CompileContext =
    std::unique_ptr<pcre2_compile_context, PcreDeleter<pcre2_compile_context_free>>;
using MatchContext = std::unique_ptr<pcre2_match_context, PcreDeleter<pcre2_match_context_free>>;
using MatchData = std::unique_ptr<pcre2_match_data, PcreDeleter<pcre2_match_data_free>>;
using JitStack = std::unique_ptr<pcre2_jit_stack, PcreDeleter<pcre2_jit_stack_free>>;

// Length of the UTF-8 character starting at byte i (the subject is valid UTF-8).
size_t Utf8CharLength(const std::string& s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  return std::min(n, s.size() - i);
}

}  // namespace

struct RegexMatcher::State {
  Text pattern;
  std::string subject;  // UTF-8
  pcre2_code* code = nullptr;
  int groupCount = 0;
  std::vector<Match> matches;

  ~State() { Release(); }

  void Release() {
    pcre2_code_free(code);
    code = nullptr;
    groupCount = 0;
    subject.clear();
    matches.clear();
  }

  Text Group(const Match& m, int j) const {
    const size_t k = static_cast<size_t>(j) * 2;
    if (k + 1 >= m.offsets.size() || m.offsets[k] == PCRE2_UNSET) return Text();
    return Utf8ToGbk(
        std::string_view(subject).substr(m.offsets[k], m.offsets[k + 1] - m.offsets[k]));
  }
};

RegexMatcher::RegexMatcher() : state_(std::make_unique<State>()) {}
RegexMatcher::~RegexMatcher() = default;

bool RegexMatcher::Create(const Text& pattern, const Text& subject, bool caseSensitive,
                          bool multiline, bool global, bool quoteMarker) {
  State& s = *state_;
  s.Release();
  s.pattern = quoteMarker ? QuoteMarker(pattern) : pattern;

  const std::string patternUtf8 = GbkToUtf8(s.pattern);
  uint32_t options = PCRE2_UTF | PCRE2_DOLLAR_ENDONLY;
  if (!caseSensitive) options |= PCRE2_CASELESS;
  if (multiline) options |= PCRE2_MULTILINE;

  const CompileContext compileContext(pcre2_compile_context_create(nullptr));
  if (!compileContext) return false;
  pcre2_set_newline(compileContext.get(), PCRE2_NEWLINE_LF);
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  s.code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(patternUtf8.data()), patternUtf8.size(),
                         options, &errorCode, &errorOffset, compileContext.get());
  if (s.code == nullptr) return false;
  const bool jit = pcre2_jit_compile(s.code, PCRE2_JIT_COMPLETE) == 0;
  uint32_t captureCount = 0;
  pcre2_pattern_info(s.code, PCRE2_INFO_CAPTURECOUNT, &captureCount);
  s.groupCount = static_cast<int>(captureCount);

  s.subject = GbkToUtf8(subject);

  const MatchData data(pcre2_match_data_create_from_pattern(s.code, nullptr));
  const MatchContext matchContext(pcre2_match_context_create(nullptr));
  const JitStack jitStack(jit ? pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr)
                              : nullptr);
  if (!data || !matchContext) {
    s.Release();
    return false;
  }
  pcre2_set_match_limit(matchContext.get(), kMatchLimit);
  pcre2_set_depth_limit(matchContext.get(), kDepthLimit);
  if (jitStack) pcre2_jit_stack_assign(matchContext.get(), nullptr, jitStack.get());

  const auto* subjectPtr = reinterpret_cast<PCRE2_SPTR>(s.subject.data());
  const PCRE2_SIZE length = s.subject.size();
  PCRE2_SIZE offset = 0;
  // The subject comes from the converter and is valid UTF-8; PCRE2 checks it
  // on the first call, later calls skip the check (it would cost the whole
  // subject per match).
  uint32_t matchOptions = 0;
  const size_t slots = static_cast<size_t>(s.groupCount + 1) * 2;
  while (offset <= length) {
    const int rc = pcre2_match(s.code, subjectPtr, length, offset, matchOptions, data.get(),
                               matchContext.get());
    // No match, or a limit (match, depth, heap, JIT stack) reached: the list
    // ends with the matches found so far.
    if (rc < 0) break;
    matchOptions = PCRE2_NO_UTF_CHECK;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
    Match m;
    m.offsets.assign(ovector, ovector + slots);
    // Groups after the last one set are reported unset whatever the ovector holds.
    for (size_t k = static_cast<size_t>(rc) * 2; k < slots; ++k) m.offsets[k] = PCRE2_UNSET;
    // \K inside a lookahead can put the start after the end.
    if (m.offsets[0] > m.offsets[1]) m.offsets[0] = m.offsets[1];
    s.matches.push_back(std::move(m));
    if (!global) break;
    PCRE2_SIZE next = ovector[1];
    if (ovector[0] >= ovector[1]) {
      // After an empty match the next search starts one character later.
      next = std::max(next, offset);
      if (next >= length) break;
      next += Utf8CharLength(s.subject, next);
    }
    offset = next;
  }
  return true;
}

Text RegexMatcher::Pattern() const {
  return state_->pattern;
}

Text RegexMatcher::Replace(const Text& replacement) const {
  const State& s = *state_;
  if (s.code == nullptr) return Text();
  // Expanded in the engine's dialect: $$, $&, $`, $', $n and $nn (the longest
  // number naming an existing group); any other "$" is literal.
  const std::string with = GbkToUtf8(replacement);
  std::string out;
  PCRE2_SIZE copied = 0;
  for (const Match& m : s.matches) {
    // A start before the previous end (possible with \K) copies nothing twice.
    const PCRE2_SIZE start = std::max(m.offsets[0], copied);
    const PCRE2_SIZE end = std::max(m.offsets[1], start);
    out.append(s.subject, copied, start - copied);
    for (size_t i = 0; i < with.size(); ++i) {
      const char c = with[i];
      const char next = i + 1 < with.size() ? with[i + 1] : '\0';
      if (c != '$' || i + 1 >= with.size()) {
        out.push_back(c);
        continue;
      }
      if (next == '$') {
        out.push_back('$');
        ++i;
      } else if (next == '&') {
        out.append(s.subject, start, end - start);
        ++i;
      } else if (next == '`') {
        out.append(s.subject, 0, start);
        ++i;
      } else if (next == '\'') {
        out.append(s.subject, end, std::string::npos);
        ++i;
      } else if (next >= '0' && next <= '9') {
        int group = next - '0';
        size_t used = 1;
        if (i + 2 < with.size() && with[i + 2] >= '0' && with[i + 2] <= '9') {
          const int two = group * 10 + (with[i + 2] - '0');
          if (two >= 1 && two <= s.groupCount) {
            group = two;
            used = 2;
          }
        }
        if (group < 1 || group > s.groupCount) {
          out.push_back(c);
          continue;
        }
        const size_t k = static_cast<size_t>(group) * 2;
        if (m.offsets[k] != PCRE2_UNSET) {
          out.append(s.subject, m.offsets[k], m.offsets[k + 1] - m.offsets[k]);
        }
        i += used;
      } else {
        out.push_back(c);
      }
    }
    copied = end;
  }
  out.append(s.subject, copied, std::string::npos);
  return Utf8ToGbk(out);
}

int RegexMatcher::MatchCount() const {
  return static_cast<int>(state_->matches.size());
}

Text RegexMatcher::MatchText(int i) const {
  if (i < 1 || i > MatchCount()) return Text();
  return state_->Group(state_->matches[static_cast<size_t>(i - 1)], 0);
}

Text RegexMatcher::SubMatch(int i, int j) const {
  if (i < 1 || i > MatchCount() || j < 1 || j > state_->groupCount) return Text();
  return state_->Group(state_->matches[static_cast<size_t>(i - 1)], j);
}

int RegexMatcher::SubMatchCount() const {
  return MatchCount() == 0 ? 0 : state_->groupCount;
}

}  // namespace jixia
