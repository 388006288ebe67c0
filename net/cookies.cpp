#include "net/cookies.h"

#include <vector>

#include "text/markers.h"
#include "text/search.h"

namespace jixia {
namespace {

constexpr std::string_view kDeletedSuffix = "=deleted";

// The part of an item before its first "=", trimmed; the whole item trimmed
// when it has none.
Text CookieName(const Text& item) {
  const int eq = FindText(item, "=");
  return TrimBlanks(eq == -1 ? std::string_view(item) : std::string_view(item).substr(0, eq - 1));
}

bool EndsDeleted(const Text& item) {
  if (item.size() < kDeletedSuffix.size()) return item == kDeletedSuffix;
  return std::string_view(item).substr(item.size() - kDeletedSuffix.size()) == kDeletedSuffix;
}

// Drops the final "; " a joining loop left; shorter texts become empty.
void DropLastTwo(Text& text) {
  text.resize(text.size() >= 2 ? text.size() - 2 : 0);
}

}  // namespace

Text CollectCookies(const Text& headerBlock) {
  const Text block = ReplaceAllText(headerBlock, "Set-Cookie", "Set-Cookie", true);
  Text result;
  for (const Text& line : SplitText(block, "\r\n")) {
    if (!ContainsText(line, "Set-Cookie")) continue;
    const Text value = ContainsText(line, ";") ? TextBetween(line, "Set-Cookie:", ";")
                                               : ReplaceAllText(line, "Set-Cookie:", "", true);
    result += TrimBlanks(value);
    result += "; ";
  }
  DropLastTwo(result);
  return result;
}

Text CookieMerge(Text& cookies, Text& incoming) {
  cookies = RemoveBlanks(cookies);
  incoming = RemoveBlanks(incoming);
  std::vector<Text> merged = SplitText(incoming, ";");
  for (const Text& sent : SplitText(cookies, ";")) {
    const Text name = CookieName(sent);
    bool known = false;
    for (const Text& item : merged) {
      if (CookieName(item) == name) {
        known = true;
        break;
      }
    }
    if (!known) merged.push_back(sent);
  }
  Text joined;
  for (const Text& item : merged) {
    if (EndsDeleted(item)) continue;
    joined += item;
    joined += "; ";
  }
  DropLastTwo(joined);
  std::vector<Text> kept;
  for (const Text& item : SplitText(joined, "; ")) {
    bool repeated = false;
    for (const Text& k : kept) {
      if (k == item) {
        repeated = true;
        break;
      }
    }
    if (!repeated) kept.push_back(item);
  }
  Text result;
  for (size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) result += "; ";
    result += kept[i];
  }
  cookies = result;
  return result;
}

}  // namespace jixia
