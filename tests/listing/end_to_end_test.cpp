// Boards fetched through the real WebRequest from loopback sites: the paths
// asked for, in order, over HTTPS and HTTP, and the rows they give.
#include <gtest/gtest.h>

#include "listing/list_columns.h"
#include "listing_test_support.h"
#include "net/tls_trust.h"
#include "site_server.h"

namespace jixia::test {
namespace {

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { SetExtraCaFile(kTestCaFile); }
  void TearDown() override { SetExtraCaFile(""); }
};

TEST_F(EndToEnd, ForumABoardOverHttpsPageByPage) {
  SiteServer site(true, {{"/forum-98-1.html", ReadFixture("forum_a_1.html")},
                         {"/forum-98-2.html", ReadFixture("forum_a_2.html")}});
  SiteHosts hosts = TestHosts();
  hosts.forumA = site.Host();
  const std::vector<ListingSource> table = BuildSourceTable(hosts);
  Board board;
  board.pageCount = "2";
  const FetchReport report =
      ListingFetch(Source(table, "精易论坛", "易语言源码区"), board.Bindings({}));
  EXPECT_EQ(site.Requested(), (std::vector<std::string>{"/forum-98-1.html", "/forum-98-2.html"}));
  EXPECT_TRUE(report.failures.empty());
  const auto rows = Utf8Rows(board.list, 9);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{
                         "1", "源码", "超级列表框排序源码", "张三", "2024-3-5", "12", "345",
                         "2024-3-6 10:20", "forum.php?mod=viewthread&tid=1001&extra=page%3D1"}));
  EXPECT_EQ(rows[4][2], "取文本中间");
  EXPECT_EQ(board.bar.Position(), 6);
}

TEST_F(EndToEnd, SiteCOverPlainHttpAndD3QueriesOverHttps) {
  SiteServer siteC(false, {{"/soft/html/list7-1.html", ReadFixture("site_c_1.html")}});
  SiteServer d3(true, {{"/?cat=jczq&page=1", ReadFixture("d3_1.html")},
                       {"/?cat=jczq&page=2", ReadFixture("d3_2.html")}});
  SiteHosts hosts = TestHosts();
  hosts.siteC = siteC.Host();
  hosts.d3 = d3.Host();
  const std::vector<ListingSource> table = BuildSourceTable(hosts);

  Board c;
  ListingFetch(Source(table, "QQ哆情乐园", "QQ教程"), c.Bindings({}));
  EXPECT_EQ(siteC.Requested(), std::vector<std::string>{"/soft/html/list7-1.html"});
  ASSERT_EQ(c.list.RowCount(), 2);
  EXPECT_EQ(GbkToUtf8(c.list.Cell(1, 1)), "QQ群发助手");
  EXPECT_EQ(GbkToUtf8(c.list.Cell(1, 6)), "Win7/Win10");

  Board d;
  d.pageCount = "2";
  ListingFetch(Source(table, "完美娱乐网", "教程专区"), d.Bindings({}));
  EXPECT_EQ(d3.Requested(), (std::vector<std::string>{"/?cat=jczq&page=1", "/?cat=jczq&page=2"}));
  EXPECT_EQ(Utf8Rows(d.list, 6)[2], (std::vector<std::string>{"3", "教程专区", "路由器设置", "小明",
                                                              "2024-03-01", "/?post=503"}));
}

TEST_F(EndToEnd, FailedAndRefusedPagesAreReportedAndTheLoopGoesOn) {
  SiteServer d4(true, {{"/i_wz.asp?id=103904&PageIndex=1", ReadFixture("d4_1.html")},
                       {"/i_wz.asp?id=103904&PageIndex=3", ReadFixture("d4_2.html")}});
  SiteHosts hosts = TestHosts();
  hosts.d4 = d4.Host();
  Board board;
  board.pageCount = "3";
  const FetchReport report =
      ListingFetch(Source(BuildSourceTable(hosts), "小K娱乐网", "绿色软件"), board.Bindings({}));
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].page, 2);
  EXPECT_EQ(report.failures[0].status.substr(0, 3), "404");
  EXPECT_EQ(board.list.RowCount(), 3);

  hosts.d4 = "127.0.0.1:1";  // nothing listens there
  const FetchReport refused =
      ListingFetch(Source(BuildSourceTable(hosts), "小K娱乐网", "绿色软件"), board.Bindings({}));
  ASSERT_EQ(refused.failures.size(), 3u);
  EXPECT_EQ(refused.failures[2].page, 3);
  EXPECT_EQ(refused.failures[0].status[0], '7');  // one of the numbered messages
  EXPECT_EQ(board.list.RowCount(), 0);
}

}  // namespace
}  // namespace jixia::test
