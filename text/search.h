// The program's one search rule over GBK texts, and the small text operations
// built on it. Candidates are character starts only: a two-byte character is
// never entered in its middle. With ignoreCase, only ASCII letters fold.
#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace jixia {

// Forward search: 1-based position of the first occurrence of `needle` at or
// after byte position `start` (below 1 counts as 1), or -1. A start beyond the
// last byte gives -1. An empty needle gives -1.
int FindText(std::string_view text, std::string_view needle, int start = 1,
             bool ignoreCase = false);

// Backward search within the first start - 1 bytes (the whole text when
// start - 1 exceeds its length): position of the last occurrence lying wholly
// inside them, or -1. An empty needle gives -1.
int FindTextBackward(std::string_view text, std::string_view needle, int start,
                     bool ignoreCase = false);

// True when FindText(text, needle, 1, ignoreCase) finds it.
bool ContainsText(std::string_view text, std::string_view needle, bool ignoreCase = false);

// Every occurrence of `find` (left to right, no overlap, by the search rule)
// replaced by `with`. An empty `find` returns the text unchanged.
Text ReplaceAllText(std::string_view text, std::string_view find, std::string_view with,
                    bool ignoreCase = false);

// Removes ASCII blanks (0x20) and GBK full-width blanks (A1 A1) at both ends.
// Tabs, CR and LF stay.
Text TrimBlanks(std::string_view text);

// Removes every ASCII blank and every full-width blank, wherever it stands.
Text RemoveBlanks(std::string_view text);

// ASCII A-Z to a-z; two-byte characters are left untouched.
Text AsciiLower(std::string_view text);

// Pieces between separators: adjacent separators give an empty piece, a
// separator at the very end gives none after it, the empty text gives none.
std::vector<Text> SplitText(std::string_view text, std::string_view separator);

// Decimal integer at the start of the text after any leading ASCII blanks and
// an optional sign; 0 when no digit follows. Saturates at the int range.
int TextToInt(std::string_view text);

}  // namespace jixia
