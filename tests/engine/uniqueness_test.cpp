#include <gtest/gtest.h>

#include "common/candidate_board.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CandidateBoard;
using testing::Cell;

// A bivalue grave on an empty board: every cell keeps its digit of a valid
// grid and the next digit (9 wraps to 1), so every digit has exactly two
// places in every house.
int GraveDigit(int cell) { return (3 * (cell / 9) + cell / 27 + cell % 9) % 9 + 1; }

CandidateBoard Grave() {
  CandidateBoard board;
  for (int c = 0; c < 81; ++c) board.Keep(c, {GraveDigit(c), GraveDigit(c) % 9 + 1});
  return board;
}

// The cell of row 1 (from column 1) that has digit d.
int CellOfRow1With(int d, int skip = -1) {
  for (int c = 0; c < 9; ++c) {
    if (c != skip && (GraveDigit(c) == d || GraveDigit(c) % 9 + 1 == d)) return c;
  }
  return -1;
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
  EXPECT_EQ(step.Kind, kEliminate);
  EXPECT_EQ(step.Technique, 12);
  EXPECT_EQ(step.Text, "UNIQUE RECTANGLE TYPE 1: ");
  EXPECT_EQ(step.EliminateMask[Cell(3, 4)], DigitBit(4) | DigitBit(7));
  for (auto colour : step.CellColour) EXPECT_EQ(colour, 0u);
  // A and C share a column: A-B, A-C, B-D, C-D.
  const int sides[4][2] = {
      {Cell(1, 1), Cell(1, 4)}, {Cell(1, 1), Cell(3, 1)}, {Cell(1, 4), Cell(3, 4)}, {Cell(3, 1), Cell(3, 4)}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(step.Lines[i].FromCell, sides[i][0]) << i;
    EXPECT_EQ(step.Lines[i].ToCell, sides[i][1]) << i;
    EXPECT_EQ(step.Lines[i].Colour, LineColour);
    EXPECT_EQ(step.Lines[i].Width, 1);
  }
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

TEST(UniqueRectangle, RectangleOverFourBlocksOrWithNothingToRemoveIsNoStep) {
  StepRecord step;
  EXPECT_FALSE(steps::FindUniqueRectangle(
      CandidateBoard().Keep(Cell(1, 1), {4, 7}).Keep(Cell(1, 4), {4, 7}).Keep(Cell(5, 1), {4, 7}).State(),
      step));
  EXPECT_FALSE(steps::FindUniqueRectangle(CandidateBoard()
                                              .Keep(Cell(1, 1), {4, 7})
                                              .Keep(Cell(1, 4), {4, 7})
                                              .Keep(Cell(3, 1), {4, 7})
                                              .Keep(Cell(3, 4), {1, 8})
                                              .State(),
                                          step));
  EXPECT_EQ(step.Kind, kNoStep);
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
  EXPECT_EQ(step.Kind, kPlaceValue);
  EXPECT_EQ(step.Technique, 9);
  EXPECT_EQ(step.Cell, 10);
  EXPECT_EQ(step.Value, 0);  // no unique solution: nothing to place
  EXPECT_EQ(step.Text, "BUG TYPE 1: ");
  EXPECT_EQ(step.CellColour[10], PatternColour);

  StepRecord none;
  EXPECT_FALSE(steps::FindBugType1(board.Keep(50, {1, 2, 3}).State(), none));  // a second triple
  EXPECT_EQ(none.Cell, -1);
}

TEST(Bug, FourCandidatesAnywhereRuleOutBothTypes) {
  const int t1 = CellOfRow1With(5), t2 = CellOfRow1With(5, t1);
  auto board = Grave().Keep(t1, {GraveDigit(t1), GraveDigit(t1) % 9 + 1, 1});
  StepRecord step;
  ASSERT_TRUE(steps::FindBugType1(board.State(), step));
  board.Keep(t2, {GraveDigit(t2), GraveDigit(t2) % 9 + 1, 1, 3});
  EXPECT_FALSE(steps::FindBugType1(board.State(), step));
  EXPECT_FALSE(steps::FindBugType2(board.State(), step));
}

TEST(BugType2, TheExtraDigitGoesFromCellsThatSeeEveryTriple) {
  // Two triple cells of row 1, in blocks 1 and 3, both with an extra 9:
  // r1c2 {2, 3, 9} and r1c7 {7, 8, 9}.
  const int t1 = Cell(1, 2), t2 = Cell(1, 7);
  auto board = Grave()
                   .Keep(t1, {GraveDigit(t1), GraveDigit(t1) % 9 + 1, 9})
                   .Keep(t2, {GraveDigit(t2), GraveDigit(t2) % 9 + 1, 9});
  StepRecord step;
  ASSERT_TRUE(steps::FindBugType2(board.State(), step));
  EXPECT_EQ(step.Kind, kEliminate);
  EXPECT_EQ(step.Technique, 15);
  EXPECT_EQ(step.Text, "BUG TYPE 2: ");
  EXPECT_EQ(step.Digits, "9");
  int victims = 0;
  for (int c = 0; c < 81; ++c) {
    const bool inRow1 = c < 9 && c != t1 && c != t2;
    const bool has9 = GraveDigit(c) == 9 || GraveDigit(c) == 8;
    EXPECT_EQ(step.Eliminate(c, 9), inRow1 && has9) << c;
    EXPECT_EQ(step.EliminateMask[c] & ~DigitBit(9), 0) << c;
    victims += step.Eliminate(c, 9);
  }
  EXPECT_EQ(victims, 2);
  EXPECT_EQ(step.CellColour[t1], PatternColour);
  EXPECT_EQ(step.CellColour[t2], PatternColour);

  // An excess of a second digit anywhere spoils the pattern.
  ASSERT_EQ(GraveDigit(Cell(5, 5)), 9);
  board.Keep(Cell(5, 5), {9, 1, 2});
  StepRecord none;
  EXPECT_FALSE(steps::FindBugType2(board.State(), none));
  EXPECT_EQ(none.Kind, kNoStep);
}

TEST(BugType2, NoTrivalueCellMeansNoStep) {
  // A bivalue cell whose second digit is swapped for 9 gives 9 three places
  // in its houses, but with no trivalue cell there is no pattern.
  const int odd = Cell(4, 4);
  const int extra = GraveDigit(odd) == 8 || GraveDigit(odd) == 9 ? 5 : 9;
  const auto s = Grave().Keep(odd, {GraveDigit(odd), extra}).State();
  StepRecord step;
  EXPECT_FALSE(steps::FindBugType2(s, step));
  for (auto m : step.EliminateMask) EXPECT_EQ(m, 0);
}

}  // namespace
}  // namespace tavimoro
