// Every listing source over a random page: the page goes through the whole
// parse of a fetch (cut marker, main and pair pattern, cleaning steps, rows)
// with the page fetcher handing out the fuzzer's bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "listing/listing_fetch.h"
#include "listing/source_table.h"

namespace {

class MemoryList : public jixia::ReportList {
 public:
  void Clear() override { rows_.clear(); }
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  int AppendRow() override {
    rows_.emplace_back();
    return RowCount() - 1;
  }
  void SetCell(int row, int column, const jixia::Text& text) override {
    if (row < 0 || row >= RowCount() || column < 0) return;
    if (rows_[row].size() <= static_cast<size_t>(column)) rows_[row].resize(column + 1);
    rows_[row][column] = text;
  }
  jixia::Text Cell(int row, int column) const override {
    if (row < 0 || row >= RowCount() || column < 0) return {};
    return static_cast<size_t>(column) < rows_[row].size() ? rows_[row][column] : jixia::Text();
  }
  int SelectedRow() const override { return RowCount() - 1; }

 private:
  std::vector<std::vector<jixia::Text>> rows_;
};

class MemoryBar : public jixia::ProgressBar {
 public:
  void SetPosition(int position) override {
    position_ = position < 0 ? 0 : position > 100 ? 100 : position;
  }
  int Position() const override { return position_; }

 private:
  int position_ = 0;
};

class MemoryCaption : public jixia::Caption {
 public:
  void SetCaption(const jixia::Text& text) override { caption_ = text; }
  jixia::Text GetCaption() const override { return caption_; }

 private:
  jixia::Text caption_;
};

class NoMessages : public jixia::MessageSink {
 public:
  void ShowMessage(const jixia::Text&) override {}
};

class NoOpener : public jixia::AddressOpener {
 public:
  void OpenAddress(const jixia::Text&) override {}
};

const std::vector<jixia::ListingSource>& Sources() {
  static const std::vector<jixia::ListingSource> sources = jixia::BuildSourceTable(
      {"a.test", "b.test", "c.test", "d1.test", "d2.test", "d3.test", "d4.test"});
  return sources;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  jixia::fuzz::FuzzInput in(data, size);
  std::string page = in.Text();
  MemoryList list;
  MemoryBar bar;
  MemoryCaption caption;
  NoMessages messages;
  NoOpener opener;
  jixia::ListingBindings bindings;
  bindings.list = &list;
  bindings.pageCountText = [] { return jixia::Text("1"); };
  bindings.progressBar = &bar;
  bindings.caption = &caption;
  bindings.messages = &messages;
  bindings.opener = &opener;
  bindings.fetch = [&page](const jixia::Text&, jixia::Text* status) {
    if (status) *status = "200 OK";
    return page;
  };
  for (const jixia::ListingSource& source : Sources()) {
    jixia::ListingFetch(source, bindings);
    jixia::ListingOpen(source, bindings);
  }
  return 0;
}
