// The account service's two forms as request bodies
// (application/x-www-form-urlencoded, GBK). The service's own fixed values
// stand byte for byte; typed values are percent-encoded so that they reach
// the service exactly as typed.
#pragma once

#include <string_view>

#include "text/text.h"

namespace jixia {

// Percent-encodes the GBK bytes of `value` for a form body: ASCII letters,
// digits and "*-._" stay, every other byte becomes "%" and two upper-case hex
// digits (a blank included, so "+" in a body always means a typed "+"). Never
// fails.
Text FormEncode(std::string_view value);

// The typed values of the login form, GBK, as read from the fields.
struct LoginForm {
  Text account;   // 编辑框1
  Text password;  // 编辑框2
  Text code;      // 编辑框5
};

// The login form body: act, LoginHardware, LoginSafe, LoginName,
// LoginPasswd, SafePassword, RndCode, in this order.
Text LoginFormBody(const LoginForm& form);

// The typed values of the registration form, GBK, as read from the fields.
struct RegistrationForm {
  Text account;   // 编辑框3
  Text password;  // 编辑框4, sent twice (password and repeated password)
  Text contact;   // 编辑框6
  Text phone;     // 编辑框7
  Text userCode;  // 编辑框8
  Text code;      // 编辑框9
};

// The registration form body, fields in the service's order, ending with the
// submit button's percent-encoded caption.
Text RegistrationFormBody(const RegistrationForm& form);

}  // namespace jixia
