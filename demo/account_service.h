// The replica of the account service: verification pictures that set a
// session cookie, a login form and a registration form over plain HTTP,
// answering with the texts the program recognises, backed by an in-memory
// user table.
//
//   GET  /include/GetCodeNum.asp   login verification picture (PNG)
//   GET  /include/CodeNum.asp      registration verification picture (PNG)
//   POST /WapLogin.asp             login form
//   POST /Reg.asp                  registration form
//   GET  /, /default.asp, /Register1.asp   plain pages for a browser
//
// Each picture response sets the session cookie (keeping the session the
// request names, if known) and remembers its code for that session, one code
// for the login picture and one for the registration picture. A form is
// checked against the code of its own picture; the code is used up by the
// check, right or wrong, so every attempt needs a new picture. Codes compare
// without regard to letter case. Form values arrive as GBK, unencoded or
// percent-encoded.
#pragma once

#include <httplib.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace jixia::demo {

inline constexpr char kSessionCookie[] = "ASPSESSIONIDQCRDSATB";

class AccountService {
 public:
  // `nextCode` gives the code of each new picture.
  explicit AccountService(std::function<std::string()> nextCode);

  // Codes of four random characters of kCodeAlphabet.
  static std::function<std::string()> RandomCodes();

  // Installs the service's pages on `server`; the service must outlive it.
  void Mount(httplib::Server& server);

 private:
  enum class Picture { Login, Registration };
  struct Session {
    std::string loginCode;
    std::string registrationCode;
  };

  void SendPicture(const httplib::Request& request, httplib::Response& response, Picture which);
  void Login(const httplib::Request& request, httplib::Response& response);
  void Register(const httplib::Request& request, httplib::Response& response);

  // The session the request's cookies name, or empty when none is known.
  std::string KnownSession(const httplib::Request& request) const;
  // Takes the code remembered for `which` in the request's session (empty
  // when there is none) and forgets it.
  std::string TakeCode(const httplib::Request& request, Picture which);

  std::function<std::string()> nextCode_;
  mutable std::mutex mutex_;
  std::map<std::string, Session> sessions_;
  std::deque<std::string> sessionOrder_;          // oldest first, for the size limit
  std::map<std::string, std::string> passwords_;  // account (UTF-8) -> password (UTF-8)
  uint64_t pictureCount_ = 0;
};

}  // namespace jixia::demo
