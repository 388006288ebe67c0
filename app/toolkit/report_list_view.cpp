#include "app/toolkit/report_list_view.h"

#include <QHeaderView>
#include <QStringList>

#include "app/toolkit/toolkit.h"

namespace jixia {
namespace {

// Cells keep the exact GBK bytes next to their display text, so a cell reads
// back what was written even where the converter had to substitute.
constexpr int kGbkRole = Qt::UserRole;

}  // namespace

ReportListView::ReportListView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setSectionResizeMode(QHeaderView::Interactive);
}

void ReportListView::SetColumns(const std::vector<ListColumn>& columns) {
  QStringList captions;
  for (const ListColumn& column : columns) captions << FromGbk(column.caption);
  setColumnCount(static_cast<int>(columns.size()));
  setHeaderLabels(captions);
  for (size_t i = 0; i < columns.size(); ++i) {
    header()->resizeSection(static_cast<int>(i), columns[i].width);
  }
}

void ReportListView::Clear() {
  clear();
}

int ReportListView::RowCount() const {
  return topLevelItemCount();
}

int ReportListView::AppendRow() {
  addTopLevelItem(new QTreeWidgetItem());
  return topLevelItemCount() - 1;
}

void ReportListView::SetCell(int row, int column, const Text& text) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return;
  item->setText(column, FromGbk(text));
  item->setData(column, kGbkRole, QByteArray::fromStdString(text));
}

Text ReportListView::Cell(int row, int column) const {
  const QTreeWidgetItem* item = row < 0 ? nullptr : topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return Text();
  return item->data(column, kGbkRole).toByteArray().toStdString();
}

int ReportListView::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ReportListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  emit listDoubleClicked();
}

}  // namespace jixia
