#include "app/account/account_client.h"

#include <utility>

#include "app/account/account_forms.h"
#include "net/simple_fetch.h"
#include "net/web_request.h"
#include "text/codepage.h"
#include "text/markers.h"
#include "text/search.h"

namespace jixia {
namespace {

// The service's paths on its host, all plain HTTP.
constexpr char kLoginPicturePath[] = "/include/GetCodeNum.asp?r";
constexpr char kRegisterPicturePath[] = "/include/CodeNum.asp?";
constexpr char kLoginFormPath[] = "/WapLogin.asp";
constexpr char kRegistrationFormPath[] = "/Reg.asp";
constexpr char kRegistrationPagePath[] = "/Register1.asp";

constexpr char kRegistrationAgent[] =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; WOW64; Trident/6.0)";

// The login page's success marker and the alert script around its messages.
constexpr char kLoginSuccessMarker[] = "(LoginInMsg!='')";
constexpr char kAlertLeft[] = "<Script>alert('";
constexpr char kAlertRight[] = "');location.href='default.asp';";

// Texts of the registration reply, looked for in this order; the first found
// decides the message (UTF-8 here, GBK on the wire).
struct ReplyMessage {
  const char* replyText;
  const char* message;
};
// clang-format off
constexpr ReplyMessage kRegistrationMessages[] = {
    {"用户注册成功",            "用户注册成功，您的帐号可以登录使用了!  返回登录页面登录"},
    {"【错误】用户名不正确!",   "用户名不正确!"},
    {"【错误】登录密码不正确!", "登录密码不正确!"},
    {"【错误】验证码不正确!",   "验证码不正确!"},
};
// clang-format on

constexpr const char* const* kFailureMessages[] = {
    &web_request_status::k700NoPlatform,  &web_request_status::k701BadUrl,
    &web_request_status::k702Session,     &web_request_status::k703Connect,
    &web_request_status::k704Request,     &web_request_status::k705Timeouts,
    &web_request_status::k707Credentials, &web_request_status::k708Cookies,
    &web_request_status::k709Redirects,   &web_request_status::k710Headers,
    &web_request_status::k711Send,        &web_request_status::k712NoResponse,
    &web_request_status::k713Read,
};

// True when `status` is one of WebRequest's numbered failure messages, i.e.
// the request got no usable response (an HTTP status text is no failure).
bool IsRequestFailure(const Text& status) {
  for (const char* const* message : kFailureMessages) {
    if (status == *message) return true;
  }
  return false;
}

}  // namespace

AccountClient::AccountClient(AccountView& view, Text& accountCookies, Text& loginReplyCookies,
                             std::string host)
    : view_(view),
      accountCookies_(accountCookies),
      loginReplyCookies_(loginReplyCookies),
      host_(std::move(host)) {}

std::string AccountClient::Url(const char* path) const {
  return "http://" + host_ + path;
}

void AccountClient::LoadLoginCodePicture() {
  // Only responseCookies is given: no merge, the stack's own cookie handling
  // stays on, and the account cookies become exactly what this response sets.
  SimpleFetchOptions options;
  options.responseCookies = &accountCookies_;
  view_.ShowLoginPicture(SimpleFetch(Url(kLoginPicturePath), options));
}

void AccountClient::LoadRegisterCodePicture() {
  // Given cookies are sent, switch the stack's cookie handling off and are
  // merged with the response's afterwards.
  SimpleFetchOptions options;
  options.cookies = &accountCookies_;
  view_.ShowRegisterPicture(SimpleFetch(Url(kRegisterPicturePath), options));
}

void AccountClient::SubmitLogin() {
  LoginForm form;
  form.account = view_.FieldText(AccountField::kLoginName);
  form.password = view_.FieldText(AccountField::kLoginPassword);
  form.code = view_.FieldText(AccountField::kLoginCode);

  Text status;
  WebRequestOptions options;
  options.method = 1;
  options.body = LoginFormBody(form);
  options.cookies = &accountCookies_;
  options.responseCookies = &loginReplyCookies_;
  options.status = &status;
  const Text reply = WebRequest(Url(kLoginFormPath), options);

  if (IsRequestFailure(status)) {
    view_.ShowMessage(status);
  } else if (ContainsText(reply, kLoginSuccessMarker)) {
    view_.ShowMessage(Utf8ToGbk("登录成功"));
  } else {
    view_.ShowMessage(TextBetween(reply, kAlertLeft, kAlertRight));
  }
}

void AccountClient::SubmitRegistration() {
  const Text empty = Utf8ToGbk("不能为空");
  if (view_.FieldText(AccountField::kRegisterName).empty()) return view_.ShowMessage(empty);
  if (view_.FieldText(AccountField::kRegisterPassword).empty()) return view_.ShowMessage(empty);

  RegistrationForm form;
  form.account = view_.FieldText(AccountField::kRegisterName);
  form.password = view_.FieldText(AccountField::kRegisterPassword);
  form.contact = view_.FieldText(AccountField::kContact);
  form.phone = view_.FieldText(AccountField::kPhone);
  form.userCode = view_.FieldText(AccountField::kUserCode);
  form.code = view_.FieldText(AccountField::kRegisterCode);

  Text status;
  WebRequestOptions options;
  options.method = 1;
  options.body = RegistrationFormBody(form);
  options.cookies = &accountCookies_;
  // The caller's User-Agent line keeps WebRequest from adding its own.
  options.extraHeaders = "Referer: " + Url(kRegistrationPagePath) + "\r\n" + kRegistrationAgent;
  options.status = &status;
  const Text reply = WebRequest(Url(kRegistrationFormPath), options);

  if (IsRequestFailure(status)) return view_.ShowMessage(status);
  for (const ReplyMessage& row : kRegistrationMessages) {
    if (ContainsText(reply, Utf8ToGbk(row.replyText))) {
      return view_.ShowMessage(Utf8ToGbk(row.message));
    }
  }
}

}  // namespace jixia
