#include "text/regex_matcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "text/codepage.h"

namespace jixia {
namespace {

Text G(std::string_view utf8) {
  return Utf8ToGbk(utf8);
}

int CountMatches(const Text& pattern, const Text& subject) {
  RegexMatcher m;
  EXPECT_TRUE(m.Create(pattern, subject)) << pattern;
  return m.MatchCount();
}

TEST(RegexMatcher, DefaultsIgnoreCaseAndDotStopsOnlyAtLineFeed) {
  struct Case {
    std::string pattern, subject;
    int count;
  } const kCases[] = {
      {"a.b", "aXb", 1},         {"a.b", "AxB", 1},    {"a.b", "a\nb", 0}, {"a.b", "a\rb", 1},
      {"a[\\s\\S]b", "a\nb", 1}, {"^b", "a\nb\nb", 2},  // anchors at every line start
      {"\\w+", G("中文ab"), 1},                         // \w is ASCII only
      {"\\<\\]\\?", "<]?", 1},                          // escaped punctuation is literal
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.pattern + " / " + c.subject);
    EXPECT_EQ(CountMatches(c.pattern, c.subject), c.count);
  }
}

TEST(RegexMatcher, MatchAndGroupNumbersAreOneBased) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("<(\\w)(\\d)?>", "<a1><b><c3>"));
  EXPECT_EQ(m.MatchCount(), 3);
  EXPECT_EQ(m.SubMatchCount(), 2);
  EXPECT_EQ(m.MatchText(1), "<a1>");
  EXPECT_EQ(m.MatchText(2), "<b>");
  EXPECT_EQ(m.MatchText(3), "<c3>");
  EXPECT_EQ(m.SubMatch(1, 1), "a");
  EXPECT_EQ(m.SubMatch(2, 2), "");  // optional group absent
  EXPECT_EQ(m.SubMatch(3, 2), "3");
  for (const auto& [i, j] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 3}, {-1, -1}}) {
    SCOPED_TRACE(std::to_string(i) + "," + std::to_string(j));
    EXPECT_EQ(m.SubMatch(i, j), "");
  }
  EXPECT_EQ(m.MatchText(0), "");
  EXPECT_EQ(m.MatchText(4), "");
}

TEST(RegexMatcher, BadPatternGivesFalseAndEmptyAnswers) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("(a)", "a a"));
  EXPECT_FALSE(m.Create("(abc", "abc"));
  EXPECT_EQ(m.Pattern(), "(abc");
  EXPECT_EQ(m.MatchCount(), 0);
  EXPECT_EQ(m.SubMatchCount(), 0);
  EXPECT_EQ(m.MatchText(1), "");
  EXPECT_EQ(m.SubMatch(1, 1), "");
  EXPECT_EQ(m.Replace("x"), "");

  RegexMatcher fresh;
  EXPECT_EQ(fresh.Pattern(), "");
  EXPECT_EQ(fresh.MatchCount(), 0);
  EXPECT_EQ(fresh.Replace("x"), "");
}

TEST(RegexMatcher, SecondCreateAnswersOnlyForTheSecondSubject) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("(\\d)", "1 2 3"));
  ASSERT_TRUE(m.Create("([a-z])", "x"));
  EXPECT_EQ(m.Pattern(), "([a-z])");
  EXPECT_EQ(m.MatchCount(), 1);
  EXPECT_EQ(m.SubMatch(1, 1), "x");
  EXPECT_EQ(m.MatchText(2), "");
  ASSERT_TRUE(m.Create("nothing", "x"));
  EXPECT_EQ(m.MatchCount(), 0);
}

TEST(RegexMatcher, ChineseSubjectComesBackAsTheSameGbk) {
  const Text subject = G("<li>标题一</li>\r\n<li>镕喆 ok</li><p>作者：张三</p>");
  RegexMatcher m;
  ASSERT_TRUE(m.Create("<li>(.*?)</li>", subject));
  ASSERT_EQ(m.MatchCount(), 2);
  EXPECT_EQ(m.SubMatch(1, 1), G("标题一"));
  EXPECT_EQ(m.SubMatch(2, 1), G("镕喆 ok"));
  ASSERT_TRUE(m.Create(G("作者：(.)(.)"), subject));  // one "." is one Chinese character
  EXPECT_EQ(m.SubMatch(1, 1), G("张"));
  EXPECT_EQ(m.SubMatch(1, 2), G("三"));
  // A bad byte in the page does not stop matching; it comes back as "?".
  ASSERT_TRUE(m.Create("a(.)b",
                       "a\xFF"
                       "b"));
  EXPECT_EQ(m.SubMatch(1, 1), "?");
}

