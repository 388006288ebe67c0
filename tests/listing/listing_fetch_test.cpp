// The fetch procedure and the double-click rule over small hand-made sources.
#include "listing/listing_fetch.h"

#include <gtest/gtest.h>

#include "listing_test_support.h"

namespace jixia::test {
namespace {

// A source with one "<i>(.*?)=(.*?)</i>" row per match, columns 1 and 2.
ListingSource ItemSource() {
  ListingSource s;
  s.site = "site";
  s.board = "board";
  s.listView = "list";
  s.pageCountBox = "box";
  s.urlPrefix = "http://h.test/p";
  s.urlSuffix = ".html";
  s.mainPattern = "<i>(.*?)=(.*?)</i>";
  s.fields = {{From::Main, 1, {}, 1}, {From::Main, 2, {}, 2}};
  s.openColumn = 2;
  return s;
}

Text Items(int page, int count) {
  Text text = "<html><body>\r\n";
  for (int i = 1; i <= count; ++i) {
    text += "<i>p" + std::to_string(page) + "r" + std::to_string(i) + "=v</i>\r\n";
  }
  return text + "</body></html>\r\n";
}

std::vector<std::string> Column(const PlainReportList& list, int column) {
  std::vector<std::string> cells;
  for (int r = 0; r < list.RowCount(); ++r) cells.push_back(list.Cell(r, column));
  return cells;
}

TEST(ListingFetch, PageCountTextDecidesTheRequests) {
  const struct {
    const char* text;
    int pages;
  } kCases[] = {{"3", 3},  {"0", 0},  {"", 0},    {"abc", 0},
                {"-1", 0}, {" 2", 2}, {"2页", 2}, {"+1", 1}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    RecordingFetcher server;
    for (int k = 1; k <= 3; ++k) {
      server.pages["http://h.test/p" + std::to_string(k) + ".html"] = Items(k, 20);
    }
    Board board;
    board.list.AppendRow();  // left from an earlier fetch
    board.pageCount = G(c.text);
    ListingFetch(ItemSource(), board.Bindings(server.Fetcher()));
    std::vector<Text> expected;
    for (int k = 1; k <= c.pages; ++k)
      expected.push_back("http://h.test/p" + std::to_string(k) + ".html");
    EXPECT_EQ(server.requested, expected);
    ASSERT_EQ(board.list.RowCount(), 20 * c.pages);
    for (int r = 0; r < board.list.RowCount(); ++r) {
      EXPECT_EQ(board.list.Cell(r, 0), std::to_string(r + 1));
      EXPECT_EQ(board.list.Cell(r, 1),
                "p" + std::to_string(r / 20 + 1) + "r" + std::to_string(r % 20 + 1));
    }
  }
}

TEST(ListingFetch, SecondClickStartsFromAnEmptyList) {
  RecordingFetcher server;
  server.pages["http://h.test/p1.html"] = Items(1, 2);
  Board board;
  ListingFetch(ItemSource(), board.Bindings(server.Fetcher()));
  ListingFetch(ItemSource(), board.Bindings(server.Fetcher()));
  EXPECT_EQ(Column(board.list, 0), (std::vector<std::string>{"1", "2"}));
}

TEST(ListingFetch, EmptyPageAddsNothingAndTheLoopGoesOn) {
  RecordingFetcher server;
  server.pages["http://h.test/p1.html"] = "<html>nothing here</html>";
  server.pages["http://h.test/p2.html"] = Items(2, 1);
  Board board;
  board.pageCount = "2";
  ListingFetch(ItemSource(), board.Bindings(server.Fetcher()));
  EXPECT_EQ(Column(board.list, 1), (std::vector<std::string>{"p2r1"}));
}

TEST(ListingFetch, CutMarkerKeepsOnlyWhatFollowsItsLastOccurrence) {
  const struct {
    const char* name;
    Text page;
    std::vector<std::string> rows;
  } kCases[] = {
      {"twice", "<i>a=1</i>CUT<i>b=2</i>CUT<i>c=3</i>", {"c"}},
      {"absent", "<i>a=1</i><i>b=2</i>", {"a", "b"}},
      {"at the very end", "<i>a=1</i>CUT", {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    ListingSource source = ItemSource();
    source.cutMarker = "CUT";
    RecordingFetcher server;
    server.pages["http://h.test/p1.html"] = c.page;
    Board board;
    ListingFetch(source, board.Bindings(server.Fetcher()));
    EXPECT_EQ(Column(board.list, 1), c.rows);
  }
}

TEST(ListingFetch, ParseLastOnlyRequestsEveryPageAndListsTheLast) {
  ListingSource source = ItemSource();
  source.parseLastOnly = true;
  RecordingFetcher server;
  for (int k = 1; k <= 3; ++k) {
    server.pages["http://h.test/p" + std::to_string(k) + ".html"] = Items(k, 2);
  }
  Board board;
  board.pageCount = "3";
  ListingFetch(source, board.Bindings(server.Fetcher()));
  EXPECT_EQ(server.requested.size(), 3u);
  EXPECT_EQ(Column(board.list, 0), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Column(board.list, 1), (std::vector<std::string>{"p3r1", "p3r2"}));

  board.pageCount = "4";  // page 4 fails: empty text, empty list
  ListingFetch(source, board.Bindings(server.Fetcher()));
  EXPECT_EQ(board.list.RowCount(), 0);
}

TEST(ListingFetch, SinglePageSourceRequestsThePrefixAlone) {
  ListingSource source = ItemSource();
  source.pageCountBox.clear();
  RecordingFetcher server;
  server.pages["http://h.test/p"] = Items(1, 1);
  Board board;
  board.pageCount = "5";
  ListingFetch(source, board.Bindings(server.Fetcher()));
  EXPECT_EQ(server.requested, (std::vector<Text>{"http://h.test/p"}));
  EXPECT_EQ(board.list.RowCount(), 1);
}

TEST(ListingFetch, PairMatchesAreReadByPosition) {
  ListingSource source = ItemSource();
  source.pairPattern = "<b>(.*?)</b>";
  source.fields.push_back({From::Pair, 1, {}, 3});
  const struct {
    const char* name;
    Text page;
    std::vector<std::string> pair;
  } kCases[] = {
      {"shortfall", "<i>a=1</i><b>x</b><i>b=2</i><i>c=3</i>", {"x", "", ""}},
      {"surplus ignored", "<i>a=1</i><b>x</b><b>y</b><b>z</b>", {"x"}},
      {"no main match", "<b>x</b><b>y</b>", {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingFetcher server;
    server.pages["http://h.test/p1.html"] = c.page;
    Board board;
    ListingFetch(source, board.Bindings(server.Fetcher()));
    EXPECT_EQ(Column(board.list, 3), c.pair);
  }
}

TEST(ListingFetch, PatternsIgnoreLetterCaseWhileProbesDoNot) {
  ListingSource source = ItemSource();
  source.fields[1].steps = {
      IfContains("v", {ReplaceAll("v", "lower")}, {ReplaceAll("V", "upper")})};
  RecordingFetcher server;
  server.pages["http://h.test/p1.html"] = "<I>a=v</I><i>b=V</i>";
  Board board;
  ListingFetch(source, board.Bindings(server.Fetcher()));
  EXPECT_EQ(Column(board.list, 2), (std::vector<std::string>{"lower", "upper"}));
}

TEST(ListingFetch, ProgressBarShowsRowCountPlusMatchNumberAndStaysFull) {
  ListingSource source = ItemSource();
  source.progressBar = "bar";
  RecordingFetcher server;
  server.pages["http://h.test/p1.html"] = Items(1, 3);
  server.pages["http://h.test/p2.html"] = Items(2, 60);
  std::vector<int> positions;
  struct Recorder : PlainProgressBar {
    std::vector<int>* seen;
    void SetPosition(int p) override {
      PlainProgressBar::SetPosition(p);
      seen->push_back(Position());
    }
  } bar;
  bar.seen = &positions;
  Board board;
  board.pageCount = "1";
  ListingBindings bindings = board.Bindings(server.Fetcher());
  bindings.progressBar = &bar;
  ListingFetch(source, bindings);
  EXPECT_EQ(positions, (std::vector<int>{0, 0, 1, 0, 1, 3, 0, 2, 5}));

  board.pageCount = "2";  // 63 rows: the bar clamps at 100
  ListingFetch(source, bindings);
  EXPECT_EQ(bar.Position(), 100);
}

TEST(ListingFetch, CaptionRuleFillsTheColumnWithTheCaptionReadBack) {
  ListingSource source = ItemSource();
  source.fields[0].viaCaption = true;
  struct Shortening : Caption {  // a caption that keeps two bytes only
    Text text;
    void SetCaption(const Text& t) override { text = t.substr(0, 2); }
    Text GetCaption() const override { return text; }
  } caption;
  RecordingFetcher server;
  server.pages["http://h.test/p1.html"] = "<i>first=1</i><i>second=2</i>";
  Board board;
  ListingBindings bindings = board.Bindings(server.Fetcher());
  bindings.caption = &caption;
  ListingFetch(source, bindings);
  EXPECT_EQ(Column(board.list, 1), (std::vector<std::string>{"fi", "se"}));
  EXPECT_EQ(caption.text, "se");
}

TEST(ListingFetch, ReportsPagesThatFailedOrAnsweredBadly) {
  const PageFetcher fetch = [](const Text& url, Text* status) -> Text {
    if (url.find("p1.") != Text::npos) {
      *status = "200 OK";
      return "<i>a=1</i>";
    }
    if (url.find("p2.") != Text::npos) {
      *status = G("703 连接失败!");
      return {};
    }
    *status = "404 Not Found";
    return "<i>err=page</i>";
  };
  Board board;
  board.pageCount = "3";
  const FetchReport report = ListingFetch(ItemSource(), board.Bindings(fetch));
  ASSERT_EQ(report.failures.size(), 2u);
  EXPECT_EQ(report.failures[0].page, 2);
  EXPECT_EQ(GbkToUtf8(report.failures[0].status), "703 连接失败!");
  EXPECT_EQ(report.failures[1].page, 3);
  EXPECT_EQ(report.failures[1].status, "404 Not Found");
  EXPECT_EQ(Column(board.list, 1), (std::vector<std::string>{"a", "err"}));  // parsed all the same
}

TEST(ListingOpen, OnlyWebAddressesReachTheOpener) {
  const struct {
    const char* prefix;
    const char* cell;
    bool opened;
  } kCases[] = {
      {"", "http://x.test/a", true},     {"", "HTTPS://x.test/a", true},
      {"", "HtTp://x.test/a", true},     {"https://h.test", "/t.html", true},
      {"https://h.test", "", true},      {"", "", false},
      {"", "file:///etc/passwd", false}, {"", "javascript:alert(1)", false},
      {"", "/usr/bin/xterm", false},     {"", " http://x.test", false},
      {"", "ftp://x.test/a", false},     {"", "https:/x.test", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.prefix) + c.cell);
    ListingSource source = ItemSource();
    source.openPrefix = c.prefix;
    struct : AddressOpener {
      std::vector<Text> opened;
      void OpenAddress(const Text& a) override { opened.push_back(a); }
    } opener;
    Board board;
    board.list.SetCell(board.list.AppendRow(), 2, c.cell);
    board.list.Select(0);
    ListingBindings bindings = board.Bindings({});
    bindings.opener = &opener;
    ListingOpen(source, bindings);
    EXPECT_EQ(opener.opened,
              c.opened ? std::vector<Text>{Text(c.prefix) + c.cell} : std::vector<Text>{});
  }
}

TEST(ListingOpen, NoSelectionOpensThePrefixAlone) {
  ListingSource source = ItemSource();
  source.openPrefix = "http://site-c.test";
  struct : AddressOpener {
    std::vector<Text> opened;
    void OpenAddress(const Text& a) override { opened.push_back(a); }
  } opener;
  Board board;
  board.list.SetCell(board.list.AppendRow(), 2, "/x.html");
  ListingBindings bindings = board.Bindings({});
  bindings.opener = &opener;
  ListingOpen(source, bindings);
  EXPECT_EQ(opener.opened, std::vector<Text>{"http://site-c.test"});
}

TEST(ListingOpen, EmptyNoticeOnAnEmptyListResetsTheBar) {
  ListingSource source = ItemSource();
  source.emptyNotice = true;
  source.progressBar = "bar";
  source.openPrefix = "https://h.test";
  struct : MessageSink {
    std::vector<Text> shown;
    void ShowMessage(const Text& t) override { shown.push_back(t); }
  } messages;
  struct : AddressOpener {
    int opened = 0;
    void OpenAddress(const Text&) override { ++opened; }
  } opener;
  Board board;
  board.bar.SetPosition(42);
  ListingBindings bindings = board.Bindings({});
  bindings.messages = &messages;
  bindings.opener = &opener;
  ListingOpen(source, bindings);
  EXPECT_EQ(messages.shown, std::vector<Text>{G("空")});
  EXPECT_EQ(board.bar.Position(), 0);
  EXPECT_EQ(opener.opened, 0);

  source.opensOnDoubleClick = false;  // the penalty list reacts to nothing
  board.list.SetCell(board.list.AppendRow(), 2, "/t");
  board.list.Select(0);
  ListingOpen(source, bindings);
  EXPECT_EQ(opener.opened, 0);
}

}  // namespace
}  // namespace jixia::test
