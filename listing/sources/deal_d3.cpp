// Deal site D3's four sections ("完美娱乐网"), over HTTPS.
#include <string>

#include "listing/source_table.h"
#include "listing/sources/row_writing.h"

namespace jixia {
namespace {

using namespace rows;

// The one pattern whose \n is the regular-expression escape, held as the two
// characters backslash and n: it is taken byte for byte (Literal).
// clang-format off
constexpr std::string_view kPattern =
    R"~(<a class='label label-important' href='/\?cat=.*?'>(.*?)<i class='label-arrow'></i></a>[\s\S]*?<span class='muted'><i class='fa fa-clock-o'></i>(.*?)</span>[\s\S]*?<span class=\"muted\"><i class=\"fa fa-user\"></i> <a href=\"\">(.*?)</a></span>[\s\S]*?<span class='note'>(.*?)\n?</span>[\s\S]*?<a  class='yueduqw'  target='_blank' href='(.*?)' >阅读全文</a>)~";

struct Board {
  std::string_view page;
  std::string_view listView;
  std::string_view pageCountBox;
  std::string_view section;
};

constexpr Board kBoards[] = {
  // page        ListView        PageCountBox  section key
  {"活动专区",   "超级列表框21", "编辑框20",   "hdzq"},
  {"辅助专区",   "超级列表框22", "编辑框21",   "fxzq"},
  {"教程专区",   "超级列表框23", "编辑框22",   "jczq"},
  {"个性专区",   "超级列表框24", "编辑框23",   "gxzq"},
};

std::vector<FieldRule> Fields() {
  return {
    //   Column  From        Group
    Rule(1,      From::Main, 1),
    Rule(2,      From::Main, 4),
    Rule(3,      From::Main, 3),
    Rule(4,      From::Main, 2),
    Rule(5,      From::Main, 5),
  };
}
// clang-format on

}  // namespace

std::vector<ListingSource> DealD3Sources(const Text& host) {
  const Text origin = "https://" + host;
  std::vector<ListingSource> sources;
  for (const Board& board : kBoards) {
    ListingSource s;
    s.site = Literal("完美娱乐网");
    s.board = Literal(board.page);
    s.listView = Literal(board.listView);
    s.pageCountBox = Literal(board.pageCountBox);
    s.urlPrefix = origin + "/?cat=" + std::string(board.section) + "&page=";
    s.mainPattern = Literal(kPattern);
    s.fields = Fields();
    s.openColumn = 5;
    s.openPrefix = origin;
    sources.push_back(std::move(s));
  }
  return sources;
}

}  // namespace jixia