TEST(RegexMatcher, OptionsOfCreate) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("abc", "ABC abc", true));
  EXPECT_EQ(m.MatchCount(), 1);
  ASSERT_TRUE(m.Create("^b", "a\nb", false, false));
  EXPECT_EQ(m.MatchCount(), 0);
  ASSERT_TRUE(m.Create("b", "bbb", false, true, false));
  EXPECT_EQ(m.MatchCount(), 1);
  const Text quoted = G("name=#引号(.*?)#引号");
  ASSERT_TRUE(m.Create(quoted, "name=\"v\"", false, true, true, true));
  EXPECT_EQ(m.Pattern(), "name=\"(.*?)\"");
  EXPECT_EQ(m.SubMatch(1, 1), "v");
  ASSERT_TRUE(m.Create(quoted, "name=\"v\""));
  EXPECT_EQ(m.MatchCount(), 0);
}

TEST(RegexMatcher, EmptyMatchesAdvanceOneCharacter) {
  struct Case {
    std::string pattern, subject;
    int count;
  } const kCases[] = {
      {"x*", "axb", 4},    // "", "x", "", ""
      {"", G("中文"), 3},  // between characters, never inside one
      {"$", "a\nb", 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.pattern + " / " + c.subject);
    EXPECT_EQ(CountMatches(c.pattern, c.subject), c.count);
  }
  RegexMatcher m;
  ASSERT_TRUE(m.Create("x*", "axb"));
  EXPECT_EQ(m.MatchText(2), "x");
}

TEST(RegexMatcher, ReplaceExpandsDollarReferences) {
  struct Case {
    std::string replacement, expected;
  } const kCases[] = {
      {"[$2$1]", "[1a] [2b]"}, {"$&$&", "a1a1 b2b2"}, {"$$", "$ $"},  {"$", "$ $"},
      {"$3", "$3 $3"},         {"$12", "a2 b2"},      {"$`", " a1 "}, {"$'", " b2 "},
  };
  RegexMatcher m;
  ASSERT_TRUE(m.Create("([a-z])(\\d)", "a1 b2"));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.replacement);
    EXPECT_EQ(m.Replace(c.replacement), c.expected);
  }
  EXPECT_EQ(m.MatchText(1), "a1");  // the stored matches stay

  ASSERT_TRUE(m.Create("(\\d)", "1 2", false, true, false));
  EXPECT_EQ(m.Replace("<$1>"), "<1> 2");
  ASSERT_TRUE(m.Create(G("标(.)"), G("标题 标签")));
  EXPECT_EQ(m.Replace(G("「$1」")), G("「题」 「签」"));
  ASSERT_TRUE(m.Create("z", G("中")));
  EXPECT_EQ(m.Replace("y"), G("中"));
}

// A listing row of forum A and its main pattern.
const std::string kRowPattern =
    "<em>\\[\\<a href=\".*?\">(.*?)\\]\\</em> <a href=\"(.*?)\" onclick=\"atarget\\(this\\)\" "
    "class=\"s xst\">(.*?)</a>[\\s\\S]*?\r\n<a href=\".*?\" c=\"1\" "
    "style=\"(.*?)</a></cite>\r\n<em>(.*?)</em>\r\n</td>\r";
const std::string kRowStart =
    "<em>[<a href=\"t\">kind]</em> <a href=\"u\" onclick=\"atarget(this)\" class=\"s xst\">T</a>";
const std::string kRow =
    kRowStart + "\r\n<a href=\"q\" c=\"1\" style=\"s</a></cite>\r\n<em>d</em>\r\n</td>\r\n";

TEST(RegexMatcher, PageWhoseTailNeverCompletesEndsInBoundedTime) {
  std::string page;
  for (int i = 0; i < 3; ++i) page += kRow;
  const std::string broken = kRowStart + "\r\n<a href=\"q\" c=\"2\">\r\n";
  while (page.size() < 1'000'000) page += broken;

  const auto begin = std::chrono::steady_clock::now();
  RegexMatcher m;
  ASSERT_TRUE(m.Create(kRowPattern, page));
  const auto elapsed = std::chrono::steady_clock::now() - begin;
  EXPECT_EQ(m.MatchCount(), 3);
  EXPECT_LT(elapsed, std::chrono::seconds(3));
}

TEST(RegexMatcher, MatchLimitKeepsTheMatchesFoundBeforeIt) {
  // Exponential backtracking on the run of "a"s after the first match.
  RegexMatcher m;
  ASSERT_TRUE(m.Create("(?:a|a)+[bc]", "ab " + std::string(40, 'a') + "!ac"));
  EXPECT_EQ(m.MatchCount(), 1);
  EXPECT_EQ(m.MatchText(1), "ab");
}

TEST(RegexMatcher, LongLazySpanWithinARowStillMatches) {
  const std::string filler(50'000, 'x');
  RegexMatcher m;
  ASSERT_TRUE(m.Create("<b>([\\s\\S]*?)</b>", "<b>" + filler + "\r\n</b><b>2</b>"));
  EXPECT_EQ(m.MatchCount(), 2);
  EXPECT_EQ(m.SubMatch(2, 1), "2");
}

}  // namespace
}  // namespace jixia
