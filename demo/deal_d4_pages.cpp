// Deal site D4 over HTTPS, GBK declared as "GB2312" (upper case, so that the
// reader decodes it through its converter), CR LF lines. "/i_wz.asp?id=N&
// PageIndex=K" lists a board; each article has its title line (no blanks
// between the link's address, target and style), the "阅读全文>>" link, the
// author's search link, the date and the board link.
#include <iterator>
#include <string>

#include "demo/page_text.h"
#include "demo/post_page.h"
#include "demo/post_records.h"
#include "demo/site_pages.h"

namespace jixia::demo {
namespace {

constexpr char kSiteName[] = "小K娱乐网";

struct Board {
  int id;
  const char* name;
};
constexpr Board kBoards[] = {{497796, "值得一看"},
                             {494893, "自学教程"},
                             {499337, "网站源码"},
                             {103904, "绿色软件"},
                             {783242, "游戏助手"}};

constexpr const char* kTitleColours[] = {"#333333", "#FF0000", "#0066CC", "#009900"};

void Article(PageText& page, const Board& board, const PostRecord& post) {
  const std::string href = "show.asp?id=" + std::to_string(post.id);
  page.Line("<div class=\"post\">")
      .Line(
          Fill("<div class=\"post-head\"><h2 class=\"post-title\"> <a href=\"{h}\"target=\"_blank\""
               "style=\"color:{c}\">{t}</a></h2></div><div class=\"readmore\"><a href=\"{h}\""
               "target=\"_blank\">阅读全文>></a></div>",
               {{"h", href}, {"c", kTitleColours[post.variant % 4]}, {"t", post.title}}))
      .Line("<div class=\"post-meta\">")
      .Line(Fill("<span class=\"post-author\"><i class=\"icon-user\"></i><a href=\"sousuo.asp?"
                 "ssYongHu={a}\" target=\"_blank\">{a}</a></span>",
                 {{"a", post.author}}))
      .Line("<span class=\"post-date\"><i class=\"icon-calendar\"></i><span>" +
            ShortDateTime(post.posted) + "</span></span>")
      .Line(
          Fill("<span class=\"post-cat\"><i class=\"icon-folder\"></i><a href=\"i_wz.asp?id={id}\">"
               "{n}</a></span>",
               {{"id", std::to_string(board.id)}, {"n", board.name}}))
      .Line("</div>")
      .Line("<div class=\"post-body\">" + post.summary + "</div>")
      .Line("</div>");
}

std::string ListingPage(const SiteSettings& settings, int slot, int pageNumber) {
  const Board& board = kBoards[slot];
  PageText page(kCrLf);
  page.Line(
          "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">")
      .Line("<html xmlns=\"http://www.w3.org/1999/xhtml\">")
      .Line("<head>")
      .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GB2312\" />")
      .Line(Fill("<title>{n}-第{p}页-{s}</title>",
                 {{"n", board.name}, {"p", std::to_string(pageNumber)}, {"s", kSiteName}}))
      .Line("</head>")
      .Line("<body>")
      .Line(Fill("<div class=\"header\"><a href=\"/\">{s}</a></div>", {{"s", kSiteName}}))
      .Line("<div class=\"content\">");
  const int count = PostsOnPage(settings.records, SiteKey::D4, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    Article(
        page, board,
        MakePost(settings.records, SiteKey::D4, {slot, (pageNumber - 1) * kMaxPostsPerPage + i}));
  }
  const std::string base = "i_wz.asp?id=" + std::to_string(board.id) + "&amp;PageIndex=";
  std::string pager = "<div class=\"pagination\">";
  if (pageNumber > 1)
    pager += "<a href=\"" + base + std::to_string(pageNumber - 1) + "\">上一页</a> ";
  pager += "<b>" + std::to_string(pageNumber) + "</b>";
  if (pageNumber < kPagesPerBoard) {
    pager += " <a href=\"" + base + std::to_string(pageNumber + 1) + "\">下一页</a>";
  }
  page.Line(pager + "</div>")
      .Line("</div>")
      .Line("<div class=\"footer\">演示站点 &copy; 小K娱乐网</div>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

}  // namespace

void MountDealD4(httplib::Server& server, const SiteSettings& settings) {
  server.Get("/i_wz.asp", [settings](const httplib::Request& request, httplib::Response& response) {
    const int id = IdNumber(request.get_param_value("id"));
    int slot = -1;
    for (int i = 0; i < static_cast<int>(std::size(kBoards)); ++i) {
      if (kBoards[i].id == id) slot = i;
    }
    const std::string pageText = request.get_param_value("PageIndex");
    const int pageNumber = pageText.empty() ? 1 : PageNumber(pageText);
    if (slot < 0 || pageNumber == 0) return SendNotFound(response, kUpperGb2312Page);
    SendPage(response, ListingPage(settings, slot, pageNumber), kUpperGb2312Page);
  });
  server.Get("/show.asp", [settings](const httplib::Request& request, httplib::Response& response) {
    const auto place = PlaceOfPost(IdNumber(request.get_param_value("id")));
    if (!place || place->slot >= static_cast<int>(std::size(kBoards))) {
      return SendNotFound(response, kUpperGb2312Page);
    }
    const PostRecord post = MakePost(settings.records, SiteKey::D4, *place);
    const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
    SendPage(response, PostPageHtml(post, {kSiteName, kUpperGb2312Page, kCrLf, root + "/"}),
             kUpperGb2312Page);
  });
}

}  // namespace jixia::demo
