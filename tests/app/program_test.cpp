// The program from start to end, on the offscreen platform: the update path,
// closing before entering, and entering without a login.
#include "app/program.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/window_geometry.h"
#include "jixia/config.h"
#include "text/codepage.h"

namespace jixia {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

Text Profile(const char* nick) {
  return std::string("cb([0,\"") + nick + "\",0])";
}

QWidget* TopLevel(const char* className) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->inherits(className) && w->isVisible()) return w;
  }
  return nullptr;
}

// Runs `script` once the message loop is going; a guard ends a run that the
// script did not end, so a failing test cannot hang.
void WhenRunning(std::function<void()> script) {
  QTimer::singleShot(0, qApp, std::move(script));
}

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    guard_ = new QTimer(qApp);
    guard_->setSingleShot(true);
    QObject::connect(guard_, &QTimer::timeout, qApp, [this] {
      timedOut_ = true;
      for (QWidget* w : QApplication::topLevelWidgets()) w->close();
      QApplication::exit(0);
    });
    guard_->start(20000);
  }
  void TearDown() override {
    delete guard_;
    EXPECT_FALSE(timedOut_);
  }

  ProgramServices Passing() {
    ProgramServices services;
    services.version.fetch = [this](const Text& url) {
      fetched_.push_back(url);
      return Profile("552");
    };
    services.version.openBrowser = [this](const Text& url) { opened_.push_back(url); };
    return services;
  }

  ProgramCookies cookies_;
  std::vector<Text> fetched_, opened_;
  QTimer* guard_ = nullptr;
  bool timedOut_ = false;
};

TEST_F(ProgramTest, NewerVersionAsksOpensTheDownloadPageAndEndsWithZero) {
  ProgramServices services = Passing();
  services.version.fetch = [](const Text&) { return Profile("553"); };
  QString boxText, boxCaption;
  // The box is modal: dismiss it from inside its own loop with Cancel, which
  // leads on exactly as OK does.
  QTimer::singleShot(50, qApp, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    boxText = box->text();
    boxCaption = box->windowTitle();
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_EQ(RunProgram(cookies_, services), 0);
  EXPECT_EQ(boxText, U("已经有新版  立即更新  "));
  EXPECT_EQ(boxCaption, U("信息："));
  EXPECT_EQ(opened_,
            std::vector<Text>{std::string("https://") + config::kDownloadHost + "/b377770/"});
  EXPECT_EQ(TopLevel("jixia::EntryWindow"), nullptr);
}

TEST_F(ProgramTest, ClosingBeforeEnteringEndsTheProgram) {
  for (const char* close : {"图形按钮9", "图形按钮1"}) {
    SCOPED_TRACE(close);
    bool placed = false;
    WhenRunning([&] {
      QWidget* entry = TopLevel("jixia::EntryWindow");
      ASSERT_NE(entry, nullptr);
      const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
      const WindowRect expected =
          FirstPanelRect(CentredRect(screen.width(), screen.height(), 800, 501));
      placed = entry->geometry() == QRect(expected.left, expected.top, 320, 640);
      if (std::string(close) == "图形按钮1") {
        QTest::mouseClick(entry->findChild<QAbstractButton*>(U("图形按钮3")), Qt::LeftButton);
      }
      QTest::mouseClick(entry->findChild<QAbstractButton*>(U(close)), Qt::LeftButton);
    });
    EXPECT_EQ(RunProgram(cookies_, Passing()), 0);
    EXPECT_TRUE(placed);
    EXPECT_EQ(fetched_.back(),
              std::string("http://") + config::kProfileHost +
                  "/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=" + config::kVersionAccount);
    EXPECT_TRUE(opened_.empty());
  }
}

TEST_F(ProgramTest, UnreachableProfileServiceStillOpensTheEntryWindow) {
  ProgramServices services = Passing();
  services.version.fetch = [](const Text&) { return Text(); };
  bool shown = false;
  WhenRunning([&] {
    QWidget* entry = TopLevel("jixia::EntryWindow");
    shown = entry != nullptr;
    if (entry) entry->close();
  });
  EXPECT_EQ(RunProgram(cookies_, services), 0);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(ProgramTest, EnterOpensTheMainWindowWithoutLoginAndClosingItEnds) {
  bool mainShown = false, entryGone = false;
  WhenRunning([&] {
    QWidget* entry = TopLevel("jixia::EntryWindow");
    ASSERT_NE(entry, nullptr);
    QPointer<QWidget> watched(entry);
    QTest::mouseClick(entry->findChild<QAbstractButton*>(U("图形按钮2")), Qt::LeftButton);
    QTest::mouseClick(entry->findChild<QAbstractButton*>(U("图形按钮100")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    entryGone = watched.isNull();
    QWidget* main = TopLevel("jixia::MainWindow");
    mainShown = main != nullptr;
    if (main) main->close();
  });
  EXPECT_EQ(RunProgram(cookies_, Passing()), 0);
  EXPECT_TRUE(mainShown);
  EXPECT_TRUE(entryGone);
  EXPECT_TRUE(cookies_.AccountCookies.empty());
}

}  // namespace
}  // namespace jixia
