// The entry window's own behaviour, on the offscreen platform.
#include "app/entry_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <memory>
#include <vector>

#include "app/outline_mask.h"
#include "app/toolkit/tab_control.h"
#include "app/toolkit/toolkit.h"
#include "jixia/config.h"
#include "resources/pictures.h"
#include "text/codepage.h"

namespace jixia {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

class RecordingOpener : public AddressOpener {
 public:
  void OpenAddress(const Text& address) override { opened.push_back(address); }
  std::vector<Text> opened;
};

class RecordingMessages : public MessageSink {
 public:
  void ShowMessage(const Text& text) override { shown.push_back(text); }
  std::vector<Text> shown;
};

class EntryWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    EntryWindowServices services;
    services.contactOpener = &opener_;
    services.messages = &messages_;
    services.accountHost = "127.0.0.1:1";  // nothing listens there
    window_ = new EntryWindow(accountCookies_, loginReplyCookies_, services);
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->PlaceFirstPanel();
    window_->SetUp();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override { delete window_.data(); }

  template <typename T = QWidget>
  T* Control(const char* name) {
    T* control = window_->findChild<T*>(U(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void Click(const char* button) {
    QTest::mouseClick(Control<QAbstractButton>(button), Qt::LeftButton);
  }
  TabControl* Tabs() { return Control<TabControl>("高级选择夹1"); }
  bool Visible(const char* name) { return Control(name)->isVisible(); }
  QColor Background(const char* edit) {
    return Control<QLineEdit>(edit)->palette().color(QPalette::Base);
  }
  QImage FramePicture(const char* box) {
    return Control<QLabel>(box)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  }

  Text accountCookies_, loginReplyCookies_;
  RecordingOpener opener_;
  RecordingMessages messages_;
  QPointer<EntryWindow> window_;
};

TEST_F(EntryWindowTest, FirstPanelShowsAndTheFrameWaits) {
  EXPECT_EQ(window_->size(), QSize(320, 640));
  EXPECT_TRUE(Visible("图片框1"));
  EXPECT_FALSE(Visible("登录框架"));
  EXPECT_TRUE(window_->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(window_->windowIcon().isNull());
  // The two toggles share one place after set-up.
  EXPECT_EQ(Control("登录")->geometry(), QRect(440, 16, 200, 100));
  EXPECT_EQ(Control("注册")->geometry(), QRect(440, 16, 200, 100));
  EXPECT_EQ(Control("登录")->toolTip(), U("点击我进行登录"));
  EXPECT_EQ(Control("注册")->toolTip(), U("点击我进行注册"));
  EXPECT_EQ(Control("图形按钮6")->toolTip(), U("添加作者"));
  EXPECT_TRUE(Control<QLabel>("日期")->text().startsWith(
      QString::number(QDate::currentDate().year()) + U("年")));
}

TEST_F(EntryWindowTest, FieldsHoldTheirInitialTextsAndLimits) {
  const QString placeholder = U("注册 登录 已瘫痪 未修复   请点击暂时试用");
  for (const char* edit : {"编辑框1", "编辑框2", "编辑框3", "编辑框5"}) {
    SCOPED_TRACE(edit);
    EXPECT_EQ(Control<QLineEdit>(edit)->text(), placeholder);
    EXPECT_EQ(Control<QLineEdit>(edit)->echoMode(), QLineEdit::Normal);
  }
  for (const char* edit : {"编辑框4", "编辑框6", "编辑框7", "编辑框9"}) {
    EXPECT_TRUE(Control<QLineEdit>(edit)->text().isEmpty()) << edit;
  }
  EXPECT_EQ(Control<QLineEdit>("编辑框6")->maxLength(), 10);
  EXPECT_EQ(Control<QLineEdit>("编辑框7")->maxLength(), 11);
  QLineEdit* userCode = Control<QLineEdit>("编辑框8");
  EXPECT_EQ(userCode->text(), U(config::kUserCode));
  EXPECT_FALSE(userCode->isEnabled());
  EXPECT_EQ(userCode->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  EXPECT_EQ(window_->FieldText(AccountField::kUserCode), config::kUserCode);
  EXPECT_EQ(GbkToUtf8(window_->FieldText(AccountField::kLoginName)), placeholder.toStdString());
}

TEST_F(EntryWindowTest, GrowthRunsDisabledThroughEverySizeAndEndsOutlined) {
  // Far enough right that the left edge stays positive all the way.
  window_->move(600, 100);
  const QRect start = window_->geometry();
  std::vector<QRect> seen;
  std::vector<bool> enabled;
  window_->SetGrowthObserver([&](const QRect& r) {
    seen.push_back(r);
    enabled.push_back(window_->isEnabled());
  });
  Click("图形按钮2");

  ASSERT_EQ(seen.size(), 31u);
  for (int i = 1; i <= 31; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i - 1].height(), 465 + i);
    EXPECT_EQ(seen[i - 1].top(), 100);
    EXPECT_FALSE(enabled[i - 1]);
  }
  EXPECT_EQ(seen.back().width(), 816);
  EXPECT_EQ(seen.back().left(), start.left() - 256);
  EXPECT_EQ(window_->size(), QSize(800, 500));
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_TRUE(Visible("登录框架"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window_->findChild<QWidget*>(U("图片框1")), nullptr);

  const QRegion outline = window_->mask();
  EXPECT_FALSE(outline.contains(QPoint(0, 0)));
  EXPECT_FALSE(outline.contains(QPoint(799, 499)));
  EXPECT_TRUE(outline.contains(QPoint(400, 250)));
  EXPECT_TRUE(outline.contains(QPoint(400, 0)));
}

TEST_F(EntryWindowTest, TogglesAlwaysNameTheHiddenPageAndPageChangesFocusTheRegisterAccount) {
  Click("图形按钮2");
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  EXPECT_TRUE(Visible("注册"));
  EXPECT_FALSE(Visible("登录"));

  struct Step {
    const char* click;
    int page;
    const char* visibleToggle;
    const char* hiddenToggle;
  } const kSteps[] = {
      {"注册", 1, "登录", "注册"},
      {"登录", 0, "注册", "登录"},
      {"注册", 1, "登录", "注册"},
  };
  for (const Step& s : kSteps) {
    SCOPED_TRACE(s.click);
    Click(s.click);
    EXPECT_EQ(Tabs()->currentIndex(), s.page);
    EXPECT_TRUE(Visible(s.visibleToggle));
    EXPECT_FALSE(Visible(s.hiddenToggle));
    if (s.page == 1) {
      EXPECT_TRUE(Control("编辑框3")->hasFocus());
    }
    // The login fields never take the focus from a page change.
    EXPECT_FALSE(Control("编辑框1")->hasFocus());
  }
}

TEST_F(EntryWindowTest, ChoosingRegistrationShowsItsPageWithTheLoginToggle) {
  Click("图形按钮3");
  EXPECT_EQ(Tabs()->currentIndex(), 1);
  EXPECT_TRUE(Control("编辑框3")->hasFocus());
  EXPECT_TRUE(Visible("登录"));
  EXPECT_FALSE(Visible("注册"));
  EXPECT_EQ(window_->size(), QSize(800, 500));
}

TEST_F(EntryWindowTest, FocusHighlightsTheFourAccountFieldsOnly) {
  Click("图形按钮2");
  const QColor normal(255, 180, 145), focused(255, 119, 76);
  const QImage normalFrame =
      pictures::Load(pictures::kFieldNormal).toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage focusedFrame =
      pictures::Load(pictures::kFieldFocused).toImage().convertToFormat(QImage::Format_ARGB32);
  struct Case {
    int page;
    const char* edit;
    const char* frame;
  } const kCases[] = {
      {0, "编辑框1", "图片框2"},
      {0, "编辑框2", "图片框3"},
      {1, "编辑框3", "图片框4"},
      {1, "编辑框4", "图片框5"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.edit);
    Tabs()->setCurrentIndex(c.page);
    Control(c.edit)->setFocus();
    EXPECT_EQ(Background(c.edit), focused);
    EXPECT_EQ(FramePicture(c.frame), focusedFrame);
    Control(c.page == 0 ? "编辑框5" : "编辑框6")->setFocus();
    EXPECT_EQ(Background(c.edit), normal);
    EXPECT_EQ(FramePicture(c.frame), normalFrame);
  }

  // 编辑框5 keeps its background on focus; its frame is never touched.
  Tabs()->setCurrentIndex(0);
  Control("编辑框5")->setFocus();
  ASSERT_TRUE(Control("编辑框5")->hasFocus());
  EXPECT_EQ(Background("编辑框5"), normal);
  EXPECT_EQ(FramePicture("图片框6"), normalFrame);
  Control("编辑框1")->setFocus();
  EXPECT_EQ(Background("编辑框5"), normal);

  // The other fields have no highlight.
  Tabs()->setCurrentIndex(1);
  Control("编辑框6")->setFocus();
  ASSERT_TRUE(Control("编辑框6")->hasFocus());
  EXPECT_EQ(Background("编辑框6"), normal);
  EXPECT_EQ(FramePicture("图片框7"), normalFrame);
}

TEST_F(EntryWindowTest, ContactButtonHandsTheMessengerLinkToTheOpener) {
  Click("图形按钮2");
  // Through the window, at the button's upper part, where the page area lies
  // beneath it.
  QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, QPoint(780, 465));
  ASSERT_EQ(opener_.opened.size(), 1u);
  EXPECT_EQ(opener_.opened[0], std::string("tencent://Message/?Uin=") + config::kContactAccount +
                                   "&websiteName=" + config::kSiteName + "&Menu=yes");
}

TEST_F(EntryWindowTest, VerificationPicturesShowPicturesAndClearOnOtherBytes) {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  image.save(&buffer, "PNG");
  QLabel* box = Control<QLabel>("图片框12");
  window_->ShowLoginPicture(Bytes(png.constData(), png.size()));
  EXPECT_FALSE(box->pixmap().isNull());
  window_->ShowLoginPicture("not a picture");
  EXPECT_TRUE(box->pixmap().isNull());
  window_->ShowRegisterPicture(Bytes(png.constData(), png.size()));
  EXPECT_FALSE(Control<QLabel>("图片框11")->pixmap().isNull());
  window_->ShowRegisterPicture({});
  EXPECT_TRUE(Control<QLabel>("图片框11")->pixmap().isNull());
}

TEST_F(EntryWindowTest, DraggingThePanelMovesTheWindow) {
  const QPoint before = window_->pos();
  QWidget* panel = Control("图片框1");
  QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(100, 300));
  QMouseEvent move(QEvent::MouseMove, QPointF(130, 320), panel->mapToGlobal(QPointF(130, 320)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &move);
  QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(130, 320));
  EXPECT_EQ(window_->pos(), before + QPoint(30, 20));
}

TEST(OutlineRegion, OnlyPureWhiteLiesOutside) {
  QImage picture(4, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 255, 255));
  picture.setPixel(1, 0, qRgb(254, 255, 255));
  picture.setPixel(2, 0, qRgb(0, 0, 0));
  picture.setPixel(3, 0, qRgb(255, 255, 255));
  const QRegion region = OutlineRegion(picture);
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_TRUE(region.contains(QPoint(1, 0)));
  EXPECT_TRUE(region.contains(QPoint(2, 0)));
  EXPECT_FALSE(region.contains(QPoint(3, 0)));
  EXPECT_TRUE(OutlineRegion(QImage()).isEmpty());
}

}  // namespace
}  // namespace jixia
