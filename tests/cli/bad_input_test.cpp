// tavimoro-cli under a failing output and a name the settings file cannot
// hold (the refused lines and settings are in cli_commands.txt).
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
