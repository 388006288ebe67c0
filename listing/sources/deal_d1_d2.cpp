// Deal sites D2 ("活动网线报", HTTPS, only the last requested page is parsed)
// and D1 ("薅羊毛网站", plain HTTP, author cut), in window order.
#include <string>

#include "listing/source_table.h"
#include "listing/sources/row_writing.h"

namespace jixia {
namespace {

using namespace rows;

// clang-format off
constexpr std::string_view kD1Pattern =
    R"~(title="(.*?)">(.*?)</a></h2>.*?class="meta"><time><i class="fa fa-clock-o"></i>(.*?)</time><span class="author"><i class="fa fa-user"></i><a href="(.*?)">(.*?)class="pc" href="(.*?)"><i class="fa fa-comments-o"></i>评论(.*?)</a><a href=".*?"><i class=".*?"></i>赞\(<span>(.*?)</span>\))~";
constexpr std::string_view kD2Pattern =
    R"~(<li><span>(.*?)</span><a href="(.*?)" target="_blank">(.*?)</a></li>)~";

struct Board {
  std::string_view page;
  std::string_view listView;
  std::string_view pageCountBox;
  std::string_view path;
};

constexpr Board kD2Boards[] = {
  // page        ListView        PageCountBox  path
  {"现金活动",   "超级列表框16", "编辑框15",   "/category-4_"},
  {"话费活动",   "超级列表框17", "编辑框16",   "/category-6_"},
  {"手机赚钱",   "超级列表框19", "编辑框17",   "/category-11_"},
};

constexpr Board kD1Boards[] = {
  // page        ListView        PageCountBox  path
  {"薅羊毛",     "超级列表框18", "编辑框18",   "/licai/page/"},
  {"手机赚钱",   "超级列表框20", "编辑框19",   "/shouji/page/"},
};

std::vector<FieldRule> D1Fields() {
  return {
    //   Column  From        Group  Steps
    Rule(1,      From::Main, 1),
    Rule(2,      From::Main, 5,     {KeepBefore("</a></span><a ")}),
    Rule(3,      From::Main, 3),
    Rule(4,      From::Main, 8),
    Rule(5,      From::Main, 7),
    Rule(6,      From::Main, 6),
  };
}

std::vector<FieldRule> D2Fields() {
  return {
    //   Column  From        Group
    Rule(1,      From::Main, 3),
    Rule(2,      From::Main, 2),
    Rule(3,      From::Main, 1),
  };
}
// clang-format on

ListingSource Base(const Board& board, std::string_view site) {
  ListingSource s;
  s.site = Literal(site);
  s.board = Literal(board.page);
  s.listView = Literal(board.listView);
  s.pageCountBox = Literal(board.pageCountBox);
  return s;
}

}  // namespace

std::vector<ListingSource> DealD1D2Sources(const Text& d1Host, const Text& d2Host) {
  std::vector<ListingSource> sources;
  for (const Board& board : kD2Boards) {
    ListingSource s = Base(board, "活动网线报");
    s.urlPrefix = "https://" + d2Host + std::string(board.path);
    s.urlSuffix = ".html";
    s.parseLastOnly = true;
    s.mainPattern = Pattern(kD2Pattern);
    s.fields = D2Fields();
    s.openColumn = 2;
    sources.push_back(std::move(s));
  }
  for (const Board& board : kD1Boards) {
    ListingSource s = Base(board, "薅羊毛网站");
    s.urlPrefix = "http://" + d1Host + std::string(board.path);
    s.mainPattern = Pattern(kD1Pattern);
    s.fields = D1Fields();
    s.openColumn = 6;
    sources.push_back(std::move(s));
  }
  return sources;
}

}  // namespace jixia
