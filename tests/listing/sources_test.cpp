// Every site family's boards over their fixture pages: the addresses asked
// for, in order, and the whole rows the lists end up with.
#include <gtest/gtest.h>

#include "listing/list_columns.h"
#include "listing_test_support.h"

namespace jixia::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct BoardCase {
  std::string site;
  std::string board;
  std::string pageCount;
  std::vector<std::pair<std::string, std::string>> pages;  // address, fixture ("" : none)
  Rows rows;
};

void RunCase(const BoardCase& c) {
  SCOPED_TRACE(c.site + " / " + c.board);
  const std::vector<ListingSource> table = BuildSourceTable(TestHosts());
  const ListingSource& source = Source(table, c.site, c.board);
  RecordingFetcher server;
  std::vector<Text> expectedRequests;
  for (const auto& [address, fixture] : c.pages) {
    if (!fixture.empty()) server.pages[address] = ReadFixture(fixture);
    expectedRequests.push_back(address);
  }
  Board board;
  board.pageCount = c.pageCount;
  const FetchReport report = ListingFetch(source, board.Bindings(server.Fetcher()));
  EXPECT_EQ(server.requested, expectedRequests);
  EXPECT_TRUE(report.failures.empty());
  const int columns = static_cast<int>(ListColumns(source.listView).size());
  EXPECT_EQ(Utf8Rows(board.list, columns), c.rows);
}

TEST(ForumASources, SourceBoardPagesPairedAndCleaned) {
  RunCase({"精易论坛",
           "易语言源码区",
           "2",
           {{"https://forum-a.test/forum-98-1.html", "forum_a_1.html"},
            {"https://forum-a.test/forum-98-2.html", "forum_a_2.html"}},
           {{"1", "源码", "超级列表框排序源码", "张三", "2024-3-5", "12", "345", "2024-3-6 10:20",
             "forum.php?mod=viewthread&tid=1001&extra=page%3D1"},
            {"2", "源码</a>", "多线程下载模块", "李四", "2024-2-28", "3", "88", "2024-3-1 08:05",
             "thread-1002-1-1.html"},
            {"3", "例程", "Excel读写例程", "王五", "2024-2-27", "0", "21", "2024-2-27 23:59",
             "/thread-1003-1-1.html"},
            {"4", "源码", "网页填表助手", "赵六", "2024-2-20", "7", "190", "2024-2-21 12:00",
             "thread-1004-1-1.html"},
            {"5", "源码", "取文本中间", "钱七", "2024-2-19", "1", "40", "2024-2-19 09:30",
             "thread-1005-1-1.html"}}});
}

TEST(ForumASources, OtherBoardsCutLabelsUnconditionallyAndShowLastPostAddress) {
  const Rows rows = {
      {"1", "源码", "超级列表框排序源码", "张三", "2024-3-5", "12", "345", "2024-3-6 10:20",
       "forum.php?mod=redirect&amp;tid=1001&amp;goto=lastpost#lastpost"},
      {"2", "", "多线程下载模块", "李四", "2024-2-28", "3", "88", "2024-3-1 08:05",
       "forum.php?mod=redirect&amp;tid=1002&amp;goto=lastpost#lastpost"},
      {"3", "例程", "Excel读写例程", "王五", "2024-2-27", "0", "21", "2024-2-27 23:59",
       "forum.php?mod=redirect&amp;tid=1003&amp;goto=lastpost#lastpost"}};
  const std::pair<const char*, const char*> boards[] = {{"易语言软件区", "121"},
                                                        {"易语言分享区", "51"},
                                                        {"易语言模块区", "100"},
                                                        {"易语言教程区", "125"}};
  for (const auto& [board, number] : boards) {
    RunCase({"精易论坛",
             board,
             "1",
             {{std::string("https://forum-a.test/forum-") + number + "-1.html", "forum_a_1.html"}},
             rows});
  }
}

