// Listing parse: one board page of 100-300 KB per site family through the
// whole fetch procedure with the page held in memory (GBK to UTF-8 for the
// matcher, matching, cleaning, row filling and the answers back to GBK), and
// the same over a page of the same size on which no match completes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_fixture_paths.h"
#include "listing/listing_fetch.h"
#include "listing/plain_ui.h"
#include "listing/source_table.h"
#include "text/codepage.h"
#include "text/search.h"

namespace jixia::bench {
namespace {

constexpr size_t kPageBytes = 200 * 1024;

struct Family {
  const char* name;
  const char* site;
  const char* board;
  const char* fixture;
  std::vector<std::pair<const char*, const char*>> damage;  // breaks the end of every row
};

const Family kFamilies[] = {
    {"ForumA_Source", "精易论坛", "易语言源码区", "forum_a_1.html", {{"</td>", "</tdx>"}}},
    {"ForumA_Others", "精易论坛", "易语言软件区", "forum_a_1.html", {{"</td>", "</tdx>"}}},
    {"ForumB_P1", "巅峰论坛", "最新精品软件", "forum_b_board_1.html", {{"</td>", "</tdx>"}}},
    {"ForumB_P2", "巅峰论坛", "巅峰大佬原创", "forum_b_original.html", {{"</td>", "</tdx>"}}},
    {"ForumB_P3", "巅峰论坛", "巅峰学习交流", "forum_b_board_1.html", {{"</td>", "</tdx>"}}},
    {"ForumB_Penalty",
     "巅峰论坛",
     "登录功能+小黑屋",
     "forum_b_darkroom.html",
     {{"</td>", "</tdx>"}}},
    {"SiteC", "QQ哆情乐园", "QQ软件", "site_c_1.html", {{"</p>", "</px>"}, {"</h4>", "</h5>"}}},
    {"D1", "薅羊毛网站", "薅羊毛", "d1_1.html", {{"</span>)", "</span>]"}}},
    {"D2", "活动网线报", "现金活动", "d2_3.html", {{"</li>", "</lix>"}}},
    {"D3", "完美娱乐网", "教程专区", "d3_1.html", {{"阅读全文", "阅读更多"}}},
    {"D4", "小K娱乐网", "绿色软件", "d4_1.html", {{"icon-calendar", "icon-date"}}},
};

std::string ReadFixture(const char* name) {
  std::ifstream in(std::string(kListingFixtureDir) + "/" + name, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("missing fixture ") + name);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const ListingSource& SourceOf(const std::vector<ListingSource>& table, const Family& family) {
  for (const ListingSource& s : table) {
    if (s.site == Utf8ToGbk(family.site) && s.board == Utf8ToGbk(family.board)) return s;
  }
  throw std::runtime_error("no such board");
}

// The fixture page, then copies of it without the cut marker (so that the
// whole page is parsed) until the page holds kPageBytes.
Text GrowPage(const ListingSource& source, const Family& family, bool damaged) {
  Text copy = ReadFixture(family.fixture);
  if (source.cutMarker) copy = ReplaceAllText(copy, *source.cutMarker, "");
  if (damaged) {
    for (const auto& [intact, broken] : family.damage) {
      copy = ReplaceAllText(copy, Utf8ToGbk(intact), Utf8ToGbk(broken));
    }
  }
  Text page = damaged ? Text() : ReadFixture(family.fixture);
  if (damaged && source.cutMarker) page = *source.cutMarker;
  while (page.size() < kPageBytes) page += copy;
  return page;
}

void ParsePage(benchmark::State& state, const Family& family, bool damaged) {
  const std::vector<ListingSource> table = BuildSourceTable(BuildTimeHosts());
  const ListingSource& source = SourceOf(table, family);
  const Text page = GrowPage(source, family, damaged);
  PlainReportList list;
  PlainProgressBar bar;
  PlainCaption caption;
  ListingBindings bindings;
  bindings.list = &list;
  bindings.pageCountText = [] { return Text("1"); };
  bindings.progressBar = &bar;
  bindings.caption = &caption;
  bindings.fetch = [&page](const Text&, Text* status) {
    *status = "200 OK";
    return page;
  };
  for (auto _ : state) {
    ListingFetch(source, bindings);
    benchmark::DoNotOptimize(list.RowCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(page.size()));
  state.counters["rows"] = list.RowCount();
  state.counters["KB"] = static_cast<double>(page.size()) / 1024;
}

const bool kRegistered = [] {
  for (const Family& family : kFamilies) {
    benchmark::RegisterBenchmark((std::string("ListingParse/") + family.name).c_str(),
                                 [&family](benchmark::State& s) { ParsePage(s, family, false); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("ListingParseNoMatch/") + family.name).c_str(),
                                 [&family](benchmark::State& s) { ParsePage(s, family, true); })
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace jixia::bench

BENCHMARK_MAIN();
