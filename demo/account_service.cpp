#include "demo/account_service.h"

#include <memory>
#include <random>
#include <string_view>
#include <vector>

#include "demo/code_picture.h"
#include "demo/gbk.h"
#include "demo/page_text.h"

namespace jixia::demo {
namespace {

constexpr size_t kMaxSessions = 4096;
constexpr size_t kMaxUsers = 10000;

// Sizes of the two picture boxes that show the pictures.
constexpr int kLoginPictureWidth = 80;
constexpr int kLoginPictureHeight = 40;
constexpr int kRegistrationPictureWidth = 88;
constexpr int kRegistrationPictureHeight = 39;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Form decoding: "+" is a blank, "%XX" a byte, every other byte itself.
std::string FormDecode(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// name -> value (UTF-8) of an urlencoded GBK body; the first of repeated names counts.
std::map<std::string, std::string> ParseForm(std::string_view body) {
  std::map<std::string, std::string> fields;
  size_t start = 0;
  while (start <= body.size()) {
    size_t end = body.find('&', start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view item = body.substr(start, end - start);
    const size_t equals = item.find('=');
    const std::string name = FormDecode(item.substr(0, equals));
    const std::string value =
        equals == std::string_view::npos ? "" : GbkToUtf8(FormDecode(item.substr(equals + 1)));
    if (!name.empty()) fields.emplace(name, value);
    start = end + 1;
  }
  return fields;
}

std::string Field(const std::map<std::string, std::string>& fields, const std::string& name) {
  const auto it = fields.find(name);
  return it == fields.end() ? "" : it->second;
}

bool SameCode(std::string_view typed, std::string_view expected) {
  if (expected.empty() || typed.size() != expected.size()) return false;
  for (size_t i = 0; i < typed.size(); ++i) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(typed[i]) != upper(expected[i])) return false;
  }
  return true;
}

// 2 to 20 GBK bytes of letters, digits, "_" and Chinese characters.
bool ValidAccountName(const std::string& utf8) {
  const std::string gbk = Utf8ToGbk(utf8);
  if (gbk.size() < 2 || gbk.size() > 20 || utf8.find("\xEF\xBF\xBD") != std::string::npos) {
    return false;
  }
  for (size_t i = 0; i < gbk.size(); ++i) {
    const unsigned char c = gbk[i];
    const bool ascii =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    if (c < 0x80 && !ascii) return false;
    if (c >= 0x80) ++i;  // second byte of a Chinese character
  }
  return true;
}

// 4 to 20 visible ASCII characters.
bool ValidPassword(const std::string& password) {
  if (password.size() < 4 || password.size() > 20) return false;
  for (char c : password) {
    if (c < 0x21 || c > 0x7E) return false;
  }
  return true;
}

std::string PageShell(const std::string& title, const std::string& body) {
  PageText page(kCrLf);
  page.Line("<html>")
      .Line("<head>")
      .Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />")
      .Line("<title>" + title + "</title>")
      .Line("</head>")
      .Line("<body>")
      .Line(body)
      .Line("</body>")
      .Line("</html>");
  return page.Utf8();
}

// The service's answer to a refused login: an alert, then back to the front page.
std::string LoginAlert(const std::string& message) {
  return PageShell("会员登录",
                   "<Script>alert('" + message + "');location.href='default.asp';</Script>");
}

std::string RegistrationAnswer(const std::string& message) {
  return PageShell("用户注册", "<div class=\"msg\">" + message +
                                   "</div>\r\n<p><a href=\"Register1.asp\">返回</a></p>");
}

std::string NewSessionId() {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  std::string id;
  for (int i = 0; i < 24; ++i) id += static_cast<char>('A' + random() % 26);
  return id;
}

}  // namespace

AccountService::AccountService(std::function<std::string()> nextCode)
    : nextCode_(std::move(nextCode)) {}

std::function<std::string()> AccountService::RandomCodes() {
  auto random = std::make_shared<std::mt19937_64>(std::random_device{}());
  auto mutex = std::make_shared<std::mutex>();
  return [random, mutex] {
    std::lock_guard<std::mutex> lock(*mutex);
    std::string code;
    for (int i = 0; i < 4; ++i) code += kCodeAlphabet[(*random)() % kCodeAlphabet.size()];
    return code;
  };
}

std::string AccountService::KnownSession(const httplib::Request& request) const {
  const size_t lines = request.get_header_value_count("Cookie");
  for (size_t line = 0; line < lines; ++line) {
    const std::string cookies = request.get_header_value("Cookie", line);
    size_t start = 0;
    while (start < cookies.size()) {
      size_t end = cookies.find(';', start);
      if (end == std::string::npos) end = cookies.size();
      std::string item = cookies.substr(start, end - start);
      while (!item.empty() && item.front() == ' ') item.erase(0, 1);
      const size_t equals = item.find('=');
      if (equals != std::string::npos && item.substr(0, equals) == kSessionCookie) {
        const std::string id = item.substr(equals + 1);
        if (sessions_.count(id)) return id;
      }
      start = end + 1;
    }
  }
  return "";
}

std::string AccountService::TakeCode(const httplib::Request& request, Picture which) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string id = KnownSession(request);
  if (id.empty()) return "";
  Session& session = sessions_[id];
  std::string& slot = which == Picture::Login ? session.loginCode : session.registrationCode;
  std::string code;
  code.swap(slot);
  return code;
}

