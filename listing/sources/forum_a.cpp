// Forum A's five boards ("精易论坛"), served over HTTPS as numbered pages.
#include <string>

#include "listing/source_table.h"
#include "listing/sources/row_writing.h"

namespace jixia {
namespace {

using namespace rows;

// "易语言源码区" reads each page with two patterns.
constexpr std::string_view kFirstMain =
    R"~(<em>\[\<a href=".*?">(.*?)\]\</em> <a href="(.*?)" onclick="atarget\(this\)" class="s xst">(.*?)</a>[\s\S]*?\r\n<a href=".*?" c="1" style="(.*?)</a></cite>\r\n<em>(.*?)</em>\r\n</td>\r)~";
constexpr std::string_view kFirstPair =
    R"~(td class="num"><a href=".*?" class="xi2">(.*?)</a><em>(.*?)</em></td>[\s\S]*?\r\n<em><a href=".*?">(.*?)</a></em>\r)~";

// The other four boards share one longer pattern.
constexpr std::string_view kOthersMain =
    R"~(<em>\[\<a href=".*?">(.*?)\]\</em> <a href="(.*?)" onclick="atarget\(this\)" class="s xst">(.*?)</a>[\s\S]*?\r\n<a href=".*?" c="1" style="(.*?)</a></cite>\r\n<em><span>(.*?)</span></em>\r\n</td>\r\n<td class="num"><a href=".*?" class="xi2">(.*?)</a><em>(.*?)</em></td>\r\n<td class="by">\r\n<cite>.*?</a></cite>\r\n<em><a href="(.*?)">(.*?)</a></em>)~";

struct Board {
  std::string_view page;
  std::string_view listView;
  std::string_view pageCountBox;
  std::string_view progressBar;
  std::string_view number;
};

// clang-format off
constexpr Board kBoards[] = {
  // page             ListView        PageCountBox  ProgressBar  board
  {"易语言源码区",    "超级列表框1",  "编辑框1",    "进度条1",   "98"},
  {"易语言软件区",    "超级列表框2",  "编辑框2",    "进度条2",   "121"},
  {"易语言分享区",    "超级列表框3",  "编辑框3",    "进度条3",   "51"},
  {"易语言模块区",    "超级列表框4",  "编辑框4",    "进度条4",   "100"},
  {"易语言教程区",    "超级列表框5",  "编辑框5",    "进度条5",   "125"},
};
// clang-format on

std::vector<FieldRule> FirstFields() {
  const Text fontEnd = Literal(R"(</font></a>)");
  const Text title = Literal(R"(title=")");
  const Text quote = Literal(R"(")");
  // clang-format off
  return {
    //   Column  From        Group  Steps
    Rule(1,      From::Main, 1,     {IfContains(fontEnd, {KeepBefore(fontEnd), KeepAfterLast(">")}, {})}),
    Rule(2,      From::Main, 3),
    Rule(3,      From::Main, 4,     {KeepAfterLast(">")}),
    Rule(4,      From::Main, 5,     {IfContains(title, {KeepBetween(title, quote)}, {KeepBetween("<span>", "</span>")})}),
    Rule(5,      From::Pair, 1),
    Rule(6,      From::Pair, 2),
    Rule(7,      From::Pair, 3,     {IfContains(title, {KeepBetween(title, quote)}, {})}),
    Rule(8,      From::Main, 2,     {ReplaceAll("amp;", "")}),
  };
  // clang-format on
}

std::vector<FieldRule> OtherFields() {
  const Text fontEnd = Literal(R"(</font></a>)");
  const Text title = Literal(R"(title=")");
  const Text quote = Literal(R"(")");
  // clang-format off
  return {
    //   Column  From        Group  Steps
    Rule(1,      From::Main, 1,     {KeepBefore(fontEnd), KeepAfterLast(">")}),
    Rule(2,      From::Main, 3),
    Rule(3,      From::Main, 4,     {KeepAfterLast(">")}),
    Rule(4,      From::Main, 5,     {IfContains(title, {KeepBetween(title, quote)}, {})}),
    Rule(5,      From::Main, 6),
    Rule(6,      From::Main, 7),
    Rule(7,      From::Main, 9,     {IfContains(title, {KeepBetween(title, quote)}, {})}),
    Rule(8,      From::Main, 8),
  };
  // clang-format on
}

}  // namespace

std::vector<ListingSource> ForumASources(const Text& host) {
  const Text origin = "https://" + host;
  std::vector<ListingSource> sources;
  for (const Board& board : kBoards) {
    const bool first = sources.empty();
    ListingSource s;
    s.site = Literal("精易论坛");
    s.board = Literal(board.page);
    s.listView = Literal(board.listView);
    s.pageCountBox = Literal(board.pageCountBox);
    s.progressBar = Literal(board.progressBar);
    s.urlPrefix = origin + "/forum-" + std::string(board.number) + "-";
    s.urlSuffix = ".html";
    s.cutMarker = Literal("精华帖申请");
    s.mainPattern = Pattern(first ? kFirstMain : kOthersMain);
    if (first) s.pairPattern = Pattern(kFirstPair);
    s.fields = first ? FirstFields() : OtherFields();
    s.openColumn = 8;
    s.openPrefix = first ? origin : Text();
    s.emptyNotice = first;
    sources.push_back(std::move(s));
  }
  return sources;
}

}  // namespace jixia
