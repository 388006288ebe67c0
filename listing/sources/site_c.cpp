// Site C's three boards ("QQ哆情乐园"), a software download site over plain
// HTTP. Each page is read with an entry pattern and a paired detail pattern.
#include <string>

#include "listing/source_table.h"
#include "listing/sources/row_writing.h"

namespace jixia {
namespace {

using namespace rows;

// clang-format off
constexpr std::string_view kEntry =
    R"~(<h4 class="nlc_tit"><a href="(.*?)" title="(.*?) ">(.*?) </a></h4>[\s\S]*?)~";
constexpr std::string_view kDetail =
    R"~(<p class="nlc_time">文件大小：<em>(.*?)</em>&nbsp;&nbsp;&nbsp;下载次数：<em>(.*?)</em>&nbsp;&nbsp;&nbsp;授权方式：<em>(.*?)</em>&nbsp;&nbsp;&nbsp;运行平台：<em>(.*?)</em></p>\r)~";

struct Board {
  std::string_view page;
  std::string_view listView;
  std::string_view pageCountBox;
  std::string_view path;
};

// The board numbers run 8, 7, 9 in tab order.
constexpr Board kBoards[] = {
  // page      ListView       PageCountBox  path
  {"QQ软件",   "超级列表框6", "编辑框6",    "/soft/html/list8-"},
  {"QQ教程",   "超级列表框7", "编辑框7",    "/soft/html/list7-"},
  {"QQ辅助",   "超级列表框8", "编辑框8",    "/soft/html/list9-"},
};
// clang-format on

std::vector<FieldRule> Fields() {
  // clang-format off
  return {
    //   Column  From        Group
    Rule(1,      From::Main, 2),
    Rule(2,      From::Main, 1),
    Rule(3,      From::Pair, 2),
    Rule(4,      From::Pair, 1),
    Rule(5,      From::Pair, 3),
    Rule(6,      From::Pair, 4),
  };
  // clang-format on
}

}  // namespace

std::vector<ListingSource> SiteCSources(const Text& host) {
  const Text origin = "http://" + host;
  std::vector<ListingSource> sources;
  for (const Board& board : kBoards) {
    ListingSource s;
    s.site = Literal("QQ哆情乐园");
    s.board = Literal(board.page);
    s.listView = Literal(board.listView);
    s.pageCountBox = Literal(board.pageCountBox);
    s.urlPrefix = origin + std::string(board.path);
    s.urlSuffix = ".html";
    s.mainPattern = Pattern(kEntry);
    s.pairPattern = Pattern(kDetail);
    s.fields = Fields();
    s.openColumn = 2;
    s.openPrefix = origin;
    sources.push_back(std::move(s));
  }
  return sources;
}

}  // namespace jixia
