// In-memory implementations of the window interfaces of listing/listing_ui.h,
// for the command-line companion and for tests.
#pragma once

#include <vector>

#include "listing/listing_ui.h"

namespace jixia {

class PlainReportList : public ReportList {
 public:
  void Clear() override;
  int RowCount() const override;
  int AppendRow() override;
  // Cells beyond a row's current width widen the row; a negative row or
  // column, or a row that does not exist, is ignored.
  void SetCell(int row, int column, const Text& text) override;
  Text Cell(int row, int column) const override;
  int SelectedRow() const override { return selected_; }

  // Selects `row` (-1 for none).
  void Select(int row) { selected_ = row; }

  // Every row, cell by cell (GBK), as set.
  const std::vector<std::vector<Text>>& Rows() const { return rows_; }

 private:
  std::vector<std::vector<Text>> rows_;
  int selected_ = -1;
};

// Clamps every position to 0..100, as the window's bars do.
class PlainProgressBar : public ProgressBar {
 public:
  void SetPosition(int position) override;
  int Position() const override { return position_; }

 private:
  int position_ = 0;
};

class PlainCaption : public Caption {
 public:
  void SetCaption(const Text& text) override { caption_ = text; }
  Text GetCaption() const override { return caption_; }

 private:
  Text caption_;
};

}  // namespace jixia
