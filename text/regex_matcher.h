// One regular expression over one GBK subject, with 1-based match and group
// numbers and an empty answer for every failure. PCRE2 (8-bit, UTF mode, JIT
// when available): the subject is converted to UTF-8 for matching and every
// answer back to GBK. Newlines are LF only, so "." matches CR but not LF.
#pragma once

#include <memory>

#include "text/text.h"

namespace jixia {

class RegexMatcher {
 public:
  RegexMatcher();
  ~RegexMatcher();
  RegexMatcher(const RegexMatcher&) = delete;
  RegexMatcher& operator=(const RegexMatcher&) = delete;

  // Compiles `pattern` (GBK) and finds its matches in `subject` (GBK),
  // replacing whatever the matcher held. Letter case is ignored unless
  // caseSensitive; "^"/"$" match at line ends when multiline; every match is
  // found when global, else at most one. quoteMarker replaces "#引号" in the
  // pattern by a double quote. Returns false for a pattern that does not
  // compile; true otherwise, even with no match. A match that runs into the
  // engine's match or depth limit ends the match list there.
  bool Create(const Text& pattern, const Text& subject, bool caseSensitive = false,
              bool multiline = true, bool global = true, bool quoteMarker = false);

  // The pattern of the last Create (GBK), empty before any.
  Text Pattern() const;

  // The subject with the matches replaced by `replacement` (GBK; "$1" etc.
  // refer to groups), under the options of the last Create. The stored subject
  // is unchanged. Empty when there is no compiled pattern.
  Text Replace(const Text& replacement) const;

  // Number of matches of the last Create; 0 without one.
  int MatchCount() const;

  // Whole text of match i (1-based), GBK; empty when out of range.
  Text MatchText(int i) const;

  // Text captured by group j (1-based) of match i (1-based), GBK; empty when
  // either is out of range or the group took no part in the match.
  Text SubMatch(int i, int j) const;

  // Number of capture groups, read from the first match; 0 when there is none.
  int SubMatchCount() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace jixia
