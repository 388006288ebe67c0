// The main window as built from its design and the real source table: the
// state of a new window, the side labels' notice and Esc.
#include "listing/window/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/toolkit/progress_bar_widget.h"
#include "app/toolkit/report_list_view.h"
#include "app/toolkit/tab_control.h"
#include "jixia/config.h"
#include "listing/list_columns.h"
#include "listing/source_table.h"
#include "tests/listing/window/window_test_support.h"
#include "text/codepage.h"

namespace jixia {
namespace {

using test::Find;

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString Numbered(const char* stem, int n) {
  return U(stem) + QString::number(n);
}

class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() : window_(BuildSourceTable(BuildTimeHosts()), test::Services({}, &opener_)) {}

  test::RecordingOpener opener_;
  MainWindow window_;
};

TEST_F(MainWindowTest, NewWindowHasItsDesignedFrameAndPlace) {
  EXPECT_EQ(window_.windowTitle(), U("澄屿—集匣1.0.0"));
  EXPECT_EQ(window_.GetCaption(), Utf8ToGbk("澄屿—集匣1.0.0"));
  EXPECT_EQ(window_.size(), QSize(972, 578));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(window_.pos(), QPoint((screen.width() - 972) / 2, (screen.height() - 578) / 2));
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

  const QList<QAction*> menus = window_.menuBar()->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->text(), U("菜单"));
  ASSERT_EQ(menus[0]->menu()->actions().size(), 1);
  EXPECT_EQ(menus[0]->menu()->actions()[0]->text(), U("地址"));

  auto* label10 = Find<QLabel>(&window_, "透明标签10");
  ASSERT_NE(label10, nullptr);
  EXPECT_EQ(label10->text(), U("Welcome!\n\n"));
  EXPECT_EQ(Find<QLabel>(&window_, "透明标签1")->text(), U("大型论坛工具箱"));
}

TEST_F(MainWindowTest, NewWindowShowsFirstBoardsEmptyListsAndPageCountsOfOne) {
  auto* outer = Find<TabControl>(&window_, "高级选择夹1");
  ASSERT_NE(outer, nullptr);
  const char* kSites[] = {"精易论坛",   "巅峰论坛",   "QQ哆情乐园", "活动网线报",
                          "薅羊毛网站", "完美娱乐网", "小K娱乐网"};
  ASSERT_EQ(outer->count(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(outer->tabText(i), U(kSites[i]));

  const struct {
    const char* tabs;
    int pages;
    const char* first;
  } kInner[] = {{"高级选择夹2", 5, "易语言源码区"}, {"选择夹2", 7, "登录功能+小黑屋"},
                {"高级选择夹3", 3, "QQ软件"},       {"高级选择夹4", 3, "现金活动"},
                {"高级选择夹5", 2, "薅羊毛"},       {"高级选择夹6", 4, "活动专区"},
                {"高级选择夹7", 7, "值得一看"}};
  for (const auto& inner : kInner) {
    SCOPED_TRACE(inner.tabs);
    auto* tabs = Find<TabControl>(&window_, inner.tabs);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), inner.pages);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(0), U(inner.first));
  }
  EXPECT_EQ(Find<TabControl>(&window_, "选择夹2")->tabText(5), U("巅峰动画教程 "));

  for (int n = 1; n <= 31; ++n) {
    SCOPED_TRACE(n);
    auto* list = window_.findChild<ReportListView*>(Numbered("超级列表框", n));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->RowCount(), 0);
    const std::vector<ListColumn> columns =
        ListColumns(Utf8ToGbk("超级列表框") + std::to_string(n));
    ASSERT_FALSE(columns.empty());
    ASSERT_EQ(list->columnCount(), static_cast<int>(columns.size()));
    for (int c = 0; c < list->columnCount(); ++c) {
      EXPECT_EQ(ToGbk(list->headerItem()->text(c)), columns[c].caption);
      EXPECT_EQ(list->header()->sectionSize(c), columns[c].width);
    }
    auto* button = window_.findChild<QPushButton*>(Numbered("按钮", n));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), U("获取"));
  }
  for (int n = 1; n <= 30; ++n) {
    SCOPED_TRACE(n);
    auto* box = window_.findChild<QLineEdit*>(Numbered("编辑框", n));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), U("1"));
  }
  EXPECT_EQ(Find<QLineEdit>(&window_, "编辑框31")->text(), U(""));
  EXPECT_EQ(Find<QLineEdit>(&window_, "编辑框32")->text(), U("未更新"));
  for (int n = 1; n <= 5; ++n) {
    auto* bar = window_.findChild<ProgressBarWidget*>(Numbered("进度条", n));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Position(), 0);
  }
}

