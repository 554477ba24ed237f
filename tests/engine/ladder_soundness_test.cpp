// Soundness of the whole ladder on the shared collections: solving as the
// rating (and `tavimoro-cli trace`) does, every placement must be the
// solution's digit and no elimination may remove it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/corpus.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

class LadderSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(LadderSoundness, EveryStepAgreesWithTheSolution) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  // Every puzzle (19,744 in all); every tenth under the sanitizers.
  const std::size_t stride = std::getenv("TAVIMORO_SANITIZED") ? 10 : 1;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    PuzzleState solved = PuzzleFromString(lines[i]);
    ASSERT_EQ(Validate(solved, false, true, false), "") << lines[i];
    TechniqueCounts counts{};
    Rate(PuzzleFromString(lines[i]), counts, kNoTechniqueLimit, [&](const StepRecord& step) {
      if (step.Kind == kPlaceValue) {
        EXPECT_EQ(step.Value, solved.Grid[step.Cell]) << lines[i] << " technique " << Index(step.Technique);
        return;
      }
      for (int c = 0; c < 81; ++c) {
        EXPECT_FALSE(step.Eliminate(c, solved.Grid[c])) << lines[i] << " technique " << Index(step.Technique)
                                                        << " removes the solution from cell " << c << "\n"
                                                        << step.Text.view();
      }
    });
    ASSERT_FALSE(HasFailure()) << lines[i];
  }
}

INSTANTIATE_TEST_SUITE_P(SharedCollections, LadderSoundness,
                         ::testing::Values("17clue.txt", "unbiased.txt", "kaggle.txt", "top1465.txt",
                                           "forum_hardest.txt"),
                         [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
