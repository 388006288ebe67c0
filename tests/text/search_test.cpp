#include "text/search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/codepage.h"

namespace jixia {
namespace {

// 丄 is the GBK pair 81 41: its second byte is the letter "A".
const std::string kTrailA = "\x81\x41";

TEST(FindText, CandidatesAreCharacterStartsOnly) {
  struct Case {
    std::string text, needle;
    int start;
    bool ignoreCase;
    int expected;
  } const kCases[] = {
      {kTrailA + "BC", "ABC", 1, false, -1},  // "A" is the tail of a two-byte character
      {kTrailA + "ABC", "ABC", 1, false, 3},
      {kTrailA + "BC", "abc", 1, true, -1},
      {"x" + kTrailA + "BC", "ABC", 3, false, 3},  // a start inside a character scans from there
      {"abcabc", "bc", 3, false, 5},
      {"abc", "c", 0, false, 3},   // below 1 counts as 1
      {"abc", "c", 4, false, -1},  // beyond the last byte
      {"abc", "", 1, false, -1},
      {"ab", "abc", 1, false, -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text + " / " + c.needle);
    EXPECT_EQ(FindText(c.text, c.needle, c.start, c.ignoreCase), c.expected);
  }
}

TEST(FindText, IgnoreCaseFoldsAsciiLettersOnly) {
  EXPECT_EQ(FindText("x SET-COOKIE: a", "Set-Cookie:", 1, true), 3);
  EXPECT_EQ(FindText("x SET-COOKIE: a", "Set-Cookie:", 1, false), -1);
  EXPECT_EQ(FindText("[@", "{`", 1, true), -1);  // neighbours of the letters stay distinct
  // 丄 (81 41) and 乤 (81 61) differ only in a trail byte that looks like A / a.
  EXPECT_EQ(FindText("\x81\x61", kTrailA, 1, true), -1);
  EXPECT_EQ(FindText("x\x81\x41y", "\x81\x41Y", 1, true), 2);
}

TEST(FindTextBackward, MatchMustLieInsideTheFirstStartMinusOneBytes) {
  struct Case {
    std::string text, needle;
    int start;
    int expected;
  } const kCases[] = {
      {"x/y/z", "/", 6, 4},       {"x/y/z", "/", 100, 4},  // more than the length: the whole text
      {"x/y/z", "/", 4, 2},                                // only "x/y" is searched
      {"x/y/z", "/", 1, -1},                               // nothing to search
      {"abab", "ab", 4, 1},                                // the second "ab" does not fit in "aba"
      {kTrailA + "A", "A", 4, 3},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text + " / " + c.needle + " / " + std::to_string(c.start));
    EXPECT_EQ(FindTextBackward(c.text, c.needle, c.start), c.expected);
  }
}

TEST(ReplaceAllText, LeftToRightWithoutOverlapAndOnCharacterStarts) {
  EXPECT_EQ(ReplaceAllText("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAllText(kTrailA + "A", "A", "-"), kTrailA + "-");
  EXPECT_EQ(ReplaceAllText("set-cookie: SET-COOKIE", "Set-Cookie", "Set-Cookie", true),
            "Set-Cookie: Set-Cookie");
  EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
}

TEST(TrimBlanks, RemovesAsciiAndFullWidthBlanksAtBothEnds) {
  const std::string full = "\xA1\xA1";
  struct Case {
    std::string text, trimmed, blankFree;
  } const kCases[] = {
      {full + " a b\t" + full, "a b\t", "ab\t"},
      {"\r\n x \r\n", "\r\n x \r\n", "\r\nx\r\n"},
      {"   ", "", ""},
      // 啊 (B0 A1) followed by a stray A1: no full-width blank in it.
      {"\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
      {"\xB0\xA1" + full, "\xB0\xA1", "\xB0\xA1"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TrimBlanks(c.text), c.trimmed);
    EXPECT_EQ(RemoveBlanks(c.text), c.blankFree);
  }
}

TEST(AsciiLower, LeavesTwoByteCharactersUntouched) {
  EXPECT_EQ(AsciiLower("HTTP://A" + kTrailA + "Z"), "http://a" + kTrailA + "z");
}

TEST(SplitText, EmptyPiecesBetweenButNotAfterSeparators) {
  struct Case {
    std::string text;
    std::vector<std::string> pieces;
  } const kCases[] = {
      {"a;b", {"a", "b"}}, {"a;;b", {"a", "", "b"}}, {"a;", {"a"}}, {";a", {"", "a"}}, {"", {}},
      {";", {""}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitText(c.text, ";"), c.pieces);
  }
  EXPECT_EQ(SplitText(kTrailA + "A", "A"), std::vector<std::string>{kTrailA});
}

TEST(TextToInt, ReadsLeadingDecimalDigits) {
  struct Case {
    const char* text;
    int value;
  } const kCases[] = {
      {"42", 42},
      {"  7x", 7},
      {"-3", -3},
      {"+5", 5},
      {"abc", 0},
      {"", 0},
      {"99999999999", INT32_MAX},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextToInt(c.text), c.value);
  }
}

}  // namespace
}  // namespace jixia