TEST_F(MainWindowTest, EverySourceRowFindsTheControlsItNames) {
  const std::vector<ListingSource> sources = BuildSourceTable(BuildTimeHosts());
  EXPECT_EQ(sources.size(), 29u);
  for (const ListingSource& source : sources) {
    SCOPED_TRACE(GbkToUtf8(source.listView));
    ReportListView* list = window_.findChild<ReportListView*>(FromGbk(source.listView));
    ASSERT_NE(list, nullptr);
    if (!source.pageCountBox.empty()) {
      EXPECT_NE(window_.findChild<QLineEdit*>(FromGbk(source.pageCountBox)), nullptr);
    }
    if (!source.progressBar.empty()) {
      EXPECT_NE(window_.findChild<ProgressBarWidget*>(FromGbk(source.progressBar)), nullptr);
    }
    // The list stands on the board page its row names, on the site page it names.
    auto* boardTabs = qobject_cast<TabControl*>(list->parentWidget()->parentWidget());
    ASSERT_NE(boardTabs, nullptr);
    bool onBoard = false;
    for (int i = 0; i < boardTabs->count(); ++i) {
      if (boardTabs->page(i) == list->parentWidget()) {
        onBoard = ToGbk(boardTabs->tabText(i)) == source.board;
      }
    }
    EXPECT_TRUE(onBoard);
  }
}

TEST_F(MainWindowTest, SideLabelsShowTheContactNoticeAndLeaveTheWindowAsItWas) {
  window_.show();
  auto* outer = Find<TabControl>(&window_, "高级选择夹1");
  outer->setCurrentIndex(2);
  test::MessageBoxWatcher watcher;
  for (int n = 2; n <= 7; ++n) {
    QTest::mouseClick(window_.findChild<QLabel*>(Numbered("透明标签", n)), Qt::LeftButton);
  }
  // The title and the greeting show nothing.
  QTest::mouseClick(Find<QLabel>(&window_, "透明标签1"), Qt::LeftButton);
  QTest::mouseClick(Find<QLabel>(&window_, "透明标签10"), Qt::LeftButton);
  QTest::qWait(50);
  ASSERT_EQ(watcher.seen().size(), 6u);
  for (const test::SeenBox& box : watcher.seen()) {
    EXPECT_EQ(box.text, U("建设中  作者QQ") + U(config::kContactAccount));
    EXPECT_EQ(box.caption, U("信息："));
    EXPECT_EQ(box.buttons, 1);
    EXPECT_FALSE(box.hasOwner);
    EXPECT_TRUE(box.applicationModal);
  }
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(outer->currentIndex(), 2);
}

TEST_F(MainWindowTest, EscClosesTheWindowAndEndsTheProgramWhereverTheFocusIs) {
  const char* kFocus[] = {"编辑框1", "超级列表框1", "按钮1"};
  for (const char* name : kFocus) {
    SCOPED_TRACE(name);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    Find<QWidget>(&window_, name)->setFocus();
    QTimer::singleShot(0, &window_,
                       [this] { QTest::keyClick(window_.windowHandle(), Qt::Key_Escape); });
    // Without Esc taking effect, the loop would end only by this guard's code.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window_.isVisible());
  }
}

}  // namespace
}  // namespace jixia
