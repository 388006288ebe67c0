#include "listing/window/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <string>

#include "app/toolkit/progress_bar_widget.h"
#include "app/toolkit/report_list_view.h"
#include "app/toolkit/tab_control.h"
#include "app/toolkit/transparent_label.h"
#include "jixia/config.h"
#include "listing/list_columns.h"
#include "listing/window/main_window_layout.h"
#include "net/event_hook.h"
#include "resources/pictures.h"
#include "text/codepage.h"

namespace jixia {
namespace {

QString Ui(const char* utf8) {
  return QString::fromUtf8(utf8);
}

void Place(QWidget* widget, const Rect& r) {
  widget->setGeometry(r.x, r.y, r.width, r.height);
}

void Place(QWidget* widget, Point at, Point size) {
  widget->setGeometry(at.x, at.y, size.x, size.y);
}

// The window's client area: the background colour under the background picture.
class BackgroundPanel : public QWidget {
 public:
  explicit BackgroundPanel(QWidget* parent)
      : QWidget(parent), picture_(pictures::Load(pictures::kMainBackground)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kBackgroundRed, 0, 0));
    if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
  }

 private:
  QPixmap picture_;
};

QLabel* AddCaptionLabel(QWidget* parent, const char* text, Point at, Point size) {
  auto* label = new QLabel(Ui(text), parent);
  Place(label, at, size);
  return label;
}

}  // namespace

MainWindow::MainWindow(std::vector<ListingSource> sources, MainWindowServices services,
                       QWidget* parent)
    : QMainWindow(parent),
      sources_(std::move(sources)),
      opener_(services.opener != nullptr ? services.opener : &browser_),
      messages_(services.messages != nullptr ? services.messages : &messageBoxes_),
      fetch_(services.fetch ? std::move(services.fetch) : WebRequestFetcher()) {
  setWindowTitle(Ui(kMainCaption));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kMainWidth, kMainHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize s = screen->geometry().size();
    move((s.width() - kMainWidth) / 2, (s.height() - kMainHeight) / 2);
  }

  QMenu* menu = menuBar()->addMenu(Ui(kMenuCaption));
  menu->setObjectName(Ui(kMenuCaption));
  menu->addAction(Ui(kMenuItemCaption))->setObjectName(Ui(kMenuItemCaption));

  auto* panel = new BackgroundPanel(this);
  setCentralWidget(panel);
  BuildSidePanel(panel);
  BuildTabs(panel);
  BindSources();

  // A window shortcut, so Esc closes the window whichever control has the focus.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  for (const char* name : {"高级选择夹2", "高级选择夹3"}) {
    if (auto* tabs = findChild<TabControl*>(Ui(name))) tabs->setCurrentIndex(0);
  }
}

MainWindow::~MainWindow() = default;

void MainWindow::SetCaption(const Text& text) {
  setWindowTitle(FromGbk(text));
}

Text MainWindow::GetCaption() const {
  return ToGbk(windowTitle());
}

