// The ladder's control flow and the two singles.
#include <gtest/gtest.h>

#include "common/hand_board.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

using testing::HandBoard;

constexpr const char* kSolved =
    "123456789456789123789123456214365897365897214897214365531642978642978531978531642";

// Every digit has several places in every house, and one cell has only 3.
PuzzleState NakedSingleAt40() { return HandBoard().Only(40, "3").State(); }

// Digit 2 of row 1 fits only cell 4; no cell has a single candidate.
PuzzleState HiddenSingleInRow() { return HandBoard().RemoveInHouseExcept(0, {4}, "2").State(); }

TEST(Ladder, NakedSingleIsTriedEvenBelowLimitZero) {
  const StepRecord step = FindNextStep(NakedSingleAt40(), -1);
  EXPECT_EQ(step.Kind, kPlaceValue);
  EXPECT_EQ(step.Technique, 0);
  EXPECT_EQ(step.Cell, 40);
  EXPECT_EQ(step.Value, 3);
  EXPECT_EQ(step.Text, "NAKED SINGLE: 3 is the only possible value for this cell.");
}

TEST(Ladder, LimitZeroStopsBeforeTheHiddenSingle) {
  const StepRecord none = FindNextStep(HiddenSingleInRow(), 0);
  EXPECT_EQ(none.Kind, kNoStep);
  EXPECT_EQ(none.Technique, 0);
  EXPECT_EQ(none.Cell, -1);
  EXPECT_EQ(none.Value, 0);
  EXPECT_TRUE(none.Text.empty());
  EXPECT_FALSE(none.AnyEliminated());

  const StepRecord found = FindNextStep(HiddenSingleInRow(), 1);
  EXPECT_EQ(found.Kind, kPlaceValue);
  EXPECT_EQ(found.Technique, 1);
  EXPECT_EQ(found.Cell, 4);
  EXPECT_EQ(found.Value, 2);
  EXPECT_EQ(found.Text, "It contains the only 2 in its row.");
}

TEST(Ladder, FilledBoardHasNoStepAtAnyLimit) {
  const PuzzleState solved = PuzzleFromString(kSolved);
  for (int limit : {-1, 0, 1, 8, kNoTechniqueLimit}) {
    const StepRecord step = FindNextStep(solved, limit);
    EXPECT_EQ(step.Kind, kNoStep) << limit;
    EXPECT_EQ(step.Cell, -1) << limit;
  }
}

TEST(Ladder, NakedSingleComesFirstAtTheLowestCell) {
  const PuzzleState s = HandBoard().Only(70, "6").Only(40, "3").RemoveInHouseExcept(18, {10}, "2").State();
  const StepRecord step = FindNextStep(s, kNoTechniqueLimit);
  EXPECT_EQ(step.Technique, 0);
  EXPECT_EQ(step.Cell, 40);
  EXPECT_EQ(step.Value, 3);
}

TEST(Ladder, FindNextStepLeavesTheStateAlone) {
  const PuzzleState s = HiddenSingleInRow();
  const PuzzleState before = s;
  (void)FindNextStep(s, kNoTechniqueLimit);
  EXPECT_EQ(PuzzleToString(s), PuzzleToString(before));
  EXPECT_EQ(s.CandMask, before.CandMask);
}

TEST(HiddenSingle, BlocksBeforeColumnsBeforeRows) {
  // A 2 alone in row 1, a 7 alone in column 9, a 5 alone in block 9.
  HandBoard all;
  all.RemoveInHouseExcept(0, {4}, "2").RemoveInHouseExcept(17, {35}, "7").RemoveInHouseExcept(26, {70}, "5");
  StepRecord step = FindNextStep(all.State(), 1);
  EXPECT_EQ(step.Cell, 70);
  EXPECT_EQ(step.Value, 5);
  EXPECT_EQ(step.Text, "It contains the only 5 in its block.");

  HandBoard noBlock;
  noBlock.RemoveInHouseExcept(0, {4}, "2").RemoveInHouseExcept(17, {35}, "7");
  step = FindNextStep(noBlock.State(), 1);
  EXPECT_EQ(step.Cell, 35);
  EXPECT_EQ(step.Value, 7);
  EXPECT_EQ(step.Text, "It contains the only 7 in its column.");
}

TEST(HiddenSingle, WithinBlocksTheLowerDigitWinsOverTheLowerBlock) {
  const PuzzleState s = HandBoard().RemoveInHouseExcept(18, {10}, "5").RemoveInHouseExcept(26, {70}, "2").State();
  const StepRecord step = FindNextStep(s, 1);
  EXPECT_EQ(step.Cell, 70);
  EXPECT_EQ(step.Value, 2);
}

}  // namespace
}  // namespace tavimoro
