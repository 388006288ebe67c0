#include "demo/post_page.h"

namespace jixia::demo {

std::string PostPageHtml(const PostRecord& post, const PostPageLook& look) {
  const std::string author = post.staffAuthor ? post.staffRank : post.author;
  PageText page(look.lineEnd);
  page.Line("<!DOCTYPE html>")
      .Line("<html>")
      .Line("<head>")
      .Line(Fill("<meta http-equiv=\"Content-Type\" content=\"text/html; charset={cs}\" />",
                 {{"cs", look.charset.metaName}}))
      .Line(Fill("<title>{title} - {site}</title>",
                 {{"title", HtmlEscape(post.title)}, {"site", std::string(look.siteName)}}))
      .Line("</head>")
      .Line("<body>")
      .Line(Fill("<p><a href=\"{home}\">{site}</a> &raquo; 正文</p>",
                 {{"home", look.homeHref}, {"site", std::string(look.siteName)}}))
      .Line(Fill("<h1>{title}</h1>", {{"title", HtmlEscape(post.title)}}))
      .Line(Fill(
          "<p>作者：{author} &nbsp; 发表于 {date} &nbsp; 查看 {views} &nbsp; 回复 {replies}</p>",
          {{"author", HtmlEscape(author)},
           {"date", FullDateTime(post.posted)},
           {"views", std::to_string(post.views)},
           {"replies", std::to_string(post.replies)}}))
      .Line(
          Fill("<div class=\"content\"><p>{summary}</p>", {{"summary", HtmlEscape(post.summary)}}))
      .Line("<p>这是演示站点生成的帖子正文，内容仅供界面演示。</p></div>")
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

}  // namespace jixia::demo