TEST(ForumBSources, BoardsWithTheirAuthorDateAndAddressCleaning) {
  const std::string latest =
      "https://forum-b.test/forum.php?mod=forumdisplay&fid=42&orderby=dateline&filter=author&"
      "orderby=dateline&page=";
  RunCase(
      {"巅峰论坛",
       "最新精品软件",
       "2",
       {{latest + "1", "forum_b_board_1.html"}, {latest + "2", "forum_b_board_2.html"}},
       {{"1", "【置顶】发帖规则", "版主", "2020-1-1", "forum.php?mod=viewthread&tid=2000",
         "2020-1-2 00:00", "0", "5000"},
        {"2", "屏幕录像专家 2024", "王五", "2024-3-5",
         "forum.php?mod=viewthread&tid=2001&extra=page%3D1", "2024-3-6 09:00", "8", "120"},
        {"3", "批量改名工具", "巅峰管理团队", "2024-3-1", "thread-2002-1-1.html", "2024-3-2 18:30",
         "2", "64"},
        {"4", "图片压缩神器", "勋章", "", "thread-2003-1-1.html", "2024-3-1 07:45", "15", "300"},
        {"5", "【置顶】发帖规则", "版主", "2020-1-1", "forum.php?mod=viewthread&tid=2000",
         "2020-1-2 00:00", "0", "5000"},
        {"6", "系统清理大师", "孙八", "2024-2-20", "thread-2004-1-1.html", "2024-2-21 10:10", "4",
         "77"}}});
  RunCase(
      {"巅峰论坛",
       "热门精品软件",
       "1",
       {{"https://forum-b.test/forum-42-1.html", "forum_b_board_1.html"}},
       {{"1", "屏幕录像专家 2024", "王五", "2024-3-5",
         "forum.php?mod=viewthread&amp;tid=2001&amp;extra=page%3D1", "2024-3-6 09:00", "8", "120"},
        {"2", "批量改名工具", "巅峰管理团队", "2024-3-1", "thread-2002-1-1.html", "2024-3-2 18:30",
         "2", "64"},
        {"3", "图片压缩神器", "钱七", "", "thread-2003-1-1.html", "2024-3-1 07:45", "15", "300"}}});
  const Rows animation = {
      {"1", "屏幕录像专家 2024", "王五", "2024-3-5",
       "forum.php?mod=viewthread&amp;tid=2001&amp;extra=page%3D1", "2024-3-6 09:00", "8", "120"},
      {"2", "批量改名工具", "", "2024-3-1", "thread-2002-1-1.html", ">2024-3-2 18:30", "2", "64"},
      {"3", "图片压缩神器", "钱七", "", "thread-2003-1-1.html", ">2024-3-1 07:45", "15", "300"}};
  RunCase({"巅峰论坛",
           "巅峰动画教程 ",
           "1",
           {{"https://forum-b.test/forum-45-1.html", "forum_b_board_1.html"}},
           animation});
  Rows study = animation;
  study[1][2] = "巅峰管理团队";
  RunCase({"巅峰论坛",
           "巅峰学习交流",
           "1",
           {{"https://forum-b.test/forum-43-1.html", "forum_b_board_1.html"}},
           study});
}

TEST(ForumBSources, OriginalAndWelfareBoardsTakeTheThreadLinkOutOfTheLine) {
  const std::string original =
      "https://forum-b.test/forum.php?mod=forumdisplay&fid=40&orderby=dateline&filter=author&"
      "orderby=dateline&page=1";
  const Rows rows = {{"1", "【福利活动精品帖规】 申精必看", "版主", "2020-1-1",
                      "thread-3000-1-1.html", "0", "999"},
                     {"2", "易语言写的记事本", "钱七", "2024-3-4",
                      "forum.php?mod=viewthread&tid=3001&page=1", "6", "150"},
                     {"3", "自制截图工具", "周九", "2024-3-2", "", "1", "33"}};
  RunCase({"巅峰论坛", "巅峰大佬原创", "1", {{original, "forum_b_original.html"}}, rows});
  const std::string welfare =
      "https://forum-b.test/forum.php?mod=forumdisplay&fid=63&orderby=dateline&orderby=dateline&"
      "filter=author&page=1";
  RunCase({"巅峰论坛",
           "巅峰福利活动",
           "1",
           {{welfare, "forum_b_original.html"}},
           {{"1", rows[1][1], rows[1][2], rows[1][3], rows[1][4], rows[1][5], rows[1][6]},
            {"2", rows[2][1], rows[2][2], rows[2][3], rows[2][4], rows[2][5], rows[2][6]}}});
}

TEST(ForumBSources, PenaltyListIsOneFixedRequestWhateverThePageCount) {
  RunCase(
      {"巅峰论坛",
       "登录功能+小黑屋",
       "3",
       {{"https://forum-b.test/forum.php?mod=misc&action=showdarkroom", "forum_b_darkroom.html"}},
       {{"1", "广告机001", "禁止发言", "永不过期", "2024-03-01 12:00", "发布广告"},
        {"2", "灌水王", "禁止访问", "2024-06-30", "2024-02-20 08:00", "恶意灌水"}}});
}

TEST(ForumBSources, CaptionKeepsTheLastTitleAndColumnTakesItBack) {
  const std::vector<ListingSource> table = BuildSourceTable(TestHosts());
  RecordingFetcher server;
  server.pages["https://forum-b.test/forum-43-1.html"] = ReadFixture("forum_b_board_1.html");
  Board board;
  board.caption.SetCaption(G("澄屿—集匣1.0.0"));
  ListingFetch(Source(table, "巅峰论坛", "巅峰学习交流"), board.Bindings(server.Fetcher()));
  EXPECT_EQ(GbkToUtf8(board.caption.GetCaption()), "图片压缩神器");

  RecordingFetcher nothing;
  Board empty;  // no page: no row, caption untouched
  empty.caption.SetCaption(G("澄屿—集匣1.0.0"));
  ListingFetch(Source(table, "巅峰论坛", "巅峰学习交流"), empty.Bindings(nothing.Fetcher()));
  EXPECT_EQ(empty.list.RowCount(), 0);
  EXPECT_EQ(GbkToUtf8(empty.caption.GetCaption()), "澄屿—集匣1.0.0");
}

