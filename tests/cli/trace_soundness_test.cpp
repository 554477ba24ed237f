// tavimoro-cli trace (and trace --extended) on the shared collections: every
// placement it prints is the solution's digit and no elimination removes
// that digit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "common/cli_run.h"
#include "common/corpus.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

void ExpectTraceAgreesWithTheSolution(const char* file, const std::string& command, std::size_t stride) {
  const auto lines = testing::CorpusLines(file);
  TAVIMORO_REQUIRE_CORPUS(lines, file);
  std::vector<PuzzleState> solved;
  std::string input;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    input += lines[i] + "\n";
    solved.push_back(PuzzleFromString(lines[i]));
    ASSERT_EQ(Validate(solved.back(), false, true, false), "") << lines[i];
  }
  const auto result = testing::RunCli(command, input);
  ASSERT_EQ(result.status, 0) << result.err;

  std::size_t puzzle = 0;
  for (const auto& line : result.Lines()) {
    ASSERT_LT(puzzle, solved.size());
    const auto object = nlohmann::json::parse(line);
    const auto& grid = solved[puzzle].Grid;
    if (object.contains("rating")) {  // the summary closes the puzzle
      ++puzzle;
      continue;
    }
    if (object["kind"] == 1) {
      EXPECT_EQ(object["value"].get<int>(), grid[object["cell"].get<int>()])
          << "puzzle " << puzzle << ": " << line;
    }
    for (const auto& pair : object["eliminate"])
      EXPECT_NE(pair[1].get<int>(), grid[pair[0].get<int>()]) << "puzzle " << puzzle << ": " << line;
  }
  EXPECT_EQ(puzzle, solved.size());
}

class TraceSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(TraceSoundness, PrintedStepsAgreeWithTheSolution) {
  ExpectTraceAgreesWithTheSolution(GetParam(), "trace", std::getenv("TAVIMORO_SANITIZED") ? 10 : 1);
}

class ExtendedTraceSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(ExtendedTraceSoundness, PrintedStepsAgreeWithTheSolution) {
  ExpectTraceAgreesWithTheSolution(GetParam(), "trace --extended", testing::ExtendedCorpusStride());
}

INSTANTIATE_TEST_SUITE_P(HardestCollections, TraceSoundness,
                         ::testing::Values("top1465.txt", "forum_hardest.txt"), [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

INSTANTIATE_TEST_SUITE_P(SharedCollections, ExtendedTraceSoundness,
                         ::testing::Values("top1465.txt", "forum_hardest.txt", "unbiased.txt", "17clue.txt"),
                         [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
