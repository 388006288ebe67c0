// Cleaning steps: every branch, the search rule over two-byte characters and
// letter case.
#include "listing/clean_steps.h"

#include <gtest/gtest.h>

#include "listing_test_support.h"

namespace jixia::test {
namespace {

struct StepCase {
  const char* name;
  std::vector<CleanStep> steps;
  std::string value;     // UTF-8
  std::string expected;  // UTF-8
};

TEST(CleanSteps, EachStepAndBranch) {
  const Text title = R"(title=")";
  const StepCase cases[] = {
      {"ampersand entity",
       {ReplaceAll("amp;", "")},
       "a.php?x=1&amp;y=2&amp;z=3",
       "a.php?x=1&y=2&z=3"},
      {"keep before: first marker",
       {KeepBefore("</a></span><a ")},
       "羊毛君</a></span><a x</a></span><a ",
       "羊毛君"},
      {"keep before: marker missing", {KeepBefore("</a></span><a ")}, "羊毛君", ""},
      {"keep before: marker first", {KeepBefore("</a></span><a ")}, "</a></span><a x", ""},
      {"keep after last", {KeepAfterLast(">")}, R"(color: red;">张三)", "张三"},
      {"keep after last: second key",
       {KeepAfterLast("sousuo.asp?ssYongHu=")},
       "sousuo.asp?ssYongHu=a&b=sousuo.asp?ssYongHu=kk",
       "kk"},
      {"keep after last: marker at end", {KeepAfterLast(">")}, "abc>", ""},
      {"keep after last: missing", {KeepAfterLast(">")}, "abc", ""},
      {"keep between",
       {KeepBetween(title, R"(")")},
       R"(<span title="2024-3-5">3 天前)",
       "2024-3-5"},
      {"keep between: right missing", {KeepBetween(title, R"(" />)")}, R"(title="x">)", ""},
      {"keep between: same marker twice", {KeepBetween(title, title)}, R"(a title="x" />)", ""},
      {"if contains: then",
       {IfContains("</font></a>", {KeepBefore("</font></a>"), KeepAfterLast(">")}, {})},
       R"(<font color="red">源码</font></a>)",
       "源码"},
      {"if contains: empty else keeps value",
       {IfContains("</font></a>", {KeepBefore("</font></a>")}, {})},
       "源码</a>",
       "源码</a>"},
      {"if contains: else",
       {IfContains(title, {KeepBetween(title, R"(")")}, {KeepBetween("<span>", "</span>")})},
       "<span>2024-2-28</span>",
       "2024-2-28"},
      {"nested else",
       {IfContains(G("管理团队"), {KeepBetween(title, R"(" />)")},
                   {IfContains("</a> <a href=", {KeepBetween(">", "</a> <a href=")},
                               {KeepAfterLast(">")})})},
       R"(>钱七</a> <a href="m">勋章)",
       "钱七"},
      {"probe sees the value left by earlier steps",
       {KeepAfterLast("|"), IfContains("x", {ReplaceAll("x", "y")}, {ReplaceAll("a", "b")})},
       "x|aa",
       "bb"},
      {"probes compare letter case exactly",
       {IfContains(title, {KeepBetween(title, R"(")")}, {KeepBetween("<span>", "</span>")})},
       R"(<SPAN TITLE="2024">x</SPAN>)",
       ""},
      // 詀 is D4 61 and 纓 is C0 74: their second bytes are "a" and "t", the
      // first bytes of the markers that follow them.
      {"entity after a character ending in its first byte",
       {ReplaceAll("amp;", "")},
       "詀mp;&amp;",
       "詀mp;&"},
      {"probe after a character ending in its first byte",
       {IfContains(title, {KeepBetween(title, R"(")")}, {KeepBetween("<span>", "</span>")})},
       R"(纓itle="x"<span>y</span>)",
       "y"},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GbkToUtf8(ApplySteps(c.steps, G(c.value))), c.expected);
  }
}

}  // namespace
}  // namespace jixia::test
