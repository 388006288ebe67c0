// Every working board read from the demo sites through jixia-fetch, two pages
// each: rows come, titles and authors carry no markup, and the address a
// double-click opens is served by the replica.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "demo/demo_sites.h"
#include "demo/demo_tls_paths.h"
#include "listing/source_table.h"
#include "test_support/demo_paths.h"
#include "text/codepage.h"

namespace jixia::demo {
namespace {

constexpr const char* kSiteKeys[] = {"forum-a", "forum-b", "site-c", "d1", "d2", "d3", "d4"};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a command; its stdout and its exit status.
std::string RunCommand(const std::string& command, int* status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    *status = -1;
    return out;
  }
  std::array<char, 4096> buffer;
  size_t got;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), got);
  const int raw = pclose(pipe);
  *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

bool HasMarkup(const std::string& cell) {
  return cell.find_first_of("<>") != std::string::npos || cell.find("&nbsp;") != std::string::npos;
}

// GET of an address the replica serves; its status, or -1 without an answer.
int StatusOf(std::string address) {
  address = address.substr(0, address.find('#'));
  const size_t hostStart = address.find("://") + 3;
  const size_t pathStart = address.find('/', hostStart);
  const std::string origin = address.substr(0, pathStart);
  const std::string path = pathStart == std::string::npos ? "/" : address.substr(pathStart);
  httplib::Client client(origin);
  client.set_ca_cert_path(kDemoCaFile);
  client.enable_server_certificate_verification(true);
  const auto reply = client.Get(path);
  return reply ? reply->status : -1;
}

class DemoBoardsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sites_ = new DemoSites;
    DemoOptions options;
    for (const DemoService& service : DemoServices()) options.ports[service.key] = 0;
    options.certFile = kDemoCertFile;
    options.keyFile = kDemoKeyFile;
    std::string error;
    ASSERT_TRUE(sites_->Start(options, &error)) << error;
  }
  static void TearDownTestSuite() {
    delete sites_;
    sites_ = nullptr;
  }

  static SiteHosts Hosts() {
    return {sites_->Host("forum-a"), sites_->Host("forum-b"), sites_->Host("site-c"),
            sites_->Host("d1"),      sites_->Host("d2"),      sites_->Host("d3"),
            sites_->Host("d4")};
  }

  static std::string FetchCommand(const ListingSource& source) {
    std::string command = std::string(test::kFetchToolPath) + " " + Quoted(GbkToUtf8(source.site)) +
                          " " + Quoted(GbkToUtf8(source.board)) +
                          " --pages 2 --format json --ca-file " + Quoted(kDemoCaFile);
    for (const char* key : kSiteKeys)
      command += std::string(" --host ") + key + "=" + sites_->Host(key);
    return command;
  }

  static DemoSites* sites_;
};

DemoSites* DemoBoardsTest::sites_ = nullptr;

TEST_F(DemoBoardsTest, EveryBoardListsSaneRowsOverTwoPages) {
  const std::vector<ListingSource> table = BuildSourceTable(Hosts());
  ASSERT_EQ(table.size(), 29u);
  for (const ListingSource& source : table) {
    const std::string name = GbkToUtf8(source.site) + "/" + GbkToUtf8(source.board);
    SCOPED_TRACE(name);
    int status = 0;
    const std::string out = RunCommand(FetchCommand(source), &status);
    EXPECT_EQ(status, 0);
    const nlohmann::json listing = nlohmann::json::parse(out, nullptr, false);
    ASSERT_FALSE(listing.is_discarded()) << out;
    const auto& columns = listing["columns"];
    const auto& rows = listing["rows"];
    EXPECT_GE(rows.size(), 15u);
    for (size_t c = 0; c < columns.size(); ++c) {
      const std::string caption = columns[c];
      const bool title = caption == "标题" || caption == "内容";
      const bool author = caption == "作者" || caption == "用户名";
      if (!title && !author) continue;
      for (const auto& row : rows) {
        const std::string cell = row[c];
        EXPECT_FALSE(cell.empty()) << caption;
        EXPECT_FALSE(HasMarkup(cell)) << caption << ": " << cell;
      }
    }
    if (!source.opensOnDoubleClick || rows.empty()) continue;
    std::set<std::string> addresses;
    for (const auto& row : rows) {
      const std::string address =
          GbkToUtf8(source.openPrefix) + row[source.openColumn].get<std::string>();
      EXPECT_EQ(address.rfind("http", 0), 0u) << address;
      addresses.insert(address);
    }
    // Page 2 lists other posts than page 1.
    EXPECT_EQ(addresses.size(), rows.size());
    // The first and the last row's posts open on the replica.
    for (const auto* row : {&rows.front(), &rows.back()}) {
      const std::string address =
          GbkToUtf8(source.openPrefix) + (*row)[source.openColumn].get<std::string>();
      EXPECT_EQ(StatusOf(address), 200) << address;
    }
  }
}

}  // namespace
}  // namespace jixia::demo
