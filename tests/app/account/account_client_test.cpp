#include "app/account/account_client.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "net/web_request.h"
#include "tests/support/raw_http_server.h"
#include "text/codepage.h"

namespace jixia {
namespace {

using test::Ok;
using test::RawHttpServer;
using test::Response;

// The entry window as plain variables: field texts in, messages and
// pictures recorded.
class RecordingView : public AccountView {
 public:
  Text FieldText(AccountField field) const override {
    const auto it = fields.find(field);
    return it == fields.end() ? Text() : it->second;
  }
  void ShowMessage(const Text& message) override { messages.push_back(message); }
  void ShowLoginPicture(const Bytes& picture) override { loginPictures.push_back(picture); }
  void ShowRegisterPicture(const Bytes& picture) override { registerPictures.push_back(picture); }

  std::map<AccountField, Text> fields;
  std::vector<Text> messages;
  std::vector<Bytes> loginPictures;
  std::vector<Bytes> registerPictures;
};

std::string Gbk(const char* utf8) {
  return Utf8ToGbk(utf8);
}

std::string BodyOf(const std::string& request) {
  const auto end = request.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : request.substr(end + 4);
}

std::vector<std::string> HeaderLinesOf(const std::string& request) {
  std::vector<std::string> lines;
  const std::string head = request.substr(0, request.find("\r\n\r\n"));
  std::size_t start = 0;
  while (start <= head.size()) {
    const auto end = head.find("\r\n", start);
    lines.push_back(head.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

int CountLinesStartingWith(const std::string& request, const std::string& prefix) {
  int n = 0;
  for (const std::string& line : HeaderLinesOf(request)) n += line.rfind(prefix, 0) == 0;
  return n;
}

class AccountClientTest : public ::testing::Test {
 protected:
  std::string Host() const { return "127.0.0.1:" + std::to_string(server.port()); }

  RawHttpServer server;
  RecordingView view;
  Text accountCookies;
  Text loginReplyCookies;
  AccountClient client{view, accountCookies, loginReplyCookies, Host()};
};

TEST_F(AccountClientTest, LoginPostsEncodedFormWithCookiesAndDefaultHeaders) {
  accountCookies = "ASPSESSIONID=abc";
  view.fields[AccountField::kLoginName] = Gbk("a&b=c张三");
  view.fields[AccountField::kLoginPassword] = "p+%w";
  view.fields[AccountField::kLoginCode] = "AB12";
  server.AddReply(Ok("<html>(LoginInMsg!='')</html>"));

  client.SubmitLogin();

  ASSERT_EQ(server.RequestCount(), 1u);
  const std::string request = server.Request(0);
  const std::vector<std::string> lines = HeaderLinesOf(request);
  EXPECT_EQ(lines[0], "POST /WapLogin.asp HTTP/1.1");
  EXPECT_EQ(BodyOf(request),
            "act=Login&LoginHardware=&LoginSafe=0&LoginName=a%26b%3Dc%D5%C5%C8%FD"
            "&LoginPasswd=p%2B%25w&SafePassword= QK4 &RndCode=AB12");
  EXPECT_EQ(CountLinesStartingWith(request, "Content-Type: application/x-www-form-urlencoded"), 1);
  EXPECT_EQ(CountLinesStartingWith(request, "Cookie: ASPSESSIONID=abc"), 1);
  EXPECT_EQ(view.messages, std::vector<Text>{Gbk("登录成功")});
}

TEST_F(AccountClientTest, LoginWithEmptyFieldsIsSentAsItIs) {
  server.AddReply(Ok(""));
  client.SubmitLogin();
  ASSERT_EQ(server.RequestCount(), 1u);
  EXPECT_EQ(BodyOf(server.Request(0)),
            "act=Login&LoginHardware=&LoginSafe=0&LoginName=&LoginPasswd="
            "&SafePassword= QK4 &RndCode=");
  EXPECT_EQ(view.messages, std::vector<Text>{""});
}

TEST_F(AccountClientTest, LoginMergedCookiesEndInBothCookieTexts) {
  accountCookies = "A=1; C=3";
  server.AddReply(Response("200 OK", {"Set-Cookie: B=2; path=/", "Set-Cookie: C=4"}, ""));
  client.SubmitLogin();
  EXPECT_EQ(accountCookies, "B=2; C=4; A=1");
  EXPECT_EQ(loginReplyCookies, accountCookies);
}

TEST_F(AccountClientTest, LoginMessageComesFromMarkerOrAlertScript) {
  struct Case {
    const char* reply;  // UTF-8 page text, served as GBK
    const char* shown;
  };
  const Case kCases[] = {
      {"<p>欢迎</p><script>var m=(LoginInMsg!='');</script>", "登录成功"},
      {"<Script>alert('密码错误');location.href='default.asp';</Script>(LoginInMsg!='')",
       "登录成功"},
      {"<html><Script>alert('验证码错误');location.href='default.asp';</Script></html>",
       "验证码错误"},
      {"<script>alert('验证码错误');location.href='default.asp';</script>", ""},
      {"<Script>alert('没有结尾');</Script>", ""},
      {"(LoginInMsg != '')", ""},
      {"", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.reply);
    view.messages.clear();
    server.AddReply(Ok(Gbk(c.reply)));
    client.SubmitLogin();
    EXPECT_EQ(view.messages, std::vector<Text>{Gbk(c.shown)});
  }
}

TEST_F(AccountClientTest, RegistrationPostsFormWithRefererAndItsOwnUserAgent) {
  accountCookies = "S=9";
  view.fields[AccountField::kRegisterName] = Gbk("新用户 1");
  view.fields[AccountField::kRegisterPassword] = "a&b";
  view.fields[AccountField::kContact] = "12345";
  view.fields[AccountField::kPhone] = "13800000000";
  view.fields[AccountField::kUserCode] = "888888";
  view.fields[AccountField::kRegisterCode] = "x+y";
  view.fields[AccountField::kLoginName] = "not sent";
  server.AddReply(Response("200 OK", {"Set-Cookie: T=1"}, ""));

  client.SubmitRegistration();

  ASSERT_EQ(server.RequestCount(), 1u);
  const std::string request = server.Request(0);
  EXPECT_EQ(HeaderLinesOf(request)[0], "POST /Reg.asp HTTP/1.1");
  EXPECT_EQ(BodyOf(request),
            "CustomerLoginName=%D0%C2%D3%C3%BB%A7%201&CustomerLoginPassword=a%26b"
            "&ReCustomerLoginPassword=a%26b&Contact_QQ=12345&Moblie_Phone=13800000000"
            "&IsCommend=1&UpCustomerId=888888&RndPassword=x%2By&IdentityCardNo=&CompanyName="
            "&AreaID=&RealName=&Contact_Phone=&Contact_Address=&Contact_Email=&Action=Reg"
            "&Button1=%C8%B7%C8%CF%D7%A2%B2%E1");
  EXPECT_EQ(CountLinesStartingWith(request, "Referer: http://" + Host() + "/Register1.asp"), 1);
  EXPECT_EQ(CountLinesStartingWith(request, "Referer:"), 1);
  EXPECT_EQ(CountLinesStartingWith(request,
                                   "User-Agent: Mozilla/5.0 (compatible; MSIE 10.0; "
                                   "Windows NT 6.1; WOW64; Trident/6.0)"),
            1);
  EXPECT_EQ(CountLinesStartingWith(request, "User-Agent:"), 1);
  EXPECT_EQ(CountLinesStartingWith(request, "Cookie: S=9"), 1);
  EXPECT_EQ(accountCookies, "T=1; S=9");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(AccountClientTest, RegistrationMessageFollowsTheTableOrder) {
  struct Case {
    const char* reply;
    std::vector<const char*> shown;
  };
  const Case kCases[] = {
      {"<p>用户注册成功</p>", {"用户注册成功，您的帐号可以登录使用了!  返回登录页面登录"}},
      {"【错误】用户名不正确!", {"用户名不正确!"}},
      {"【错误】登录密码不正确!", {"登录密码不正确!"}},
      {"<b>【错误】验证码不正确!</b>", {"验证码不正确!"}},
      {"【错误】验证码不正确! 用户注册成功",
       {"用户注册成功，您的帐号可以登录使用了!  返回登录页面登录"}},
      {"【错误】验证码不正确! 【错误】用户名不正确!", {"用户名不正确!"}},
      {"【错误】用户名不正确！", {}},  // full-width exclamation mark: not the service's text
      {"<html>别的页面</html>", {}},
      {"", {}},
  };
  view.fields[AccountField::kRegisterName] = "u";
  view.fields[AccountField::kRegisterPassword] = "p";
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.reply);
    view.messages.clear();
    server.AddReply(Ok(Gbk(c.reply)));
    client.SubmitRegistration();
    std::vector<Text> expected;
    for (const char* message : c.shown) expected.push_back(Gbk(message));
    EXPECT_EQ(view.messages, expected);
  }
}

TEST_F(AccountClientTest, RegistrationWithEmptyAccountOrPasswordSendsNothing) {
  struct Case {
    const char* account;
    const char* password;
  };
  const Case kCases[] = {{"", ""}, {"", "p"}, {"u", ""}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.account) + "/" + c.password);
    view.messages.clear();
    view.fields[AccountField::kRegisterName] = c.account;
    view.fields[AccountField::kRegisterPassword] = c.password;
    client.SubmitRegistration();
    EXPECT_EQ(view.messages, std::vector<Text>{Gbk("不能为空")});
  }
  EXPECT_EQ(server.RequestCount(), 0u);
}

TEST_F(AccountClientTest, PicturesArriveByteForByte) {
  const Bytes png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  server.AddReply(Response("200 OK", {"Content-Type: image/png"}, png));
  server.AddReply(Response("200 OK", {"Content-Type: image/jpeg"}, "\xff\xd8\xff\xe0"));
  client.LoadLoginCodePicture();
  client.LoadRegisterCodePicture();

  ASSERT_EQ(server.RequestCount(), 2u);
  EXPECT_EQ(HeaderLinesOf(server.Request(0))[0], "GET /include/GetCodeNum.asp?r HTTP/1.1");
  EXPECT_EQ(HeaderLinesOf(server.Request(1))[0], "GET /include/CodeNum.asp? HTTP/1.1");
  EXPECT_EQ(view.loginPictures, std::vector<Bytes>{png});
  EXPECT_EQ(view.registerPictures, std::vector<Bytes>{"\xff\xd8\xff\xe0"});
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(AccountClientTest, LoginPictureAfterRegistrationPictureReplacesCookies) {
  server.AddReply(Response("200 OK", {"Set-Cookie: R=1; path=/"}, "r"));
  server.AddReply(Response("200 OK", {"Set-Cookie: L=2; path=/"}, "l"));
  server.AddReply(Response("200 OK", {}, "l"));

  client.LoadRegisterCodePicture();
  EXPECT_EQ(accountCookies, "R=1");
  client.LoadLoginCodePicture();
  EXPECT_EQ(accountCookies, "L=2");
  EXPECT_EQ(CountLinesStartingWith(server.Request(1), "Cookie:"), 0);
  client.LoadLoginCodePicture();  // a response that sets none empties them
  EXPECT_EQ(accountCookies, "");
}

TEST_F(AccountClientTest, RegistrationPictureAfterLoginPictureMergesCookies) {
  server.AddReply(Response("200 OK", {"Set-Cookie: L=2; path=/"}, "l"));
  server.AddReply(Response("200 OK", {"Set-Cookie: R=1; path=/"}, "r"));

  client.LoadLoginCodePicture();
  EXPECT_EQ(accountCookies, "L=2");
  client.LoadRegisterCodePicture();
  EXPECT_EQ(CountLinesStartingWith(server.Request(1), "Cookie: L=2"), 1);
  EXPECT_EQ(accountCookies, "R=1; L=2");
  EXPECT_TRUE(loginReplyCookies.empty());
}

TEST(AccountClientRefused, FailedRequestsShowTheirNumberedMessage) {
  int port;
  {
    RawHttpServer closed;
    port = closed.port();
  }
  RecordingView view;
  view.fields[AccountField::kRegisterName] = "u";
  view.fields[AccountField::kRegisterPassword] = "p";
  Text accountCookies = "A=1";
  Text loginReplyCookies;
  AccountClient client(view, accountCookies, loginReplyCookies,
                       "127.0.0.1:" + std::to_string(port));

  client.SubmitLogin();
  client.SubmitRegistration();
  const Text refused = web_request_status::k711Send;
  EXPECT_EQ(view.messages, (std::vector<Text>{refused, refused}));
  EXPECT_EQ(accountCookies, "A=1");

  view.messages.clear();
  client.LoadLoginCodePicture();
  client.LoadRegisterCodePicture();
  EXPECT_EQ(view.loginPictures, std::vector<Bytes>{""});
  EXPECT_EQ(view.registerPictures, std::vector<Bytes>{""});
  EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace jixia
