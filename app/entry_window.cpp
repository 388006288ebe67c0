#include "app/entry_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/contact_link.h"
#include "app/date_label.h"
#include "app/outline_mask.h"
#include "app/picture_button.h"
#include "app/toolkit/tab_control.h"
#include "app/toolkit/toolkit.h"
#include "app/toolkit/transparent_label.h"
#include "resources/pictures.h"

namespace jixia {
namespace {

const QColor kWindowColour(96, 96, 96);
const QColor kDarkText(69, 69, 69);
const QColor kInk(55, 55, 55);
const QColor kPageLabel(255, 128, 0);
const QColor kFieldBackground(255, 180, 145);
const QColor kFieldFocused(255, 119, 76);

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QFont ProgramFont(int pixels, bool bold = false) {
  QFont font(U("微软雅黑"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
  palette.setColor(QPalette::Disabled, role, colour);
  widget->setPalette(palette);
}

// Waits `milliseconds` while the window events go on being handled.
void WaitProcessingEvents(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// A label drawn over a white copy of its text, one pixel to the right and below.
class ShadowLabel : public TransparentLabel {
 public:
  using TransparentLabel::TransparentLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(Qt::white);
    painter.drawText(rect().translated(1, 1), static_cast<int>(alignment()), text());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), static_cast<int>(alignment()), text());
  }
};

// The page area of the frame: the frame's picture shows through it.
class SeeThroughTabControl : public TabControl {
 public:
  using TabControl::TabControl;

