// tavimoro-cli validate, run as a separate program: exact output, error text
// and exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/cli_run.h"

namespace {

namespace fs = std::filesystem;
using tavimoro::testing::CliResult;

constexpr const char* kUnique =
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...";
constexpr const char* kUniqueSolution =
    "953168742862734951417952836746893125281645397395271468138529674574386219629417583";
// Needs more than 20000 steps of the counted search.
constexpr const char* kSlow =
    ".................1.....2.3...2...4....3.5......46....7.5.1......8.....2..9.76....";
constexpr const char* kSlowSolution =
    "139547862725386941648912735562871493973254618814639257456128379387495126291763584";

class CliValidate : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavimoro-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& text) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  static CliResult Cli(const std::string& args, const std::string& input = "") {
    return tavimoro::testing::RunCli(args, input);
  }

  fs::path dir_;
};

TEST_F(CliValidate, PrintsSolutionOrMessageForEveryPuzzleLine) {
  const std::string file = Write(
      "p.txt", std::string("# a comment\n") + kUnique + "\n" + "  \t \n" +  // blank
                   kUnique + "   trailing text\r\n" +                       // CR LF, extra text
                   std::string(kUnique).substr(0, 60) + "\n" +              // short
                   "11" + std::string(79, '.') + "\n" + std::string(kUniqueSolution).substr(0, 80) + "x\n");
  const CliResult run = Cli("validate '" + file + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string(kUniqueSolution) + "\n" + kUniqueSolution + "\n" +
                         "Invalid puzzle - multiple solutions\n"
                         "Invalid puzzle - multiple solutions\n" +
                         kUniqueSolution + "\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CliValidate, FlagsReachTheCheck) {
  const std::string few = std::string("11") + std::string(79, '.');
  const std::string none =
      ".12345678"
      "9........"
      "4567891";
  const CliResult plain = Cli("validate", few + "\n" + none + "\n" + kSlow + "\n");
  EXPECT_EQ(plain.out, std::string("Invalid puzzle - multiple solutions\n"
                                   "Invalid puzzle - multiple solutions\n") +
                           kSlowSolution + "\n");
  const CliResult flagged =
      Cli("validate --allow-few-givens --limit-steps -", few + "\n" + none + "\n" + kSlow + "\n");
  EXPECT_EQ(flagged.status, 0);
  EXPECT_EQ(flagged.out,
            "Invalid puzzle - basic rules violated\n"
            "Invalid puzzle - no solution\n"
            "Invalid puzzle - took too long\n");
}

TEST_F(CliValidate, ReadsFilesInOrderAndStandardInputForDash) {
  const std::string a = Write("a.txt", std::string(kUnique) + "\n");
  const std::string b = Write("b.txt", std::string(kSlow));  // no final line break
  const CliResult run = Cli("validate '" + a + "' - '" + b + "'", "11\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            std::string(kUniqueSolution) + "\nInvalid puzzle - multiple solutions\n" + kSlowSolution + "\n");
}

TEST_F(CliValidate, UnreadableFileStopsWithStatusOne) {
  const std::string a = Write("a.txt", std::string(kUnique) + "\n");
  const std::string missing = (dir_ / "missing.txt").string();
  CliResult run = Cli("validate '" + a + "' '" + missing + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, std::string(kUniqueSolution) + "\n");
  EXPECT_EQ(run.err, "tavimoro-cli: cannot read " + missing + "\n");

  run = Cli("validate '" + dir_.string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tavimoro-cli: cannot read " + dir_.string() + "\n");
}

TEST_F(CliValidate, UnknownOptionIsAUsageError) {
  const CliResult run = Cli("validate --limit");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "tavimoro-cli: unknown option --limit\nTry 'tavimoro-cli --help'.\n");
}

TEST_F(CliValidate, HelpDescribesTheCommand) {
  const CliResult run = Cli("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("validate [--limit-steps] [--allow-few-givens] [FILE...]"), std::string::npos);
}

TEST_F(CliValidate, EmptyInputPrintsNothing) {
  const CliResult run = Cli("validate", "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

}  // namespace
