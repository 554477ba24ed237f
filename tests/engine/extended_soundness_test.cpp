// Soundness of the techniques beyond the ladder on the shared collections:
// the ladder solves as far as it can; at every position where it is stuck,
// every one of these techniques is asked, and none may place a digit other
// than the solution's or remove the solution's digit. The first that finds
// something is applied and the ladder goes on, to the last cell, without the
// stated trial.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/corpus.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

// Applies a step to the state through the exclusion table.
void Apply(const StepRecord& step, PuzzleState& s, ExclusionTable& removed) {
  if (step.Kind == kPlaceValue) {
    s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
  } else {
    for (int c = 0; c < 81; ++c)
      removed.Mask[c] = static_cast<std::uint16_t>(removed.Mask[c] | step.EliminateMask[c]);
  }
  CalcCandidates(s, removed);
}

class ExtendedSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(ExtendedSoundness, NoStepContradictsTheSolution) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  const std::size_t stride = testing::ExtendedCorpusStride();
  int positions = 0;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    PuzzleState solved = PuzzleFromString(lines[i]);
    ASSERT_EQ(Validate(solved, false, true, false), "") << lines[i];
    PuzzleState s = PuzzleFromString(lines[i]);
    ExclusionTable removed;
    while (s.FilledCount < 81) {
      StepRecord step = FindNextStep(s, kNoTechniqueLimit);
      if (step.Kind == kNoStep) {
        ++positions;
        StepRecord first;
        for (const TechniqueRow& technique : ExtensionRows()) {
          StepRecord found;
          StepContext context;
          if (!technique.find(s, found, context)) continue;
          if (found.Kind == kPlaceValue) {
            EXPECT_EQ(found.Value, solved.Grid[found.Cell]) << lines[i] << " " << technique.name;
          }
          for (int c = 0; c < 81; ++c) {
            EXPECT_FALSE(found.Eliminate(c, solved.Grid[c]))
                << lines[i] << " " << technique.name << " removes the solution from cell " << c << "\n"
                << found.Text.view() << "\n"
                << PuzzleToString(s);
          }
          if (first.Kind == kNoStep) first = found;
        }
        if (first.Kind == kNoStep) break;
        EXPECT_NE(first.Technique, TechniqueId::Trial) << lines[i] << "\n" << PuzzleToString(s);
        step = first;
      }
      Apply(step, s, removed);
    }
    EXPECT_EQ(s.FilledCount, 81) << lines[i] << " left unfinished at\n" << PuzzleToString(s);
    ASSERT_FALSE(HasFailure()) << lines[i];
  }
  RecordProperty("stuck_positions", positions);
}

INSTANTIATE_TEST_SUITE_P(SharedCollections, ExtendedSoundness,
                         ::testing::Values("17clue.txt", "unbiased.txt", "top1465.txt", "forum_hardest.txt"),
                         [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
