// The search rule and the marker helpers over random GBK texts: results must
// lie inside the text, start at character starts and agree with the needle.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "text/markers.h"
#include "text/search.h"

namespace {

using jixia::fuzz::Check;

// Whether a walk character by character from byte `from` reaches `position`.
bool IsCharStart(const std::string& text, int from, int position) {
  int p = from;
  while (p < position) p += static_cast<unsigned char>(text[p - 1]) >= 0x80 ? 2 : 1;
  return p == position;
}

char Fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameAt(const std::string& text, int position, const std::string& needle, bool ignoreCase) {
  if (position < 1 || position - 1 + needle.size() > text.size()) return false;
  for (size_t i = 0; i < needle.size(); ++i) {
    char a = text[position - 1 + i], b = needle[i];
    if (ignoreCase ? Fold(a) != Fold(b) : a != b) return false;
  }
  return true;
}

bool IsPart(const std::string& whole, const std::string& part) {
  return part.empty() || whole.find(part) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  jixia::fuzz::FuzzInput in(data, size);
  std::string text = in.Text();
  std::string needle = in.Text();
  std::string other = in.Text();
  int start = in.Int();
  bool ignoreCase = in.Flag();
  const int length = static_cast<int>(text.size());

  int found = jixia::FindText(text, needle, start, ignoreCase);
  if (found != -1) {
    Check(found >= std::max(start, 1), "FindText before start");
    Check(IsCharStart(text, std::max(start, 1), found), "FindText inside a character");
    Check(SameAt(text, found, needle, ignoreCase), "FindText position does not match");
  }
  int back = jixia::FindTextBackward(text, needle, start, ignoreCase);
  if (back != -1) {
    Check(back - 1 + static_cast<int>(needle.size()) <= std::min(start - 1, length),
          "FindTextBackward match outside the searched bytes");
    Check(IsCharStart(text, 1, back), "FindTextBackward inside a character");
    Check(SameAt(text, back, needle, ignoreCase), "FindTextBackward position does not match");
  }
  Check(jixia::ContainsText(text, needle, ignoreCase) ==
            (jixia::FindText(text, needle, 1, ignoreCase) != -1),
        "ContainsText disagrees with FindText");

  Check(IsPart(text, jixia::TextBetween(text, needle, other, start, ignoreCase)),
        "TextBetween result not part of the text");
  std::string after = jixia::TextAfterLast(text, needle);
  Check(after.size() <= text.size() && text.ends_with(after), "TextAfterLast not a suffix");
  jixia::TextAfterLast(text, needle, start, ignoreCase);
  std::string before = jixia::TextBefore(text, needle, start, ignoreCase);
  Check(text.starts_with(before), "TextBefore not a prefix");
  jixia::QuoteMarker(text);

  std::string replaced = jixia::ReplaceAllText(text, needle, other, ignoreCase);
  if (needle == other && !ignoreCase) Check(replaced == text, "ReplaceAllText changed the text");
  Check(IsPart(text, jixia::TrimBlanks(text)), "TrimBlanks result not part of the text");
  Check(jixia::RemoveBlanks(text).size() <= text.size(), "RemoveBlanks grew the text");
  Check(jixia::AsciiLower(text).size() == text.size(), "AsciiLower changed the length");
  jixia::TextToInt(text);

  if (!needle.empty()) {
    std::string joined;
    std::vector<std::string> pieces = jixia::SplitText(text, needle);
    for (size_t i = 0; i < pieces.size(); ++i) joined += (i ? needle : "") + pieces[i];
    Check(joined == text || joined + needle == text, "SplitText pieces do not rebuild the text");
  }
  return 0;
}
