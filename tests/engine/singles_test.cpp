// The ladder's control flow and the two singles.
#include <gtest/gtest.h>

#include "common/hand_board.h"
#include "common/puzzles.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

using testing::HandBoard;
using testing::HeadOf;
using testing::StepHead;

// Digit 2 of row 1 fits only cell 4; no cell has a single candidate.
PuzzleState HiddenSingleInRow() { return HandBoard().RemoveInHouseExcept(0, {4}, "2").State(); }

TEST(Ladder, NakedSingleIsTriedEvenBelowLimitZero) {
  const StepRecord step = FindNextStep(HandBoard().Only(40, "3").State(), -1);
  EXPECT_EQ(HeadOf(step),
            StepHead(kPlaceValue, 0, 40, 3, "NAKED SINGLE: 3 is the only possible value for this cell.", ""));
}

TEST(Ladder, LimitZeroStopsBeforeTheHiddenSingle) {
  const PuzzleState s = HiddenSingleInRow();
  const PuzzleState before = s;
  const StepRecord none = FindNextStep(s, 0);
  EXPECT_EQ(HeadOf(none), StepHead(kNoStep, 0, -1, 0, "", ""));
  EXPECT_FALSE(none.AnyEliminated());

  const StepRecord found = FindNextStep(s, 1);
  EXPECT_EQ(HeadOf(found), StepHead(kPlaceValue, 1, 4, 2, "It contains the only 2 in its row.", ""));
  EXPECT_TRUE(testing::SameRecord(s, before));
}

TEST(Ladder, FilledBoardHasNoStepAtAnyLimit) {
  const PuzzleState solved = PuzzleFromString(testing::kSolvedGrid);
  for (int limit : {-1, 0, 1, 8, kNoTechniqueLimit})
    EXPECT_EQ(FindNextStep(solved, limit).Kind, kNoStep) << limit;
}

// Scan order: naked singles first, at the lowest cell; then hidden singles
// in blocks, columns, rows; within blocks the lower digit before the lower
// block.
TEST(Ladder, ScanOrderOfTheSingles) {
  const struct {
    HandBoard board;
    int cell, value;
    const char* text;
  } cases[] = {
      {HandBoard().Only(70, "6").Only(40, "3").RemoveInHouseExcept(18, {10}, "2"), 40, 3,
       "NAKED SINGLE: 3 is the only possible value for this cell."},
      {HandBoard()
           .RemoveInHouseExcept(0, {4}, "2")
           .RemoveInHouseExcept(17, {35}, "7")
           .RemoveInHouseExcept(26, {70}, "5"),
       70, 5, "It contains the only 5 in its block."},
      {HandBoard().RemoveInHouseExcept(0, {4}, "2").RemoveInHouseExcept(17, {35}, "7"), 35, 7,
       "It contains the only 7 in its column."},
      {HandBoard().RemoveInHouseExcept(18, {10}, "5").RemoveInHouseExcept(26, {70}, "2"), 70, 2,
       "It contains the only 2 in its block."},
  };
  for (const auto& c : cases) {
    const StepRecord step = FindNextStep(c.board.State(), kNoTechniqueLimit);
    EXPECT_EQ(step.Cell, c.cell);
    EXPECT_EQ(step.Value, c.value);
    EXPECT_EQ(step.Text, c.text);
  }
}

}  // namespace
}  // namespace tavimoro
