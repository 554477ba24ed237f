// tavimoro-cli validate, run as a separate program: exact output, error text
// and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/cli_run.h"
#include "common/puzzles.h"

namespace {

namespace fs = std::filesystem;
using tavimoro::testing::CliResult;
using tavimoro::testing::RunCli;

const std::string kUnique = tavimoro::testing::kEasy17;
const std::string kUniqueSolution = tavimoro::testing::kEasy17Solution;
const std::string kSlow = tavimoro::testing::kSlow17;  // beyond the step limit
const std::string kSlowSolution = tavimoro::testing::kSlow17Solution;

class CliValidate : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }

  tavimoro::testing::TempDir temp_;
  const fs::path dir_ = temp_.Path();
};

TEST_F(CliValidate, PrintsSolutionOrMessageForEveryPuzzleLine) {
  const std::string file =
      Write("p.txt", "# a comment\n" + kUnique + "\n" + "  \t \n" +  // blank
                         kUnique + "\r\n" +                          // CR LF
                         "11" + std::string(79, '.') + "\n" + kUniqueSolution.substr(0, 80) + "x\n");
  const CliResult run = RunCli("validate '" + file + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kUniqueSolution + "\n" + kUniqueSolution + "\n" +
                         "Invalid puzzle - multiple solutions\n" + kUniqueSolution + "\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CliValidate, FlagsReachTheCheck) {
  const std::string input = "11" + std::string(79, '.') + "\n.123456789........4567891" +
                            std::string(56, '.') + "\n" + kSlow + "\n";
  EXPECT_EQ(
      RunCli("validate", input).out,
      "Invalid puzzle - multiple solutions\nInvalid puzzle - multiple solutions\n" + kSlowSolution + "\n");
  const CliResult flagged = RunCli("validate --allow-few-givens --limit-steps -", input);
  EXPECT_EQ(flagged.status, 0);
  EXPECT_EQ(flagged.out,
            "Invalid puzzle - basic rules violated\n"
            "Invalid puzzle - no solution\n"
            "Invalid puzzle - took too long\n");
}

TEST_F(CliValidate, ReadsFilesInOrderAndStandardInputForDash) {
  const std::string a = Write("a.txt", kUnique + "\n");
  const std::string b = Write("b.txt", kSlow);  // no final line break
  const CliResult run = RunCli("validate '" + a + "' - '" + b + "'", "11" + std::string(79, '.') + "\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kUniqueSolution + "\nInvalid puzzle - multiple solutions\n" + kSlowSolution + "\n");
}

TEST_F(CliValidate, UnreadableFileStopsWithStatusOne) {
  const std::string a = Write("a.txt", kUnique + "\n");
  const std::string missing = (dir_ / "missing.txt").string();
  CliResult run = RunCli("validate '" + a + "' '" + missing + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kUniqueSolution + "\n");
  EXPECT_EQ(run.err, "tavimoro-cli: cannot read " + missing + "\n");

  run = RunCli("validate '" + dir_.string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tavimoro-cli: cannot read " + dir_.string() + "\n");
}

TEST(CliValidateUsage, UnknownOptionHelpAndEmptyInput) {
  CliResult run = RunCli("validate --limit");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "tavimoro-cli: unknown option --limit\nTry 'tavimoro-cli --help'.\n");

  run = RunCli("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("validate [--limit-steps] [--allow-few-givens] [FILE...]"), std::string::npos);

  run = RunCli("validate", "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out + run.err, "");
}

}  // namespace
