#include "text/markers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/codepage.h"

namespace jixia {
namespace {

Text G(std::string_view utf8) {
  return Utf8ToGbk(utf8);
}

TEST(TextBetween, CutsBetweenFirstLeftAndNextRight) {
  struct Case {
    std::string text, left, right, expected;
  } const kCases[] = {
      {"Set-Cookie: a=1; path=/", "Set-Cookie:", ";", " a=1"},
      {"Set-Cookie: a=1", "Set-Cookie:", ";", ""},  // no right marker: nothing
      {"<b>1</b><b>2</b>", "<b>", "</b>", "1"},     // first left marker wins
      {"x</b><b>2</b>", "<b>", "</b>", "2"},        // right only after the left
      {"ab", "a", "b", ""},                         // right follows at once
      {"abc", "x", "c", ""},
      {"abc", "c", "", ""},
      {G("标题：中文。"), G("标题："), G("。"), G("中文")},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextBetween(c.text, c.left, c.right), c.expected);
  }
}

TEST(TextBetween, QuoteWordStandsForADoubleQuote) {
  const Text quote = G("#引号");
  EXPECT_EQ(TextBetween("x name=\"abc\" y", "name=" + quote, quote), "abc");
  // The word is not replaced inside the text itself.
  EXPECT_EQ(TextBetween("a" + quote + "b" + quote, "a" + quote, quote), "");
  EXPECT_EQ(QuoteMarker(quote + quote + "#"), "\"\"#");
}

TEST(TextBetween, StartLimitsOnlyTheLeftMarker) {
  EXPECT_EQ(TextBetween("[1][2]", "[", "]", 2), "2");
  EXPECT_EQ(TextBetween("a] [b]", "[", "]", 3), "b");
  EXPECT_EQ(TextBetween("x SET-Cookie: v;", "set-cookie:", ";", 1, true), " v");
  EXPECT_EQ(TextBetween("x SET-Cookie: v;", "set-cookie:", ";"), "");
}

TEST(TextAfterLast, TakesEverythingAfterTheLastMarker) {
  struct Case {
    std::string text, marker;
    std::optional<int> start;
    std::string expected;
  } const kCases[] = {
      {"x/y/z", "/", std::nullopt, "z"},
      {"x/y/", "/", std::nullopt, ""},
      {"xyz", "/", std::nullopt, ""},
      {"x/y/z", "/", 1, ""},  // an explicit start of 1 searches nothing
      {"x/y/z", "/", 4, "y/z"},
      {"a|\x81\x7C"
       "b",
       "|", std::nullopt,
       "\x81\x7C"
       "b"},  // 81 7C is one character
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextAfterLast(c.text, c.marker, c.start), c.expected);
  }
}

TEST(TextBefore, TakesEverythingBeforeTheFirstMarker) {
  const std::string marker = "</a></span><a ";
  struct Case {
    std::string text;
    int start;
    std::string expected;
  } const kCases[] = {
      {"one" + marker + "two" + marker, 1, "one"},
      {marker + "two", 1, ""},
      {"one" + marker + "two" + marker, 5, "one" + marker + "two"},  // bytes before start kept
      {"one" + marker, -3, "one"},
      {"none", 1, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextBefore(c.text, marker, c.start), c.expected);
  }
}

}  // namespace
}  // namespace jixia