 protected:
  void paintEvent(QPaintEvent*) override {}
};

struct LabelStyle {
  QColor colour;
  int pixels;
  bool bold;
  Qt::Alignment alignment;
};

TransparentLabel* Label(TransparentLabel* label, const char* name, const QRect& place,
                        const QString& text, const LabelStyle& style) {
  label->setObjectName(U(name));
  label->setGeometry(place);
  label->setText(text);
  label->setFont(ProgramFont(style.pixels, style.bold));
  label->setAlignment(style.alignment);
  SetColour(label, QPalette::WindowText, style.colour);
  return label;
}

TransparentLabel* Label(QWidget* parent, const char* name, const QRect& place, const QString& text,
                        const LabelStyle& style) {
  return Label(new TransparentLabel(parent), name, place, text, style);
}

constexpr Qt::Alignment kCentred = Qt::AlignCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// Page labels: orange, 12 unless stated.
TransparentLabel* PageLabel(QWidget* page, const char* name, const QRect& place, const char* text,
                            int pixels = 12, bool bold = false) {
  return Label(page, name, place, U(text), {kPageLabel, pixels, bold, kLeft});
}

}  // namespace

EntryWindow::EntryWindow(Text& accountCookies, Text& loginReplyCookies,
                         EntryWindowServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      services_(std::move(services)),
      account_(*this, accountCookies, loginReplyCookies, services_.accountHost),
      fieldNormal_(pictures::Load(pictures::kFieldNormal)),
      fieldFocused_(pictures::Load(pictures::kFieldFocused)) {
  setObjectName(QStringLiteral("EntryWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  // Tooltips show even while the window is not the active one.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setWindowTitle(QString());
  setWindowIcon(pictures::Load(pictures::kIcon));
  setAutoFillBackground(true);
  SetColour(this, QPalette::Window, kWindowColour);

  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  const WindowRect created =
      CentredRect(screen.width(), screen.height(), kEntryDesignWidth, kEntryDesignHeight);
  setGeometry(created.left, created.top, created.width, created.height);

  BuildFrame();
  BuildFirstPanel();
}

EntryWindow::~EntryWindow() = default;

QLabel* EntryWindow::PictureBox(const char* name, QWidget* parent, const QRect& place,
                                const QPixmap& picture) {
  auto* box = new QLabel(parent);
  box->setObjectName(U(name));
  box->setGeometry(place);
  box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  box->setPixmap(picture);
  box->installEventFilter(this);  // pressing a picture box drags the window
  return box;
}

PictureButton* EntryWindow::Button(const char* name, const char* looks, QWidget* parent,
                                   const QRect& place) {
  auto* button = new PictureButton(pictures::LoadButton(U(looks)), parent);
  button->setObjectName(U(name));
  button->setGeometry(place);
  return button;
}

void EntryWindow::BuildFirstPanel() {
  QLabel* panel =
      PictureBox("图片框1", this, {0, 0, 320, 640}, pictures::Load(pictures::kFirstPanel));
  firstPanel_ = panel;
  Label(panel, "透明标签22", {0, 0, 320, 30}, U("澄屿软件集匣   版本：1.0.0"),
        {kDarkText, 14, false, kCentred});
  connect(Button("图形按钮9", "close_small", panel, {281, 42, 29, 29}), &QAbstractButton::clicked,
          this, &QWidget::close);
  PictureBox("logo", panel, {120, 105, 80, 72}, pictures::Load(pictures::kLogo));
  Label(panel, "透明标签20", {80, 200, 160, 40}, U("澄屿 - 软件集匣"),
        {Qt::white, 16, true, kCentred});
  Label(panel, "透明标签23", {0, 371, 320, 32}, U("请选择登录或注册"),
        {Qt::white, 14, false, kCentred});
  connect(Button("图形按钮2", "choose_login", panel, {25, 417, 270, 35}), &QAbstractButton::clicked,
          this, &EntryWindow::ChooseLogin);
  connect(Button("图形按钮3", "choose_register", panel, {25, 472, 270, 35}),
          &QAbstractButton::clicked, this, &EntryWindow::ChooseRegistration);
  Label(panel, "透明标签21", {0, 621, 320, 20}, U("澄屿出品 · 仅供学习交流 · 作者 澄屿"),
        {kDarkText, 12, false, kCentred});
}

void EntryWindow::BuildFrame() {
  frame_ = PictureBox("登录框架", this, {0, 0, 800, 500}, pictures::Load(pictures::kFrame));
  frame_->hide();

  loginToggle_ = Button("登录", "toggle_login", frame_, {440, 16, 200, 100});
  registerToggle_ = Button("注册", "toggle_register", frame_, {608, 16, 200, 100});
  registerToggle_->hide();
  connect(loginToggle_, &QAbstractButton::clicked, this, &EntryWindow::ShowLoginPage);
  connect(registerToggle_, &QAbstractButton::clicked, this, &EntryWindow::ShowRegisterPage);
  connect(Button("图形按钮5", "minimise", frame_, {711, 9, 40, 30}), &QAbstractButton::clicked,
          this, &QWidget::showMinimized);
  connect(Button("图形按钮1", "close", frame_, {752, 10, 40, 30}), &QAbstractButton::clicked, this,
          &QWidget::close);

  TransparentLabel* quote =
      Label(frame_, "透明标签7", {32, 120, 216, 72},
            U("把散落各处的新帖收进一只匣子，省下翻页的工夫，留给真正想读的文字。"),
            {QColor(230, 230, 230), 12, false, Qt::AlignLeft | Qt::AlignTop});
  quote->setWordWrap(true);
  Label(frame_, "透明标签6", {38, 232, 154, 32}, U("Welcome!"), {Qt::black, 16, true, kLeft});
  Label(frame_, "透明标签5", {38, 265, 154, 20}, U("欢迎使用澄屿 - 软件集匣"),
        {kInk, 12, false, kLeft});
  date_ = Label(frame_, "日期", {18, 291, 214, 29}, QString(),
                {QColor(192, 96, 0), 11, true, kCentred});
  Label(new ShadowLabel(frame_), "透明标签17", {0, 480, 280, 20},
        U("纸上得来终觉浅，绝知此事要躬行。"), {kInk, 12, false, kCentred});
  contact_ = Button("图形按钮6", "contact", frame_, {760, 460, 40, 40});
  contact_->SetToolTipBelow(true);
  connect(contact_, &QAbstractButton::clicked, this, &EntryWindow::OpenContactLink);

  tabs_ = new SeeThroughTabControl(frame_);
  tabs_->setObjectName(U("高级选择夹1"));
  tabs_->setGeometry(320, 121, 480, 376);
  BuildLoginPage(tabs_->AddPage(U("登录")));
  BuildRegisterPage(tabs_->AddPage(U("注册")));
  // The page area reaches over the contact button's upper part; the button
  // stays on top so all of it takes clicks.
  contact_->raise();
  connect(tabs_, &TabControl::currentChanged, this, [this] {
    fields_[static_cast<int>(AccountField::kRegisterName)].edit->setFocus(Qt::OtherFocusReason);
  });
}

EntryWindow::Field EntryWindow::MakeField(const char* frameName, const char* editName,
                                          QWidget* parent, QPoint at) {
  Field field;
  field.frame = PictureBox(frameName, parent, {at, QSize(300, 50)}, fieldNormal_);
  field.edit = new QLineEdit(field.frame);
  field.edit->setObjectName(U(editName));
  field.edit->setGeometry(26, 11, 250, 28);
  field.edit->setFrame(false);
  field.edit->setFont(ProgramFont(12));
  SetColour(field.edit, QPalette::Text, kInk);
  SetColour(field.edit, QPalette::Base, kFieldBackground);
  field.edit->installEventFilter(this);
  return field;
}

void EntryWindow::BuildLoginPage(QWidget* page) {
  const QString placeholder = U("注册 登录 已瘫痪 未修复   请点击暂时试用");
  auto field = [&](AccountField which, const char* frame, const char* edit, QPoint at) {
    fields_[static_cast<int>(which)] = MakeField(frame, edit, page, at);
  };
  PageLabel(page, "透明标签8", {56, 73, 48, 24}, "账号：");
  field(AccountField::kLoginName, "图片框2", "编辑框1", {90, 62});
  PageLabel(page, "透明标签9", {56, 139, 48, 24}, "密码：");
  field(AccountField::kLoginPassword, "图片框3", "编辑框2", {90, 128});
  PageLabel(page, "透明标签11", {50, 202, 48, 24}, "验证码：");
  field(AccountField::kLoginCode, "图片框6", "编辑框5", {90, 190});
  loginPicture_ = PictureBox("图片框12", page, {392, 195, 80, 40}, QPixmap());
  loginPicture_->setScaledContents(true);
  connect(Button("图形按钮8", "login", page, {136, 248, 200, 40}), &QAbstractButton::clicked, this,
          [this] { account_.SubmitLogin(); });
  connect(Button("图形按钮100", "enter", page, {120, 296, 248, 47}), &QAbstractButton::clicked,
          this, &EntryWindow::Enter);
  PageLabel(page, "透明标签18", {368, 344, 72, 32}, "联系作者i", 16, true);
  for (AccountField f :
       {AccountField::kLoginName, AccountField::kLoginPassword, AccountField::kLoginCode}) {
    fields_[static_cast<int>(f)].edit->setText(placeholder);
  }
}

void EntryWindow::BuildRegisterPage(QWidget* page) {
  auto field = [&](AccountField which, const char* frame, const char* edit, QPoint at) {
    fields_[static_cast<int>(which)] = MakeField(frame, edit, page, at);
    return fields_[static_cast<int>(which)].edit;
  };
  PageLabel(page, "透明标签10", {32, 50, 72, 24}, "注册账号：");
  field(AccountField::kRegisterName, "图片框4", "编辑框3", {90, 40})
      ->setText(U("注册 登录 已瘫痪 未修复   请点击暂时试用"));
  PageLabel(page, "透明标签12", {32, 98, 72, 24}, "注册密码：");
  field(AccountField::kRegisterPassword, "图片框5", "编辑框4", {90, 85});
  PageLabel(page, "透明标签13", {32, 142, 72, 24}, "联系QQ：");
  field(AccountField::kContact, "图片框7", "编辑框6", {90, 130})->setMaxLength(10);
  PageLabel(page, "透明标签14", {32, 187, 72, 24}, "联系电话：");
  field(AccountField::kPhone, "图片框8", "编辑框7", {90, 175})->setMaxLength(11);
  PageLabel(page, "透明标签15", {32, 232, 72, 24}, "用户编码：");
  QLineEdit* userCode = field(AccountField::kUserCode, "图片框9", "编辑框8", {90, 220});
  userCode->setText(FromGbk(config::kUserCode));
  userCode->setAlignment(Qt::AlignCenter);
  userCode->setEnabled(false);
  PageLabel(page, "透明标签16", {32, 277, 72, 24}, "注册验证：");
  field(AccountField::kRegisterCode, "图片框10", "编辑框9", {90, 265});
  registerPicture_ = PictureBox("图片框11", page, {384, 272, 88, 39}, QPixmap());
  registerPicture_->setScaledContents(true);
  registerPicture_->raise();  // the code field's frame reaches under the picture's left edge
  connect(Button("图形按钮7", "register", page, {135, 330, 200, 40}), &QAbstractButton::clicked,
          this, [this] { account_.SubmitRegistration(); });
  PageLabel(page, "透明标签19", {360, 344, 80, 32}, "联系作者!", 16, true);
}

void EntryWindow::PlaceFirstPanel() {
  const QRect g = geometry();
  const WindowRect placed = FirstPanelRect({g.x(), g.y(), g.width(), g.height()});
  setGeometry(placed.left, placed.top, placed.width, placed.height);
}

void EntryWindow::SetUp() {
  date_->setText(FromGbk(DateLabel(NowLocal())));
  registerToggle_->move(440, 16);
  loginToggle_->move(440, 16);
  tabs_->SetHeadersHidden(true);
  loginToggle_->setToolTip(U("点击我进行登录"));
  registerToggle_->setToolTip(U("点击我进行注册"));
  contact_->setToolTip(U("添加作者"));
}

void EntryWindow::ChooseLogin() {
  Choose(0);
}

void EntryWindow::ChooseRegistration() {
  Choose(1);
}

void EntryWindow::Choose(int page) {
  if (!firstPanel_) return;
  // The frame is shown before the page is selected, so the focus move of a
  // page change can reach the (then visible) registration account field.
  frame_->show();
  tabs_->setCurrentIndex(page);
  registerToggle_->setVisible(page == 0);
  loginToggle_->setVisible(page == 1);
  // Disabling drops the keyboard focus; it comes back after the growth.
  const QPointer<QWidget> focused = QApplication::focusWidget();
  setEnabled(false);
  // The panel holds the button being clicked: it goes once the click is over.
  firstPanel_->hide();
  firstPanel_->deleteLater();
  if (Grow() && focused) focused->setFocus(Qt::OtherFocusReason);
}

bool EntryWindow::Grow() {
  const QPointer<EntryWindow> alive(this);
  const QRect g = geometry();
  for (const WindowRect& step : GrowthSteps({g.x(), g.y(), g.width(), g.height()})) {
    setGeometry(step.left, step.top, step.width, step.height);
    if (growthObserver_) growthObserver_(geometry());
    WaitProcessingEvents(10);
    if (!alive) return false;
  }
  resize(kFrameWidth, kFrameHeight);
  setEnabled(true);
  setMask(OutlineRegion(QImage(QString::fromUtf8(pictures::kOutline))));
  return true;
}

void EntryWindow::ShowLoginPage() {
  loginToggle_->hide();
  registerToggle_->show();
  tabs_->setCurrentIndex(0);
}

void EntryWindow::ShowRegisterPage() {
  loginToggle_->show();
  registerToggle_->hide();
  tabs_->setCurrentIndex(1);
}

void EntryWindow::OpenContactLink() {
  const Text link = ContactLink(config::kContactAccount, config::kSiteName);
  if (services_.contactOpener) {
    services_.contactOpener->OpenAddress(link);
  } else {
    OpenWithShell(link);
  }
}

void EntryWindow::Enter() {
  if (services_.openMainWindow) services_.openMainWindow();
  close();
}

void EntryWindow::Highlight(const Field& field, bool focused) {
  field.frame->setPixmap(focused ? fieldFocused_ : fieldNormal_);
  SetColour(field.edit, QPalette::Base, focused ? kFieldFocused : kFieldBackground);
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
    const bool focused = type == QEvent::FocusIn;
    for (AccountField f : {AccountField::kLoginName, AccountField::kLoginPassword,
                           AccountField::kRegisterName, AccountField::kRegisterPassword}) {
      const Field& field = fields_[static_cast<int>(f)];
      if (watched == field.edit) Highlight(field, focused);
    }
    QLineEdit* code = fields_[static_cast<int>(AccountField::kLoginCode)].edit;
    if (watched == code && !focused) SetColour(code, QPalette::Base, kFieldBackground);
    return false;
  }
  const bool isMouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                       type == QEvent::MouseButtonRelease;
  if (!isMouse) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    if (watched == fields_[static_cast<int>(AccountField::kLoginCode)].edit) {
      account_.LoadLoginCodePicture();
      return false;
    }
    if (watched == fields_[static_cast<int>(AccountField::kRegisterCode)].edit) {
      account_.LoadRegisterCodePicture();
      return false;
    }
  }
  if (qobject_cast<QLabel*>(watched) != nullptr) {
    if (type == QEvent::MouseButtonPress) return StartDrag(mouse);
    if (type == QEvent::MouseMove) return Drag(mouse);
    if (type == QEvent::MouseButtonRelease) dragging_ = false;
  }
  return false;
}

bool EntryWindow::StartDrag(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  return true;
}

bool EntryWindow::Drag(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return false;
  move(event->globalPosition().toPoint() - dragOffset_);
  return true;
}

void EntryWindow::mousePressEvent(QMouseEvent* event) {
  if (!StartDrag(event)) QWidget::mousePressEvent(event);
}

void EntryWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!Drag(event)) QWidget::mouseMoveEvent(event);
}

void EntryWindow::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

Text EntryWindow::FieldText(AccountField field) const {
  return ToGbk(fields_[static_cast<int>(field)].edit->text());
}

void EntryWindow::ShowMessage(const Text& message) {
  if (services_.messages) {
    services_.messages->ShowMessage(message);
  } else {
    ShowMessageBox(message);
  }
}

void EntryWindow::ShowPicture(QLabel* box, const Bytes& picture) {
  QPixmap pixmap;
  if (!picture.empty() && pixmap.loadFromData(reinterpret_cast<const uchar*>(picture.data()),
                                              static_cast<uint>(picture.size()))) {
    box->setPixmap(pixmap);
  } else {
    box->clear();
  }
}

void EntryWindow::ShowLoginPicture(const Bytes& picture) {
  ShowPicture(loginPicture_, picture);
}

void EntryWindow::ShowRegisterPicture(const Bytes& picture) {
  ShowPicture(registerPicture_, picture);
}

}  // namespace jixia