TEST(SiteCSources, EntriesPairedWithDetailsByPosition) {
  RunCase({"QQ哆情乐园",
           "QQ软件",
           "2",
           {{"http://site-c.test/soft/html/list8-1.html", "site_c_1.html"},
            {"http://site-c.test/soft/html/list8-2.html", "site_c_2.html"}},
           {{"1", "QQ空间克隆器 v2.1", "/soft/html/1234.html", "3456", "1.2MB", "免费软件",
             "WinXP/Win7/Win10"},
            {"2", "QQ群发助手", "/soft/html/1235.html", "120", "860KB", "共享软件", "Win7/Win10"},
            {"3", "QQ透明头像", "/soft/html/1301.html", "99", "20KB", "免费软件", "Win10"},
            {"4", "QQ挂机宝", "/soft/html/1302.html", "7", "2MB", "免费软件", "Win7"},
            {"5", "QQ自动回复", "/soft/html/1303.html", "", "", "", ""}}});
}

TEST(SiteCSources, LineFeedOnlyPageListsEntriesWithoutDetails) {
  RunCase({"QQ哆情乐园",
           "QQ辅助",
           "1",
           {{"http://site-c.test/soft/html/list9-1.html", "site_c_lf.html"}},
           {{"1", "QQ空间克隆器 v2.1", "/soft/html/1234.html", "", "", "", ""},
            {"2", "QQ群发助手", "/soft/html/1235.html", "", "", "", ""}}});
}

TEST(DealD1Sources, PagesInOrderWithTheAuthorCut) {
  RunCase(
      {"薅羊毛网站",
       "薅羊毛",
       "2",
       {{"http://d1.test/licai/page/1", "d1_1.html"}, {"http://d1.test/licai/page/2", "d1_2.html"}},
       {{"1", "支付宝领红包活动", "羊毛君", "2024-03-05", "12", "(3)",
         "http://d1.example/licai/8001.html#respond"},
        {"2", "京东白条新人礼", "线报员", "2024-03-04", "5", "(0)",
         "http://d1.example/licai/8002.html#respond"},
        {"3", "话费充值立减", "羊毛君", "2024-03-01", "2", "(1)",
         "http://d1.example/licai/8003.html#respond"}}});
}

TEST(DealD2Sources, OnlyTheLastRequestedPageIsListed) {
  RunCase({"活动网线报",
           "现金活动",
           "3",
           {{"https://d2.test/category-4_1.html", "d2_1.html"},
            {"https://d2.test/category-4_2.html", "d2_2.html"},
            {"https://d2.test/category-4_3.html", "d2_3.html"}},
           {{"1", "微信支付立减金", "https://d2.example/post/701.html", "03-01"},
            {"2", "云闪付抽奖", "https://d2.example/post/702.html", "02-29"}}});
}

TEST(DealD3Sources, NoteLosesTheLineFeedBeforeItsClosingTag) {
  RunCase({"完美娱乐网",
           "教程专区",
           "2",
           {{"https://d3.test/?cat=jczq&page=1", "d3_1.html"},
            {"https://d3.test/?cat=jczq&page=2", "d3_2.html"}},
           {{"1", "教程专区", "手机QQ隐藏技巧", "小明", "2024-03-05", "/?post=501"},
            {"2", "教程专区", "电脑提速十招", "阿强", "2024-03-04", "/?post=502"},
            {"3", "教程专区", "路由器设置", "小明", "2024-03-01", "/?post=503"}}});
}

TEST(DealD4Sources, AuthorIsTheTextAfterTheLastSearchKey) {
  RunCase({"小K娱乐网",
           "绿色软件",
           "2",
           {{"https://d4.test/i_wz.asp?id=103904&PageIndex=1", "d4_1.html"},
            {"https://d4.test/i_wz.asp?id=103904&PageIndex=2", "d4_2.html"}},
           {{"1", "绿色软件", "免费领取视频会员", "%D0%A1K", "2024-03-05 12:00:00",
             "i_wz_show.asp?id=5001"},
            {"2", "绿色软件", "系统激活工具", "", "2024-03-04 08:30:00", "i_wz_show.asp?id=5002"},
            {"3", "绿色软件", "压缩包密码查看", "kk", "2024-03-01 09:00:00",
             "i_wz_show.asp?id=5003"}}});
}

}  // namespace
}  // namespace jixia::test
