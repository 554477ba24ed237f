// The batch commands on puzzle files in the layouts players exchange: one
// result per puzzle, the same as for the puzzles written one per line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/cli_run.h"
#include "common/puzzles.h"

namespace {

namespace fs = std::filesystem;
using tavimoro::testing::ReadWhole;
using tavimoro::testing::RunCli;

const fs::path kCaseFolder = fs::path(TAVIMORO_SOURCE_DIR) / "tests/data/formats";

// The samples of tests/data/formats with a puzzle that is not a single line
// (blocks, grids, candidate lines): their expected puzzles as plain lines.
std::vector<std::string> LayoutCases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kCaseFolder)) {
    if (entry.path().extension() != ".want") continue;
    const std::string want = ReadWhole(entry.path());
    if (want.find("Rows ") != std::string::npos || want.find("PencilGrid ") != std::string::npos ||
        want.find("Candidates ") != std::string::npos) {
      names.push_back(entry.path().stem().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CliLayoutFile : public ::testing::TestWithParam<std::string> {};

TEST_P(CliLayoutFile, GivesOneResultPerPuzzle) {
  std::istringstream want(ReadWhole(kCaseFolder / (GetParam() + ".want")));
  // Each puzzle as its line, with its marks as the pencil-mark text.
  std::string lines;
  for (std::string line; std::getline(want, line);) {
    std::istringstream fields(line);
    std::string layout, cells, pencil;
    fields >> layout >> cells >> pencil;
    lines += cells + pencil + "\n";
  }
  const std::string file = ReadWhole(kCaseFolder / (GetParam() + ".in"));
  const auto run = RunCli("validate '" + (kCaseFolder / (GetParam() + ".in")).string() + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, RunCli("validate", lines).out);
  for (const char* command : {"rate", "step"})
    EXPECT_EQ(RunCli(command, file).out, RunCli(command, lines).out) << command;
}

INSTANTIATE_TEST_SUITE_P(Samples, CliLayoutFile, ::testing::ValuesIn(LayoutCases()),
                         [](const ::testing::TestParamInfo<std::string>& sample) { return sample.param; });

TEST(CliPuzzleLines, ALabelOrCommentAroundThe81CellsIsIgnored) {
  const std::string puzzle = tavimoro::testing::kEasy17;
  const auto plain = RunCli("validate", puzzle + "\n");
  EXPECT_EQ(RunCli("validate", "Puzzle 12: " + puzzle + "\n").out, plain.out);
  EXPECT_EQ(RunCli("validate", "7) " + puzzle + "   ; 17 clues\n").out, plain.out);
  EXPECT_EQ(RunCli("step", "Puzzle 12: " + puzzle + "\n").out, RunCli("step", puzzle + "\n").out);
}

// 729-character candidate lines are puzzles; in a file of any layout every
// line with digits that holds no puzzle is named, a grid of ten rows
// included, and so is a candidate line of no candidates.
TEST(CliPuzzleLines, EveryLineOfALayoutFileIsAPuzzleOrNamed) {
  const std::string puzzle = tavimoro::testing::kEasy17;
  std::string candidates, rows;
  for (int c = 0; c < 81; ++c) {
    const char ch = puzzle[c];
    candidates +=
        ch == '.' ? std::string("123456789") : std::string(ch - '1', '.') + ch + std::string('9' - ch, '.');
    rows += c % 9 == 8 ? std::string(1, ch) + "\n" : std::string(1, ch);
  }
  const std::string solution = RunCli("validate", puzzle + "\n").out;
  const auto plain = RunCli("validate", candidates + "\n" + candidates + "\n");
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, solution + solution);

  const auto mixed =
      RunCli("validate", "Title\n" + candidates + "\n12345\n" + rows + "\n" + rows + rows.substr(0, 10) +
                             "\n" + std::string(729, '0') + "\n" + puzzle + "\n");
  EXPECT_EQ(mixed.status, 3);
  EXPECT_EQ(mixed.out, solution + solution + solution);
  EXPECT_EQ(
      mixed.err,
      "tavimoro-cli: standard input:3: not a puzzle: 5 characters, a puzzle line has 81\n"
      "tavimoro-cli: standard input:14: not a puzzle: 10 rows, a grid has 9\n"
      "tavimoro-cli: standard input:25: not a puzzle: 729 characters, but not the candidates of 81 cells, "
      "each with at least one digit\n");
}

}  // namespace
