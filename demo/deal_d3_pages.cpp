// Deal site D3 over HTTPS, UTF-8 with a meta charset, LF lines. Everything
// is on "/": "?cat=KEY&page=K" lists a section, "?post=ID" shows a post. The
// section label link uses single quotes, the author block double quotes and
// an empty link address, and some notes end in a line feed before their
// closing tag.
#include <iterator>
#include <string>

#include "demo/page_text.h"
#include "demo/post_page.h"
#include "demo/post_records.h"
#include "demo/site_pages.h"

namespace jixia::demo {
namespace {

constexpr char kSiteName[] = "完美娱乐网";

struct Section {
  const char* key;
  const char* name;
};
constexpr Section kSections[] = {
    {"hdzq", "活动专区"}, {"fxzq", "辅助专区"}, {"jczq", "教程专区"}, {"gxzq", "个性专区"}};

void Excerpt(PageText& page, const Section& section, const PostRecord& post) {
  const std::string href = "/?post=" + std::to_string(post.id);
  page.Line("<article class=\"excerpt\">")
      .Line("<header>")
      .Line(Fill("<a class='label label-important' href='/?cat={k}'>{n}<i class='label-arrow'></i>"
                 "</a>",
                 {{"k", section.key}, {"n", section.name}}))
      .Line(Fill("<h2><a target=\"_blank\" href=\"{h}\" title=\"{t}\">{t}</a></h2>",
                 {{"h", href}, {"t", post.title}}))
      .Line("</header>")
      .Line("<p>")
      .Line("<span class='muted'><i class='fa fa-clock-o'></i>" + PaddedDate(post.posted) +
            "</span>")
      .Line("<span class='muted'><i class='fa fa-eye'></i>" + std::to_string(post.views) +
            "浏览</span>")
      .Line("<span class=\"muted\"><i class=\"fa fa-user\"></i> <a href=\"\">" + post.author +
            "</a></span>")
      .Line("</p>");
  if (post.variant & 1) {
    page.Line("<span class='note'>" + post.summary).Line("</span>");
  } else {
    page.Line("<span class='note'>" + post.summary + "</span>");
  }
  page.Line("<p class='readmore'><a  class='yueduqw'  target='_blank' href='" + href +
            "' >阅读全文</a></p>")
      .Line("</article>");
}

std::string ListingPage(const SiteSettings& settings, int slot, int pageNumber) {
  const Section& section = kSections[slot];
  PageText page(kLf);
  page.Line("<!DOCTYPE html>")
      .Line("<html lang=\"zh-CN\">")
      .Line("<head>")
      .Line("<meta charset=\"utf-8\">")
      .Line(Fill("<title>{n} - 第{p}页 - {s}</title>",
                 {{"n", section.name}, {"p", std::to_string(pageNumber)}, {"s", kSiteName}}))
      .Line("</head>")
      .Line("<body>")
      .Line(Fill("<header class=\"header\"><a href=\"/\" class=\"logo\">{s}</a></header>",
                 {{"s", kSiteName}}))
      .Line("<div class=\"content\">");
  const int count = PostsOnPage(settings.records, SiteKey::D3, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    Excerpt(
        page, section,
        MakePost(settings.records, SiteKey::D3, {slot, (pageNumber - 1) * kMaxPostsPerPage + i}));
  }
  std::string pager = "<div class='pagination'><ul>";
  const std::string base = std::string("/?cat=") + section.key + "&amp;page=";
  if (pageNumber > 1) {
    pager += "<li><a href='" + base + std::to_string(pageNumber - 1) + "'>上一页</a></li>";
  }
  pager += "<li class='active'><span>" + std::to_string(pageNumber) + "</span></li>";
  if (pageNumber < kPagesPerBoard) {
    pager += "<li><a href='" + base + std::to_string(pageNumber + 1) + "'>下一页</a></li>";
  }
  page.Line(pager + "</ul></div>")
      .Line("</div>")
      .Line("<footer>演示站点 &copy; 完美娱乐网</footer>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

}  // namespace

void MountDealD3(httplib::Server& server, const SiteSettings& settings) {
  server.Get("/", [settings](const httplib::Request& request, httplib::Response& response) {
    if (request.has_param("post")) {
      const auto place = PlaceOfPost(IdNumber(request.get_param_value("post")));
      if (!place || place->slot >= static_cast<int>(std::size(kSections))) {
        return SendNotFound(response, kUtf8Page);
      }
      const PostRecord post = MakePost(settings.records, SiteKey::D3, *place);
      const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
      return SendPage(response, PostPageHtml(post, {kSiteName, kUtf8Page, kLf, root + "/"}),
                      kUtf8Page);
    }
    const std::string key = request.has_param("cat") ? request.get_param_value("cat") : "hdzq";
    int slot = -1;
    for (int i = 0; i < static_cast<int>(std::size(kSections)); ++i) {
      if (key == kSections[i].key) slot = i;
    }
    const std::string pageText = request.get_param_value("page");
    const int pageNumber = pageText.empty() ? 1 : PageNumber(pageText);
    if (slot < 0 || pageNumber == 0) return SendNotFound(response, kUtf8Page);
    SendPage(response, ListingPage(settings, slot, pageNumber), kUtf8Page);
  });
}

}  // namespace jixia::demo
