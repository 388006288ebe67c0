// Forum B's six boards and its public penalty list ("巅峰论坛"), over HTTPS.
// The board sources pass each thread title through the window caption.
#include <string>

#include "listing/source_table.h"
#include "listing/sources/row_writing.h"

namespace jixia {
namespace {

using namespace rows;

// clang-format off
constexpr std::string_view kP1 =
    R"~(<a href="(.*?)" onclick="atarget\(this\)" class="s xst">(.*?)</a>[\s\S]*?\r\n</th>\r\n<td class="by">\r\n<cite>\r\n<a href=".*?" c="1"(.*?)</a></cite>\r\n<em>(.*?)</em>[\s\S]*?\r\n<td class="num"><a href=".*?" class="(.*?)<em>(.*?)</em></td>\r[\s\S]*?\r\n<em><a href=".*?">(.*?)</a></em>)~";
constexpr std::string_view kP2 =
    R"~(<a href="(.*?)" class="s xst">(.*?)</a>[\s\S]*?\r\n</th>\r\n<td class="by">\r\n<cite>\r\n<a href=".*?" c="1"(.*?)</a></cite>\r\n<em>(.*?)</em>\r\n</td>\r\n<td class="num"><a href=".*?" class="xi2">(.*?)</a><em>(.*?)</em></td>[\s\S]*?)~";
constexpr std::string_view kP3 =
    R"~(<a href="(.*?)" onclick="atarget\(this\)" class="s xst">(.*?)</a>[\s\S]*?\r\n</th>\r\n<td class="by">\r\n<cite>\r\n<a href=".*?" c="1"(.*?)</a></cite>\r\n<em>(.*?)</em>\r\n</td>\r\n<td class="num"><a href=".*?" class="xi2">(.*?)</a><em>(.*?)</em></td>[\s\S]*?\r\n<em><a href=".*?"(.*?)</a></em>\r)~";
constexpr std::string_view kP4 =
    R"~(<td><a href=".*?" targe="_blank">(.*?)</a></td>\r\n<td>(.*?)</td>\r\n<td>(.*?)</td>\r\n<td>(.*?)</td>\r\n<td>(.*?)</td>\r\n</tr>\r)~";
// clang-format on

enum class Layout { P1, P2, P3, P4 };
enum class Author { None, A1, A2, A3 };
enum class Address { AsCaptured, WithoutAmp };

struct Board {
  std::string_view page;
  std::string_view listView;
  std::string_view pageCountBox;  // empty: one request for the fixed path
  std::string_view path;          // up to the page number
  std::string_view suffix;
  std::string_view cutMarker;  // empty: none
  Layout layout;
  Author author;
  Address address;  // P1 only; P2 always cuts the link and drops "amp;"
};

// clang-format off
constexpr Board kBoards[] = {
  // page               ListView        PageCountBox  path                                                                                   suffix   CutMarker                         layout       author       address
  {"登录功能+小黑屋",  "超级列表框15", "",           "/forum.php?mod=misc&action=showdarkroom",                                              "",      "",                               Layout::P4,  Author::None, Address::AsCaptured},
  {"最新精品软件",     "超级列表框9",  "编辑框9",    "/forum.php?mod=forumdisplay&fid=42&orderby=dateline&filter=author&orderby=dateline&page=", "",      "",                               Layout::P1,  Author::A1,   Address::WithoutAmp},
  {"热门精品软件",     "超级列表框10", "编辑框10",   "/forum-42-",                                                                           ".html", "版块主题",                       Layout::P1,  Author::A2,   Address::AsCaptured},
  {"巅峰大佬原创",     "超级列表框11", "编辑框11",   "/forum.php?mod=forumdisplay&fid=40&orderby=dateline&filter=author&orderby=dateline&page=", "",      "",                               Layout::P2,  Author::A2,   Address::WithoutAmp},
  {"巅峰福利活动",     "超级列表框12", "编辑框12",   "/forum.php?mod=forumdisplay&fid=63&orderby=dateline&orderby=dateline&filter=author&page=", "",      "【福利活动精品帖规】 申精必看",  Layout::P2,  Author::A2,   Address::WithoutAmp},
  {"巅峰动画教程 ",    "超级列表框13", "编辑框13",   "/forum-45-",                                                                           ".html", "版块主题",                       Layout::P3,  Author::A3,   Address::AsCaptured},
  {"巅峰学习交流",     "超级列表框14", "编辑框14",   "/forum-43-",                                                                           ".html", "版块主题",                       Layout::P3,  Author::A2,   Address::AsCaptured},
};
// clang-format on

constexpr char kTitle[] = R"(title=")";

