// Cutting one piece out of a GBK text by literal markers, with the search rule
// of text/search.h. They never fail: whatever is missing gives the empty text.
#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace jixia {

// Replaces every "#引号" (GBK) in `text` by one double quotation mark.
Text QuoteMarker(std::string_view text);

// The text between the first `left` at or after `start` and the next `right`
// after the end of that left marker. "#引号" in either marker stands for a
// double quotation mark. Empty when either marker is missing.
Text TextBetween(std::string_view text, std::string_view left, std::string_view right,
                 int start = 1, bool ignoreCase = false);

// The text after the last occurrence of `marker` found by a backward search
// from `start` (default: length + 1, the whole text). Empty when none.
Text TextAfterLast(std::string_view text, std::string_view marker,
                   std::optional<int> start = std::nullopt, bool ignoreCase = false);

// The text before the first occurrence of `marker` at or after `start` (0 or
// below counts as 1); bytes before `start` are included. Empty when none.
Text TextBefore(std::string_view text, std::string_view marker, int start = 1,
                bool ignoreCase = false);

}  // namespace jixia
