// jixia-fetch run as a process against loopback sites: the list of boards,
// the three formats with their escaping, and the exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "listing_test_support.h"
#include "site_server.h"

namespace jixia::test {
namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs jixia-fetch with `args` (each single-quoted for the shell).
ToolRun RunTool(const std::vector<std::string>& args) {
  const std::string dir =
      std::filesystem::temp_directory_path() / ("jixia-fetch-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string command = std::string("'") + kFetchToolPath + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >" + dir + "/out 2>" + dir + "/err";
  const int raw = std::system(command.c_str());
  ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(dir + "/out"), Slurp(dir + "/err")};
  std::filesystem::remove_all(dir);
  return run;
}

std::string D2Page(const std::string& itemsUtf8) {
  return G("<html><head><meta charset=\"gbk\"></head><body><ul>\n" + itemsUtf8 +
           "</ul></body></html>\n");
}

// One post whose title holds every character the formats escape.
const std::string kAwkwardTitle = "a\tb\\c,\"d\"\re 领券";

class FetchTool : public ::testing::Test {
 protected:
  FetchTool()
      : site_(true,
              {{"/category-6_1.html", D2Page("<li><span>03-01</span><a href=\"https://x.test/1\" "
                                             "target=\"_blank\">" +
                                             kAwkwardTitle +
                                             "</a></li>\n"
                                             "<li><span>03-02</span><a href=\"https://x.test/2\" "
                                             "target=\"_blank\">plain</a></li>\n")}}) {}

  std::vector<std::string> Args(std::vector<std::string> more) {
    std::vector<std::string> args = {"--host", "d2=" + site_.Host(), "--ca-file", kTestCaFile};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }

  SiteServer site_;
};

TEST_F(FetchTool, ListsTheTwentyNineBoardsInWindowOrder) {
  const ToolRun run = RunTool({"--list"});
  EXPECT_EQ(run.status, 0);
  std::vector<std::string> lines;
  std::stringstream in(run.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], "精易论坛\t易语言源码区");
  EXPECT_EQ(lines[10], "巅峰论坛\t巅峰动画教程 ");
  EXPECT_EQ(lines[28], "小K娱乐网\t游戏助手");
}

TEST_F(FetchTool, TsvEscapesBackslashTabAndLineEnds) {
  const ToolRun run = RunTool(Args({"活动网线报", "话费活动"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "序号\t标题\t网址\t更新时间\n"
            "1\ta\\tb\\\\c,\"d\"\\re 领券\thttps://x.test/1\t03-01\n"
            "2\tplain\thttps://x.test/2\t03-02\n");
  EXPECT_EQ(site_.Requested(), std::vector<std::string>{"/category-6_1.html"});
}

TEST_F(FetchTool, CsvFollowsRfc4180) {
  const ToolRun run = RunTool(Args({"活动网线报", "话费活动", "--format", "csv"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "\"序号\",\"标题\",\"网址\",\"更新时间\"\r\n"
            "\"1\",\"a\tb\\c,\"\"d\"\"\re 领券\",\"https://x.test/1\",\"03-01\"\r\n"
            "\"2\",\"plain\",\"https://x.test/2\",\"03-02\"\r\n");
}

TEST_F(FetchTool, JsonHoldsSiteBoardColumnsAndRowsAsStrings) {
  const ToolRun run = RunTool(Args({"活动网线报", "话费活动", "--format", "json"}));
  EXPECT_EQ(run.status, 0) << run.err;
  const nlohmann::json expected = {{"site", "活动网线报"},
                                   {"board", "话费活动"},
                                   {"columns", {"序号", "标题", "网址", "更新时间"}},
                                   {"rows",
                                    {{"1", kAwkwardTitle, "https://x.test/1", "03-01"},
                                     {"2", "plain", "https://x.test/2", "03-02"}}}};
  EXPECT_EQ(nlohmann::json::parse(run.out), expected);
}

TEST_F(FetchTool, FailedPageGivesStatusOneAfterTheRows) {
  // Page 2 is the one listed: it answers 404, so the list is empty.
  const ToolRun run = RunTool(Args({"活动网线报", "话费活动", "--pages", "2"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "序号\t标题\t网址\t更新时间\n");
  EXPECT_EQ(run.err, "page 2: 404 Not Found\n");
  EXPECT_EQ(site_.Requested(),
            (std::vector<std::string>{"/category-6_1.html", "/category-6_2.html"}));
}

TEST_F(FetchTool, UsageErrorsGiveStatusTwoNamingTheChoices) {
  const struct {
    std::vector<std::string> args;
    std::string named;  // a valid choice the message names
  } kCases[] = {
      {{"没有的网站", "x"}, "小K娱乐网"},
      {{"巅峰论坛", "没有的版块"}, "\"巅峰动画教程 \""},
      {{"活动网线报", "话费活动", "--format", "xml"}, "json"},
      {{"--host", "d9=127.0.0.1:1", "活动网线报", "话费活动"}, "forum-a"},
      {{"--bogus"}, "--bogus"},
      {{"活动网线报"}, "SITE"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.args[0]);
    const ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_TRUE(site_.Requested().empty());
}

TEST_F(FetchTool, BoardWithoutItsTrailingBlankMatchesAndHelpPrintsUsage) {
  SiteServer forumB(true, {{"/forum-45-1.html", ReadFixture("forum_b_board_1.html")}});
  const ToolRun run = RunTool(
      {"--host", "forum-b=" + forumB.Host(), "--ca-file", kTestCaFile, "巅峰论坛", "巅峰动画教程"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("2\t批量改名工具\t\t2024-3-1"), std::string::npos) << run.out;

  const ToolRun help = RunTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--format"), std::string::npos);
  EXPECT_NE(help.out.find("--host"), std::string::npos);
}

}  // namespace
}  // namespace jixia::test
