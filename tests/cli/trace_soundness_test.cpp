// tavimoro-cli trace on the hardest shared collections: every placement it
// prints is the solution's digit and no elimination removes that digit.
// (The engine tests check the same over every collection in-process.)
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

class TraceSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(TraceSoundness, PrintedStepsAgreeWithTheSolution) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  // Every puzzle; every tenth under the sanitizers.
  const std::size_t stride = std::getenv("TAVIMORO_SANITIZED") ? 10 : 1;
  std::vector<std::string> puzzles;
  for (std::size_t i = 0; i < lines.size(); i += stride) puzzles.push_back(lines[i]);
  std::string input;
  for (const auto& p : puzzles) input += p + "\n";
  const auto result = testing::RunCli("trace", input);
  ASSERT_EQ(result.status, 0) << result.err;

  std::size_t puzzle = 0;
  PuzzleState solved;
  bool fresh = true;
  for (const auto& line : result.Lines()) {
    ASSERT_LT(puzzle, puzzles.size());
    if (fresh) {
      solved = PuzzleFromString(puzzles[puzzle]);
      ASSERT_EQ(Validate(solved, false, true, false), "") << puzzles[puzzle];
      fresh = false;
    }
    const auto object = nlohmann::json::parse(line);
    if (object.contains("rating")) {  // the summary closes the puzzle
      ++puzzle;
      fresh = true;
      continue;
    }
    if (object["kind"] == 1) {
      EXPECT_EQ(object["value"].get<int>(), solved.Grid[object["cell"].get<int>()]) << puzzles[puzzle] << "\n"
                                                                                    << line;
    }
    for (const auto& pair : object["eliminate"]) {
      EXPECT_NE(pair[1].get<int>(), solved.Grid[pair[0].get<int>()]) << puzzles[puzzle] << "\n" << line;
    }
  }
  EXPECT_EQ(puzzle, puzzles.size());
}

INSTANTIATE_TEST_SUITE_P(HardestCollections, TraceSoundness,
                         ::testing::Values("top1465.txt", "forum_hardest.txt"), [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
