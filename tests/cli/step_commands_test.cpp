// tavimoro-cli step, trace and rate: exact output, order and exit status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/cli_run.h"
#include "common/corpus.h"
#include "common/puzzles.h"

namespace tavimoro {
namespace {

using nlohmann::json;
using testing::RunCli;

// Its first step is a claiming omission along row 4.
const std::string kOmissionFirst =
    "....4...1.3.6.....8........1.9..5.........87....2......7....26.5...94.........3..";
const std::string kSolved = testing::kSolvedGrid;
const std::string kEasy = testing::kSinglesOnly;

TEST(StepCommand, PrintsTheStepObjectWithKeysInOrder) {
  auto result = RunCli("step", kOmissionFirst + "\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "{\"kind\":2,\"technique\":3,\"cell\":-1,\"value\":0,\"text\":\"OMISSION (Claiming): R\","
            "\"digits\":\"\",\"eliminate\":[[49,7],[50,7]],\"colours\":[[27,16777170],[28,16777170],"
            "[29,16777170],[30,16777088],[31,16777088],[32,16777170],[33,16777170],[34,16777170],"
            "[35,16777170],[49,16761087],[50,16761087]],\"lines\":[]}\n");

  result = RunCli("step --max-technique 2", kOmissionFirst + "\n");  // below the first step
  EXPECT_EQ(result.out,
            "{\"kind\":0,\"technique\":0,\"cell\":-1,\"value\":0,\"text\":\"\",\"digits\":\"\","
            "\"eliminate\":[],\"colours\":[],\"lines\":[]}\n");
}

TEST(StepCommands, BadArgumentsAreUsageErrors) {
  for (const auto& [arguments, option] :
       {std::pair{"step --max-technique x", "--max-technique"}, std::pair{"rate -j 0", "-j"}}) {
    const auto result = RunCli(arguments, "");
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_EQ(result.out, "") << arguments;
    EXPECT_NE(result.err.find(option), std::string::npos) << arguments << "\n" << result.err;
  }
}

TEST(TraceCommand, PrintsEveryAppliedStepThenTheSummary) {
  const auto result = RunCli("trace", kEasy + "\n" + kSolved + "\n");
  EXPECT_EQ(result.status, 0);
  const auto lines = result.Lines();
  ASSERT_EQ(lines.size(), 6u);
  for (int i = 0; i < 4; ++i) {
    const auto step = json::parse(lines[i]);
    EXPECT_EQ(step["kind"], 1);
    EXPECT_LE(step["technique"].get<int>(), 1);
  }
  EXPECT_EQ(json::parse(lines[4])["counts"].size(), 19u);
  EXPECT_EQ(lines[5], "{\"rating\":0,\"counts\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}");
}

TEST(TraceCommand, StuckSolveEndsWithRating18) {
  const auto lines = RunCli("trace --max-technique 8", kOmissionFirst + "\n").Lines();
  ASSERT_FALSE(lines.empty());
  const auto summary = json::parse(lines.back());
  EXPECT_EQ(summary["rating"], 18);
  EXPECT_EQ(summary["counts"][18], 1);
  int counted = 0;
  for (int n = 0; n < 18; ++n) counted += summary["counts"][n].get<int>();
  EXPECT_EQ(counted, static_cast<int>(lines.size()) - 1);
}

TEST(RateCommand, PrintsOneObjectPerPuzzle) {
  const auto result = RunCli("rate", kSolved + "\n# a comment\n\n" + kEasy + "\n");
  EXPECT_EQ(result.status, 0);
  const auto lines = result.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "{\"puzzle\":\"" + kSolved +
                          "\",\"rating\":0,\"level\":1,\"counts\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],"
                          "\"singles\":0}");
  const auto easy = json::parse(lines[1]);
  EXPECT_EQ(easy["puzzle"], kEasy);
  EXPECT_EQ(easy["level"], 1);
  EXPECT_EQ(easy["singles"], 4);

  const auto stuck = json::parse(RunCli("rate --max-technique 8", kOmissionFirst + "\n").out);
  EXPECT_EQ(stuck["rating"], 18);
  EXPECT_EQ(stuck["level"], 6);
}

TEST(RateCommand, ThreadsKeepTheInputOrder) {
  std::vector<std::string> puzzles = testing::CorpusLines("top1465.txt");
  if (puzzles.size() > 600) puzzles.resize(600);
  for (int i = 0; i < 50; ++i) puzzles.push_back(i % 2 ? kEasy : kOmissionFirst);
  std::string input;
  for (const auto& p : puzzles) input += p + "\n";
  const auto one = RunCli("rate --max-technique 8", input);
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.Lines().size(), puzzles.size());
  EXPECT_EQ(RunCli("rate --max-technique 8 -j 3", input).out, one.out);
  EXPECT_EQ(RunCli("rate -j2 --max-technique 8", input).out, one.out);
}

TEST(RateCommand, UnreadableFileExitsOneAfterEarlierFiles) {
  const auto result = RunCli("rate - /nonexistent/puzzles.txt", kSolved + "\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.Lines().size(), 1u);
  EXPECT_NE(result.err.find("cannot read /nonexistent/puzzles.txt"), std::string::npos);
}

}  // namespace
}  // namespace tavimoro
