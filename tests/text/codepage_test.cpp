#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace jixia {
namespace {

constexpr std::string_view kFffd = "\xEF\xBF\xBD";

TEST(Codepage, ChineseRoundTripsThroughUtf8AndUtf16) {
  const Text gbk = Utf8ToGbk("获取 a€");
  EXPECT_EQ(gbk, "\xBB\xF1\xC8\xA1 a\x80");  // CP936 holds the euro sign at 0x80
  EXPECT_EQ(GbkToUtf8(gbk), "获取 a€");
  const Bytes utf16 = GbkToUtf16(gbk);
  EXPECT_EQ(utf16, std::string("\xB7\x83\xD6\x53\x20\x00\x61\x00\xAC\x20\x00\x00", 12));
  EXPECT_EQ(GbkToUtf16(gbk, true), utf16.substr(0, 10));
  EXPECT_EQ(Utf16ToGbk(utf16), gbk);
  EXPECT_EQ(GbkToUtf16(""), "");
}

TEST(Codepage, BadGbkBytesBecomeReplacementAndTheRestIsKept) {
  struct Case {
    std::string gbk;
    std::string utf8;
  } const kCases[] = {
      {"a\xB0", "a" + std::string(kFffd)},                           // lead byte cut off
      {"\xB0 b\xB0\xA1", std::string(kFffd) + " b啊"},               // lead byte before ASCII
      {"\xFF\xFFz", std::string(kFffd) + std::string(kFffd) + "z"},  // never a lead byte
      {std::string("x\0y", 3), std::string("x\0y", 3)},              // NUL is kept
      {"<\x81\x40>", "<丂>"},                                        // ASCII trail byte
      {"\xB0\xA1\x81", "啊" + std::string(kFffd)},  // lead byte cut off after a character
      {"\xB0\xA1\xB0 \xB0\xA1", "啊" + std::string(kFffd) + " 啊"},  // bad pair between characters
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.gbk);
    EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
  }
}

TEST(Codepage, CharactersGbkCannotHoldBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string gbk;
  } const kCases[] = {
      {"a😀b", "a?b"},             // outside the BMP
      {"x한y", "x?y"},            // Hangul syllable
      {"\xC3(中", "?(\xD6\xD0"},  // broken UTF-8: one "?" per bad byte
      {"\xE4\xB8", "??"},         // cut-off sequence
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
  }
}

TEST(Codepage, Utf16StopsAtNulAndMarksUnpairedSurrogates) {
  EXPECT_EQ(Utf16ToGbk(std::string("a\0\0\0b\0", 6)), "a");
  EXPECT_EQ(Utf16ToGbk(std::string("\x00\xD8q\0", 4)), "?q");
  EXPECT_EQ(Utf16ToGbk(std::string("\x3D\xD8\x00\xDE", 4)), "?");  // U+1F600, not in GBK
}

TEST(Codepage, DeclaredCharsetsDecodeToGbk) {
  Text out = "untouched";
  EXPECT_TRUE(DecodeCharsetToGbk("中文", "UTF-8", &out));
  EXPECT_EQ(out, Utf8ToGbk("中文"));
  // 镕 exists only in GBK; a page that says gb2312 is still read as CP936.
  const Text gbkOnly = Utf8ToGbk("镕");
  EXPECT_TRUE(DecodeCharsetToGbk(gbkOnly, "gb2312", &out));
  EXPECT_EQ(out, gbkOnly);
  EXPECT_TRUE(DecodeCharsetToGbk("ok\xFF", "utf-8", &out));
  EXPECT_EQ(out, "ok?");
  EXPECT_TRUE(DecodeCharsetToGbk("\xA4\xA4", "big5", &out));
  EXPECT_EQ(out, Utf8ToGbk("中"));

  out = "untouched";
  for (const char* name : {"x-gbk", "", "utf-8//IGNORE", "no such charset"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(DecodeCharsetToGbk("abc", name, &out));
    EXPECT_EQ(out, "untouched");
  }
}

}  // namespace
}  // namespace jixia
