// The source table: its 29 rows in window order, their addresses and
// double-click rules, the patterns as the site tables write them, and that
// every pattern compiles and gives up in time on a page it cannot complete.
#include "listing/source_table.h"

#include <gtest/gtest.h>

#include <fstream>

#include "listing/list_columns.h"
#include "listing/listing_fetch.h"
#include "listing_test_support.h"
#include "text/markers.h"
#include "text/regex_matcher.h"
#include "text/search.h"

namespace jixia::test {
namespace {

struct Row {
  const char* site;
  const char* board;
  const char* listView;
  const char* pageCountBox;
  const char* secondPage;  // address of page 2 (of the page for a single-page source)
  int openColumn;
  const char* openPrefix;
  int columns;
};

// clang-format off
constexpr Row kRows[] = {
  {"精易论坛",   "易语言源码区",    "超级列表框1",  "编辑框1",  "https://fa/forum-98-2.html",  8, "https://fa", 9},
  {"精易论坛",   "易语言软件区",    "超级列表框2",  "编辑框2",  "https://fa/forum-121-2.html", 8, "",           9},
  {"精易论坛",   "易语言分享区",    "超级列表框3",  "编辑框3",  "https://fa/forum-51-2.html",  8, "",           9},
  {"精易论坛",   "易语言模块区",    "超级列表框4",  "编辑框4",  "https://fa/forum-100-2.html", 8, "",           9},
  {"精易论坛",   "易语言教程区",    "超级列表框5",  "编辑框5",  "https://fa/forum-125-2.html", 8, "",           9},
  {"巅峰论坛",   "登录功能+小黑屋", "超级列表框15", "",         "https://fb/forum.php?mod=misc&action=showdarkroom", 4, "", 6},
  {"巅峰论坛",   "最新精品软件",    "超级列表框9",  "编辑框9",  "https://fb/forum.php?mod=forumdisplay&fid=42&orderby=dateline&filter=author&orderby=dateline&page=2", 4, "", 8},
  {"巅峰论坛",   "热门精品软件",    "超级列表框10", "编辑框10", "https://fb/forum-42-2.html",  4, "",           8},
  {"巅峰论坛",   "巅峰大佬原创",    "超级列表框11", "编辑框11", "https://fb/forum.php?mod=forumdisplay&fid=40&orderby=dateline&filter=author&orderby=dateline&page=2", 4, "", 7},
  {"巅峰论坛",   "巅峰福利活动",    "超级列表框12", "编辑框12", "https://fb/forum.php?mod=forumdisplay&fid=63&orderby=dateline&orderby=dateline&filter=author&page=2", 4, "", 7},
  {"巅峰论坛",   "巅峰动画教程 ",   "超级列表框13", "编辑框13", "https://fb/forum-45-2.html",  4, "",           8},
  {"巅峰论坛",   "巅峰学习交流",    "超级列表框14", "编辑框14", "https://fb/forum-43-2.html",  4, "",           8},
  {"QQ哆情乐园", "QQ软件",          "超级列表框6",  "编辑框6",  "http://sc/soft/html/list8-2.html", 2, "http://sc", 7},
  {"QQ哆情乐园", "QQ教程",          "超级列表框7",  "编辑框7",  "http://sc/soft/html/list7-2.html", 2, "http://sc", 7},
  {"QQ哆情乐园", "QQ辅助",          "超级列表框8",  "编辑框8",  "http://sc/soft/html/list9-2.html", 2, "http://sc", 7},
  {"活动网线报", "现金活动",        "超级列表框16", "编辑框15", "https://d2/category-4_2.html",  2, "",        4},
  {"活动网线报", "话费活动",        "超级列表框17", "编辑框16", "https://d2/category-6_2.html",  2, "",        4},
  {"活动网线报", "手机赚钱",        "超级列表框19", "编辑框17", "https://d2/category-11_2.html", 2, "",        4},
  {"薅羊毛网站", "薅羊毛",          "超级列表框18", "编辑框18", "http://d1/licai/page/2",        6, "",        7},
  {"薅羊毛网站", "手机赚钱",        "超级列表框20", "编辑框19", "http://d1/shouji/page/2",       6, "",        7},
  {"完美娱乐网", "活动专区",        "超级列表框21", "编辑框20", "https://d3/?cat=hdzq&page=2",   5, "https://d3", 6},
  {"完美娱乐网", "辅助专区",        "超级列表框22", "编辑框21", "https://d3/?cat=fxzq&page=2",   5, "https://d3", 6},
  {"完美娱乐网", "教程专区",        "超级列表框23", "编辑框22", "https://d3/?cat=jczq&page=2",   5, "https://d3", 6},
  {"完美娱乐网", "个性专区",        "超级列表框24", "编辑框23", "https://d3/?cat=gxzq&page=2",   5, "https://d3", 6},
  {"小K娱乐网",  "值得一看",        "超级列表框25", "编辑框24", "https://d4/i_wz.asp?id=497796&PageIndex=2", 5, "https://d4/", 6},
  {"小K娱乐网",  "自学教程",        "超级列表框26", "编辑框25", "https://d4/i_wz.asp?id=494893&PageIndex=2", 5, "https://d4/", 6},
  {"小K娱乐网",  "网站源码",        "超级列表框27", "编辑框26", "https://d4/i_wz.asp?id=499337&PageIndex=2", 5, "https://d4/", 6},
  {"小K娱乐网",  "绿色软件",        "超级列表框30", "编辑框29", "https://d4/i_wz.asp?id=103904&PageIndex=2", 5, "https://d4/", 6},
  {"小K娱乐网",  "游戏助手",        "超级列表框31", "编辑框30", "https://d4/i_wz.asp?id=783242&PageIndex=2", 5, "https://d4/", 6},
};
// clang-format on

SiteHosts ShortHosts() {
  return {"fa", "fb", "sc", "d1", "d2", "d3", "d4"};
}

TEST(SourceTable, TwentyNineBoardsInWindowOrderWithTheirAddresses) {
  const std::vector<ListingSource> table = BuildSourceTable(ShortHosts());
  ASSERT_EQ(table.size(), std::size(kRows));
  for (size_t i = 0; i < table.size(); ++i) {
    const ListingSource& s = table[i];
    const Row& row = kRows[i];
    SCOPED_TRACE(std::string(row.site) + " / " + row.board);
    EXPECT_EQ(s.site, G(row.site));
    EXPECT_EQ(s.board, G(row.board));
    EXPECT_EQ(s.listView, G(row.listView));
    EXPECT_EQ(s.pageCountBox, G(row.pageCountBox));
    const Text address = s.pageCountBox.empty() ? s.urlPrefix : s.urlPrefix + "2" + s.urlSuffix;
    EXPECT_EQ(address, row.secondPage);
    EXPECT_EQ(s.openColumn, row.openColumn);
    EXPECT_EQ(s.openPrefix, row.openPrefix);
    EXPECT_EQ(static_cast<int>(ListColumns(s.listView).size()), row.columns);
    for (const FieldRule& rule : s.fields) {
      EXPECT_GE(rule.column, 1);
      EXPECT_LT(rule.column, row.columns);
    }
  }
}

TEST(SourceTable, BuildTimeHostsAreTheConfiguredOnes) {
  const std::vector<ListingSource> table = BuildSourceTable(BuildTimeHosts());
  EXPECT_EQ(table.size(), 29u);
  EXPECT_EQ(table[0].openPrefix, "https://" + BuildTimeHosts().forumA);
}

// Rows whose other fields differ from their neighbours'.
TEST(SourceTable, FamilyDifferences) {
  const std::vector<ListingSource> table = BuildSourceTable(ShortHosts());
  for (const ListingSource& s : table) {
    SCOPED_TRACE(GbkToUtf8(s.site + " / " + s.board));
    const bool forumA = s.site == G("精易论坛");
    EXPECT_EQ(s.progressBar.empty(), !forumA);
    EXPECT_EQ(s.emptyNotice, s.listView == G("超级列表框1"));
    EXPECT_EQ(s.parseLastOnly, s.site == G("活动网线报"));
    EXPECT_EQ(s.opensOnDoubleClick, s.listView != G("超级列表框15"));
    EXPECT_EQ(s.pairPattern.has_value(),
              s.listView == G("超级列表框1") || s.site == G("QQ哆情乐园"));
    int viaCaption = 0;
    for (const FieldRule& rule : s.fields) viaCaption += rule.viaCaption;
    EXPECT_EQ(viaCaption, s.site == G("巅峰论坛") && s.opensOnDoubleClick ? 1 : 0);
  }
  const auto cut = [&](const char* site, const char* board) {
    const ListingSource& s = Source(table, site, board);
    return s.cutMarker ? GbkToUtf8(*s.cutMarker) : std::string("none");
  };
  EXPECT_EQ(cut("精易论坛", "易语言教程区"), "精华帖申请");
  EXPECT_EQ(cut("巅峰论坛", "最新精品软件"), "none");
  EXPECT_EQ(cut("巅峰论坛", "热门精品软件"), "版块主题");
  EXPECT_EQ(cut("巅峰论坛", "巅峰大佬原创"), "none");
  EXPECT_EQ(cut("巅峰论坛", "巅峰福利活动"), "【福利活动精品帖规】 申精必看");
  EXPECT_EQ(cut("巅峰论坛", "巅峰动画教程 "), "版块主题");
  EXPECT_EQ(cut("巅峰论坛", "巅峰学习交流"), "版块主题");
  EXPECT_EQ(cut("QQ哆情乐园", "QQ软件"), "none");
}

// The written form of a pattern: "\r" and "\n" are CR and LF, except in the
// one pattern whose \n is the regular-expression escape.
Text Unquote(const std::string& written, bool keepBackslashN) {
  std::string held;
  for (size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\\' && i + 1 < written.size() &&
        (written[i + 1] == 'r' || (written[i + 1] == 'n' && !keepBackslashN))) {
      held += written[i + 1] == 'r' ? '\r' : '\n';
      ++i;
    } else {
      held += written[i];
    }
  }
  return G(held);
}

TEST(SourceTable, PatternsAreTheWrittenOnesByteForByte) {
  const std::vector<ListingSource> table = BuildSourceTable(ShortHosts());
  const auto main = [&](const char* site, const char* board) {
    return Source(table, site, board).mainPattern;
  };
  const std::map<std::string, Text> held = {
      {"forum-a-main-first", main("精易论坛", "易语言源码区")},
      {"forum-a-pair-first", *Source(table, "精易论坛", "易语言源码区").pairPattern},
      {"forum-a-main-others", main("精易论坛", "易语言软件区")},
      {"forum-b-p1", main("巅峰论坛", "最新精品软件")},
      {"forum-b-p2", main("巅峰论坛", "巅峰大佬原创")},
      {"forum-b-p3", main("巅峰论坛", "巅峰动画教程 ")},
      {"forum-b-p4", main("巅峰论坛", "登录功能+小黑屋")},
      {"site-c-entry", main("QQ哆情乐园", "QQ软件")},
      {"site-c-detail", *Source(table, "QQ哆情乐园", "QQ软件").pairPattern},
      {"d1", main("薅羊毛网站", "薅羊毛")},
      {"d2", main("活动网线报", "现金活动")},
      {"d3", main("完美娱乐网", "活动专区")},
      {"d4", main("小K娱乐网", "值得一看")},
  };
  std::ifstream in(std::string(kListingFixtureDir) + "/written_patterns.txt");
  std::string line;
  size_t checked = 0;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    const std::string name = line.substr(0, tab);
    SCOPED_TRACE(name);
    ASSERT_TRUE(held.count(name));
    EXPECT_EQ(held.at(name), Unquote(line.substr(tab + 1), name == "d3"));
    ++checked;
  }
  EXPECT_EQ(checked, held.size());
  // Rows of a family share their patterns.
  for (const ListingSource& s : table) {
    SCOPED_TRACE(GbkToUtf8(s.board));
    if (s.site == G("精易论坛") && s.listView != G("超级列表框1")) {
      EXPECT_EQ(s.mainPattern, held.at("forum-a-main-others"));
    }
    if (s.site == G("完美娱乐网")) {
      EXPECT_EQ(s.mainPattern, held.at("d3"));
    }
    if (s.site == G("小K娱乐网")) {
      EXPECT_EQ(s.mainPattern, held.at("d4"));
    }
  }
  EXPECT_EQ(main("巅峰论坛", "热门精品软件"), held.at("forum-b-p1"));
  EXPECT_EQ(main("巅峰论坛", "巅峰福利活动"), held.at("forum-b-p2"));
  EXPECT_EQ(main("巅峰论坛", "巅峰学习交流"), held.at("forum-b-p3"));
}