void AccountService::SendPicture(const httplib::Request& request, httplib::Response& response,
                                 Picture which) {
  const std::string code = nextCode_();
  std::string id;
  uint64_t noise;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    id = KnownSession(request);
    if (id.empty()) {
      id = NewSessionId();
      sessions_[id];
      sessionOrder_.push_back(id);
      if (sessionOrder_.size() > kMaxSessions) {
        sessions_.erase(sessionOrder_.front());
        sessionOrder_.pop_front();
      }
    }
    Session& session = sessions_[id];
    (which == Picture::Login ? session.loginCode : session.registrationCode) = code;
    noise = ++pictureCount_ * 0x2545F4914F6CDD1DULL ^ std::random_device{}();
  }
  const bool login = which == Picture::Login;
  const std::string png =
      DrawCodePicture(code, login ? kLoginPictureWidth : kRegistrationPictureWidth,
                      login ? kLoginPictureHeight : kRegistrationPictureHeight, noise);
  response.set_header("Set-Cookie", std::string(kSessionCookie) + "=" + id + "; path=/");
  response.set_header("Cache-Control", "no-cache");
  response.set_content(png, "image/png");
}

void AccountService::Login(const httplib::Request& request, httplib::Response& response) {
  const auto fields = ParseForm(request.body);
  const std::string expected = TakeCode(request, Picture::Login);
  if (!SameCode(Field(fields, "RndCode"), expected)) {
    return SendPage(response, LoginAlert("验证码错误"), kGb2312Page);
  }
  const std::string name = Field(fields, "LoginName");
  bool known;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = passwords_.find(name);
    known = it != passwords_.end() && it->second == Field(fields, "LoginPasswd");
  }
  if (!known) return SendPage(response, LoginAlert("用户名或密码错误"), kGb2312Page);
  const std::string welcome = "欢迎回来，" + HtmlEscape(name);
  SendPage(response,
           PageShell("会员登录", "<p>" + welcome +
                                     "</p>\r\n<script language=\"javascript\">\r\n"
                                     "var LoginInMsg='登录成功';\r\n"
                                     "if(LoginInMsg!=''){location.href='User/Index.asp';}\r\n"
                                     "</script>"),
           kGb2312Page);
}

