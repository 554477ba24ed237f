// Soundness of the whole ladder on the shared collections: solving as the
// rating (and `tavimoro-cli trace`) does, every placement must be the
// solution's digit and no elimination may remove it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "common/corpus.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

class LadderSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(LadderSoundness, EveryStepAgreesWithTheSolution) {
  const char* file = GetParam();
  const auto lines = testing::CorpusLines(file);
  TAVIMORO_REQUIRE_CORPUS(lines, file);
  // Every puzzle (19,744 in all); every tenth under the sanitizers.
  const std::size_t stride = std::getenv("TAVIMORO_SANITIZED") ? 10 : 1;

  int puzzles = 0;
  TechniqueCounts total{};
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    const PuzzleState start = PuzzleFromString(lines[i]);
    PuzzleState solved = start;
    ASSERT_EQ(Validate(solved, false, true, false), "") << lines[i];
    int faults = 0;
    TechniqueCounts counts{};
    Rate(start, counts, kNoTechniqueLimit, [&](const StepRecord& step) {
      if (step.Kind == kPlaceValue) {
        if (step.Value != solved.Grid[step.Cell]) ++faults;
        EXPECT_EQ(step.Value, solved.Grid[step.Cell])
            << lines[i] << " technique " << step.Technique << " cell " << step.Cell;
        return;
      }
      for (int c = 0; c < 81; ++c) {
        if (!step.Eliminate(c, solved.Grid[c])) continue;
        ++faults;
        ADD_FAILURE() << lines[i] << " technique " << step.Technique << " removes the solution "
                      << int{solved.Grid[c]} << " from cell " << c << "\n"
                      << step.Text.view();
      }
    });
    ASSERT_EQ(faults, 0) << lines[i];
    for (int t = 0; t <= kComplexForcingChains; ++t) total[t] += counts[t] > 0;
    ++puzzles;
  }
  std::cout << file << ": " << puzzles << " puzzles; puzzles per technique";
  for (int t = 0; t <= kComplexForcingChains; ++t) std::cout << ' ' << t << ':' << total[t];
  std::cout << '\n';
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
