// Hints for the techniques beyond the ladder: worded from the step's
// meaning (a blanked trace changes nothing), each with its own explanation,
// and a chain walked node by node.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "board/hint_composer.h"
#include "common/corpus.h"
#include "common/hand_board.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

constexpr int Cell(int row, int col) { return 9 * (row - 1) + col - 1; }

TEST(ExtendedHint, ASkyscraperIsWalkedFromEndToEnd) {
  const PuzzleState s =
      testing::HandBoard()
          .Remove({Cell(1, 2), Cell(1, 3), Cell(1, 4), Cell(1, 6), Cell(1, 7), Cell(1, 8), Cell(1, 9)}, "5")
          .Remove({Cell(4, 2), Cell(4, 3), Cell(4, 4), Cell(4, 5), Cell(4, 7), Cell(4, 8), Cell(4, 9)}, "5")
          .State();
  const StepRecord step = FindExtendedStep(s);
  ASSERT_EQ(step.Technique, TechniqueId::Skyscraper);
  const std::string name = TechniqueName(TechniqueId::Skyscraper, true);
  EXPECT_EQ(EliminationHintText(step, 2),
            "<b>HINT:</b> Look for a " + name +
                " starting from R1C5 on the number 5.<br><br>Click \"Hint\" again "
                "for even more...");
  const std::string full = EliminationHintText(step, 3);
  EXPECT_NE(
      full.find("If the 5 in R1C5 is false, then the 5 in R1C1 is true, so the 5 in R4C1 is false, so the 5 "
                "in R4C6 is true. So the 5 in R1C5 or the 5 in R4C6 is true, and a cell that sees both "
                "cannot be 5."),
      std::string::npos)
      << full;
  EXPECT_NE(full.find("Remove the 5 from R2C6, R3C6, R5C5 and R6C5."), std::string::npos) << full;
}

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
    SCOPED_TRACE(std::string(TechniqueName(technique, false)));
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

// An avoidable rectangle names the entered corners with their digits and
// the digits that would complete the pattern.
TEST(ExtendedHint, AnAvoidableRectangleNamesTheEnteredCorners) {
  PuzzleState one = PuzzleFromString("5..8.....8");
  for (int c : {Cell(1, 1), Cell(1, 4), Cell(2, 1)}) one.MarkEntered(c);
  StepRecord step;
  ASSERT_TRUE(FindWithTechnique(one, Index(TechniqueId::AvoidableRectangle1), step));
  const std::string name = TechniqueName(TechniqueId::AvoidableRectangle1, true);
  EXPECT_EQ(EliminationHintText(step, 2), "<b>HINT:</b> Look for an " + name +
                                              " in rows 1 and 2 and columns 1 and 4 on the numbers 5 & 8."
                                              "<br><br>Click \"Hint\" again for even more...");
  EXPECT_EQ(
      EliminationHintText(step, 3),
      "<b>HINT:</b> There is an " + name +
          " in rows 1 and 2 and columns 1 and 4 on the numbers 5 & 8.<br><br>R1C1 (5), R1C4 (8) and R2C1 "
          "(8) were filled in while solving, and no corner of the rectangle is a given. If R2C4 were 5, "
          "the 5s and 8s of its four corners could swap places and the puzzle would have two solutions. "
          "So R2C4 cannot be 5. Remove the 5 from R2C4.");

  ExclusionTable pairs;
  for (int d : {1, 2, 4, 6, 7, 9}) {
    pairs.Set(Cell(2, 1), d);
    pairs.Set(Cell(2, 4), d);
  }
  PuzzleState two = PuzzleFromString("5..8");
  CalcCandidates(two, pairs);
  two.MarkEntered(Cell(1, 1));
  two.MarkEntered(Cell(1, 4));
  StepRecord second;
  ASSERT_TRUE(FindWithTechnique(two, Index(TechniqueId::AvoidableRectangle2), second));
  const std::string full = EliminationHintText(second, 3);
  EXPECT_NE(full.find("R1C1 (5) and R1C4 (8) were filled in while solving, and no corner of the rectangle is "
                      "a given. If R2C1 were 8 and R2C4 were 5, the 5s and 8s of its four corners could swap "
                      "places and the puzzle would have two solutions. Each of R2C1 and R2C4 holds only that "
                      "digit and 3, so one of them is 3, and a cell that sees both cannot be 3."),
            std::string::npos)
      << full;
}

}  // namespace
}  // namespace tavimoro
