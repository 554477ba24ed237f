#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
  int status = -1;
  std::string out;  // standard output and standard error together
};

CliRun RunCli(const std::string& arguments) {
  CliRun run;
  const std::string command = std::string(TAVIMORO_CLI_PATH) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(GenerateCommand, PrintsOnePuzzleAndItsAttemptsPerLine) {
  const CliRun run = RunCli("generate --level 0 --seed 7 --count 3");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u) << run.out;
  const std::regex shape("[1-9.]{81}\t[1-9][0-9]*");
  for (const auto& line : lines) EXPECT_TRUE(std::regex_match(line, shape)) << line;
}

TEST(GenerateCommand, SeedDeterminesTheOutput) {
  const CliRun a = RunCli("generate --level 1 --clues 0 --symmetry 1 --seed 99 --count 2");
  const CliRun b = RunCli("generate --seed=99 --count 2 --symmetry 1 --clues 0 --level 1");
  const CliRun first = RunCli("generate --level 1 --clues 0 --symmetry 1 --seed 99");
  const CliRun other = RunCli("generate --level 1 --clues 0 --symmetry 1 --seed 100 --count 2");
  ASSERT_EQ(a.status, 0) << a.out;
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(Lines(a.out).front(), Lines(first.out).front());
  EXPECT_NE(a.out, other.out);
}

TEST(GenerateCommand, CustomLevelTakesTechniqueLists) {
  const CliRun run = RunCli("generate --level 6 --allowed 3,5 --required 3 --seed 4");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(Lines(run.out).size(), 1u);
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
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.out.rfind("tavimoro-cli: ", 0), 0u) << arguments << "\n" << run.out;
  }
}

}  // namespace
