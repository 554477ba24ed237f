// Omission: the two forms, their texts and the three colours.
#include <gtest/gtest.h>

#include "common/hand_board.h"
#include "engine/step_finder.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CellsColoured;
using testing::Eliminations;
using testing::HandBoard;
using Pairs = std::vector<std::pair<int, int>>;

TEST(Omission, ClaimingClearsTheBlockOutsideTheRow) {
  // Row 1's 1s lie in cells 0 and 1 (block 1); cell 8 is filled.
  const PuzzleState s = HandBoard("........9").Remove({2, 3, 4, 5, 6, 7}, "1").State();
  StepRecord step;
  ASSERT_TRUE(steps::FindOmission(s, step));
  EXPECT_EQ(step.Kind, kEliminate);
  EXPECT_EQ(step.Technique, 3);
  EXPECT_EQ(step.Text, "OMISSION (Claiming): R");
  EXPECT_TRUE(step.Digits.empty());
  EXPECT_EQ(Eliminations(step), (Pairs{{9, 1}, {10, 1}, {11, 1}, {18, 1}, {19, 1}, {20, 1}}));
  EXPECT_EQ(CellsColoured(step, EliminationColour), (std::vector<int>{9, 10, 11, 18, 19, 20}));
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{0, 1}));
  EXPECT_EQ(CellsColoured(step, UnitColour), (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
}

TEST(Omission, PointingAlongAColumnCarriesOnlyTheLineLetter) {
  // Block 1's 5s lie in column 1 only.
  const PuzzleState s = HandBoard().Remove({1, 2, 10, 11, 19, 20}, "5").State();
  const StepRecord step = FindNextStep(s, 3);
  EXPECT_EQ(step.Technique, 3);
  EXPECT_EQ(step.Text, "OMISSION (Pointing): C");
  EXPECT_EQ(Eliminations(step), (Pairs{{27, 5}, {36, 5}, {45, 5}, {54, 5}, {63, 5}, {72, 5}}));
  EXPECT_EQ(CellsColoured(step, EliminationColour), (std::vector<int>{27, 36, 45, 54, 63, 72}));
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{0, 9, 18}));
  EXPECT_EQ(CellsColoured(step, UnitColour), (std::vector<int>{1, 2, 10, 11, 19, 20}));
}

TEST(Omission, PointingGivesFilledCellsOfTheBlockTheUnitColour) {
  const PuzzleState s = HandBoard(".78").Remove({10, 11, 19, 20}, "5").State();
  StepRecord step;
  ASSERT_TRUE(steps::FindOmission(s, step));
  EXPECT_EQ(step.Text, "OMISSION (Pointing): C");
  EXPECT_EQ(CellsColoured(step, UnitColour), (std::vector<int>{1, 2, 10, 11, 19, 20}));
}

TEST(Omission, LineAndBlockSharingTheirOnlyPlacesGiveNothing) {
  // Row 1 and block 1 both hold their 1s only in cells 0 and 1.
  const PuzzleState s = HandBoard().RemoveInHouseExcept(0, {0, 1}, "1").RemoveInHouseExcept(18, {0, 1}, "1").State();
  StepRecord step;
  EXPECT_FALSE(steps::FindOmission(s, step));
  EXPECT_EQ(step.Kind, kNoStep);
  EXPECT_TRUE(CellsColoured(step, UnitColour).empty());
}

TEST(Omission, RowsAreScannedBeforeColumns) {
  // A pointing pair in column 9 (block 3) and a claiming in row 9.
  const PuzzleState s =
      HandBoard().Remove({6, 7, 15, 16, 24, 25}, "4").Remove({72, 73, 74, 75, 76, 77}, "8").State();
  StepRecord step;
  ASSERT_TRUE(steps::FindOmission(s, step));
  EXPECT_EQ(step.Text, "OMISSION (Claiming): R");
  EXPECT_TRUE(step.Eliminate(60, 8));
}

}  // namespace
}  // namespace tavimoro
