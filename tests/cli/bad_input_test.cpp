// tavimoro-cli under bad input and a failing output: lines that are not
// puzzles, grids that are not proper puzzles, settings that cannot be met,
// names the settings file cannot hold, and standard output on a full disk.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "common/cli_run.h"
#include "common/puzzles.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::RunCli;

const std::string kUnique = testing::kEasy17;
const std::string kUniqueSolution = testing::kEasy17Solution;

TEST(CliBadInput, LinesThatAreNotPuzzlesAreNamedAndRefused) {
  const testing::TempDir temp;
  const std::string file = (temp.Path() / "p.txt").string();
  std::ofstream(file, std::ios::binary) << kUnique.substr(0, 80) << "\n# comment\n"
                                        << kUnique << "\n"
                                        << kUnique << "7\r\n\n"
                                        << kUnique << "\n";
  for (const char* command : {"validate", "rate", "step", "trace"}) {
    const CliResult run = RunCli(std::string(command) + " '" + file + "'");
    EXPECT_EQ(run.status, 3) << command;
    EXPECT_EQ(run.err, "tavimoro-cli: " + file + ":1: not a puzzle: 80 characters, a puzzle line has 81\n" +
                           "tavimoro-cli: " + file +
                           ":4: not a puzzle: 82 characters, a puzzle line has 81\n")
        << command;
    if (std::string(command) != "trace") {
      EXPECT_EQ(run.Lines().size(), 2u) << command;
    }
  }
  const CliResult fromInput = RunCli("validate", "12345\n" + kUnique + "\n");
  EXPECT_EQ(fromInput.status, 3);
  EXPECT_EQ(fromInput.out, kUniqueSolution + "\n");
  EXPECT_EQ(fromInput.err,
            "tavimoro-cli: standard input:1: not a puzzle: 5 characters, a puzzle line has 81\n");
  EXPECT_NE(RunCli("--help").out.find("3 some lines were refused"), std::string::npos);

  // The 81 cells may be followed by the pencil-mark text, but only by all of it.
  std::string marks;
  for (int cell = 0; cell < 81; ++cell) marks += kUnique[cell] == '.' ? "123456789|" : "|";
  const CliResult marked =
      RunCli("rate", kUnique + marks + "\n" + kUnique + marks.substr(0, marks.size() - 1) + "\n");
  EXPECT_EQ(marked.status, 3);
  EXPECT_EQ(marked.Lines().size(), 1u);
  EXPECT_NE(marked.err.find("standard input:2: not a puzzle: the pencil-mark text"), std::string::npos)
      << marked.err;
}

TEST(CliBadInput, ACommentAfterTheCellsIsNotPartOfThePuzzle) {
  const CliResult tagged = RunCli("validate", kUnique + "\tunique\n" + kUnique + " 7.2\n");
  const CliResult plain = RunCli("validate", kUnique + "\n" + kUnique + "\n");
  EXPECT_EQ(tagged.status, 0) << tagged.err;
  EXPECT_EQ(tagged.out, plain.out);
  EXPECT_EQ(RunCli("validate", kUnique + "1\n").status, 3);  // an 82nd cell is no comment
}

TEST(CliBadInput, GridsThatAreNotProperPuzzlesGetValidatesMessage) {
  const std::string allOnes(81, '1');
  const std::string empty(81, '.');
  const std::string input = allOnes + "\n" + empty + "\n" + kUnique + "\n";
  const std::string ones =
      "{\"puzzle\":\"" + allOnes + "\",\"error\":\"Invalid puzzle - basic rules violated\"}";
  const std::string none = "{\"puzzle\":\"" + empty + "\",\"error\":\"Invalid puzzle - multiple solutions\"}";
  for (const char* command : {"rate", "step", "trace"}) {
    const CliResult run = RunCli(command, input);
    EXPECT_EQ(run.status, 0) << command;
    const auto lines = run.Lines();
    ASSERT_GE(lines.size(), 3u) << command;
    EXPECT_EQ(lines[0], ones) << command;
    EXPECT_EQ(lines[1], none) << command;
    EXPECT_EQ(nlohmann::json::parse(lines[2]).count("error"), 0u) << command;
  }
}

// Settings beyond what a level's puzzles reach are refused before the
// search; any other search ends at its attempt limit.
TEST(CliBadInput, GenerateRefusesSettingsThatCannotBeMetAndStopsAtItsLimit) {
  const CliResult run = RunCli("generate --level 3 --minvis 81 --numpro 81 --seed 1");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("tavimoro-cli: --minvis 81 cannot be met", 0), 0u) << run.err;
  for (const char* settings : {"--level 0 --minvis 65", "--level 5 --minvis 50", "--level 3 --numpro 40"})
    EXPECT_EQ(RunCli(std::string("generate --seed 1 ") + settings).status, 2) << settings;
  const CliResult capped = RunCli("generate --level 0 --minvis 64 --seed 1 --attempts 7");
  EXPECT_EQ(capped.status, 3);
  EXPECT_EQ(capped.out, "");
  EXPECT_EQ(capped.err, "tavimoro-cli: no puzzle met the settings in 7 attempts; --attempts N allows more\n");
}

// A full disk or a closed pipe under standard output: every command names
// the reason and exits 1 (a closed pipe must not end it by its signal).
TEST(CliBadInput, FailingStandardOutputIsReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const testing::TempDir temp;
  const fs::path in = temp.Path() / "in", err = temp.Path() / "err";
  int closedPipe[2];
  ASSERT_EQ(::pipe(closedPipe), 0);
  ::close(closedPipe[0]);
  const std::pair<std::string, int> sinks[] = {{"> /dev/full", ENOSPC},
                                               {">&" + std::to_string(closedPipe[1]), EPIPE}};
  for (const auto& [sink, reason] : sinks) {
    for (const char* arguments : {"validate", "rate", "step", "trace", "generate --level 0 --seed 1",
                                  "--help", "play --ini /dev/null/x.ini"}) {
      std::ofstream(in) << (std::string(arguments).starts_with("play") ? "show" : kUnique) << "\n";
      const std::string command = std::string("'") + TAVIMORO_CLI_PATH + "' " + arguments + " < '" +
                                  in.string() + "' " + sink + " 2> '" + err.string() + "'";
      const int raw = std::system(command.c_str());
      EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << arguments << " " << sink << " " << raw;
      EXPECT_EQ(testing::ReadWhole(err),
                std::string("tavimoro-cli: cannot write standard output: ") + std::strerror(reason) + "\n")
          << arguments << " " << sink;
    }
  }
  ::close(closedPipe[1]);
}

TEST(CliBadInput, ANulInASavedPuzzleNameIsNamed) {
  const testing::TempDir temp;
  const std::string ini = (temp.Path() / "Tavimoro.ini").string();
  const std::string script =
      "apply " + kUnique + "\ninput bad" + std::string(1, '\0') + "name\ninput\nmenu mnuSave\nshow\n";
  const CliResult run = RunCli("play --ini '" + ini + "'", script);
  ASSERT_EQ(run.Lines().size(), 1u) << run.err;
  const auto shown = nlohmann::json::parse(run.Lines()[0]);
  ASSERT_EQ(shown["messages"].size(), 2u);
  EXPECT_EQ(shown["messages"][0]["text"], "The name cannot contain a NUL character.");
}

}  // namespace
}  // namespace tavimoro
