// Hints for the techniques beyond the ladder: worded from the step's
// meaning (a blanked trace changes nothing), each with its own explanation,
// and a chain walked node by node.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "board/hint_composer.h"
#include "common/corpus.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

TEST(ExtendedHint, EveryTechniqueMetIsWordedFromItsMeaning) {
  const auto lines = testing::CorpusLines("top1465.txt");
  TAVIMORO_REQUIRE_CORPUS(lines, "top1465.txt");
  std::map<int, StepRecord> firstOf;
  const std::size_t stride = std::getenv("TAVIMORO_SANITIZED") ? 8 : 2;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    SolveExtended(PuzzleFromString(lines[i]), kNoTechniqueLimit, [&](const StepRecord& step) {
      if (Index(step.Technique) > Index(kStuckRating)) firstOf.try_emplace(Index(step.Technique), step);
    });
  }
  ASSERT_GE(firstOf.size(), 10u);
  for (const auto& [technique, step] : firstOf) {
    SCOPED_TRACE(TechniqueName(static_cast<TechniqueId>(technique), false));
    StepRecord blank = step;
    blank.Text = StepText();
    for (int level = 1; level <= 3; ++level) {
      const std::string text =
          step.Kind == kPlaceValue ? PlacementHintText(step, level) : EliminationHintText(step, level);
      EXPECT_EQ(text, step.Kind == kPlaceValue ? PlacementHintText(blank, level)
                                               : EliminationHintText(blank, level));
    }
    if (step.Kind == kEliminate) {
      EXPECT_EQ(EliminationHintText(step, 3).find("The blue cells form the pattern"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace tavimoro

namespace tavimoro {
namespace {

// A colour of one cluster that sees both colours of another is false: R2C3
// sees R3C2 and R3C3, the two colours of the other cluster of 1s. Told as
// that, never walked as a chain that starts on a weak link.
TEST(ExtendedHint, MultiColouringMeetingBothColoursSaysWhichColourIsFalse) {
  const PuzzleState s =
      PuzzleFromString(".......71.2.8........5.3...7.9.6.......2..8..1.........3...25..6...1..4..........");
  StepRecord step;
  ASSERT_TRUE(FindWithTechnique(s, TechniqueId::MultiColouring, step));
  const std::string text = EliminationHintText(step, 3, &s);
  for (const char* piece : {"R2C3 sees R3C2 and R3C3, which have opposite colours of the second",
                            "so that colour is false: R2C3 loses the 1.", "Remove the 1 from R2C3."})
    EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
  EXPECT_EQ(text.find("If R2C3 is not 1"), std::string::npos) << text;
}

}  // namespace
}  // namespace tavimoro