std::vector<CleanStep> AuthorSteps(Author author) {
  const Text admins = Literal("管理团队");
  const std::vector<CleanStep> afterLast = {KeepAfterLast(">")};
  const std::vector<CleanStep> linkPair = {
      IfContains("</a> <a href=", {KeepBetween(">", "</a> <a href=")}, afterLast)};
  switch (author) {
    case Author::A1:
      return {IfContains(admins, {KeepBetween(kTitle, R"(" />)")}, afterLast)};
    case Author::A2:
      return {IfContains(admins, {KeepBetween(kTitle, R"(" />)")}, linkPair)};
    case Author::A3:
      return {IfContains(admins, {KeepBetween(kTitle, kTitle)}, linkPair)};
    case Author::None:
      break;
  }
  return {};
}

// Date cell D and last-post cell L; their probe is "title" without "=".
std::vector<CleanStep> DateSteps() {
  return {IfContains("title", {KeepBetween(kTitle, R"(">)")}, {KeepBetween("<span>", "</span>")})};
}
std::vector<CleanStep> LastPostSteps() {
  return {IfContains("title", {KeepBetween(kTitle, R"(">)")}, {})};
}

std::vector<FieldRule> Fields(const Board& board) {
  const std::vector<CleanStep> author = AuthorSteps(board.author);
  const std::vector<CleanStep> amp = {ReplaceAll("amp;", "")};
  // clang-format off
  switch (board.layout) {
    case Layout::P1:
      return {
        //          Column  From        Group  Steps
        CaptionRule(1,      From::Main, 2),
        Rule(       2,      From::Main, 3,     author),
        Rule(       3,      From::Main, 4,     DateSteps()),
        Rule(       4,      From::Main, 1,     board.address == Address::WithoutAmp ? amp : std::vector<CleanStep>{}),
        Rule(       5,      From::Main, 7,     LastPostSteps()),
        Rule(       6,      From::Main, 5,     {KeepBetween(R"(xi2">)", "</a>")}),
        Rule(       7,      From::Main, 6),
      };
    case Layout::P2:
      return {
        CaptionRule(1,      From::Main, 2),
        Rule(       2,      From::Main, 3,     author),
        Rule(       3,      From::Main, 4,     DateSteps()),
        Rule(       4,      From::Main, 1,     {KeepBetween(R"(<a href=")", R"(")"), ReplaceAll("amp;", "")}),
        Rule(       5,      From::Main, 5),
        Rule(       6,      From::Main, 6),
      };
    case Layout::P3:
      return {
        CaptionRule(1,      From::Main, 2),
        Rule(       2,      From::Main, 3,     author),
        Rule(       3,      From::Main, 4,     DateSteps()),
        Rule(       4,      From::Main, 1),
        Rule(       5,      From::Main, 7,     LastPostSteps()),
        Rule(       6,      From::Main, 5),
        Rule(       7,      From::Main, 6),
      };
    case Layout::P4:
      return {
        Rule(       1,      From::Main, 1),
        Rule(       2,      From::Main, 2),
        Rule(       3,      From::Main, 3),
        Rule(       4,      From::Main, 4,     {IfContains(R"(<span title=")", {KeepBetween(R"(<span title=")", R"(")")}, {})}),
        Rule(       5,      From::Main, 5),
      };
  }
  // clang-format on
  return {};
}

std::string_view PatternOf(Layout layout) {
  switch (layout) {
    case Layout::P1:
      return kP1;
    case Layout::P2:
      return kP2;
    case Layout::P3:
      return kP3;
    case Layout::P4:
      return kP4;
  }
  return {};
}

}  // namespace

std::vector<ListingSource> ForumBSources(const Text& host) {
  const Text origin = "https://" + host;
  std::vector<ListingSource> sources;
  for (const Board& board : kBoards) {
    ListingSource s;
    s.site = Literal("巅峰论坛");
    s.board = Literal(board.page);
    s.listView = Literal(board.listView);
    s.pageCountBox = Literal(board.pageCountBox);
    s.urlPrefix = origin + std::string(board.path);
    s.urlSuffix = std::string(board.suffix);
    if (!board.cutMarker.empty()) s.cutMarker = Literal(board.cutMarker);
    s.mainPattern = Pattern(PatternOf(board.layout));
    s.fields = Fields(board);
    s.openColumn = 4;
    s.opensOnDoubleClick = board.layout != Layout::P4;
    sources.push_back(std::move(s));
  }
  return sources;
}

}  // namespace jixia
