#include "tests/listing/window/window_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <string>

#include "app/toolkit/tab_control.h"
#include "net/event_hook.h"
#include "text/codepage.h"

namespace jixia::test {

void Reveal(QWidget* widget) {
  for (QWidget* child = widget; child != nullptr; child = child->parentWidget()) {
    auto* tabs = qobject_cast<TabControl*>(child->parentWidget());
    if (tabs == nullptr) continue;
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->page(i) == child) tabs->setCurrentIndex(i);
    }
  }
}

void ClickVisible(QWidget* button) {
  Reveal(button);
  QTest::mouseClick(button, Qt::LeftButton);
}

MessageBoxWatcher::MessageBoxWatcher() {
  timer_.setInterval(10);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen_.push_back({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                     box->parentWidget() != nullptr,
                     box->windowModality() == Qt::ApplicationModal});
    QAbstractButton* press = box->button(QMessageBox::Ok);
    if (!pressOk_ && box->button(QMessageBox::Cancel)) press = box->button(QMessageBox::Cancel);
    if (press == nullptr) press = box->buttons().value(0);
    if (press != nullptr) press->click();
  });
  timer_.start();
}

MessageBoxWatcher::~MessageBoxWatcher() {
  timer_.stop();
}

Text FixtureTitle(int page, int row) {
  return Utf8ToGbk("标题 ") + std::to_string(page) + "-" + std::to_string(row);
}

PageFetcher FixtureSite::Fetcher() {
  return [this](const Text& url, Text* status) {
    requested.push_back(url);
    const int request = static_cast<int>(requested.size());
    if (beforeAnswer) beforeAnswer(request);
    ProcessPendingEvents();
    const Text failure = statusOf ? statusOf(request) : Text();
    if (status != nullptr) *status = failure.empty() ? Text("200 OK") : failure;
    if (!failure.empty()) return Text();
    // The page number is what stands between the last "-" and ".html".
    const size_t dash = url.rfind('-');
    const int page = std::stoi(url.substr(dash + 1));
    Text text = "<html><body><ul>\r\n";
    for (int i = 1; i <= rowsPerPage; ++i) {
      text += "<li><a href=\"" + url + "#" + std::to_string(i) + "\">" + FixtureTitle(page, i) +
              "</a></li>\r\n";
    }
    return text + "</ul></body></html>\r\n";
  };
}

ListingSource FixtureSource(const char* list, const char* pageCountBox, const char* progressBar,
                            const char* urlPrefix, bool titleViaCaption) {
  ListingSource source;
  source.listView = Utf8ToGbk(list);
  source.pageCountBox = pageCountBox != nullptr ? Utf8ToGbk(pageCountBox) : Text();
  source.progressBar = progressBar != nullptr ? Utf8ToGbk(progressBar) : Text();
  source.urlPrefix = urlPrefix;
  source.urlSuffix = ".html";
  source.mainPattern = R"re(<li><a href="([^"]+)">([^<]*)</a></li>)re";
  source.fields = {{From::Main, 2, {}, 1, titleViaCaption}, {From::Main, 1, {}, 2}};
  source.openColumn = 2;
  return source;
}

}  // namespace jixia::test
