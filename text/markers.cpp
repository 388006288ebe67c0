#include "text/markers.h"

#include "text/codepage.h"
#include "text/search.h"

namespace jixia {

Text QuoteMarker(std::string_view text) {
  static const Text kQuoteWord = Utf8ToGbk("#引号");
  return ReplaceAllText(text, kQuoteWord, "\"");
}

Text TextBetween(std::string_view text, std::string_view left, std::string_view right, int start,
                 bool ignoreCase) {
  const Text quotedLeft = QuoteMarker(left);
  const Text quotedRight = QuoteMarker(right);
  int a = FindText(text, quotedLeft, start, ignoreCase);
  if (a == -1) return Text();
  a += static_cast<int>(quotedLeft.size());
  const int b = FindText(text, quotedRight, a, ignoreCase);
  if (b == -1) return Text();
  return Text(text.substr(static_cast<size_t>(a - 1), static_cast<size_t>(b - a)));
}

Text TextAfterLast(std::string_view text, std::string_view marker, std::optional<int> start,
                   bool ignoreCase) {
  const int from = start.value_or(static_cast<int>(text.size()) + 1);
  const int a = FindTextBackward(text, marker, from, ignoreCase);
  if (a == -1) return Text();
  return Text(text.substr(static_cast<size_t>(a - 1) + marker.size()));
}

Text TextBefore(std::string_view text, std::string_view marker, int start, bool ignoreCase) {
  const int a = FindText(text, marker, start < 1 ? 1 : start, ignoreCase);
  if (a == -1) return Text();
  return Text(text.substr(0, static_cast<size_t>(a - 1)));
}

}  // namespace jixia
