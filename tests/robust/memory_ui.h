// The listing procedures' window interfaces over plain memory, for tests that
// run whole fetches without a window.
#pragma once

#include "listing/listing_fetch.h"
#include "listing/plain_ui.h"

namespace jixia::robust {

using MemoryList = PlainReportList;
using MemoryBar = PlainProgressBar;
using MemoryCaption = PlainCaption;

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
