#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/cli_run.h"

namespace tavimoro {
namespace {

using testing::RunCli;

TEST(GenerateCommand, PrintsOnePuzzleAndItsAttemptsPerLine) {
  const auto run = RunCli("generate --level 0 --seed 7 --count 3");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");  // progress goes to a terminal only
  const auto lines = run.Lines();
  ASSERT_EQ(lines.size(), 3u) << run.out;
  // 81 characters of "1".."9" and ".", a tab, and the attempt count.
  auto wellFormed = [](const std::string& line) {
    if (line.size() < 83 || line[81] != '\t' || line[82] < '1' || line[82] > '9') return false;
    const auto isCell = [](char ch) { return ch == '.' || (ch >= '1' && ch <= '9'); };
    const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
    return std::all_of(line.begin(), line.begin() + 81, isCell) &&
           std::all_of(line.begin() + 82, line.end(), isDigit);
  };
  for (const auto& line : lines) EXPECT_TRUE(wellFormed(line)) << line;
}

TEST(GenerateCommand, SeedDeterminesTheOutput) {
  const auto a = RunCli("generate --level 1 --clues 0 --symmetry 1 --seed 99 --count 2");
  const auto b = RunCli("generate --seed=99 --count 2 --symmetry 1 --clues 0 --level 1");
  const auto first = RunCli("generate --level 1 --clues 0 --symmetry 1 --seed 99");
  const auto other = RunCli("generate --level 1 --clues 0 --symmetry 1 --seed 100 --count 2");
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(a.Lines().front(), first.Lines().front());
  EXPECT_NE(a.out, other.out);
}

TEST(GenerateCommand, CustomLevelTakesTechniqueLists) {
  const auto run = RunCli("generate --level 6 --allowed 3,5 --required 3 --seed 4");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.Lines().size(), 1u);
}

TEST(GenerateCommand, RejectsBadArgumentsWithUsageStatus) {
  for (const char* arguments : {
           "generate",
           "generate --level 7",
           "generate --level 0 --clues 3",
           "generate --level 0 --symmetry -1",
           "generate --level 0 --allowed 3",
           "generate --level 6 --allowed 19",
           "generate --level 6 --allowed 3,,4",
           "generate --level 6 --required 4",
           "generate --level 0 --seed 4294967296",
           "generate --level 0 --seed x",
           "generate --level 0 --count 0",
           "generate --level 0 puzzles.txt",
           "generate --level 0 --colour red",
       }) {
    const auto run = RunCli(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(run.err.rfind("tavimoro-cli: ", 0), 0u) << arguments << "\n" << run.err;
  }
}

}  // namespace
}  // namespace tavimoro
