#include <gtest/gtest.h>

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
  for (const auto& line : lines) {
    EXPECT_EQ(line.find_first_not_of(".123456789"), 81u) << line;
    EXPECT_TRUE(line.size() > 82 && line[81] == '\t' && line[82] != '0') << line;
    EXPECT_EQ(line.find_first_not_of("0123456789", 82), std::string::npos) << line;
  }
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

TEST(GenerateCommand, HardestMakesAPuzzleWhoseHardestStepIsTheNamedTechnique) {
  const auto run = RunCli("generate --hardest 'naked single' --seed 3 --count 2");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = run.Lines();
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& line : lines) {
    ASSERT_GE(line.size(), 83u) << line;
    const auto rated = RunCli("rate", line.substr(0, 81) + "\n");
    // Singles only: the lowest level.
    EXPECT_NE(rated.out.find("\"level\":1,"), std::string::npos) << line << "\n" << rated.out;
  }
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
           "generate --hardest",
           "generate --hardest 'No Such Technique'",
           "generate --hardest 'Complex Forcing Chains'",
           "generate --hardest 'Avoidable Rectangle type 1'",
           "generate --hardest 'X Wing' --level 3",
       }) {
    const auto run = RunCli(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(run.err.rfind("tavimoro-cli: ", 0), 0u) << arguments << "\n" << run.err;
  }
}

}  // namespace
}  // namespace tavimoro
