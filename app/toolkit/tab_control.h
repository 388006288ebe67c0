// A tab control in the manner of the program's window designs: the row of
// page headers (24 pixels) at its top edge, and pages that cover the whole
// control, so the controls on a page are placed in the tab control's own
// coordinates and may reach over the header row.
#pragma once

#include <QWidget>
#include <vector>

class QTabBar;

namespace jixia {

class TabControl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeaderHeight = 24;

  explicit TabControl(QWidget* parent = nullptr);

  // Adds a page with the given header caption and returns it; the caller
  // places its controls on it.
  QWidget* AddPage(const QString& caption);

  int count() const;
  int currentIndex() const;
  QWidget* page(int index) const;
  QString tabText(int index) const;
  // Ignored for an index out of range.
  void setCurrentIndex(int index);
  void SetHeadersHidden(bool hidden);

 signals:
  void currentChanged(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowCurrentPage();
  void PlaceHeaders();

  QTabBar* headers_;
  std::vector<QWidget*> pages_;
  bool headersHidden_ = false;
};

}  // namespace jixia
