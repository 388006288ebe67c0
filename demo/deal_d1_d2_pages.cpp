// Deal sites D1 and D2.
// D1 (plain HTTP, UTF-8 with a meta charset, LF lines): "/licai/page/K" and
// "/shouji/page/K", one excerpt line per post with its meta block (time,
// author link, comment link, like count).
// D2 (HTTPS, UTF-8, CR LF lines): "/category-N_K.html", one list item per
// post with its date in a span.
#include <iterator>
#include <string>

#include "demo/page_text.h"
#include "demo/post_page.h"
#include "demo/post_records.h"
#include "demo/site_pages.h"

namespace jixia::demo {
namespace {

constexpr char kD1Name[] = "薅羊毛网站";
constexpr char kD2Name[] = "活动网线报";

struct D1Board {
  const char* key;
  const char* name;
};
constexpr D1Board kD1Boards[] = {{"licai", "薅羊毛"}, {"shouji", "手机赚钱"}};

struct D2Board {
  int category;
  const char* name;
};
constexpr D2Board kD2Boards[] = {{4, "现金活动"}, {6, "话费活动"}, {11, "手机赚钱"}};

std::string D1PostAddress(const std::string& root, int slot, int id) {
  return root + "/" + kD1Boards[slot].key + "/" + std::to_string(id) + ".html";
}

std::string D1Excerpt(const PostRecord& post, int slot, int n, const std::string& root) {
  const std::string url = D1PostAddress(root, slot, post.id);
  return Fill(
      "<article class=\"excerpt excerpt-{n}\"><a class=\"focus\" href=\"{url}\"><img "
      "data-src=\"{root}/wp-content/uploads/{id}.jpg\" alt=\"{t}\" class=\"thumb\"></a><header><a "
      "class=\"cat\" href=\"{root}/{key}/\">{b}<i></i></a><h2><a href=\"{url}\" title=\"{t}\">{t}"
      "</a></h2></header><p class=\"meta\"><time><i class=\"fa fa-clock-o\"></i>{date}</time><span "
      "class=\"author\"><i class=\"fa fa-user\"></i><a "
      "href=\"{root}/author/{uid}\">{a}</a></span><a "
      "class=\"pc\" href=\"{url}#respond\"><i class=\"fa fa-comments-o\"></i>评论({c})</a><a "
      "href=\"javascript:;\" etap=\"like\" class=\"post-like\" data-pid=\"{id}\"><i class=\"fa "
      "fa-thumbs-o-up\"></i>赞(<span>{l}</span>)</a></p><p class=\"note\">{s}</p></article>",
      {{"n", std::to_string(n)},
       {"url", url},
       {"root", root},
       {"id", std::to_string(post.id)},
       {"t", post.title},
       {"key", kD1Boards[slot].key},
       {"b", kD1Boards[slot].name},
       {"date", PaddedDate(post.posted)},
       {"uid", std::to_string(post.authorId)},
       {"a", post.author},
       {"c", std::to_string(post.replies % 60)},
       {"l", std::to_string(post.likes)},
       {"s", post.summary}});
}

std::string D1ListingPage(const SiteSettings& settings, int slot, int pageNumber,
                          const std::string& root) {
  PageText page(kLf);
  page.Line("<!DOCTYPE HTML>")
      .Line("<html>")
      .Line("<head>")
      .Line("<meta charset=\"UTF-8\">")
      .Line("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0\">")
      .Line(Fill("<title>{b} - 第{p}页 - {s}</title>",
                 {{"b", kD1Boards[slot].name}, {"p", std::to_string(pageNumber)}, {"s", kD1Name}}))
      .Line("</head>")
      .Line("<body class=\"archive category\">")
      .Line(Fill("<header class=\"header\"><div class=\"container\"><h1 class=\"logo\"><a "
                 "href=\"{root}\" title=\"{s}\">{s}</a></h1></div></header>",
                 {{"root", root}, {"s", kD1Name}}))
      .Line("<section class=\"container\"><div class=\"content-wrap\"><div class=\"content\">");
  const int count = PostsOnPage(settings.records, SiteKey::D1, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    const PostRecord post =
        MakePost(settings.records, SiteKey::D1, {slot, (pageNumber - 1) * kMaxPostsPerPage + i});
    page.Line(D1Excerpt(post, slot, i + 1, root));
  }
  std::string pager = "<div class=\"pagination\"><ul>";
  const std::string base = root + "/" + kD1Boards[slot].key + "/page/";
  if (pageNumber > 1) {
    pager += "<li class=\"prev-page\"><a href=\"" + base + std::to_string(pageNumber - 1) +
             "\">上一页</a></li>";
  }
  pager += "<li class=\"active\"><span>" + std::to_string(pageNumber) + "</span></li>";
  if (pageNumber < kPagesPerBoard) {
    pager += "<li class=\"next-page\"><a href=\"" + base + std::to_string(pageNumber + 1) +
             "\">下一页</a></li>";
  }
  page.Line(pager + "</ul></div>")
      .Line("</div></div></section>")
      .Line("<footer class=\"footer\">演示站点 &copy; 薅羊毛网站</footer>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

std::string D2ListingPage(const SiteSettings& settings, int slot, int pageNumber,
                          const std::string& root) {
  const D2Board& board = kD2Boards[slot];
  PageText page(kCrLf);
  page.Line("<!DOCTYPE html>")
      .Line("<html>")
      .Line("<head>")
      .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />")
      .Line(Fill("<title>{b}_第{p}页_{s}</title>",
                 {{"b", board.name}, {"p", std::to_string(pageNumber)}, {"s", kD2Name}}))
      .Line("</head>")
      .Line("<body>")
      .Line("<div class=\"nav\"><ul>")
      .Line(Fill("<li><a href=\"{root}/\">首页</a></li>", {{"root", root}}))
      .Line(Fill("<li><a href=\"{root}/category-4_1.html\">现金活动</a></li>", {{"root", root}}))
      .Line(Fill("<li><a href=\"{root}/category-6_1.html\">话费活动</a></li>", {{"root", root}}))
      .Line(Fill("<li><a href=\"{root}/category-11_1.html\">手机赚钱</a></li>", {{"root", root}}))
      .Line("</ul></div>")
      .Line("<div class=\"list\">")
      .Line("<h2>" + std::string(board.name) + "</h2>")
      .Line("<ul>");
  const int count = PostsOnPage(settings.records, SiteKey::D2, slot, pageNumber);
  for (int i = 0; i < count; ++i) {
    const PostRecord post =
        MakePost(settings.records, SiteKey::D2, {slot, (pageNumber - 1) * kMaxPostsPerPage + i});
    page.Line(
        Fill("<li><span>{d}</span><a href=\"{root}/xianbao/{id}.html\" target=\"_blank\">{t}"
             "</a></li>",
             {{"d", PaddedDate(post.posted)},
              {"root", root},
              {"id", std::to_string(post.id)},
              {"t", post.title}}));
  }
  page.Line("</ul>").Line("</div>");
  const std::string base = root + "/category-" + std::to_string(board.category) + "_";
  std::string pager = "<div class=\"page\">";
  if (pageNumber > 1) {
    pager += "<a href=\"" + base + std::to_string(pageNumber - 1) + ".html\">上一页</a> ";
  }
  pager += "<b>" + std::to_string(pageNumber) + "</b>";
  if (pageNumber < kPagesPerBoard) {
    pager += " <a href=\"" + base + std::to_string(pageNumber + 1) + ".html\">下一页</a>";
  }
  page.Line(pager + "</div>")
      .Line("<div class=\"foot\">演示站点 &copy; 活动网线报</div>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

template <typename Boards>
void SendPost(httplib::Response& response, const SiteSettings& settings, SiteKey site,
              const Boards& boards, int id, const char* siteName, std::string_view lineEnd,
              const std::string& root) {
  const auto place = PlaceOfPost(id);
  if (!place || place->slot >= static_cast<int>(std::size(boards))) {
    return SendNotFound(response, kUtf8Page);
  }
  const PostRecord post = MakePost(settings.records, site, *place);
  SendPage(response, PostPageHtml(post, {siteName, kUtf8Page, lineEnd, root + "/"}), kUtf8Page);
}

}  // namespace

void MountDealD1(httplib::Server& server, const SiteSettings& settings) {
  for (int slot = 0; slot < static_cast<int>(std::size(kD1Boards)); ++slot) {
    const std::string key = kD1Boards[slot].key;
    server.Get("/" + key + R"(/page/(\d+))",
               [settings, slot](const httplib::Request& request, httplib::Response& response) {
                 const int pageNumber = PageNumber(request.matches[1].str());
                 if (pageNumber == 0) return SendNotFound(response, kUtf8Page);
                 const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
                 SendPage(response, D1ListingPage(settings, slot, pageNumber, root), kUtf8Page);
               });
    server.Get("/" + key + R"(/(\d+)\.html)", [settings](const httplib::Request& request,
                                                         httplib::Response& response) {
      SendPost(response, settings, SiteKey::D1, kD1Boards, IdNumber(request.matches[1].str()),
               kD1Name, kLf, SiteRoot(request, settings.tls, settings.configuredHost));
    });
  }
}

void MountDealD2(httplib::Server& server, const SiteSettings& settings) {
  server.Get(R"(/category-(\d+)_(\d+)\.html)",
             [settings](const httplib::Request& request, httplib::Response& response) {
               const int category = IdNumber(request.matches[1].str());
               int slot = -1;
               for (int i = 0; i < static_cast<int>(std::size(kD2Boards)); ++i) {
                 if (kD2Boards[i].category == category) slot = i;
               }
               const int pageNumber = PageNumber(request.matches[2].str());
               if (slot < 0 || pageNumber == 0) return SendNotFound(response, kUtf8Page);
               const std::string root = SiteRoot(request, settings.tls, settings.configuredHost);
               SendPage(response, D2ListingPage(settings, slot, pageNumber, root), kUtf8Page);
             });
  server.Get(R"(/xianbao/(\d+)\.html)", [settings](const httplib::Request& request,
                                                   httplib::Response& response) {
    SendPost(response, settings, SiteKey::D2, kD2Boards, IdNumber(request.matches[1].str()),
             kD2Name, kCrLf, SiteRoot(request, settings.tls, settings.configuredHost));
  });
}

}  // namespace jixia::demo
