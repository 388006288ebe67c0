#include "app/account/account_forms.h"

#include <gtest/gtest.h>

#include "text/codepage.h"

namespace jixia {
namespace {

TEST(FormEncode, TypedBytesReachTheServiceAsTyped) {
  struct Case {
    const char* typed;  // UTF-8, typed into a field
    const char* sent;
  };
  const Case kCases[] = {
      {"abcXYZ019", "abcXYZ019"},
      {"*-._", "*-._"},
      {"a&b=c", "a%26b%3Dc"},
      {"1+1%", "1%2B1%25"},
      {"a b", "a%20b"},
      {"x?#;/'\"", "x%3F%23%3B%2F%27%22"},
      {"\r\n", "%0D%0A"},
      {"张三", "%D5%C5%C8%FD"},  // GBK bytes, not UTF-8
      {"", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(FormEncode(Utf8ToGbk(c.typed)), c.sent);
  }
}

TEST(AccountForms, LoginBodyKeepsFixedValuesAndFieldOrder) {
  EXPECT_EQ(LoginFormBody({.account = "user", .password = "p w", .code = "AB12"}),
            "act=Login&LoginHardware=&LoginSafe=0&LoginName=user&LoginPasswd=p%20w"
            "&SafePassword= QK4 &RndCode=AB12");
  EXPECT_EQ(LoginFormBody({}),
            "act=Login&LoginHardware=&LoginSafe=0&LoginName=&LoginPasswd="
            "&SafePassword= QK4 &RndCode=");
}

TEST(AccountForms, RegistrationBodySendsPasswordTwiceAndFixedTail) {
  RegistrationForm form;
  form.account = "a&b=c";
  form.password = "p+%";
  form.contact = "12345";
  form.phone = "13800000000";
  form.userCode = "888888";
  form.code = "9x";
  EXPECT_EQ(RegistrationFormBody(form),
            "CustomerLoginName=a%26b%3Dc&CustomerLoginPassword=p%2B%25"
            "&ReCustomerLoginPassword=p%2B%25&Contact_QQ=12345&Moblie_Phone=13800000000"
            "&IsCommend=1&UpCustomerId=888888&RndPassword=9x&IdentityCardNo=&CompanyName="
            "&AreaID=&RealName=&Contact_Phone=&Contact_Address=&Contact_Email=&Action=Reg"
            "&Button1=%C8%B7%C8%CF%D7%A2%B2%E1");
}

}  // namespace
}  // namespace jixia
