// The listing procedures' window interfaces over plain memory, for tests that
// run whole fetches without a window.
#pragma once

#include <vector>

#include "listing/listing_fetch.h"

namespace jixia::robust {

class MemoryList : public ReportList {
 public:
  void Clear() override { rows_.clear(); }
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  int AppendRow() override {
    rows_.emplace_back();
    return RowCount() - 1;
  }
  void SetCell(int row, int column, const Text& text) override {
    if (row < 0 || row >= RowCount() || column < 0) return;
    if (rows_[row].size() <= static_cast<size_t>(column)) rows_[row].resize(column + 1);
    rows_[row][column] = text;
  }
  Text Cell(int row, int column) const override {
    if (row < 0 || row >= RowCount() || column < 0) return {};
    return static_cast<size_t>(column) < rows_[row].size() ? rows_[row][column] : Text();
  }
  int SelectedRow() const override { return -1; }

 private:
  std::vector<std::vector<Text>> rows_;
};

class MemoryBar : public ProgressBar {
 public:
  void SetPosition(int position) override {
    position_ = position < 0 ? 0 : position > 100 ? 100 : position;
  }
  int Position() const override { return position_; }

 private:
  int position_ = 0;
};

class MemoryCaption : public Caption {
 public:
  void SetCaption(const Text& text) override { caption_ = text; }
  Text GetCaption() const override { return caption_; }

 private:
  Text caption_;
};

// A list with its bar and caption, bound for `pages` pages and the real
// WebRequest fetcher.
struct MemoryWindow {
  MemoryList list;
  MemoryBar bar;
  MemoryCaption caption;
  ListingBindings Bind(const Text& pages) {
    ListingBindings b;
    b.list = &list;
    b.pageCountText = [pages] { return pages; };
    b.progressBar = &bar;
    b.caption = &caption;
    return b;
  }
};

}  // namespace jixia::robust
