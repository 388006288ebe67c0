#include "listing/sources/row_writing.h"

#include <utility>

#include "text/codepage.h"

namespace jixia::rows {

Text Pattern(std::string_view utf8) {
  std::string held;
  held.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\\' && i + 1 < utf8.size()) {
      const char next = utf8[i + 1];
      if (next == 'r' || next == 'n') {
        held += next == 'r' ? '\r' : '\n';
      } else {
        held += utf8[i];
        held += next;  // "\\" stays a pair, so it never starts a \r or \n
      }
      ++i;
      continue;
    }
    held += utf8[i];
  }
  return Utf8ToGbk(held);
}

Text Literal(std::string_view utf8) {
  return Utf8ToGbk(utf8);
}

FieldRule Rule(int column, From from, int group, std::vector<CleanStep> steps) {
  return {from, group, std::move(steps), column, false};
}

FieldRule CaptionRule(int column, From from, int group, std::vector<CleanStep> steps) {
  return {from, group, std::move(steps), column, true};
}

}  // namespace jixia::rows
