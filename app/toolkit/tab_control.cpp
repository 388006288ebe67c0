#include "app/toolkit/tab_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace jixia {

TabControl::TabControl(QWidget* parent) : QWidget(parent), headers_(new QTabBar(this)) {
  headers_->setDrawBase(false);
  headers_->setExpanding(false);
  headers_->setUsesScrollButtons(true);
  headers_->setStyleSheet(
      QStringLiteral("QTabBar::tab { height: %1px; padding: 0 8px; }").arg(kHeaderHeight - 2));
  connect(headers_, &QTabBar::currentChanged, this, [this](int index) {
    ShowCurrentPage();
    emit currentChanged(index);
  });
  PlaceHeaders();
}

QWidget* TabControl::AddPage(const QString& caption) {
  auto* page = new QWidget(this);
  page->setGeometry(rect());
  page->setAutoFillBackground(false);
  pages_.push_back(page);
  headers_->addTab(caption);
  // The pages lie above the header row; presses that no page control takes
  // travel up to this control, which hands them to the headers.
  headers_->lower();
  PlaceHeaders();
  ShowCurrentPage();
  return page;
}

int TabControl::count() const {
  return static_cast<int>(pages_.size());
}

int TabControl::currentIndex() const {
  return headers_->currentIndex();
}

QWidget* TabControl::page(int index) const {
  return index >= 0 && index < count() ? pages_[index] : nullptr;
}

QString TabControl::tabText(int index) const {
  return headers_->tabText(index);
}

void TabControl::setCurrentIndex(int index) {
  if (index >= 0 && index < count()) headers_->setCurrentIndex(index);
}

void TabControl::SetHeadersHidden(bool hidden) {
  headersHidden_ = hidden;
  headers_->setVisible(!hidden);
  update();
}

void TabControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int top = headersHidden_ ? 0 : kHeaderHeight;
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = QRect(0, top, width(), height() - top);
  painter.fillRect(frame.rect, palette().window());
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabControl::mousePressEvent(QMouseEvent* event) {
  const QPoint at = headers_->mapFrom(this, event->position().toPoint());
  const int index = headersHidden_ ? -1 : headers_->tabAt(at);
  if (index >= 0) {
    headers_->setCurrentIndex(index);
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void TabControl::resizeEvent(QResizeEvent*) {
  for (QWidget* page : pages_) page->setGeometry(rect());
  PlaceHeaders();
}

void TabControl::ShowCurrentPage() {
  const int current = headers_->currentIndex();
  for (int i = 0; i < count(); ++i) pages_[i]->setVisible(i == current);
}

void TabControl::PlaceHeaders() {
  headers_->setGeometry(0, 0, std::min(headers_->sizeHint().width(), width()), kHeaderHeight);
}

}  // namespace jixia
