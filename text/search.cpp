#include "text/search.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace jixia {
namespace {

bool IsLeadByte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// Bytes taken by the character starting at index i: two for a lead byte
// (one when the text ends after it), else one.
size_t CharLength(std::string_view text, size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlankAt(std::string_view text, size_t i) {
  if (text[i] == ' ') return true;
  return text[i] == '\xA1' && i + 1 < text.size() && text[i + 1] == '\xA1';
}

// Whether `needle` stands at index i of `text`. Folding applies only to ASCII
// letters: a two-byte character of the needle is compared exactly, trail byte
// included, so no Chinese character folds into another.
bool MatchesAt(std::string_view text, size_t i, std::string_view needle, bool ignoreCase) {
  if (needle.size() > text.size() - i) return false;
  if (!ignoreCase) return text.compare(i, needle.size(), needle) == 0;
  for (size_t k = 0; k < needle.size(); ++k) {
    const char n = needle[k];
    const char t = text[i + k];
    if (IsLeadByte(n)) {
      if (n != t) return false;
      if (k + 1 < needle.size()) {
        ++k;
        if (needle[k] != text[i + k]) return false;
      }
    } else if (FoldAscii(n) != FoldAscii(t)) {
      return false;
    }
  }
  return true;
}

// Exact-case searches use the library's byte search to jump to the next
// candidate, then walk character starts up to it: a candidate that lands inside
// a two-byte character is skipped, so the result is that of the character walk.
// Calls found(index) for each candidate at a character start in [from, end),
// with `from` itself a character start; stops when found returns true.
template <typename Found>
void ScanExact(std::string_view text, std::string_view needle, size_t from, size_t end,
               Found found) {
  size_t boundary = from;
  size_t pos = from;
  while (pos + needle.size() <= end) {
    const size_t at = text.substr(0, end).find(needle, pos);
    if (at == std::string_view::npos) return;
    while (boundary < at) boundary += CharLength(text, boundary);
    if (boundary == at && found(at)) return;
    pos = at + 1;
  }
}

}  // namespace

int FindText(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
  if (needle.empty()) return -1;
  if (start < 1) start = 1;
  if (static_cast<size_t>(start) > text.size()) return -1;
  const size_t from = static_cast<size_t>(start) - 1;
  if (!ignoreCase) {
    int result = -1;
    ScanExact(text, needle, from, text.size(), [&](size_t at) {
      result = static_cast<int>(at + 1);
      return true;
    });
    return result;
  }
  for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
    if (MatchesAt(text, i, needle, ignoreCase)) return static_cast<int>(i + 1);
  }
  return -1;
}

int FindTextBackward(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
  if (needle.empty() || start <= 1) return -1;
  const size_t limit = std::min(static_cast<size_t>(start) - 1, text.size());
  if (needle.size() > limit) return -1;
  const std::string_view searched = text.substr(0, limit);
  int found = -1;
  if (!ignoreCase) {
    ScanExact(searched, needle, 0, limit, [&](size_t at) {
      found = static_cast<int>(at + 1);
      return false;
    });
    return found;
  }
  for (size_t i = 0; i + needle.size() <= limit; i += CharLength(searched, i)) {
    if (MatchesAt(searched, i, needle, ignoreCase)) found = static_cast<int>(i + 1);
  }
  return found;
}

bool ContainsText(std::string_view text, std::string_view needle, bool ignoreCase) {
  return FindText(text, needle, 1, ignoreCase) != -1;
}

Text ReplaceAllText(std::string_view text, std::string_view find, std::string_view with,
                    bool ignoreCase) {
  if (find.empty()) return Text(text);
  Text out;
  out.reserve(text.size());
  size_t from = 0;  // 0-based index of the first byte not yet copied
  while (from < text.size()) {
    const int at = FindText(text, find, static_cast<int>(from + 1), ignoreCase);
    if (at == -1) break;
    const size_t index = static_cast<size_t>(at - 1);
    out.append(text.substr(from, index - from));
    out.append(with);
    from = index + find.size();
  }
  if (from < text.size()) out.append(text.substr(from));
  return out;
}

Text TrimBlanks(std::string_view text) {
  size_t first = text.size();
  size_t end = 0;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (IsBlankAt(text, i)) continue;
    if (first == text.size()) first = i;
    end = i + CharLength(text, i);
  }
  if (first == text.size()) return Text();
  return Text(text.substr(first, end - first));
}

Text RemoveBlanks(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (!IsBlankAt(text, i)) out.append(text.substr(i, CharLength(text, i)));
  }
  return out;
}

Text AsciiLower(std::string_view text) {
  Text out(text);
  for (size_t i = 0; i < out.size(); i += CharLength(out, i)) out[i] = FoldAscii(out[i]);
  return out;
}

std::vector<Text> SplitText(std::string_view text, std::string_view separator) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  size_t from = 0;
  while (from < text.size()) {
    const int at = FindText(text, separator, static_cast<int>(from + 1));
    if (at == -1) break;
    const size_t index = static_cast<size_t>(at - 1);
    pieces.emplace_back(text.substr(from, index - from));
    from = index + separator.size();
  }
  if (from < text.size()) pieces.emplace_back(text.substr(from));
  return pieces;
}

int TextToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace jixia
