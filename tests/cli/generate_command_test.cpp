#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/cli_run.h"

namespace tavimoro {
namespace {

using testing::RunCli;

// 81 cells of "1".."9" or ".", a tab, and a positive attempt count. (Written
// out rather than as a std::regex, which GCC 12 cannot build warning-free
// under the sanitizers.)
bool IsPuzzleAndAttempts(std::string_view line) {
  if (line.size() < 83 || line[81] != '\t' || line[82] < '1' || line[82] > '9') return false;
  for (char ch : line.substr(0, 81))
    if (ch != '.' && (ch < '1' || ch > '9')) return false;
  for (char ch : line.substr(83))
    if (ch < '0' || ch > '9') return false;
  return true;
}

TEST(GenerateCommand, PrintsOnePuzzleAndItsAttemptsPerLine) {
  const auto run = RunCli("generate --level 0 --seed 7 --count 3");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");  // progress goes to a terminal only
  const auto lines = run.Lines();
  ASSERT_EQ(lines.size(), 3u) << run.out;
  for (const auto& line : lines) EXPECT_TRUE(IsPuzzleAndAttempts(line)) << line;
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
