// Whole listing fetches, through the real WebRequest, against servers that
// break a page off or serve pages on which no pattern ever completes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "listing/listing_fetch.h"
#include "listing/source_table.h"
#include "net/tls_trust.h"
#include "test_support/test_tls_paths.h"
#include "tests/robust/hostile_server.h"
#include "tests/robust/memory_ui.h"
#include "tests/support/raw_http_server.h"
#include "text/codepage.h"

namespace jixia::robust {
namespace {

using Clock = std::chrono::steady_clock;

SiteHosts AllHosts(const std::string& host) {
  return {host, host, host, host, host, host, host};
}

// One entry of site C's boards with its detail line, CR LF lines.
std::string SiteCRow(int page, int row) {
  const std::string title = "页" + std::to_string(page) + "行" + std::to_string(row);
  return Utf8ToGbk("<h4 class=\"nlc_tit\"><a href=\"/soft/html/" + std::to_string(page * 10 + row) +
                   ".html\" title=\"" + title + " \">" + title +
                   " </a></h4>\r\n<p class=\"nlc_time\">文件大小：<em>1MB</em>&nbsp;&nbsp;&nbsp;"
                   "下载次数：<em>5</em>&nbsp;&nbsp;&nbsp;授权方式：<em>免费</em>&nbsp;&nbsp;&nbsp;"
                   "运行平台：<em>Win</em></p>\r\n");
}

TEST(HostileListing, ResetMidBodyOnPageTwoKeepsTheRowsThatArrived) {
  HostileServer server([](HostileConnection& c) {
    const int page = c.Target()[c.Target().find('-') + 1] - '0';
    std::string body = "<html>\r\n";
    for (int row = 1; row <= 3; ++row) body += SiteCRow(page, row);
    body += "</html>\r\n";
    std::string head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\nConnection: close\r\n\r\n";
    if (page != 2) {
      c.Send(head + body);
      return;
    }
    // The first row whole, the second cut in its detail line, then a reset.
    const size_t cut = 8 + SiteCRow(2, 1).size() + SiteCRow(2, 2).size() / 2;
    if (c.Send(head + body.substr(0, cut)) && c.Sleep(200)) c.Reset();
  });
  const ListingSource source = SiteCSources(server.host())[0];
  MemoryWindow window;
  ListingFetch(source, window.Bind("3"));

  // Page 2's second entry arrived, its detail line did not: the row is
  // listed with empty detail columns, as for any page whose detail pattern
  // matches fewer times than its entry pattern.
  struct Row {
    const char* title;
    const char* downloads;
  };
  const Row kRows[] = {{"页1行1", "5"}, {"页1行2", "5"}, {"页1行3", "5"}, {"页2行1", "5"},
                       {"页2行2", ""},  {"页3行1", "5"}, {"页3行2", "5"}, {"页3行3", "5"}};
  ASSERT_EQ(window.list.RowCount(), 8);
  for (int r = 0; r < 8; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(window.list.Cell(r, 0), std::to_string(r + 1));
    EXPECT_EQ(window.list.Cell(r, 1), Utf8ToGbk(kRows[r].title));
    EXPECT_EQ(window.list.Cell(r, 3), kRows[r].downloads);
  }
  EXPECT_EQ(server.connections(), 3);
}

// A literal that a pattern's first characters match: the pattern read up to
// its first group, class or quantifier, escaped characters taken as they are.
std::string LeadingLiteral(const std::string& pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '\\' && i + 1 < pattern.size() &&
        !std::isalnum(static_cast<unsigned char>(pattern[i + 1]))) {
      out += pattern[++i];
    } else if (std::string_view("\\()[].*+?{}|^$").find(c) != std::string_view::npos) {
      break;
    } else {
      out += c;
    }
  }
  return out;
}

// Every source over a 5 MB page of one line, served over its own scheme, on
// which each pattern finds a candidate start every few dozen bytes and never
// a whole match. The bound is
// a hang guard, far above the times measured (see docs/performance.md).
TEST(HostileListing, FiveMegabytePageWithoutAMatchEndsForEverySource) {
  SetExtraCaFile(test::kTestCaFile);
  test::RawHttpServer plain(test::RawHttpServer::Mode::kPlain);
  test::RawHttpServer tls(test::RawHttpServer::Mode::kTls);
  const std::string loopback = "127.0.0.1:";
  const std::vector<ListingSource> overPlain =
      BuildSourceTable(AllHosts(loopback + std::to_string(plain.port())));
  const std::vector<ListingSource> overTls =
      BuildSourceTable(AllHosts(loopback + std::to_string(tls.port())));
  double slowest = 0;
  for (size_t i = 0; i < overTls.size(); ++i) {
    const bool secure = overTls[i].urlPrefix.starts_with("https://");
    const ListingSource& source = secure ? overTls[i] : overPlain[i];
    const std::string name = GbkToUtf8(source.site + " / " + source.board);
    SCOPED_TRACE(name);
    const std::string unit = LeadingLiteral(source.mainPattern) + "x\"" +
                             (source.pairPattern ? LeadingLiteral(*source.pairPattern) : "") + "y ";
    std::string page;
    while (page.size() < 5 * 1024 * 1024) page += unit;
    (secure ? tls : plain).AddReply(test::Ok(page));
    MemoryWindow window;
    const Clock::time_point start = Clock::now();
    ListingFetch(source, window.Bind("1"));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-32s %7.3f s\n", name.c_str(), seconds);
    slowest = std::max(slowest, seconds);
    EXPECT_EQ(window.list.RowCount(), 0);
    EXPECT_LT(seconds, 60.0);
  }
  std::printf("slowest source: %.3f s\n", slowest);
  SetExtraCaFile("");
}

}  // namespace
}  // namespace jixia::robust
