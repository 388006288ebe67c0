// The one fetch-parse-fill procedure over a listing source, and the
// double-click rule.
#pragma once

#include <functional>
#include <vector>

#include "listing/listing_source.h"
#include "listing/listing_ui.h"

namespace jixia {

// The controls and services one source works with. Pointers the source does
// not use (progressBar without a bar, caption without a ViaCaption rule) may
// be null.
struct ListingBindings {
  ReportList* list = nullptr;
  std::function<Text()> pageCountText;  // text of the page-count box; unused for single-page sources
  ProgressBar* progressBar = nullptr;
  Caption* caption = nullptr;
  MessageSink* messages = nullptr;
  AddressOpener* opener = nullptr;
  PageFetcher fetch;                    // empty: WebRequestFetcher()
};

// A page whose request failed or answered with a status that is not 2xx.
struct PageFailure {
  int page;     // 1-based page number
  Text status;  // the status text or numbered message (GBK)
};

struct FetchReport {
  std::vector<PageFailure> failures;
};

// Empties the list, requests pages 1..N and appends one row per post.
FetchReport ListingFetch(const ListingSource& source, const ListingBindings& bindings);

// Opens the selected row's address; only http:// and https:// addresses are
// handed to the opener.
void ListingOpen(const ListingSource& source, const ListingBindings& bindings);

}  // namespace jixia
