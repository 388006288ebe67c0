#include "app/account/account_forms.h"

namespace jixia {

Text FormEncode(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  out.reserve(value.size() * 3);
  for (unsigned char c : value) {
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '*' || c == '-' || c == '.' || c == '_';
    if (keep) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

Text LoginFormBody(const LoginForm& form) {
  return "act=Login&LoginHardware=&LoginSafe=0&LoginName=" + FormEncode(form.account) +
         "&LoginPasswd=" + FormEncode(form.password) +
         "&SafePassword= QK4 &RndCode=" + FormEncode(form.code);
}

Text RegistrationFormBody(const RegistrationForm& form) {
  const Text password = FormEncode(form.password);
  return "CustomerLoginName=" + FormEncode(form.account) + "&CustomerLoginPassword=" + password +
         "&ReCustomerLoginPassword=" + password + "&Contact_QQ=" + FormEncode(form.contact) +
         "&Moblie_Phone=" + FormEncode(form.phone) +
         "&IsCommend=1&UpCustomerId=" + FormEncode(form.userCode) +
         "&RndPassword=" + FormEncode(form.code) +
         "&IdentityCardNo=&CompanyName=&AreaID=&RealName=&Contact_Phone="
         "&Contact_Address=&Contact_Email=&Action=Reg&Button1=%C8%B7%C8%CF%D7%A2%B2%E1";
}

}  // namespace jixia