TEST(SourceTable, EveryPatternCompiles) {
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.Create(R"(<meta.+?charset=[^\w]?([-\w]+))", "<meta charset=gbk>"));
  for (const ListingSource& s : BuildSourceTable(ShortHosts())) {
    SCOPED_TRACE(GbkToUtf8(s.board));
    EXPECT_TRUE(matcher.Create(s.mainPattern, "x"));
    if (s.pairPattern) {
      EXPECT_TRUE(matcher.Create(*s.pairPattern, "x"));
    }
  }
}

// A page of the family's fixture whose tail, grown past 1 MB, holds row
// blocks damaged so that no match can complete in it.
struct Family {
  const char* site;
  const char* board;  // "" for every board of the site
  const char* fixture;
  std::vector<std::pair<const char*, const char*>> damage;  // intact text, damaged text
};

const Family kFamilies[] = {
    {"精易论坛", "", "forum_a_1.html", {{"</td>", "</tdx>"}}},
    {"巅峰论坛", "登录功能+小黑屋", "forum_b_darkroom.html", {{"</td>", "</tdx>"}}},
    {"巅峰论坛", "巅峰大佬原创", "forum_b_original.html", {{"</td>", "</tdx>"}}},
    {"巅峰论坛", "巅峰福利活动", "forum_b_original.html", {{"</td>", "</tdx>"}}},
    {"巅峰论坛", "", "forum_b_board_1.html", {{"</td>", "</tdx>"}}},
    {"QQ哆情乐园", "", "site_c_1.html", {{"</p>", "</px>"}, {"</h4>", "</h5>"}}},
    {"活动网线报", "", "d2_3.html", {{"</li>", "</lix>"}}},
    {"薅羊毛网站", "", "d1_1.html", {{"</span>)", "</span>]"}}},
    {"完美娱乐网", "", "d3_1.html", {{"阅读全文", "阅读更多"}}},
    {"小K娱乐网", "", "d4_1.html", {{"icon-calendar", "icon-date"}}},
};

