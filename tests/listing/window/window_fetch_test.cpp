// Fetching and opening from the main window: rows from a loopback server,
// the progress rule on the clamping bar, titles through the caption,
// double-clicks, fetches started while another waits, failed pages, and
// closing the window while a fetch waits.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <mutex>
#include <string>
#include <thread>

#include "app/toolkit/progress_bar_widget.h"
#include "app/toolkit/report_list_view.h"
#include "listing/window/main_window.h"
#include "tests/listing/window/window_test_support.h"
#include "text/codepage.h"

namespace jixia {
namespace {

using test::Find;
using test::FixtureSource;
using test::FixtureTitle;

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Column texts of a list, one vector a row.
std::vector<std::vector<Text>> Rows(const ReportListView& list, int columns) {
  std::vector<std::vector<Text>> rows;
  for (int r = 0; r < list.RowCount(); ++r) {
    std::vector<Text>& row = rows.emplace_back();
    for (int c = 0; c < columns; ++c) row.push_back(list.Cell(r, c));
  }
  return rows;
}

// The rows a fixture fetch of `pages` pages of `perPage` rows gives.
std::vector<std::vector<Text>> ExpectedRows(const std::string& prefix, int pages, int perPage) {
  std::vector<std::vector<Text>> rows;
  for (int k = 1; k <= pages; ++k) {
    for (int i = 1; i <= perPage; ++i) {
      rows.push_back({std::to_string(rows.size() + 1), FixtureTitle(k, i),
                      prefix + std::to_string(k) + ".html#" + std::to_string(i)});
    }
  }
  return rows;
}

// A listing site on 127.0.0.1 serving /list-K.html with three rows a page, GBK.
class LoopbackSite {
 public:
  LoopbackSite() {
    server_.set_tcp_nodelay(true);
    server_.Get(R"(/list-(\d+)\.html)",
                [this](const httplib::Request& request, httplib::Response& response) {
                  {
                    std::lock_guard lock(mutex_);
                    paths_.push_back(request.path);
                  }
                  const int page = std::stoi(request.matches[1]);
                  std::string body = "<ul>\r\n";
                  for (int i = 1; i <= 3; ++i) {
                    body += "<li><a href=\"" + Prefix() + std::to_string(page) + ".html#" +
                            std::to_string(i) + "\">" + FixtureTitle(page, i) + "</a></li>\r\n";
                  }
                  response.set_content(body + "</ul>\r\n", "text/html; charset=gbk");
                });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~LoopbackSite() {
    server_.stop();
    thread_.join();
  }
  std::string Prefix() const { return "http://127.0.0.1:" + std::to_string(port_) + "/list-"; }
  std::vector<std::string> Paths() {
    std::lock_guard lock(mutex_);
    return paths_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> paths_;
};

TEST(WindowFetch, FillsTheListWithNumberedRowsFromALoopbackSite) {
  LoopbackSite site;
  const std::string prefix = site.Prefix();
  MainWindow window({FixtureSource("超级列表框2", "编辑框2", "进度条2", prefix.c_str())});
  window.show();
  auto* list = Find<ReportListView>(&window, "超级列表框2");
  Find<QLineEdit>(&window, "编辑框2")->setText(U("2"));
  test::MessageBoxWatcher watcher;
  test::ClickVisible(Find<QPushButton>(&window, "按钮2"));

  EXPECT_EQ(site.Paths(), (std::vector<std::string>{"/list-1.html", "/list-2.html"}));
  EXPECT_EQ(Rows(*list, 3), ExpectedRows(prefix, 2, 3));
  EXPECT_EQ(list->topLevelItem(0)->text(1), U("标题 1-1"));
  // Last row: three rows before it on page 2's third post: 3 + 3 + ... = 5 + 3.
  EXPECT_EQ(Find<ProgressBarWidget>(&window, "进度条2")->Position(), 5 + 3);
  EXPECT_TRUE(watcher.seen().empty());
}

TEST(WindowFetch, ProgressBarShowsRowsBeforePlusPostNumberAndStaysFull) {
  const struct {
    int pages, perPage, bar;
  } kCases[] = {{1, 1, 1}, {1, 5, 4 + 5}, {1, 40, 39 + 40}, {3, 40, 100}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.pages << " x " << c.perPage);
    test::FixtureSite site;
    site.rowsPerPage = c.perPage;
    MainWindow window({FixtureSource("超级列表框1", "编辑框1", "进度条1", "https://a.test/list-")},
                      test::Services(site.Fetcher()));
    Find<QLineEdit>(&window, "编辑框1")->setText(QString::number(c.pages));
    Find<QPushButton>(&window, "按钮1")->click();
    EXPECT_EQ(Find<ReportListView>(&window, "超级列表框1")->RowCount(), c.pages * c.perPage);
    EXPECT_EQ(Find<ProgressBarWidget>(&window, "进度条1")->Position(), c.bar);
  }
}

TEST(WindowFetch, TitlesThroughTheCaptionLeaveItAtTheLastRowsTitle) {
  test::FixtureSite site;
  std::vector<QString> captions;
  site.beforeAnswer = [&](int) { captions.clear(); };
  MainWindow window(
      {FixtureSource("超级列表框9", "编辑框9", nullptr, "https://b.test/list-", true)},
      test::Services(site.Fetcher()));
  QObject::connect(&window, &QWidget::windowTitleChanged,
                   [&](const QString& title) { captions.push_back(title); });
  Find<QLineEdit>(&window, "编辑框9")->setText(U("2"));
  Find<QPushButton>(&window, "按钮9")->click();

  auto* list = Find<ReportListView>(&window, "超级列表框9");
  EXPECT_EQ(Rows(*list, 3), ExpectedRows("https://b.test/list-", 2, 3));
  EXPECT_EQ(window.windowTitle(), U("标题 2-3"));
  EXPECT_EQ(window.GetCaption(), FixtureTitle(2, 3));
  EXPECT_EQ(captions, (std::vector<QString>{U("标题 2-1"), U("标题 2-2"), U("标题 2-3")}));
}

TEST(WindowFetch, DoubleClickHandsTheOpenerTheSelectedRowsAddress) {
  test::FixtureSite site;
  test::RecordingOpener opener;
  MainWindow window({FixtureSource("超级列表框6", "编辑框6", nullptr, "http://c.test/list-")},
                    test::Services(site.Fetcher(), &opener));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  test::ClickVisible(Find<QPushButton>(&window, "按钮6"));
  auto* list = Find<ReportListView>(&window, "超级列表框6");
  ASSERT_EQ(list->RowCount(), 3);

  // Through the window, as a person's double-click arrives: press, release,
  // second press as a double-click, release.
  const QPoint row =
      list->viewport()->mapTo(&window, list->visualItemRect(list->topLevelItem(1)).center());
  QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, row);
  ASSERT_EQ(opener.addresses.size(), 1u);
  EXPECT_EQ(opener.addresses[0], "http://c.test/list-1.html#2");
  EXPECT_EQ(list->SelectedRow(), 1);
}

TEST(WindowFetch, AnotherBoardsFetchRunsToItsEndInsideAWaitingOne) {
  test::FixtureSite site;
  MainWindow* window = nullptr;
  site.beforeAnswer = [&](int request) {
    if (request == 1) Find<QPushButton>(window, "按钮3")->click();
  };
  MainWindow w({FixtureSource("超级列表框1", "编辑框1", "进度条1", "https://a.test/list-"),
                FixtureSource("超级列表框3", "编辑框3", "进度条3", "https://c.test/list-")},
               test::Services(site.Fetcher()));
  window = &w;
  Find<QLineEdit>(window, "编辑框1")->setText(U("2"));
  Find<QPushButton>(window, "按钮1")->click();

  EXPECT_EQ(site.requested,
            (std::vector<Text>{"https://a.test/list-1.html", "https://c.test/list-1.html",
                               "https://a.test/list-2.html"}));
  EXPECT_EQ(Rows(*Find<ReportListView>(window, "超级列表框1"), 3),
            ExpectedRows("https://a.test/list-", 2, 3));
  EXPECT_EQ(Rows(*Find<ReportListView>(window, "超级列表框3"), 3),
            ExpectedRows("https://c.test/list-", 1, 3));
  EXPECT_EQ(window->RunningFetches(), 0);
}

TEST(WindowFetch, ItsOwnButtonDoesNothingWhileABoardsFetchWaits) {
  test::FixtureSite site;
  MainWindow* window = nullptr;
  site.beforeAnswer = [&](int request) {
    if (request != 1) return;
    Find<QLineEdit>(window, "编辑框1")->setText(U("5"));
    Find<QPushButton>(window, "按钮1")->click();
  };
  MainWindow w({FixtureSource("超级列表框1", "编辑框1", "进度条1", "https://a.test/list-")},
               test::Services(site.Fetcher()));
  window = &w;
  Find<QLineEdit>(window, "编辑框1")->setText(U("2"));
  Find<QPushButton>(window, "按钮1")->click();

  EXPECT_EQ(site.requested,
            (std::vector<Text>{"https://a.test/list-1.html", "https://a.test/list-2.html"}));
  EXPECT_EQ(Rows(*Find<ReportListView>(window, "超级列表框1"), 3),
            ExpectedRows("https://a.test/list-", 2, 3));
  // Once the fetch is over, the button works again.
  site.beforeAnswer = nullptr;
  site.requested.clear();
  Find<QLineEdit>(window, "编辑框1")->setText(U("1"));
  Find<QPushButton>(window, "按钮1")->click();
  EXPECT_EQ(site.requested.size(), 1u);
}

TEST(WindowFetch, FailedPagesAreListedInOneMessageBox) {
  test::FixtureSite site;
  site.statusOf = [](int request) -> Text {
    if (request == 2) return Utf8ToGbk("712 服务器未响应!");
    if (request == 4) return "404 Not Found";
    return Text();
  };
  MainWindow window({FixtureSource("超级列表框18", "编辑框18", nullptr, "http://d.test/list-")},
                    test::Services(site.Fetcher()));
  test::MessageBoxWatcher watcher;
  Find<QLineEdit>(&window, "编辑框18")->setText(U("4"));
  Find<QPushButton>(&window, "按钮16")->click();
  QTest::qWait(30);

  ASSERT_EQ(watcher.seen().size(), 1u);
  EXPECT_EQ(watcher.seen()[0].text,
            U("第2页获取失败：712 服务器未响应!\n第4页获取失败：404 Not Found"));
  EXPECT_EQ(watcher.seen()[0].caption, U("信息："));
  EXPECT_FALSE(watcher.seen()[0].hasOwner);
  // The pages that came are listed all the same.
  EXPECT_EQ(Find<ReportListView>(&window, "超级列表框18")->RowCount(), 2 * 3);

  site.statusOf = nullptr;
  Find<QPushButton>(&window, "按钮16")->click();
  QTest::qWait(30);
  EXPECT_EQ(watcher.seen().size(), 1u);
}

// Closing while a fetch waits: the program's loop ends with 0, the remaining
// pages are not requested, no box comes up for them, and the window (closed
// with delete-on-close, as start-up makes it) goes only after the fetch.
TEST(WindowFetch, ClosingWhileAFetchWaitsEndsTheProgramCleanly) {
  enum class Close { Esc, FrameButton };
  const struct {
    Close how;
    bool nested;  // closed while a second board's fetch waits inside the first
  } kCases[] = {{Close::Esc, false}, {Close::FrameButton, false}, {Close::Esc, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << (c.how == Close::Esc ? "Esc" : "frame") << c.nested);
    test::FixtureSite site;
    site.statusOf = [](int) { return Text("502 Bad Gateway"); };
    auto* window =
        new MainWindow({FixtureSource("超级列表框1", "编辑框1", "进度条1", "https://a.test/list-"),
                        FixtureSource("超级列表框3", "编辑框3", "进度条3", "https://c.test/list-")},
                       test::Services(site.Fetcher()));
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<MainWindow> alive(window);
    site.beforeAnswer = [&](int request) {
      if (c.nested && request == 1) {
        Find<QPushButton>(window, "按钮3")->click();
        return;
      }
      EXPECT_EQ(window->RunningFetches(), c.nested ? 2 : 1);
      if (c.how == Close::Esc) {
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
      } else {
        window->close();
      }
    };
    Find<QLineEdit>(window, "编辑框1")->setText(U("3"));
    Find<QLineEdit>(window, "编辑框3")->setText(U("3"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    test::MessageBoxWatcher watcher;
    QTimer::singleShot(0, Find<QPushButton>(window, "按钮1"), &QPushButton::click);
    const int code = QApplication::exec();

    EXPECT_EQ(code, 0);
    EXPECT_EQ(site.requested.size(), c.nested ? 2u : 1u);
    EXPECT_TRUE(watcher.seen().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    if (alive) delete alive.data();
  }
}

}  // namespace
}  // namespace jixia
