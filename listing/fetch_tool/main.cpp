// jixia-fetch: fetches one board with the listing engine and prints its rows,
// for scripting and for checking a board without the window.
#include <CLI/CLI.hpp>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "jixia/config.h"
#include "listing/fetch_tool/output_formats.h"
#include "listing/list_columns.h"
#include "listing/listing_fetch.h"
#include "listing/plain_ui.h"
#include "listing/source_table.h"
#include "net/tls_trust.h"
#include "text/codepage.h"

namespace jixia::fetch_tool {
namespace {

constexpr int kUsageError = 2;
constexpr int kPageFailed = 1;

constexpr char kUsage[] = R"(
  jixia-fetch --list
      one line per working board: SITE<TAB>BOARD (UTF-8), in window order
  jixia-fetch SITE BOARD [--pages TEXT] [--format tsv|csv|json]
      SITE is the outer tab caption (精易论坛 ...), BOARD the inner page caption;
      a BOARD given without the trailing blank of "巅峰动画教程 " matches too.
      Prints the rows the board's list holds after 获取 with that page count, in UTF-8.

Exit status: 2 on a usage error; 1 when a page request failed or answered
with a status that is not 2xx (after the rows, with "page K: STATUS" on stderr
for each such page); 0 otherwise.)";

// The --host keys and the host each one overrides.
std::map<std::string, Text SiteHosts::*> HostKeys() {
  return {{"forum-a", &SiteHosts::forumA}, {"forum-b", &SiteHosts::forumB},
          {"site-c", &SiteHosts::siteC},   {"d1", &SiteHosts::d1},
          {"d2", &SiteHosts::d2},          {"d3", &SiteHosts::d3},
          {"d4", &SiteHosts::d4}};
}

std::string Join(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) joined += (joined.empty() ? "" : ", ") + item;
  return joined;
}

// Applies "KEY=HOST:PORT" overrides; false (with a message) on a bad one.
bool ApplyHostOverrides(const std::vector<std::string>& overrides, SiteHosts* hosts) {
  const auto keys = HostKeys();
  for (const std::string& item : overrides) {
    const size_t equals = item.find('=');
    const std::string key = item.substr(0, equals);
    const auto it = keys.find(key);
    if (equals == std::string::npos || it == keys.end() || equals + 1 == item.size()) {
      std::vector<std::string> names;
      for (const auto& [name, member] : keys) names.push_back(name);
      std::cerr << "--host: expected KEY=HOST[:PORT] with KEY one of " << Join(names) << ", got \""
                << item << "\"\n";
      return false;
    }
    hosts->*(it->second) = item.substr(equals + 1);
  }
  return true;
}

// Trailing ASCII blanks removed, so that "巅峰动画教程" names "巅峰动画教程 ".
std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

const ListingSource* FindSource(const std::vector<ListingSource>& table, const std::string& site,
                                const std::string& board) {
  std::vector<std::string> sites;
  const ListingSource* found = nullptr;
  bool siteKnown = false;
  std::vector<std::string> boards;
  for (const ListingSource& source : table) {
    const std::string siteName = GbkToUtf8(source.site);
    if (sites.empty() || sites.back() != siteName) sites.push_back(siteName);
    if (siteName != site) continue;
    siteKnown = true;
    const std::string boardName = GbkToUtf8(source.board);
    boards.push_back("\"" + boardName + "\"");
    if (!found && (boardName == board || WithoutTrailingBlanks(boardName) == board)) {
      found = &source;
    }
  }
  if (!siteKnown) {
    std::cerr << "unknown site \"" << site << "\"; sites: " << Join(sites) << "\n";
  } else if (!found) {
    std::cerr << "unknown board \"" << board << "\" of " << site << "; boards: " << Join(boards)
              << "\n";
  }
  return found;
}

BoardRows Fetch(const ListingSource& source, const std::string& pages, FetchReport* report) {
  PlainReportList list;
  PlainProgressBar bar;
  PlainCaption caption;
  const Text pageText = Utf8ToGbk(pages);
  ListingBindings bindings;
  bindings.list = &list;
  bindings.pageCountText = [&pageText] { return pageText; };
  bindings.progressBar = &bar;
  bindings.caption = &caption;
  *report = ListingFetch(source, bindings);

  BoardRows rows{GbkToUtf8(source.site), GbkToUtf8(source.board), {}, {}};
  for (const ListColumn& column : ListColumns(source.listView)) {
    rows.columns.push_back(GbkToUtf8(column.caption));
  }
  for (int r = 0; r < list.RowCount(); ++r) {
    std::vector<std::string>& cells = rows.rows.emplace_back();
    for (size_t c = 0; c < rows.columns.size(); ++c) {
      cells.push_back(GbkToUtf8(list.Cell(r, static_cast<int>(c))));
    }
  }
  return rows;
}

int Run(int argc, char** argv) {
  CLI::App app("Fetches one listing board and prints its rows.", "jixia-fetch");
  app.footer(kUsage);
  bool list = false;
  std::string site;
  std::string board;
  std::string pages = "1";
  std::string format = "tsv";
  std::vector<std::string> hostOverrides;
  std::string caFile = config::kCaFile;
  CLI::Option* listFlag = app.add_flag("--list", list, "print every working board and exit");
  app.add_option("SITE", site, "outer tab caption of the site");
  app.add_option("BOARD", board, "inner page caption of the board");
  app.add_option("--pages", pages, "page-count text, read like the page-count box")
      ->default_str("1");
  app.add_option("--format", format, "output format")
      ->check(CLI::IsMember({"tsv", "csv", "json"}))
      ->default_str("tsv");
  app.add_option("--host", hostOverrides,
                 "KEY=HOST:PORT overrides a site's built-in host; KEY one of forum-a, forum-b, "
                 "site-c, d1, d2, d3, d4 (repeatable)")
      ->allow_extra_args(false);
  app.add_option("--ca-file", caFile, "PEM file of an extra CA to trust (default: the build's)");
  app.get_option("SITE")->excludes(listFlag);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : kUsageError;
  }

  SiteHosts hosts = BuildTimeHosts();
  if (!ApplyHostOverrides(hostOverrides, &hosts)) return kUsageError;
  const std::vector<ListingSource> table = BuildSourceTable(hosts);

  if (list) {
    for (const ListingSource& source : table) {
      std::cout << GbkToUtf8(source.site) << '\t' << GbkToUtf8(source.board) << '\n';
    }
    return 0;
  }
  if (site.empty() || board.empty()) {
    std::cerr << "SITE and BOARD are required (or --list)\n" << app.help();
    return kUsageError;
  }
  const ListingSource* source = FindSource(table, site, board);
  if (!source) return kUsageError;

  SetExtraCaFile(caFile);
  FetchReport report;
  const BoardRows rows = Fetch(*source, pages, &report);
  if (format == "json") {
    WriteJson(rows, std::cout);
  } else if (format == "csv") {
    WriteCsv(rows, std::cout);
  } else {
    WriteTsv(rows, std::cout);
  }
  std::cout.flush();
  for (const PageFailure& failure : report.failures) {
    std::cerr << "page " << failure.page << ": " << GbkToUtf8(failure.status) << "\n";
  }
  return report.failures.empty() ? 0 : kPageFailed;
}

}  // namespace
}  // namespace jixia::fetch_tool

int main(int argc, char** argv) {
  return jixia::fetch_tool::Run(argc, argv);
}
