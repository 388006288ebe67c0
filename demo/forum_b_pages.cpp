// Forum B over HTTPS, GBK, CR LF lines. Six boards in three row shapes:
//   - the "onclick" rows with a fixed last-post cell (fid 42 by date and the
//     hot list /forum-42-K.html),
//   - rows whose thread link has no onclick and follows two links on the same
//     line, a type label and a new-window icon that carries the thread
//     address too (fid 40 and 63),
//   - "onclick" rows whose last-post text always carries a title attribute
//     (/forum-45-K.html and /forum-43-K.html);
// plus the penalty table of mod=misc&action=showdarkroom. Author cells come
// as a plain link, as a staff badge (管理团队) or with a second badge link.
#include <iterator>
#include <string>

#include "demo/page_text.h"
#include "demo/post_page.h"
#include "demo/post_records.h"
#include "demo/seeded_random.h"
#include "demo/site_pages.h"

namespace jixia::demo {
namespace {

constexpr char kSiteName[] = "巅峰论坛";

enum class RowShape { Dated, Labelled, Titled };

struct Board {
  int fid;
  bool queryAddress;  // forum.php?mod=forumdisplay&fid=...&page=K, else /forum-FID-K.html
  const char* name;
  RowShape shape;
  bool entityAddress;      // the thread address writes & as &amp;
  bool staffAuthors;       // some rows show a staff badge instead of a name
  bool badgeAuthors;       // some author cells carry a second link
  const char* lastPinned;  // title of the last pinned thread
};

// Slot = index in this table.
constexpr Board kBoards[] = {
    {42, true, "最新精品软件", RowShape::Dated, true, true, false, "【置顶】精品软件区发帖格式"},
    {42, false, "热门精品软件", RowShape::Dated, false, true, true, "【置顶】精品软件区发帖格式"},
    {40, true, "巅峰大佬原创", RowShape::Labelled, true, true, true, "【置顶】原创作品认证说明"},
    {63, true, "巅峰福利活动", RowShape::Labelled, true, true, true,
     "【福利活动精品帖规】 申精必看"},
    {45, false, "巅峰动画教程", RowShape::Titled, false, false, true, "【置顶】动画教程投稿须知"},
    {43, false, "巅峰学习交流", RowShape::Titled, false, true, true, "【置顶】学习交流区版规"},
};

constexpr const char* kPinnedTitles[] = {"【公告】巅峰论坛新人必读", "【公告】举报与申诉通道"};
constexpr const char* kLabels[] = {"原创", "分享", "教程", "活动", "工具"};

int SlotOf(int fid, bool queryAddress) {
  for (int i = 0; i < static_cast<int>(std::size(kBoards)); ++i) {
    if (kBoards[i].fid == fid && kBoards[i].queryAddress == queryAddress) return i;
  }
  return -1;
}

PostRecord PostAt(const SiteSettings& settings, PostPlace place) {
  PostRecord post = MakePost(settings.records, SiteKey::ForumB, place);
  const Board& board = kBoards[place.slot];
  if (!board.staffAuthors) post.staffAuthor = false;
  if (!board.badgeAuthors) post.vipAuthor = false;
  if (place.position >= kFirstPinnedPosition) {
    const int index = place.position - kFirstPinnedPosition;
    post.title = index + 1 < kPinnedPerBoard ? kPinnedTitles[index] : board.lastPinned;
    post.staffAuthor = board.staffAuthors;
    post.vipAuthor = false;
    post.posted = settings.records.now - (200 + index * 30) * 24 * 3600;
    post.lastReply = settings.records.now - 3600 * (index + 5);
  }
  return post;
}

std::string ThreadAddress(const Board& board, const PostRecord& post, const std::string& root) {
  const std::string id = std::to_string(post.id);
  if (board.entityAddress) {
    return root + "/forum.php?mod=viewthread&amp;tid=" + id + "&amp;extra=page%3D1";
  }
  return root + "/thread-" + id + "-1-1.html";
}

// The author link from after c="1" to its closing tag.
std::string AuthorLink(const PostRecord& post) {
  if (post.staffAuthor) {
    return Fill(
        " class=\"xi2\"><img src=\"static/image/common/ico_admin.gif\" alt=\"管理团队\" "
        "title=\"{rank}\" />",
        {{"rank", post.staffRank}});
  }
  const std::string link = Fill(" mid=\"card_{id}\">{name}",
                                {{"id", std::to_string(post.authorId)}, {"name", post.author}});
  if (!post.vipAuthor) return link;
  return link +
         "</a> <a href=\"home.php?mod=spacecp&amp;ac=usergroup\" target=\"_blank\">"
         "<img src=\"static/image/common/vip.gif\" alt=\"VIP\" />";
}

std::string DateCell(const PostRecord& post, std::time_t now) {
  const std::string age = RelativeAge(post.posted, now);
  if (age.empty()) return "<span>" + ShortDate(post.posted) + "</span>";
  return Fill("<span class=\"xi1\"><span title=\"{d}\">{a}</span></span>",
              {{"d", ShortDate(post.posted)}, {"a", age}});
}

// The last-post link from after its address: always a titled span on the
// boards whose cleaning reads the title, else plain text for old replies.
std::string LastPostLink(const Board& board, const PostRecord& post, std::time_t now) {
  const std::string age = RelativeAge(post.lastReply, now);
  const std::string when = ShortDateTime(post.lastReply);
  if (age.empty() && board.shape != RowShape::Titled) return ">" + when;
  return Fill("><span title=\"{d}\">{a}</span>", {{"d", when}, {"a", age.empty() ? when : age}});
}

void ThreadRow(PageText& page, const Board& board, const PostRecord& post, const std::string& root,
               std::time_t now, bool pinned) {
  const std::string id = std::to_string(post.id);
  const std::string kind = pinned ? "stickthread_" : "normalthread_";
  const std::string address = ThreadAddress(board, post, root);
  page.Line(Fill("<tbody id=\"{kind}{id}\">", {{"kind", kind}, {"id", id}}))
      .Line("<tr>")
      .Line("<td class=\"icn\">")
      .Line(Fill("<a href=\"{root}/thread-{id}-1-1.html\" title=\"新窗口打开\" target=\"_blank\">",
                 {{"root", root}, {"id", id}}))
      .Line(pinned ? "<img src=\"static/image/common/pin_1.gif\" alt=\"置顶\" />"
                   : "<img src=\"static/image/common/folder_common.gif\" />")
      .Line("</a>")
      .Line("</td>")
      .Line("<th class=\"common\">");
  if (board.shape == RowShape::Labelled) {
    page.Line(
        Fill("<em>[<a href=\"forum.php?mod=forumdisplay&amp;fid={fid}&amp;filter=typeid&amp;"
             "typeid={t}\">{label}</a>]</em> <a href=\"{href}\" title=\"新窗口打开\" "
             "target=\"_blank\"><img src=\"static/image/common/newwin.gif\" alt=\"\" /></a> "
             "<a href=\"{href}\" class=\"s xst\">{title}</a>",
             {{"fid", std::to_string(board.fid)},
              {"t", std::to_string(post.variant % std::size(kLabels) + 1)},
              {"label", kLabels[post.variant % std::size(kLabels)]},
              {"href", address},
              {"title", post.title}}));
  } else {
    page.Line(Fill("<a href=\"{href}\" onclick=\"atarget(this)\" class=\"s xst\">{title}</a>",
                   {{"href", address}, {"title", post.title}}));
  }
  if (post.variant & 0x40) {
    page.Line(
        "<img src=\"static/image/filetype/image_s.gif\" alt=\"attach_img\" title=\"图片附件\" "
        "align=\"absmiddle\" />");
  }
  page.Line("</th>")
      .Line("<td class=\"by\">")
      .Line("<cite>")
      .Line(Fill("<a href=\"space-uid-{uid}.html\" c=\"1\"{rest}</a></cite>",
                 {{"uid", std::to_string(post.authorId)}, {"rest", AuthorLink(post)}}))
      .Line("<em>" + DateCell(post, now) + "</em>")
      .Line("</td>")
      .Line(Fill("<td class=\"num\"><a href=\"{root}/thread-{id}-1-1.html\" class=\"xi2\">{r}</a>"
                 "<em>{v}</em></td>",
                 {{"root", root},
                  {"id", id},
                  {"r", std::to_string(post.downloads % 500)},
                  {"v", std::to_string(post.views)}}))
      .Line("<td class=\"by\">")
      .Line(Fill("<cite><a href=\"space-username-{u}.html\" c=\"1\">{u}</a></cite>",
                 {{"u", post.lastReplier}}))
      .Line(Fill("<em><a href=\"{root}/forum.php?mod=redirect&tid={id}&goto=lastpost#lastpost\"{l}"
                 "</a></em>",
                 {{"root", root}, {"id", id}, {"l", LastPostLink(board, post, now)}}))
      .Line("</td>")
      .Line("</tr>")
      .Line("</tbody>");
}

void PageHead(PageText& page, const std::string& title) {
  page.Line(
          "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">")
      .Line("<html xmlns=\"http://www.w3.org/1999/xhtml\">")
      .Line("<head>")
      .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />")
      .Line("<title>" + title + " - " + kSiteName + "</title>")
      .Line("<link rel=\"stylesheet\" type=\"text/css\" href=\"data/cache/style_2_common.css\" />")
      .Line("</head>")
      .Line("<body id=\"nv_forum\">")
      .Line(Fill("<div id=\"hd\"><div class=\"wp\"><h2><a href=\"/\" title=\"{s}\">{s}</a></h2>"
                 "<a href=\"forum.php?mod=misc&amp;action=showdarkroom\">小黑屋</a></div></div>",
                 {{"s", kSiteName}}));
}

std::string PageAddress(const Board& board, int pageNumber) {
  const std::string p = std::to_string(pageNumber);
  const std::string fid = std::to_string(board.fid);
  if (!board.queryAddress) return "forum-" + fid + "-" + p + ".html";
  return "forum.php?mod=forumdisplay&amp;fid=" + fid + "&amp;orderby=dateline&amp;page=" + p;
}

std::string ListingPage(const SiteSettings& settings, int slot, int pageNumber,
                        const std::string& root) {
  const Board& board = kBoards[slot];
  const std::time_t now = settings.records.now;
  PageText page(kCrLf);
  PageHead(page, std::string(board.name) + " - 第" + std::to_string(pageNumber) + "页");
  page.Line(Fill("<div id=\"pt\" class=\"bm cl\"><a href=\"/\">{s}</a> <em>&rsaquo;</em> "
                 "<a href=\"{a}\">{b}</a></div>",
                 {{"s", kSiteName}, {"a", PageAddress(board, 1)}, {"b", board.name}}))
      .Line("<div id=\"threadlist\" class=\"tl bm bmw\">")
      .Line(
          "<div class=\"th\"><table cellspacing=\"0\" cellpadding=\"0\"><tr><th colspan=\"2\">"
          "标题</th><td class=\"by\">作者</td><td class=\"num\">回复/查看</td>"
          "<td class=\"by\">最后发表</td></tr></table></div>")
      .Line("<div class=\"bm_c\">")
      .Line("<table summary=\"forum_" + std::to_string(board.fid) +
            "\" cellspacing=\"0\" cellpadding=\"0\" id=\"threadlisttableid\">");
  // Pinned threads head the first page only.
  for (int i = 0; pageNumber == 1 && i < kPinnedPerBoard; ++i) {
    ThreadRow(page, board, PostAt(settings, {slot, kFirstPinnedPosition + i}), root, now, true);
  }
  page.Line(
      "<tbody id=\"separatorline\" class=\"emptb\"><tr class=\"ts\"><td>&nbsp;</td>"
      "<th>版块主题</th><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr></tbody>");
  const int count = PostsOnPage(settings.records, SiteKey::ForumB, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    ThreadRow(page, board, PostAt(settings, {slot, (pageNumber - 1) * kMaxPostsPerPage + i}), root,
              now, false);
  }
  page.Line("</table>").Line("</div>").Line("</div>");
  std::string pager = "<div class=\"pg\">";
  if (pageNumber > 1) {
    pager += "<a href=\"" + PageAddress(board, pageNumber - 1) + "\" class=\"prev\">上一页</a>";
  }
  pager += "<strong>" + std::to_string(pageNumber) + "</strong>";
  if (pageNumber < kPagesPerBoard) {
    pager += "<a href=\"" + PageAddress(board, pageNumber + 1) + "\" class=\"nxt\">下一页</a>";
  }
  page.Line(pager + "</div>")
      .Line("<div id=\"ft\">演示站点 &copy; 巅峰论坛</div>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

constexpr const char* kPenalties[] = {"禁止发言", "禁止访问", "禁止发言", "限制登录"};
constexpr const char* kReasons[] = {"发布广告", "恶意灌水",     "发布违规内容", "多次重复发帖",
                                    "人身攻击", "冒充管理人员", "出售违规资源"};

// The penalty list: one table, the same on every request of a run.
std::string PenaltyPage(const SiteSettings& settings, const std::string& root) {
  const std::time_t now = settings.records.now;
  SeededRandom random = SeededRandom::For(settings.records.seed, {99, 1});
  PageText page(kCrLf);
  PageHead(page, "小黑屋");
  page.Line("<div class=\"bm\"><div class=\"bm_h\"><h2>小黑屋</h2></div>")
      .Line("<table class=\"dt\" id=\"darkroomtable\">")
      .Line(
          "<tr><th>用户名</th><th>操作行为</th><th>过期时间</th><th>操作时间</th>"
          "<th>操作理由</th></tr>");
  const int count = random.Between(18, 30);
  for (int i = 0; i < count; ++i) {
    const PostRecord user = MakePost(settings.records, SiteKey::ForumB, {9, i});
    const std::time_t when =
        now - static_cast<std::time_t>(i) * 11 * 3600 - random.Between(60, 9000);
    const std::string age = RelativeAge(when, now);
    const std::string operated = age.empty() ? FullDateTime(when)
                                             : Fill("<span title=\"{d}\">{a}</span>",
                                                    {{"d", FullDateTime(when)}, {"a", age}});
    const std::string expiry = random.Chance(30)
                                   ? std::string("永久")
                                   : FullDateTime(when + random.Between(3, 90) * 24 * 3600);
    page.Line("<tr>")
        .Line(Fill("<td><a href=\"{root}/home.php?mod=space&amp;uid={uid}\" targe=\"_blank\">{u}"
                   "</a></td>",
                   {{"root", root}, {"uid", std::to_string(user.authorId)}, {"u", user.author}}))
        .Line("<td>" + std::string(random.Pick(kPenalties)) + "</td>")
        .Line("<td>" + expiry + "</td>")
        .Line("<td>" + operated + "</td>")
        .Line("<td>" + std::string(random.Pick(kReasons)) + "</td>")
        .Line("</tr>");
  }
  page.Line("</table></div>").Line("<div id=\"ft\">演示站点 &copy; 巅峰论坛</div>");
  page.Line("</body>").Line("</html>");
  return page.Utf8();
}

void SendPost(httplib::Response& response, const SiteSettings& settings, int id,
              const std::string& root) {
  const auto place = PlaceOfPost(id);
  if (!place || place->slot >= static_cast<int>(std::size(kBoards))) {
    return SendNotFound(response, kGbkPage);
  }
  const PostRecord post = PostAt(settings, *place);
  SendPage(response, PostPageHtml(post, {kSiteName, kGbkPage, kCrLf, root + "/"}), kGbkPage);
}

}  // namespace

void MountForumB(httplib::Server& server, const SiteSettings& settings) {
  server.Get(R"(/forum-(\d+)-(\d+)\.html)",
             [settings](const httplib::Request& request, httplib::Response& response) {
               const int slot = SlotOf(IdNumber(request.matches[1].str()), false);
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
  server.Get(
      "/forum.php", [settings](const httplib::Request& request, httplib::Response& response) {
        const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
        const std::string mod = request.get_param_value("mod");
        if (mod == "forumdisplay") {
          const int slot = SlotOf(IdNumber(request.get_param_value("fid")), true);
          const std::string pageText = request.get_param_value("page");
          const int pageNumber = pageText.empty() ? 1 : PageNumber(pageText);
          if (slot < 0 || pageNumber == 0) return SendNotFound(response, kGbkPage);
          return SendPage(response, ListingPage(settings, slot, pageNumber, root), kGbkPage);
        }
        if (mod == "misc" && request.get_param_value("action") == "showdarkroom") {
          return SendPage(response, PenaltyPage(settings, root), kGbkPage);
        }
        if (mod == "viewthread" || mod == "redirect") {
          return SendPost(response, settings, IdNumber(request.get_param_value("tid")), root);
        }
        SendNotFound(response, kGbkPage);
      });
}

}  // namespace jixia::demo
