#include "listing/plain_ui.h"

#include <algorithm>

namespace jixia {

void PlainReportList::Clear() {
  rows_.clear();
  selected_ = -1;
}

int PlainReportList::RowCount() const {
  return static_cast<int>(rows_.size());
}

int PlainReportList::AppendRow() {
  rows_.emplace_back();
  return RowCount() - 1;
}

void PlainReportList::SetCell(int row, int column, const Text& text) {
  if (row < 0 || row >= RowCount() || column < 0) return;
  std::vector<Text>& cells = rows_[row];
  if (static_cast<size_t>(column) >= cells.size()) cells.resize(column + 1);
  cells[column] = text;
}

Text PlainReportList::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  const std::vector<Text>& cells = rows_[row];
  return static_cast<size_t>(column) < cells.size() ? cells[column] : Text();
}

void PlainProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, 0, 100);
}

}  // namespace jixia
