// Deal site D4's five working boards ("小K娱乐网"), over HTTPS. The pages
// "技术教程" and "活动线报" have no source.
#include <string>

#include "listing/source_table.h"
#include "listing/sources/row_writing.h"

namespace jixia {
namespace {

using namespace rows;

// clang-format off
constexpr std::string_view kPattern =
    R"~(class="post-title"> <a href="(.*?)"target="_blank"style=".*?">(.*?)</a></h2></div><div class=\"readmore\"><a href=".*?"target="_blank">阅读全文>>[\s\S]*?<a href="(.*?)" target="[\s\S]*?class="icon-calendar"></i><span>(.*?)</span></span>[\s\S]*?<a href=".*?">(.*?)</a></span>)~";

struct Board {
  std::string_view page;
  std::string_view listView;
  std::string_view pageCountBox;
  std::string_view id;
};

constexpr Board kBoards[] = {
  // page        ListView        PageCountBox  board number
  {"值得一看",   "超级列表框25", "编辑框24",   "497796"},
  {"自学教程",   "超级列表框26", "编辑框25",   "494893"},
  {"网站源码",   "超级列表框27", "编辑框26",   "499337"},
  {"绿色软件",   "超级列表框30", "编辑框29",   "103904"},
  {"游戏助手",   "超级列表框31", "编辑框30",   "783242"},
};

std::vector<FieldRule> Fields() {
  return {
    //   Column  From        Group  Steps
    Rule(1,      From::Main, 5),
    Rule(2,      From::Main, 2),
    Rule(3,      From::Main, 3,     {KeepAfterLast("sousuo.asp?ssYongHu=")}),
    Rule(4,      From::Main, 4),
    Rule(5,      From::Main, 1),
  };
}
// clang-format on

}  // namespace

std::vector<ListingSource> DealD4Sources(const Text& host) {
  const Text origin = "https://" + host;
  std::vector<ListingSource> sources;
  for (const Board& board : kBoards) {
    ListingSource s;
    s.site = Literal("小K娱乐网");
    s.board = Literal(board.page);
    s.listView = Literal(board.listView);
    s.pageCountBox = Literal(board.pageCountBox);
    s.urlPrefix = origin + "/i_wz.asp?id=" + std::string(board.id) + "&PageIndex=";
    s.mainPattern = Pattern(kPattern);
    s.fields = Fields();
    s.openColumn = 5;
    s.openPrefix = origin + "/";
    sources.push_back(std::move(s));
  }
  return sources;
}

}  // namespace jixia