void MainWindow::BuildSidePanel(QWidget* panel) {
  QPalette white = palette();
  white.setColor(QPalette::WindowText, Qt::white);
  for (const SideLabel& entry : SideLabels()) {
    auto* label = new TransparentLabel(panel);
    label->setObjectName(Ui(entry.name));
    label->setText(Ui(entry.text).replace(QStringLiteral("\r\n"), "\n"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPalette(white);
    Place(label, entry.place);
    if (entry.showsNotice) {
      connect(label, &TransparentLabel::leftPressed, this, &MainWindow::ShowContactNotice);
    }
  }
}

void MainWindow::BuildTabs(QWidget* panel) {
  auto* outer = new TabControl(panel);
  outer->setObjectName(Ui(kOuterTabName));
  Place(outer, kOuterTabPlace);

  std::vector<TabControl*> inner;
  for (const SitePage& site : SitePages()) {
    QWidget* page = outer->AddPage(Ui(site.caption));
    QWidget* holder = page;
    Rect place = site.place;
    if (site.wrapperName != nullptr) {
      auto* wrapper = new TabControl(page);
      wrapper->setObjectName(Ui(site.wrapperName));
      Place(wrapper, place);
      holder = wrapper->AddPage(QString());
      place = Rect{0, 0, place.width, place.height};
    }
    auto* tabs = new TabControl(holder);
    tabs->setObjectName(Ui(site.innerName));
    Place(tabs, place);
    inner.push_back(tabs);
  }

  const QPixmap penaltyPicture = pictures::Load(pictures::kPenaltyDecoration);
  for (const BoardPage& board : BoardPages()) {
    QWidget* page = inner[board.site]->AddPage(Ui(board.caption));

    auto* list = new ReportListView(page);
    list->setObjectName(Ui(board.list));
    list->setGeometry(board.listAt.x, board.listAt.y, board.listWidth, board.listHeight);
    list->SetColumns(ListColumns(Utf8ToGbk(board.list)));

    QWidget* group = page;
    if (board.groupAt) {
      auto* box = new QGroupBox(page);
      Place(box, *board.groupAt, kGroupBoxSize);
      group = box;
    }
    auto* button = new QPushButton(Ui("获取"), group);
    button->setObjectName(Ui(board.button));
    Place(button, board.buttonPlace);
    if (board.pageCountBox != nullptr) {
      AddCaptionLabel(group, "第", board.pageLabelAt, kPageLabelSize);
      auto* count = new QLineEdit(Ui("1"), group);
      count->setObjectName(Ui(board.pageCountBox));
      Place(count, board.pageCountAt, kPageCountBoxSize);
      AddCaptionLabel(group, "页", board.pagesLabelAt, kPagesLabelSize);
    }
    if (board.progressBar != nullptr) {
      auto* bar = new ProgressBarWidget(page);
      bar->setObjectName(Ui(board.progressBar));
      bar->setTextVisible(false);
      Place(bar, board.progressBarAt, kProgressBarSize);
    }
    for (const PageOrnament& ornament : PageOrnaments()) {
      if (std::string_view(ornament.boardList) != board.list) continue;
      QWidget* widget = nullptr;
      if (ornament.kind == PageOrnament::Kind::PictureBox) {
        auto* picture = new QLabel(page);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(penaltyPicture);  // clipped to the box
        widget = picture;
      } else {
        widget = new QLineEdit(Ui(ornament.text), page);
      }
      widget->setObjectName(Ui(ornament.name));
      Place(widget, ornament.place);
    }
    boards_.insert(Ui(board.list), BoardControls{list, button});
  }
}

void MainWindow::BindSources() {
  for (const ListingSource& source : sources_) {
    const auto board = boards_.constFind(FromGbk(source.listView));
    if (board == boards_.constEnd()) continue;
    auto bound = std::make_unique<BoundSource>();
    bound->source = &source;
    ListingBindings& b = bound->bindings;
    b.list = board->list;
    if (!source.pageCountBox.empty()) {
      const QPointer<QLineEdit> box = findChild<QLineEdit*>(FromGbk(source.pageCountBox));
      b.pageCountText = [box] { return box ? ToGbk(box->text()) : Text(); };
    }
    if (!source.progressBar.empty()) {
      b.progressBar = findChild<ProgressBarWidget*>(FromGbk(source.progressBar));
    }
    b.caption = this;
    b.messages = messages_;
    b.opener = opener_;
    b.fetch = [this](const Text& url, Text* status) { return FetchPage(url, status); };
    BoundSource* raw = bound.get();
    connect(board->button, &QPushButton::clicked, this, [this, raw] { RunFetch(*raw); });
    connect(board->list, &ReportListView::listDoubleClicked, this,
            [raw] { ListingOpen(*raw->source, raw->bindings); });
    bound_.push_back(std::move(bound));
  }
}

void MainWindow::RunFetch(BoundSource& bound) {
  // A second click on the same button while its fetch waits in a request
  // would interleave two fetches' rows in one list.
  if (bound.fetching) return;
  bound.fetching = true;
  ++runningFetches_;
  const EventHook previous = SetEventHook([] { QCoreApplication::processEvents(); });
  const FetchReport report = ListingFetch(*bound.source, bound.bindings);
  SetEventHook(previous);
  bound.fetching = false;
  --runningFetches_;

  if (closedDuringFetch_) {
    if (runningFetches_ > 0) return;
    closedDuringFetch_ = false;
    if (deleteAfterFetch_) deleteLater();
    return;
  }
  ShowFailures(report);
}

void MainWindow::ShowFailures(const FetchReport& report) {
  if (report.failures.empty()) return;
  Text message;
  for (const PageFailure& failure : report.failures) {
    if (!message.empty()) message += "\r\n";
    message +=
        Utf8ToGbk("第") + std::to_string(failure.page) + Utf8ToGbk("页获取失败：") + failure.status;
  }
  messages_->ShowMessage(message);
}

void MainWindow::ShowContactNotice() {
  messages_->ShowMessage(Utf8ToGbk("建设中  作者QQ") + config::kContactAccount);
}

Text MainWindow::FetchPage(const Text& url, Text* status) {
  // Once the window is closed, the fetches still on the stack run out without
  // requesting their remaining pages.
  if (closedDuringFetch_) return Text();
  return fetch_(url, status);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runningFetches_ > 0) {
    // Fetches still on the stack see this and request no further pages.
    closedDuringFetch_ = true;
    // They use the lists until they return: a window deleted on close goes
    // only then, whatever event-loop level its deletion would be posted at.
    if (testAttribute(Qt::WA_DeleteOnClose)) {
      setAttribute(Qt::WA_DeleteOnClose, false);
      deleteAfterFetch_ = true;
    }
  }
  QMainWindow::closeEvent(event);
}

}  // namespace jixia
