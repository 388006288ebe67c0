// The account service replica against a real loopback server: pictures set
// the session cookie and remember their code, the forms answer with the
// texts the program recognises.
#include "demo/account_service.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <deque>
#include <string>
#include <thread>

#include "demo/gbk.h"

namespace jixia::demo {
namespace {

constexpr char kLoginPicture[] = "/include/GetCodeNum.asp?r";
constexpr char kRegistrationPicture[] = "/include/CodeNum.asp?";
constexpr char kLoginSuccess[] = "(LoginInMsg!='')";

class AccountServiceTest : public ::testing::Test {
 protected:
  AccountServiceTest()
      : service_([this] {
          std::string code = codes_.front();
          codes_.pop_front();
          return code;
        }) {
    service_.Mount(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~AccountServiceTest() override {
    server_.stop();
    thread_.join();
  }

  // Loads a picture whose code will be `code`; returns the cookie it sets
  // ("name=value"), sending `cookie` when not empty.
  std::string LoadPicture(const char* path, const std::string& code,
                          const std::string& cookie = "") {
    codes_.push_back(code);
    httplib::Client client("127.0.0.1", port_);
    httplib::Headers headers;
    if (!cookie.empty()) headers.emplace("Cookie", cookie);
    const auto reply = client.Get(path, headers);
    EXPECT_TRUE(reply);
    if (!reply) return "";
    EXPECT_EQ(reply->status, 200);
    EXPECT_EQ(reply->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(reply->body.substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::string setCookie = reply->get_header_value("Set-Cookie");
    return setCookie.substr(0, setCookie.find(';'));
  }

  // Posts a form body (UTF-8, sent as GBK); returns the page as UTF-8.
  std::string Post(const char* path, const std::string& bodyUtf8, const std::string& cookie) {
    httplib::Client client("127.0.0.1", port_);
    httplib::Headers headers;
    if (!cookie.empty()) headers.emplace("Cookie", cookie);
    const auto reply =
        client.Post(path, headers, Utf8ToGbk(bodyUtf8), "application/x-www-form-urlencoded");
    EXPECT_TRUE(reply);
    return reply ? GbkToUtf8(reply->body) : "";
  }

  std::string Login(const std::string& account, const std::string& password,
                    const std::string& code, const std::string& cookie) {
    return Post("/WapLogin.asp",
                "act=Login&LoginHardware=&LoginSafe=0&LoginName=" + account +
                    "&LoginPasswd=" + password + "&SafePassword= QK4 &RndCode=" + code,
                cookie);
  }

  std::string Register(const std::string& account, const std::string& password,
                       const std::string& repeated, const std::string& code,
                       const std::string& cookie) {
    return Post("/Reg.asp",
                "CustomerLoginName=" + account + "&CustomerLoginPassword=" + password +
                    "&ReCustomerLoginPassword=" + repeated +
                    "&Contact_QQ=123456&Moblie_Phone=13800000000&IsCommend=1&UpCustomerId=8888"
                    "&RndPassword=" +
                    code +
                    "&IdentityCardNo=&CompanyName=&AreaID=&RealName=&Contact_Phone=&Contact_"
                    "Address=&Contact_Email=&Action=Reg&Button1=%C8%B7%C8%CF%D7%A2%B2%E1",
                cookie);
  }

  // Registers `account` with a fresh registration picture; true on success.
  bool RegisterFresh(const std::string& account, const std::string& password) {
    const std::string cookie = LoadPicture(kRegistrationPicture, "REGX");
    return Register(account, password, password, "REGX", cookie).find("用户注册成功") !=
           std::string::npos;
  }

  static std::string Alert(const std::string& message) {
    return "<Script>alert('" + message + "');location.href='default.asp';</Script>";
  }

  std::deque<std::string> codes_;
  AccountService service_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

TEST_F(AccountServiceTest, PictureSetsSessionCookieAndKeepsAKnownOne) {
  const std::string first = LoadPicture(kLoginPicture, "AB23");
  ASSERT_EQ(first.rfind(std::string(kSessionCookie) + "=", 0), 0u) << first;
  EXPECT_EQ(LoadPicture(kRegistrationPicture, "CD45", first), first);
  EXPECT_EQ(LoadPicture(kLoginPicture, "EF67", first), first);
  EXPECT_NE(LoadPicture(kLoginPicture, "GH89"), first);
  EXPECT_NE(LoadPicture(kLoginPicture, "JK23", std::string(kSessionCookie) + "=UNKNOWN"),
            std::string(kSessionCookie) + "=UNKNOWN");
}

TEST_F(AccountServiceTest, PicturesOfDifferentCodesDiffer) {
  codes_ = {"AB23", "XY89"};
  httplib::Client client("127.0.0.1", port_);
  const auto a = client.Get(kLoginPicture);
  const auto b = client.Get(kLoginPicture);
  ASSERT_TRUE(a && b);
  EXPECT_NE(a->body, b->body);
  EXPECT_GT(a->body.size(), 100u);
}

TEST_F(AccountServiceTest, RegistrationAnswersEachCheckWithItsText) {
  ASSERT_TRUE(RegisterFresh("taken", "secret1"));
  struct Case {
    const char* what;
    std::string account, password, repeated, typedCode;
    const char* expected;
  };
  const Case kCases[] = {
      {"new account", "小明_01", "secret1", "secret1", "REG2", "用户注册成功"},
      {"code in other letter case", "lower", "secret1", "secret1", "reg2", "用户注册成功"},
      {"wrong code", "other", "secret1", "secret1", "ZZZZ", "【错误】验证码不正确!"},
      {"account taken", "taken", "secret1", "secret1", "REG2", "【错误】用户名不正确!"},
      {"account too short", "a", "secret1", "secret1", "REG2", "【错误】用户名不正确!"},
      {"account with a blank", "a b", "secret1", "secret1", "REG2", "【错误】用户名不正确!"},
      {"empty password", "nopass", "", "", "REG2", "【错误】登录密码不正确!"},
      {"passwords differ", "differ", "secret1", "secret2", "REG2", "【错误】登录密码不正确!"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::string cookie = LoadPicture(kRegistrationPicture, "REG2");
    const std::string page = Register(c.account, c.password, c.repeated, c.typedCode, cookie);
    EXPECT_NE(page.find(c.expected), std::string::npos) << page;
  }
}

TEST_F(AccountServiceTest, LoginNeedsTheRegisteredPasswordAndTheRightCode) {
  ASSERT_TRUE(RegisterFresh("demo", "pass1234"));
  struct Case {
    const char* what;
    std::string account, password, typedCode;
    std::string expected;
  };
  const Case kCases[] = {
      {"right code and password", "demo", "pass1234", "LG34", kLoginSuccess},
      {"wrong code", "demo", "pass1234", "LG35", Alert("验证码错误")},
      {"empty code", "demo", "pass1234", "", Alert("验证码错误")},
      {"wrong password", "demo", "nope", "LG34", Alert("用户名或密码错误")},
      {"unknown account", "nobody", "pass1234", "LG34", Alert("用户名或密码错误")},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::string cookie = LoadPicture(kLoginPicture, "LG34");
    const std::string page = Login(c.account, c.password, c.typedCode, cookie);
    EXPECT_NE(page.find(c.expected), std::string::npos) << page;
    if (c.expected != kLoginSuccess) {
      EXPECT_EQ(page.find(kLoginSuccess), std::string::npos);
    }
  }
}

TEST_F(AccountServiceTest, CookieTiesTheCodeToItsPicture) {
  ASSERT_TRUE(RegisterFresh("demo", "pass1234"));
  const std::string first = LoadPicture(kLoginPicture, "AAAA");
  const std::string second = LoadPicture(kLoginPicture, "BBBB");
  // The other session's code, and no session at all, are wrong codes.
  EXPECT_NE(Login("demo", "pass1234", "BBBB", first).find(Alert("验证码错误")), std::string::npos);
  EXPECT_NE(Login("demo", "pass1234", "BBBB", "").find(Alert("验证码错误")), std::string::npos);
  EXPECT_NE(Login("demo", "pass1234", "BBBB", second).find(kLoginSuccess), std::string::npos);
  // A code is used up by its check.
  EXPECT_NE(Login("demo", "pass1234", "BBBB", second).find(Alert("验证码错误")), std::string::npos);
  // A new picture replaces the session's code.
  LoadPicture(kLoginPicture, "CCCC", first);
  LoadPicture(kLoginPicture, "DDDD", first);
  EXPECT_NE(Login("demo", "pass1234", "CCCC", first).find(Alert("验证码错误")), std::string::npos);
}

TEST_F(AccountServiceTest, LoginAndRegistrationPicturesKeepSeparateCodes) {
  ASSERT_TRUE(RegisterFresh("demo", "pass1234"));
  const std::string cookie = LoadPicture(kLoginPicture, "LOG2");
  LoadPicture(kRegistrationPicture, "REG3", cookie);
  EXPECT_NE(Login("demo", "pass1234", "REG3", cookie).find(Alert("验证码错误")), std::string::npos);
  LoadPicture(kLoginPicture, "LOG2", cookie);
  EXPECT_NE(Login("demo", "pass1234", "LOG2", cookie).find(kLoginSuccess), std::string::npos);
  EXPECT_NE(Register("fresh", "pass1234", "pass1234", "REG3", cookie).find("用户注册成功"),
            std::string::npos);
}

TEST_F(AccountServiceTest, FormValuesArriveAsGbkPercentEncodedOrNot) {
  // The program sends raw GBK; a browser sends percent-encoded GBK.
  ASSERT_TRUE(RegisterFresh("用户甲", "pass1234"));
  const std::string cookie = LoadPicture(kLoginPicture, "PC45");
  EXPECT_NE(Post("/WapLogin.asp",
                 "act=Login&LoginName=%D3%C3%BB%A7%BC%D7&LoginPasswd=pass1234&RndCode=PC45", cookie)
                .find(kLoginSuccess),
            std::string::npos);
}

}  // namespace
}  // namespace jixia::demo
