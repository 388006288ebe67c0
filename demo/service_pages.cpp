#include "demo/service_pages.h"

#include "demo/page_text.h"

namespace jixia::demo {

void MountProfileService(httplib::Server& server, const ProfileSettings& settings) {
  server.Get("/fcg-bin/cgi_get_portrait.fcg", [settings](const httplib::Request& request,
                                                         httplib::Response& response) {
    const std::string account = request.get_param_value("uins");
    const bool digits = !account.empty() && account.size() <= 15 &&
                        account.find_first_not_of("0123456789") == std::string::npos;
    if (request.get_param_value("get_nick") != "1" || !digits) {
      response.status = 400;
      response.set_content("portraitCallBack({\"error\":1})", "application/javascript");
      return;
    }
    const std::string nick = account == settings.versionAccount ? settings.announcedVersion : "";
    const std::string root = SiteRoot(request, false, "127.0.0.1");
    // The nickname is the first text between a comma-quote and a quote-comma.
    const std::string body =
        Fill("portraitCallBack({\"{a}\":[\"{root}/portrait/{a}/100\",10,-1,0,0,0,\"{nick}\",0]})",
             {{"a", account}, {"root", root}, {"nick", nick}});
    response.set_content(body, "application/javascript; charset=gbk");
  });
}

void MountDownloadPage(httplib::Server& server) {
  auto page = [](const httplib::Request&, httplib::Response& response) {
    PageText text(kCrLf);
    text.Line("<!DOCTYPE html>")
        .Line("<html>")
        .Line("<head>")
        .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />")
        .Line("<title>澄屿集匣 下载</title>")
        .Line("</head>")
        .Line("<body>")
        .Line("<h1>澄屿集匣 下载</h1>")
        .Line("<p>这是演示站点的下载页。程序发现版本号与内置版本不同时，会打开此页并退出。</p>")
        .Line("<p>要回到正常启动，请让演示站点公布内置版本号（默认即是）。</p>")
        .Line("</body>")
        .Line("</html>");
    SendPage(response, text.Utf8(), kGbkPage);
  };
  server.Get("/b377770/", page);
  server.Get("/b377770", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/b377770/");
  });
}

}  // namespace jixia::demo
