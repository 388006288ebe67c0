// Forum A: board listings "/forum-FID-PAGE.html" over HTTPS, GBK, CR LF lines.
// Board 98 writes its thread rows for a main and a pair pattern (thread
// address with &amp;, post date with or without a title attribute); the
// other boards write the longer rows whose date sits in a bare span and whose
// last-post link carries a full address.
#include <iterator>
#include <string>

#include "demo/page_text.h"
#include "demo/post_page.h"
#include "demo/post_records.h"
#include "demo/seeded_random.h"
#include "demo/site_pages.h"

namespace jixia::demo {
namespace {

constexpr char kSiteName[] = "精易论坛";

struct Board {
  int fid;
  const char* name;
  const char* labels[4];
};

// Slot = index in this table.
constexpr Board kBoards[] = {
    {98, "易语言源码区", {"源码", "模块源码", "游戏源码", "网络源码"}},
    {121, "易语言软件区", {"软件", "工具", "辅助", "绿色软件"}},
    {51, "易语言分享区", {"分享", "资源", "经验", "图文"}},
    {100, "易语言模块区", {"模块", "支持库", "类模块", "界面模块"}},
    {125, "易语言教程区", {"教程", "视频教程", "入门", "进阶"}},
};

constexpr const char* kLabelColours[] = {"#FF6600", "#0000FF", "#008000", "#993399"};
constexpr const char* kAuthorStyles[] = {"color: #8F2A90", "color: #FF0000", "color: #0099FF", "",
                                         "color: #333333"};

int SlotOfFid(int fid) {
  for (int i = 0; i < static_cast<int>(std::size(kBoards)); ++i) {
    if (kBoards[i].fid == fid) return i;
  }
  return -1;
}

// The board's type label as the page writes it inside its link: mostly in a
// font element, now and then bare.
std::string Label(const Board& board, const PostRecord& post) {
  const std::string text = board.labels[post.variant % 4];
  if (post.variant % 5 == 4) return text;
  return Fill("<font color=\"{c}\">{t}</font>",
              {{"c", kLabelColours[(post.variant >> 3) % 4]}, {"t", text}});
}

// The content of the post-date cell: recent posts show their age with the
// date in a title attribute.
std::string DateCell(const PostRecord& post, std::time_t now, bool nestedSpan) {
  const std::string age = RelativeAge(post.posted, now);
  if (age.empty()) return "<span>" + ShortDate(post.posted) + "</span>";
  const std::string titled =
      Fill("<span title=\"{d}\">{a}</span>", {{"d", ShortDate(post.posted)}, {"a", age}});
  return nestedSpan ? "<span>" + titled + "</span>" : titled;
}

std::string LastPostText(const PostRecord& post, std::time_t now) {
  const std::string age = RelativeAge(post.lastReply, now);
  if (age.empty()) return ShortDateTime(post.lastReply);
  return Fill("<span title=\"{d}\">{a}</span>", {{"d", ShortDateTime(post.lastReply)}, {"a", age}});
}

void ThreadRow(PageText& page, const Board& board, const PostRecord& post, int pageNumber,
               const std::string& root, std::time_t now, bool sticky) {
  const bool pairedBoard = board.fid == 98;
  const std::string id = std::to_string(post.id);
  const std::string threadHref =
      pairedBoard ? Fill("/forum.php?mod=viewthread&amp;tid={id}&amp;extra=page%3D{p}",
                         {{"id", id}, {"p", std::to_string(pageNumber)}})
                  : "/thread-" + id + "-1-1.html";
  const std::string lastHref = Fill("{root}/forum.php?mod=redirect&tid={id}&goto=lastpost#lastpost",
                                    {{"root", root}, {"id", id}});
  const std::string kind = sticky ? "stickthread_" : "normalthread_";
  page.Line(Fill("<tbody id=\"{kind}{id}\">", {{"kind", kind}, {"id", id}}))
      .Line("<tr>")
      .Line("<td class=\"icn\">")
      .Line(Fill("<a href=\"/thread-{id}-1-1.html\" title=\"有新回复 - 新窗口打开\" "
                 "target=\"_blank\">",
                 {{"id", id}}))
      .Line(sticky ? "<img src=\"static/image/common/pin_1.gif\" alt=\"本版置顶\" />"
                   : "<img src=\"static/image/common/folder_new.gif\" />")
      .Line("</a>")
      .Line("</td>")
      .Line("<th class=\"new\">")
      .Line(Fill("<a href=\"javascript:;\" id=\"content_{id}\" class=\"showcontent y\" "
                 "title=\"更多操作\" onclick=\"CONTENT_TID='{id}';CONTENT_ID='{kind}{id}';"
                 "showMenu({'ctrlid':this.id,'menuid':'content_menu'})\"></a>",
                 {{"id", id}, {"kind", kind}}))
      .Line(Fill("<em>[<a href=\"/forum.php?mod=forumdisplay&amp;fid={fid}&amp;filter=typeid&amp;"
                 "typeid={type}\">{label}</a>]</em> <a href=\"{href}\" onclick=\"atarget(this)\" "
                 "class=\"s xst\">{title}</a>",
                 {{"fid", std::to_string(board.fid)},
                  {"type", std::to_string(post.variant % 4 + 1)},
                  {"label", Label(board, post)},
                  {"href", threadHref},
                  {"title", post.title}}));
  if (post.variant & 0x100) {
    page.Line(
        "<img src=\"static/image/filetype/common.gif\" alt=\"attachment\" title=\"附件\" "
        "align=\"absmiddle\" />");
  }
  page.Line("</th>")
      .Line("<td class=\"by\">")
      .Line("<cite>")
      .Line(Fill("<a href=\"/space-uid-{uid}.html\" c=\"1\" style=\"{style}\">{author}</a></cite>",
                 {{"uid", std::to_string(post.authorId)},
                  {"style", kAuthorStyles[(post.variant >> 5) % std::size(kAuthorStyles)]},
                  {"author", post.author}}))
      .Line("<em>" + DateCell(post, now, !pairedBoard) + "</em>")
      .Line("</td>")
      .Line(Fill(
          "<td class=\"num\"><a href=\"/thread-{id}-1-1.html\" class=\"xi2\">{r}</a>"
          "<em>{v}</em></td>",
          {{"id", id}, {"r", std::to_string(post.replies)}, {"v", std::to_string(post.views)}}))
      .Line("<td class=\"by\">")
      .Line(Fill("<cite><a href=\"/space-username-{u}.html\" c=\"1\">{u}</a></cite>",
                 {{"u", post.lastReplier}}))
      .Line(Fill("<em><a href=\"{href}\">{text}</a></em>",
                 {{"href", lastHref}, {"text", LastPostText(post, now)}}))
      .Line("</td>")
      .Line("</tr>")
      .Line("</tbody>");
}

constexpr const char* kStickyTitles[] = {"【版规】本版发帖规则，发帖前必读",
                                         "关于精华帖申请的说明（申请格式见内）",
                                         "【公告】新人报到与求助须知"};

// An ordinary post, or a pinned thread at one of the board's last positions.
PostRecord PostAt(const SiteSettings& settings, PostPlace place) {
  PostRecord post = MakePost(settings.records, SiteKey::ForumA, place);
  if (place.position >= kFirstPinnedPosition) {
    const int index = place.position - kFirstPinnedPosition;
    post.title = kStickyTitles[index];
    post.author = "精易管理员";
    post.posted = settings.records.now - (300 + index * 40) * 24 * 3600;
    post.lastReply = settings.records.now - 3600 * (index + 2);
  }
  return post;
}

std::string ListingPage(const SiteSettings& settings, int slot, int pageNumber,
                        const std::string& root) {
  const Board& board = kBoards[slot];
  const std::time_t now = settings.records.now;
  const std::string fid = std::to_string(board.fid);
  PageText page(kCrLf);
  page.Line(
          "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">")
      .Line("<html xmlns=\"http://www.w3.org/1999/xhtml\">")
      .Line("<head>")
      .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />")
      .Line(Fill("<title>{b} - {s} - 第{p}页</title>",
                 {{"b", board.name}, {"s", kSiteName}, {"p", std::to_string(pageNumber)}}))
      .Line(Fill("<meta name=\"keywords\" content=\"{b}\" />", {{"b", board.name}}))
      .Line("<link rel=\"stylesheet\" type=\"text/css\" href=\"data/cache/style_1_common.css\" />")
      .Line("</head>")
      .Line("<body id=\"nv_forum\" class=\"pg_forumdisplay\">")
      .Line(Fill("<div id=\"hd\"><div class=\"wp\"><h2><a href=\"/\" title=\"{s}\">{s}</a></h2>"
                 "</div></div>",
                 {{"s", kSiteName}}))
      .Line(Fill("<div id=\"pt\" class=\"bm cl\"><div class=\"z\"><a href=\"/\" class=\"nvhm\">{s}"
                 "</a> <em>&raquo;</em> <a href=\"/forum-{fid}-1.html\">{b}</a></div></div>",
                 {{"s", kSiteName}, {"fid", fid}, {"b", board.name}}))
      .Line(
          "<div class=\"bm bml pbn\"><div class=\"bm_c cl pbn\">本版规则：发帖请选择正确的分类；"
          "原创作品欢迎精华帖申请，格式见置顶帖。</div></div>")
      .Line("<div id=\"threadlist\" class=\"tl bm bmw\">")
      .Line("<div class=\"bm_c\">")
      .Line(Fill("<table summary=\"forum_{fid}\" cellspacing=\"0\" cellpadding=\"0\" "
                 "id=\"threadlisttableid\">",
                 {{"fid", fid}}));
  for (int i = 0; i < static_cast<int>(std::size(kStickyTitles)); ++i) {
    ThreadRow(page, board, PostAt(settings, {slot, kFirstPinnedPosition + i}), pageNumber, root,
              now, true);
  }
  // Everything above the last "精华帖申请" is cut away by the reader: the
  // board rules and the pinned threads.
  page.Line(
      Fill("<tbody id=\"separatorline\" class=\"emptb\"><tr class=\"ts\"><td>&nbsp;</td><th>"
           "<a href=\"/thread-{id}-1-1.html\" class=\"xi2\">精华帖申请</a> 版块主题</th>"
           "<td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr></tbody>",
           {{"id", std::to_string(PostAt(settings, {slot, kFirstPinnedPosition + 1}).id)}}));
  const int count = PostsOnPage(settings.records, SiteKey::ForumA, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    const PostRecord post = PostAt(settings, {slot, (pageNumber - 1) * kMaxPostsPerPage + i});
    ThreadRow(page, board, post, pageNumber, root, now, false);
  }
  page.Line("</table>").Line("</div>").Line("</div>");
  std::string pager = "<div class=\"pgs mtm mbm cl\"><div class=\"pg\">";
  if (pageNumber > 1) {
    pager += Fill("<a href=\"/forum-{fid}-{p}.html\" class=\"prev\">上一页</a>",
                  {{"fid", fid}, {"p", std::to_string(pageNumber - 1)}});
  }
  pager += "<strong>" + std::to_string(pageNumber) + "</strong>";
  if (pageNumber < kPagesPerBoard) {
    pager += Fill("<a href=\"/forum-{fid}-{p}.html\" class=\"nxt\">下一页</a>",
                  {{"fid", fid}, {"p", std::to_string(pageNumber + 1)}});
  }
  page.Line(pager + "</div></div>")
      .Line("<div id=\"ft\" class=\"wp cl\">演示站点 &copy; 精易论坛</div>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

void SendPost(httplib::Response& response, const SiteSettings& settings, int id,
              const std::string& root) {
  const auto place = PlaceOfPost(id);
  if (!place || place->slot >= static_cast<int>(std::size(kBoards))) {
    SendNotFound(response, kGbkPage);
    return;
  }
  const PostRecord post = PostAt(settings, *place);
  SendPage(response, PostPageHtml(post, {kSiteName, kGbkPage, kCrLf, root + "/"}), kGbkPage);
}

}  // namespace

void MountForumA(httplib::Server& server, const SiteSettings& settings) {
  server.Get(R"(/forum-(\d+)-(\d+)\.html)",
             [settings](const httplib::Request& request, httplib::Response& response) {
               const int slot = SlotOfFid(IdNumber(request.matches[1].str()));
               const int pageNumber = PageNumber(request.matches[2].str());
               if (slot < 0 || pageNumber == 0) return SendNotFound(response, kGbkPage);
               const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
               SendPage(response, ListingPage(settings, slot, pageNumber, root), kGbkPage);
             });
  server.Get(R"(/thread-(\d+)-\d+-\d+\.html)",
             [settings](const httplib::Request& request, httplib::Response& response) {
               SendPost(response, settings, IdNumber(request.matches[1].str()),
                        SiteRoot(request, settings.tls, settings.configuredHost));
             });
  // Thread addresses of board 98 (mod=viewthread) and last-post links
  // (mod=redirect) of the other boards.
  server.Get("/forum.php",
             [settings](const httplib::Request& request, httplib::Response& response) {
               const std::string mod = request.get_param_value("mod");
               if (mod != "viewthread" && mod != "redirect")
                 return SendNotFound(response, kGbkPage);
               SendPost(response, settings, IdNumber(request.get_param_value("tid")),
                        SiteRoot(request, settings.tls, settings.configuredHost));
             });
}

}  // namespace jixia::demo
