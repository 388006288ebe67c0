// The client of the outside account service: loads the two verification
// pictures, posts the login and registration forms and tells the user the
// outcome through an AccountView. Plain HTTP on one host; the service's
// cookie ties a typed code to the picture it was read from.
#pragma once

#include <string>

#include "app/account/account_view.h"
#include "jixia/config.h"
#include "text/text.h"

namespace jixia {

class AccountClient {
 public:
  // `accountCookies` and `loginReplyCookies` are the program's two cookie
  // texts, owned by the start-up and living until exit; the client reads and
  // writes them in place. `host` (host[:port]) defaults to the configured
  // account service. Nothing is sent until an operation runs.
  AccountClient(AccountView& view, Text& accountCookies, Text& loginReplyCookies,
                std::string host = config::kAccountHost);

  // Fetches the login verification picture and shows it in 图片框12 (empty
  // bytes when the request fails; no message). The account cookies are
  // replaced by exactly the cookies this response sets.
  void LoadLoginCodePicture();

  // Fetches the registration verification picture, sending the account
  // cookies, and shows it in 图片框11. The cookies this response sets are
  // merged into the account cookies.
  void LoadRegisterCodePicture();

  // Posts the login form (account, password, code) with the account cookies
  // and shows "登录成功" when the reply carries the service's success marker,
  // otherwise the message of the reply's alert script (possibly empty). A
  // request that gets no response shows its numbered failure message. The
  // merged cookies end in both cookie texts.
  void SubmitLogin();

  // Shows "不能为空" without sending anything when the account or password
  // to register is empty. Otherwise posts the registration form with the
  // account cookies (merged afterwards) and shows the message of the first
  // known text found in the reply, or nothing when none is found. A request
  // that gets no response shows its numbered failure message.
  void SubmitRegistration();

 private:
  std::string Url(const char* path) const;

  AccountView& view_;
  Text& accountCookies_;
  Text& loginReplyCookies_;
  std::string host_;
};

}  // namespace jixia
