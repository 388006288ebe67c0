// What the account service client needs of the entry window: the texts of its
// edit boxes, a message box and the two verification picture boxes. The entry
// window implements it; tests implement it with plain variables. All texts are
// GBK.
#pragma once

#include "text/text.h"

namespace jixia {

// The entry window's edit boxes the client reads, by their control names.
enum class AccountField {
  kLoginName,         // 编辑框1: account (login page)
  kLoginPassword,     // 编辑框2: password (login page)
  kRegisterName,      // 编辑框3: account to register
  kRegisterPassword,  // 编辑框4: password to register (also sent as the repeated password)
  kLoginCode,         // 编辑框5: login verification code
  kContact,           // 编辑框6: contact messenger number
  kPhone,             // 编辑框7: mobile phone number
  kUserCode,          // 编辑框8: preset user code (disabled field; its text is still read)
  kRegisterCode,      // 编辑框9: registration verification code
};

class AccountView {
 public:
  virtual ~AccountView() = default;

  // The current text of `field`, converted to GBK (through the program's own
  // converter, never Qt's codec: ToGbk of app/toolkit/toolkit.h). Not trimmed.
  virtual Text FieldText(AccountField field) const = 0;

  // A blocking message box with the caption "信息：" and one OK button
  // (ShowMessageBox of app/toolkit/toolkit.h). `message` is GBK and may be
  // empty; the box is shown all the same.
  virtual void ShowMessage(const Text& message) = 0;

  // 图片框12 shows `picture`, the raw bytes of the login verification picture
  // as the service sent them. Decode them with Qt's image readers
  // (QPixmap::loadFromData without a format hint, so PNG and JPEG both show).
  // Empty bytes, or bytes that are no picture, must clear the box and show
  // nothing, without a message and without a crash.
  virtual void ShowLoginPicture(const Bytes& picture) = 0;

  // 图片框11 shows the registration verification picture; the same rules as
  // ShowLoginPicture.
  virtual void ShowRegisterPicture(const Bytes& picture) = 0;
};

}  // namespace jixia
