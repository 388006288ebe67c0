// The toolkit layer: text at the widget boundary, the report list, the
// clamping bar, tab headers under their pages, message boxes, the font and
// the browser opener.
#include "app/toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/toolkit/progress_bar_widget.h"
#include "app/toolkit/report_list_view.h"
#include "app/toolkit/tab_control.h"
#include "tests/listing/window/window_test_support.h"
#include "text/codepage.h"

namespace jixia {
namespace {

TEST(Toolkit, GbkCrossesTheWidgetBoundaryThroughTheProgramConverter) {
  const Text gbk = Utf8ToGbk("澄屿—集匣1.0.0 第2页");
  EXPECT_EQ(FromGbk(gbk), QString::fromUtf8("澄屿—集匣1.0.0 第2页"));
  EXPECT_EQ(ToGbk(FromGbk(gbk)), gbk);
  // A character GBK cannot hold becomes "?".
  EXPECT_EQ(ToGbk(QString::fromUtf8("a\U0001F600b")), "a?b");
}

TEST(Toolkit, ReportListCellsReadBackTheirBytesAndRangesGiveEmptyText) {
  ReportListView list;
  list.SetColumns({{Utf8ToGbk("序号"), 40}, {Utf8ToGbk("标题"), 200}});
  EXPECT_EQ(list.headerItem()->text(1), QString::fromUtf8("标题"));
  EXPECT_EQ(list.columnWidth(1), 200);
  EXPECT_EQ(list.SelectedRow(), -1);
  EXPECT_EQ(list.AppendRow(), 0);
  EXPECT_EQ(list.AppendRow(), 1);
  const Text odd =
      "\x81"
      "abc"
      "\xff";  // bytes no GBK character spells
  list.SetCell(1, 1, odd);
  EXPECT_EQ(list.Cell(1, 1), odd);
  list.SetCell(5, 0, "x");
  list.SetCell(0, 9, "x");
  EXPECT_EQ(list.Cell(-1, 0), "");
  EXPECT_EQ(list.Cell(0, 9), "");
  EXPECT_EQ(list.Cell(7, 1), "");
  list.setCurrentItem(list.topLevelItem(1));
  EXPECT_EQ(list.SelectedRow(), 1);
  list.Clear();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.SelectedRow(), -1);
}

TEST(Toolkit, ReportListReportsDoubleClicksAwayFromRows) {
  ReportListView list;
  list.SetColumns({{"a", 40}});
  list.resize(200, 200);
  list.show();
  int clicks = 0;
  QObject::connect(&list, &ReportListView::listDoubleClicked, [&] { ++clicks; });
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(50, 150));
  EXPECT_EQ(clicks, 1);
}

TEST(Toolkit, ProgressBarClampsToItsRange) {
  ProgressBarWidget bar;
  const struct { int set, expected; } kCases[] = {{5, 5}, {-7, 0}, {100, 100}, {250, 100}, {0, 0}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.set);
    bar.SetPosition(c.set);
    EXPECT_EQ(bar.Position(), c.expected);
  }
}

TEST(Toolkit, TabHeadersUnderCoveringPagesStillSwitchPages) {
  TabControl tabs;
  tabs.resize(400, 300);
  QWidget* first = tabs.AddPage("one");
  QWidget* second = tabs.AddPage("two");
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  EXPECT_TRUE(first->isVisible());
  // Through the window, so the press lands on whatever lies on top there.
  const QRect header = tabs.findChild<QTabBar*>()->tabRect(1);
  QTest::mouseClick(tabs.windowHandle(), Qt::LeftButton, {}, header.center());
  EXPECT_EQ(tabs.currentIndex(), 1);
  EXPECT_TRUE(second->isVisible());
  EXPECT_FALSE(first->isVisible());
  tabs.setCurrentIndex(7);
  EXPECT_EQ(tabs.currentIndex(), 1);
}

TEST(Toolkit, MessageBoxesHaveTheProgramCaptionNoOwnerAndBlockTheProgram) {
  test::MessageBoxWatcher watcher;
  ShowMessageBox(Utf8ToGbk("第一行\r\n第二行"));
  watcher.PressOk(false);
  EXPECT_FALSE(AskOkCancel(Utf8ToGbk("更新?")));
  watcher.PressOk(true);
  EXPECT_TRUE(AskOkCancel(Utf8ToGbk("更新?")));
  ASSERT_EQ(watcher.seen().size(), 3u);
  const test::SeenBox& box = watcher.seen()[0];
  EXPECT_EQ(box.caption, QString::fromUtf8("信息："));
  EXPECT_EQ(box.text, QString::fromUtf8("第一行\n第二行"));
  EXPECT_EQ(box.buttons, 1);
  EXPECT_FALSE(box.hasOwner);
  EXPECT_TRUE(box.applicationModal);
  EXPECT_EQ(watcher.seen()[1].buttons, 2);
}

TEST(Toolkit, ProgramFontStandsInForTheDesignFont) {
  const QFontInfo info(QFont(QString::fromUtf8("微软雅黑")));
  EXPECT_EQ(info.family(), QStringLiteral("WenQuanYi Micro Hei"));
}

// A stand-in for xdg-open early in PATH that writes its arguments, one a line.
class BrowserOpenerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QFile script(dir_.filePath("xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
        "mv \"$0.args.tmp\" \"$0.args\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    oldPath_ = qgetenv("PATH");
    qputenv("PATH", dir_.path().toUtf8() + ":" + oldPath_);
  }
  void TearDown() override { qputenv("PATH", oldPath_); }

  // The arguments the stand-in received, or empty after a wait of 5 s.
  QString Received() {
    QFile args(dir_.filePath("xdg-open.args"));
    QElapsedTimer clock;
    clock.start();
    while (!args.exists() && clock.elapsed() < 5000) QTest::qWait(20);
    if (!args.open(QIODevice::ReadOnly)) return QString();
    const QString text = QString::fromUtf8(args.readAll());
    args.remove();
    return text;
  }

  QTemporaryDir dir_;
  QByteArray oldPath_;
};

TEST_F(BrowserOpenerTest, WebAddressesGoUnchangedAsOneArgument) {
  const char* kAddresses[] = {
      "https://forum.test/thread-1-1.html?a=1&b=2",
      "HTTP://Host.test/p q;$(touch x)`id`|\"'%41",
  };
  for (const char* address : kAddresses) {
    SCOPED_TRACE(address);
    EXPECT_TRUE(OpenInBrowser(address));
    EXPECT_EQ(Received(), QString::fromUtf8(address) + "\n");
  }
  BrowserOpener opener;
  opener.OpenAddress(Utf8ToGbk("http://forum.test/搜索"));
  EXPECT_EQ(Received(), QString::fromUtf8("http://forum.test/搜索\n"));
}

TEST_F(BrowserOpenerTest, OtherAddressesAreNotOpened) {
  const char* kAddresses[] = {"",
                              "file:///etc/passwd",
                              "javascript:alert(1)",
                              "/bin/sh",
                              " http://x.test",
                              "httpx://x.test",
                              "http:/x.test"};
  for (const char* address : kAddresses) {
    SCOPED_TRACE(address);
    EXPECT_FALSE(OpenInBrowser(address));
  }
  QTest::qWait(200);
  EXPECT_FALSE(QFile::exists(dir_.filePath("xdg-open.args")));
}

}  // namespace
}  // namespace jixia