void AccountService::Register(const httplib::Request& request, httplib::Response& response) {
  const auto fields = ParseForm(request.body);
  if (Field(fields, "Action") != "Reg") {
    return SendPage(response, RegistrationAnswer("请从注册页面提交。"), kGb2312Page);
  }
  const std::string expected = TakeCode(request, Picture::Registration);
  if (!SameCode(Field(fields, "RndPassword"), expected)) {
    return SendPage(response, RegistrationAnswer("【错误】验证码不正确!请刷新验证码后重新输入。"),
                    kGb2312Page);
  }
  const std::string name = Field(fields, "CustomerLoginName");
  const std::string password = Field(fields, "CustomerLoginPassword");
  if (!ValidAccountName(name)) {
    return SendPage(
        response,
        RegistrationAnswer("【错误】用户名不正确!用户名为2到20位字母、数字、下划线或汉字。"),
        kGb2312Page);
  }
  if (!ValidPassword(password) || password != Field(fields, "ReCustomerLoginPassword")) {
    return SendPage(response,
                    RegistrationAnswer("【错误】登录密码不正确!密码为4到20位字母、数字或符号，"
                                       "两次输入须一致。"),
                    kGb2312Page);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (passwords_.count(name) || passwords_.size() >= kMaxUsers) {
      return SendPage(response, RegistrationAnswer("【错误】用户名不正确!该用户名已被注册。"),
                      kGb2312Page);
    }
    passwords_[name] = password;
  }
  SendPage(response,
           RegistrationAnswer("恭喜，用户注册成功！您的帐号：" + HtmlEscape(name) +
                              "<br /><a href=\"default.asp\">返回登录页面登录</a>"),
           kGb2312Page);
}

void AccountService::Mount(httplib::Server& server) {
  server.Get("/include/GetCodeNum.asp",
             [this](const httplib::Request& request, httplib::Response& response) {
               SendPicture(request, response, Picture::Login);
             });
  server.Get("/include/CodeNum.asp",
             [this](const httplib::Request& request, httplib::Response& response) {
               SendPicture(request, response, Picture::Registration);
             });
  server.Post("/WapLogin.asp", [this](const httplib::Request& request,
                                      httplib::Response& response) { Login(request, response); });
  server.Post("/Reg.asp", [this](const httplib::Request& request, httplib::Response& response) {
    Register(request, response);
  });
  auto front = [](const httplib::Request&, httplib::Response& response) {
    SendPage(
        response,
        PageShell("会员中心",
                  "<h1>会员中心（演示站点）</h1>\r\n<form method=\"post\" "
                  "action=\"WapLogin.asp\"><input type=\"hidden\" name=\"act\" value=\"Login\" "
                  "/>帐号 <input name=\"LoginName\" /> 密码 <input type=\"password\" "
                  "name=\"LoginPasswd\" /> 验证码 <input name=\"RndCode\" size=\"4\" /> <img "
                  "src=\"include/GetCodeNum.asp?r\" /> <input type=\"submit\" value=\"登录\" "
                  "/></form>\r\n<p><a href=\"Register1.asp\">注册新帐号</a></p>"),
        kGb2312Page);
  };
  server.Get("/", front);
  server.Get("/default.asp", front);
  server.Get("/Register1.asp", [](const httplib::Request&, httplib::Response& response) {
    SendPage(response,
             PageShell("用户注册",
                       "<h1>用户注册（演示站点）</h1>\r\n<form method=\"post\" action=\"Reg.asp\">"
                       "<input type=\"hidden\" name=\"Action\" value=\"Reg\" />帐号 <input "
                       "name=\"CustomerLoginName\" /> 密码 <input type=\"password\" "
                       "name=\"CustomerLoginPassword\" /> 确认密码 <input type=\"password\" "
                       "name=\"ReCustomerLoginPassword\" /> 验证码 <input name=\"RndPassword\" "
                       "size=\"4\" /> <img src=\"include/CodeNum.asp?\" /> <input type=\"submit\" "
                       "name=\"Button1\" value=\"确认注册\" /></form>"),
             kGb2312Page);
  });
}

}  // namespace jixia::demo
