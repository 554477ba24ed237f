// Every step of the logical solve agrees with the unique solution: a
// placement puts the solution digit, an elimination never removes it. Run
// over the shared collections, with every rung the ladder has.
#include <gtest/gtest.h>

#include "common/corpus.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

class Soundness : public ::testing::TestWithParam<const char*> {};

TEST_P(Soundness, EveryStepAgreesWithTheSolution) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  int unsound = 0;
  for (const auto& line : lines) {
    const PuzzleState puzzle = PuzzleFromString(line);
    PuzzleState solved = puzzle;
    ASSERT_EQ(Validate(solved, false, false, false), "") << line;
    TechniqueCounts counts;
    int index = 0;
    Rate(puzzle, counts, kNoTechniqueLimit, [&](const StepRecord& step) {
      bool sound = true;
      if (step.Kind == kPlaceValue) sound = solved.Grid[step.Cell] == step.Value;
      for (int c = 0; c < 81; ++c)
        if (step.Eliminate(c, solved.Grid[c])) sound = false;
      if (!sound && ++unsound <= 5) {
        ADD_FAILURE() << line << " step " << index << ": technique " << step.Technique << " "
                      << step.Text.view();
      }
      ++index;
    });
  }
  EXPECT_EQ(unsound, 0);
}

INSTANTIATE_TEST_SUITE_P(Collections, Soundness,
                         ::testing::Values("17clue.txt", "top1465.txt", "forum_hardest.txt", "kaggle.txt",
                                           "unbiased.txt"),
                         [](const auto& param) {
                           std::string name = param.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
