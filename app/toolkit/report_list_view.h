// A report list: a header row of captioned columns over rows of text cells,
// the widget behind every listing of the main window.
#pragma once

#include <QTreeWidget>
#include <vector>

#include "listing/list_columns.h"
#include "listing/listing_ui.h"

namespace jixia {

class ReportListView : public QTreeWidget, public ReportList {
  Q_OBJECT

 public:
  explicit ReportListView(QWidget* parent = nullptr);

  // Replaces the columns (captions GBK, widths in pixels).
  void SetColumns(const std::vector<ListColumn>& columns);

  void Clear() override;
  int RowCount() const override;
  int AppendRow() override;
  // Ignored for a row or column out of range.
  void SetCell(int row, int column, const Text& text) override;
  // The GBK text last written to the cell, byte for byte.
  Text Cell(int row, int column) const override;
  int SelectedRow() const override;

 signals:
  // A double-click anywhere on the list, on a row or not.
  void listDoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace jixia
