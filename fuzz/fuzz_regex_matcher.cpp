// The matcher with a random pattern, subject and replacement: a pattern that
// does not compile gives false and empty answers, and every answer is GBK
// text taken from the subject.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "text/regex_matcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using jixia::fuzz::Check;
  jixia::fuzz::FuzzInput in(data, size);
  std::string pattern = in.Text();
  std::string subject = in.Text();
  std::string replacement = in.Text();
  bool caseSensitive = in.Flag(), multiline = in.Flag(), global = in.Flag(), quote = in.Flag();

  jixia::RegexMatcher matcher;
  bool compiled = matcher.Create(pattern, subject, caseSensitive, multiline, global, quote);
  int count = matcher.MatchCount();
  if (!compiled) Check(count == 0 && matcher.SubMatchCount() == 0, "failed Create kept matches");
  if (!global) Check(count <= 1, "non-global Create found more than one match");
  int groups = matcher.SubMatchCount();
  for (int i = 0; i <= count + 1; ++i) {
    matcher.MatchText(i);
    for (int j = 0; j <= groups + 1; ++j) matcher.SubMatch(i, j);
  }
  Check(matcher.MatchText(count + 1).empty(), "match beyond the count is not empty");
  matcher.Pattern();
  matcher.Replace(replacement);
  return 0;
}
