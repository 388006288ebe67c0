// The first window of the program: a narrow panel offering login or
// registration that grows into the frame with the two account pages and the
// enter button. Controls carry their design names as object names
// (编辑框6, 图形按钮6, 图片框12 ...).
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/account/account_client.h"
#include "app/account/account_view.h"
#include "app/window_geometry.h"
#include "jixia/config.h"
#include "listing/listing_ui.h"

class QLabel;
class QLineEdit;

namespace jixia {

class PictureButton;
class TabControl;

// What the window hands its work to. Null or empty members take the
// program's own: the desktop opener for the contact link, message boxes.
struct EntryWindowServices {
  AddressOpener* contactOpener = nullptr;
  MessageSink* messages = nullptr;
  // Creates and shows the MainWindow; called by the enter button before the
  // entry window goes.
  std::function<void()> openMainWindow;
  std::string accountHost = config::kAccountHost;
};

class EntryWindow : public QWidget, public AccountView {
  Q_OBJECT

 public:
  // Builds the window at its design size 800 x 501, centred on the primary
  // screen, with the first panel shown and the frame hidden; not shown.
  // `accountCookies` and `loginReplyCookies` are the program's cookie texts,
  // which must outlive the window.
  EntryWindow(Text& accountCookies, Text& loginReplyCookies, EntryWindowServices services = {});
  ~EntryWindow() override;

  // The creation handler's steps after the version check: the first panel's
  // size and place, then the date label, the toggles' common place, the
  // hidden page headers and the tooltips.
  void PlaceFirstPanel();
  void SetUp();

  // The two choices of the first panel (图形按钮2, 图形按钮3): select the page,
  // show the frame and grow the window into it.
  void ChooseLogin();
  void ChooseRegistration();

  // Called after every growth step with the window's geometry (for tests).
  void SetGrowthObserver(std::function<void(const QRect&)> observer) {
    growthObserver_ = std::move(observer);
  }

  // AccountView.
  Text FieldText(AccountField field) const override;
  void ShowMessage(const Text& message) override;
  void ShowLoginPicture(const Bytes& picture) override;
  void ShowRegisterPicture(const Bytes& picture) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Field {
    QLabel* frame = nullptr;
    QLineEdit* edit = nullptr;
  };

  void BuildFirstPanel();
  void BuildFrame();
  void BuildLoginPage(QWidget* page);
  void BuildRegisterPage(QWidget* page);
  QLabel* PictureBox(const char* name, QWidget* parent, const QRect& place, const QPixmap& picture);
  PictureButton* Button(const char* name, const char* looks, QWidget* parent, const QRect& place);
  Field MakeField(const char* frameName, const char* editName, QWidget* parent, QPoint at);
  void Choose(int page);
  // Returns false when the window was destroyed during the growth.
  bool Grow();
  void ShowLoginPage();
  void ShowRegisterPage();
  void OpenContactLink();
  void Enter();
  void Highlight(const Field& field, bool focused);
  bool StartDrag(QMouseEvent* event);
  bool Drag(QMouseEvent* event);
  void ShowPicture(QLabel* box, const Bytes& picture);

  EntryWindowServices services_;
  AccountClient account_;
  QPixmap fieldNormal_;
  QPixmap fieldFocused_;
  QPointer<QLabel> firstPanel_;
  QLabel* frame_ = nullptr;
  TabControl* tabs_ = nullptr;
  PictureButton* loginToggle_ = nullptr;
  PictureButton* registerToggle_ = nullptr;
  PictureButton* contact_ = nullptr;
  QLabel* date_ = nullptr;
  QLabel* loginPicture_ = nullptr;
  QLabel* registerPicture_ = nullptr;
  Field fields_[9];  // 编辑框1 .. 编辑框9, indexed by AccountField
  std::function<void(const QRect&)> growthObserver_;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace jixia
