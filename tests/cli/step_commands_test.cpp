// rate on several threads prints its objects in the input's order.
#include <gtest/gtest.h>

#include "common/cli_run.h"
#include "common/corpus.h"
#include "common/puzzles.h"

namespace tavimoro {
namespace {

using testing::RunCli;

// Its first step is a claiming omission along row 4.
const std::string kOmissionFirst =
    "....4...1.3.6.....8........1.9..5.........87....2......7....26.5...94.........3..";
const std::string kEasy = testing::kSinglesOnly;

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

}  // namespace
}  // namespace tavimoro
