#include <gtest/gtest.h>

#include "common/candidate_board.h"
#include "common/hand_board.h"
#include "engine/steps/pattern_steps.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CandidateBoard;
using testing::Cell;
using testing::CellsColoured;
using testing::HeadOf;
using testing::LinesOf;
using testing::StepHead;
using Lines = std::vector<testing::DrawnLine>;

// A bivalue grave on an empty board: every cell keeps its digit of a valid
// grid and the next digit (9 wraps to 1), so every digit has exactly two
// places in every house.
int GraveDigit(int cell) { return (3 * (cell / 9) + cell / 27 + cell % 9) % 9 + 1; }
int NextDigit(int cell) { return GraveDigit(cell) % 9 + 1; }

CandidateBoard Grave() {
  CandidateBoard board;
  for (int c = 0; c < 81; ++c) board.Keep(c, {GraveDigit(c), NextDigit(c)});
  return board;
}

TEST(UniqueRectangle, ThreeBivalueCornersClearTheFourth) {
  // A = r1c1, B = r1c4 in two blocks, C = r3c1 in A's block, D = r3c4.
  const auto s = CandidateBoard()
                     .Keep(Cell(1, 1), {4, 7})
                     .Keep(Cell(1, 4), {4, 7})
                     .Keep(Cell(3, 1), {4, 7})
                     .Keep(Cell(3, 4), {4, 7, 8, 9})
                     .State();
  StepRecord step;
  ASSERT_TRUE(steps::FindUniqueRectangle(s, step));
  EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 12, -1, 0, "UNIQUE RECTANGLE TYPE 1: ", ""));
  EXPECT_EQ(testing::Eliminations(step),
            (std::vector<std::pair<int, int>>{{Cell(3, 4), 4}, {Cell(3, 4), 7}}));
  EXPECT_EQ(CellsColoured(step, 0).size(), 81u);
  // A and C share a column: A-B, A-C, B-D, C-D.
  EXPECT_EQ(LinesOf(step), (Lines{{Cell(1, 1), Cell(1, 4), LineColour, 1},
                                  {Cell(1, 1), Cell(3, 1), LineColour, 1},
                                  {Cell(1, 4), Cell(3, 4), LineColour, 1},
                                  {Cell(3, 1), Cell(3, 4), LineColour, 1}}));
}

TEST(UniqueRectangle, CornerBelowBSwapsTheSidesAndFlagsOnlyWhatDHas) {
  // A = r2c2, B = r2c3 share block 1; C = r7c3 under B, D = r7c2 lacks 6.
  const auto s = CandidateBoard()
                     .Keep(Cell(2, 2), {2, 6})
                     .Keep(Cell(2, 3), {2, 6})
                     .Keep(Cell(7, 3), {2, 6})
                     .Keep(Cell(7, 2), {2, 5})
                     .State();
  StepRecord step;
  ASSERT_TRUE(steps::FindUniqueRectangle(s, step));
  EXPECT_EQ(step.EliminateMask[Cell(7, 2)], DigitBit(2));
  EXPECT_EQ(step.Lines[1].ToCell, Cell(7, 2));  // A to D
  EXPECT_EQ(step.Lines[2].ToCell, Cell(7, 3));  // B to C
}

TEST(BugType1, OneTrivalueCellAmongMoreThanTwoPairs) {
  // Cells other than these keep one candidate and are not counted.
  auto board = CandidateBoard();
  for (int c = 0; c < 81; ++c) board.Keep(c, {c % 9 + 1});
  board.Keep(10, {1, 2, 3}).Keep(20, {1, 2}).Keep(30, {4, 5});
  StepRecord step;
  EXPECT_FALSE(steps::FindBugType1(board.State(), step));  // two pairs only

  board.Keep(40, {6, 7});
  ASSERT_TRUE(steps::FindBugType1(board.State(), step));
  // No unique solution: nothing to place.
  EXPECT_EQ(HeadOf(step), StepHead(kPlaceValue, 9, 10, 0, "BUG TYPE 1: ", ""));
  EXPECT_EQ(CellsColoured(step, PatternColour), std::vector<int>{10});

  StepRecord none;
  EXPECT_FALSE(steps::FindBugType1(board.Keep(50, {1, 2, 3}).State(), none));  // a second triple
  EXPECT_EQ(none.Cell, -1);
}

