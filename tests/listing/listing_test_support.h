// Helpers shared by the listing tests: fixture pages, a recording page
// fetcher, source look-up and UTF-8 views of a filled list.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "listing/listing_fetch.h"
#include "listing/plain_ui.h"
#include "listing/source_table.h"
#include "listing_fixture_paths.h"
#include "text/codepage.h"

namespace jixia::test {

inline Text G(std::string_view utf8) {
  return Utf8ToGbk(utf8);
}

// Bytes of a fixture page (GBK as stored).
inline std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(kListingFixtureDir) + "/" + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline SiteHosts TestHosts() {
  return {"forum-a.test", "forum-b.test", "site-c.test", "d1.test",
          "d2.test",      "d3.test",      "d4.test"};
}

// The source of the board `board` (UTF-8) of site `site` (UTF-8).
inline const ListingSource& Source(const std::vector<ListingSource>& table, std::string_view site,
                                   std::string_view board) {
  for (const ListingSource& source : table) {
    if (source.site == G(site) && source.board == G(board)) return source;
  }
  throw std::runtime_error("no such board");
}

// Serves pages by full address; unknown addresses answer "404 Not Found"
// with an empty body. Records every requested address in order.
struct RecordingFetcher {
  std::map<Text, Text> pages;
  std::vector<Text> requested;

  PageFetcher Fetcher() {
    return [this](const Text& url, Text* status) {
      requested.push_back(url);
      const auto it = pages.find(url);
      *status = it == pages.end() ? "404 Not Found" : "200 OK";
      return it == pages.end() ? Text() : it->second;
    };
  }
};

// Every row of the list as UTF-8 cells, padded to `columns` cells.
inline std::vector<std::vector<std::string>> Utf8Rows(const PlainReportList& list, int columns) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < list.RowCount(); ++r) {
    std::vector<std::string>& cells = rows.emplace_back();
    for (int c = 0; c < columns; ++c) cells.push_back(GbkToUtf8(list.Cell(r, c)));
  }
  return rows;
}

// A list, bar, caption and the other window pieces of one board.
struct Board {
  PlainReportList list;
  PlainProgressBar bar;
  PlainCaption caption;
  Text pageCount = "1";

  ListingBindings Bindings(PageFetcher fetch) {
    ListingBindings b;
    b.list = &list;
    b.pageCountText = [this] { return pageCount; };
    b.progressBar = &bar;
    b.caption = &caption;
    b.fetch = std::move(fetch);
    return b;
  }
};

}  // namespace jixia::test
