// Site C: software download listings "/soft/html/listN-K.html" over plain
// HTTP, GBK declared as gb2312, CR LF lines. Each entry is a heading link
// whose title attribute and text end in a blank, followed by its detail line.
#include <iterator>
#include <string>

#include "demo/page_text.h"
#include "demo/post_page.h"
#include "demo/post_records.h"
#include "demo/site_pages.h"

namespace jixia::demo {
namespace {

constexpr char kSiteName[] = "QQ哆情乐园";

struct Board {
  int list;
  const char* name;
};

// Slot = index in this table (the order of the tabs: 8, 7, 9).
constexpr Board kBoards[] = {{8, "QQ软件"}, {7, "QQ教程"}, {9, "QQ辅助"}};

int SlotOfList(int list) {
  for (int i = 0; i < static_cast<int>(std::size(kBoards)); ++i) {
    if (kBoards[i].list == list) return i;
  }
  return -1;
}

void EntryBlock(PageText& page, const PostRecord& post) {
  const std::string href = "/soft/html/" + std::to_string(post.id) + ".html";
  page.Line("<li>")
      .Line(Fill("<div class=\"nlc_img\"><a href=\"{h}\" target=\"_blank\"><img src=\"/uploads/"
                 "allimg/{id}.jpg\" alt=\"{t}\" /></a></div>",
                 {{"h", href}, {"id", std::to_string(post.id)}, {"t", post.title}}))
      .Line("<div class=\"nlc_info\">")
      .Line(Fill("<h4 class=\"nlc_tit\"><a href=\"{h}\" title=\"{t} \">{t} </a></h4>",
                 {{"h", href}, {"t", post.title}}))
      .Line("<p class=\"nlc_txt\">" + post.summary + "</p>")
      .Line(Fill(
          "<p class=\"nlc_time\">文件大小：<em>{s}</em>&nbsp;&nbsp;&nbsp;下载次数：<em>{d}</em>"
          "&nbsp;&nbsp;&nbsp;授权方式：<em>{l}</em>&nbsp;&nbsp;&nbsp;运行平台：<em>{p}</em></p>",
          {{"s", post.size},
           {"d", std::to_string(post.downloads)},
           {"l", post.licence},
           {"p", post.platform}}))
      .Line("<p class=\"nlc_date\">更新时间：" + PaddedDate(post.posted) + "</p>")
      .Line("</div>")
      .Line("</li>");
}

std::string ListingPage(const SiteSettings& settings, int slot, int pageNumber) {
  const Board& board = kBoards[slot];
  const std::string list = std::to_string(board.list);
  PageText page(kCrLf);
  page.Line(
          "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">")
      .Line("<html xmlns=\"http://www.w3.org/1999/xhtml\">")
      .Line("<head>")
      .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />")
      .Line(Fill("<title>{b}_第{p}页_{s}</title>",
                 {{"b", board.name}, {"p", std::to_string(pageNumber)}, {"s", kSiteName}}))
      .Line("<link href=\"/templets/style/list.css\" rel=\"stylesheet\" type=\"text/css\" />")
      .Line("</head>")
      .Line("<body>")
      .Line(Fill("<div class=\"top\"><a href=\"/\">{s}</a> | <a href=\"/soft/html/list8-1.html\">"
                 "QQ软件</a> | <a href=\"/soft/html/list7-1.html\">QQ教程</a> | "
                 "<a href=\"/soft/html/list9-1.html\">QQ辅助</a></div>",
                 {{"s", kSiteName}}))
      .Line("<div class=\"news_list\">")
      .Line("<ul>");
  const int count = PostsOnPage(settings.records, SiteKey::SiteC, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    EntryBlock(page, MakePost(settings.records, SiteKey::SiteC,
                              {slot, (pageNumber - 1) * kMaxPostsPerPage + i}));
  }
  page.Line("</ul>").Line("</div>");
  std::string pager = "<div class=\"pagelist\">";
  if (pageNumber > 1) {
    pager += Fill("<a href=\"list{l}-{p}.html\">上一页</a> ",
                  {{"l", list}, {"p", std::to_string(pageNumber - 1)}});
  }
  pager += "<span class=\"thisclass\">" + std::to_string(pageNumber) + "</span>";
  if (pageNumber < kPagesPerBoard) {
    pager += Fill(" <a href=\"list{l}-{p}.html\">下一页</a>",
                  {{"l", list}, {"p", std::to_string(pageNumber + 1)}});
  }
  page.Line(pager + "</div>")
      .Line("<div class=\"foot\">演示站点 Copyright &copy; QQ哆情乐园</div>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

}  // namespace

void MountSiteC(httplib::Server& server, const SiteSettings& settings) {
  server.Get(R"(/soft/html/list(\d+)-(\d+)\.html)",
             [settings](const httplib::Request& request, httplib::Response& response) {
               const int slot = SlotOfList(IdNumber(request.matches[1].str()));
               const int pageNumber = PageNumber(request.matches[2].str());
               if (slot < 0 || pageNumber == 0) return SendNotFound(response, kGb2312Page);
               SendPage(response, ListingPage(settings, slot, pageNumber), kGb2312Page);
             });
  server.Get(R"(/soft/html/(\d+)\.html)",
             [settings](const httplib::Request& request, httplib::Response& response) {
               const auto place = PlaceOfPost(IdNumber(request.matches[1].str()));
               if (!place || place->slot >= static_cast<int>(std::size(kBoards))) {
                 return SendNotFound(response, kGb2312Page);
               }
               const PostRecord post = MakePost(settings.records, SiteKey::SiteC, *place);
               const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
               SendPage(response, PostPageHtml(post, {kSiteName, kGb2312Page, kCrLf, root + "/"}),
                        kGb2312Page);
             });
}

}  // namespace jixia::demo