TEST(Bug, FourCandidatesAnywhereRuleOutBothTypes) {
  // Two cells of row 1 with 5 among their grave digits.
  const int t1 = Cell(1, 4), t2 = Cell(1, 5);
  auto board = Grave().Keep(t1, {GraveDigit(t1), NextDigit(t1), 1});
  StepRecord step;
  ASSERT_TRUE(steps::FindBugType1(board.State(), step));
  board.Keep(t2, {GraveDigit(t2), NextDigit(t2), 1, 3});
  EXPECT_FALSE(steps::FindBugType1(board.State(), step));
  EXPECT_FALSE(steps::FindBugType2(board.State(), step));
}

TEST(BugType2, TheExtraDigitGoesFromCellsThatSeeEveryTriple) {
  // Two triple cells of row 1, in blocks 1 and 3, both with an extra 9:
  // r1c2 {2, 3, 9} and r1c7 {7, 8, 9}; 9 is a grave digit of r1c8 and r1c9.
  const int t1 = Cell(1, 2), t2 = Cell(1, 7);
  auto board =
      Grave().Keep(t1, {GraveDigit(t1), NextDigit(t1), 9}).Keep(t2, {GraveDigit(t2), NextDigit(t2), 9});
  StepRecord step;
  ASSERT_TRUE(steps::FindBugType2(board.State(), step));
  EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 15, -1, 0, "BUG TYPE 2: ", "9"));
  EXPECT_EQ(testing::Eliminations(step),
            (std::vector<std::pair<int, int>>{{Cell(1, 8), 9}, {Cell(1, 9), 9}}));
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{t1, t2}));

  // An excess of a second digit anywhere spoils the pattern.
  ASSERT_EQ(GraveDigit(Cell(5, 5)), 9);
  StepRecord none;
  EXPECT_FALSE(steps::FindBugType2(board.Keep(Cell(5, 5), {9, 1, 2}).State(), none));
  EXPECT_EQ(none.Kind, kNoStep);
}

TEST(BugType2, NoTrivalueCellMeansNoStep) {
  // A bivalue cell whose second digit is swapped for 9 gives 9 three places
  // in its houses, but with no trivalue cell there is no pattern.
  const int odd = Cell(4, 4);
  const int extra = GraveDigit(odd) == 8 || GraveDigit(odd) == 9 ? 5 : 9;
  StepRecord step;
  EXPECT_FALSE(steps::FindBugType2(Grave().Keep(odd, {GraveDigit(odd), extra}).State(), step));
  EXPECT_FALSE(step.AnyEliminated());
}

TEST(UniqueRectangle, ACornerThatLostADigitCountsOnlyWithTheOption) {
  // Floor r1c1, r1c4 {1, 2}; roofs r2c1 {1, 2, 3} and r2c4 {2, 3}, which
  // lost 1: one roof is 3 either way, so row 2 loses its other 3s.
  const auto board = CandidateBoard()
                         .Keep(Cell(1, 1), {1, 2})
                         .Keep(Cell(1, 4), {1, 2})
                         .Keep(Cell(2, 1), {1, 2, 3})
                         .Keep(Cell(2, 4), {2, 3});
  StepRecord with, without;
  EXPECT_TRUE(steps::FindUniqueRectangleType(board.State(), with, TechniqueId::UniqueRectangle2, true));
  EXPECT_FALSE(steps::FindUniqueRectangleType(board.State(), without, TechniqueId::UniqueRectangle2, false));
  EXPECT_EQ(without.Kind, kNoStep);
}

}  // namespace
}  // namespace tavimoro