const Family& FamilyOf(const ListingSource& s) {
  for (const Family& f : kFamilies) {
    if (s.site == G(f.site) && (*f.board == '\0' || s.board == G(f.board))) return f;
  }
  throw std::runtime_error("no family");
}

TEST(SourceTable, EverySourceGivesUpOnAMegabyteTailThatNeverCompletes) {
  for (const ListingSource& s : BuildSourceTable(TestHosts())) {
    SCOPED_TRACE(GbkToUtf8(s.site + " / " + s.board));
    const Family& family = FamilyOf(s);
    const Text page = ReadFixture(family.fixture);
    Text block = page;
    for (const auto& [intact, damaged] : family.damage) {
      block = ReplaceAllText(block, G(intact), G(damaged));
    }
    if (s.cutMarker) block = ReplaceAllText(block, *s.cutMarker, "");
    Text tail;
    while (tail.size() < (1u << 20)) tail += block;

    Board whole;
    ListingFetch(s, whole.Bindings([&](const Text&, Text* status) {
      *status = "200 OK";
      return page;
    }));
    ASSERT_GT(whole.list.RowCount(), 0);
    Board grown;
    ListingFetch(s, grown.Bindings([&](const Text&, Text* status) {
      *status = "200 OK";
      return page + tail;
    }));
    EXPECT_EQ(grown.list.Rows(), whole.list.Rows());
  }
}

}  // namespace
}  // namespace jixia::test
