#include <gtest/gtest.h>

#include <string>

#include "common/candidate_board.h"
#include "common/hand_board.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CandidateBoard;
using testing::Cell;
using testing::CellsColoured;
using testing::Column;
using testing::HeadOf;
using testing::LinesOf;
using testing::Row;
using testing::StepHead;
using Lines = std::vector<testing::DrawnLine>;

TEST(XWing, RowBasedWingClearsItsTwoColumns) {
  // 5 sits only in columns 2 and 7 of rows 1 and 4.
  const auto s = CandidateBoard()
                     .OnlyAt(Row(1), 5, {Cell(1, 2), Cell(1, 7)})
                     .OnlyAt(Row(4), 5, {Cell(4, 2), Cell(4, 7)})
                     .State();
  StepRecord step;
  ASSERT_TRUE(steps::FindXWing(s, step));
  EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 10, -1, 0, "X-WING: ", ""));
  std::vector<std::pair<int, int>> removed;
  for (int c = 0; c < 81; ++c)
    if ((c % 9 == 1 || c % 9 == 6) && c / 9 != 0 && c / 9 != 3) removed.emplace_back(c, 5);
  EXPECT_EQ(testing::Eliminations(step), removed);
  EXPECT_EQ(CellsColoured(step, PatternColour),
            (std::vector<int>{Cell(1, 2), Cell(1, 7), Cell(4, 2), Cell(4, 7)}));
  EXPECT_EQ(CellsColoured(step, EliminationColour).size(), 14u);
  EXPECT_EQ(LinesOf(step), (Lines{{Cell(1, 2), Cell(9, 2), StrongLineColour, 2},
                                  {Cell(1, 7), Cell(9, 7), StrongLineColour, 2},
                                  {Cell(1, 1), Cell(1, 9), LineColour, 2},
                                  {Cell(4, 1), Cell(4, 9), LineColour, 2}}));
}

TEST(Swordfish, BaseAndCoverLinesAndColours) {
  // Every base-line cell at a cover position is part of the pattern, r2c9
  // without a 3 as well.
  const auto board = CandidateBoard()
                         .OnlyAt(Row(2), 3, {Cell(2, 1), Cell(2, 4)})
                         .OnlyAt(Row(5), 3, {Cell(5, 4), Cell(5, 9)})
                         .OnlyAt(Row(8), 3, {Cell(8, 1), Cell(8, 4), Cell(8, 9)});
  StepRecord step;
  ASSERT_TRUE(steps::FindSwordfish(board.State(), step));
  EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 11, -1, 0, "SWORDFISH: ", ""));
  EXPECT_TRUE(step.Eliminate(Cell(3, 1), 3));
  EXPECT_FALSE(step.Eliminate(Cell(2, 1), 3));
  EXPECT_EQ(testing::Eliminations(step).size(), 18u);
  EXPECT_EQ(CellsColoured(step, EliminationColour).size(), 18u);
  EXPECT_EQ(CellsColoured(step, PatternColour),
            (std::vector<int>{Cell(2, 1), Cell(2, 4), Cell(2, 9), Cell(5, 1), Cell(5, 4), Cell(5, 9),
                              Cell(8, 1), Cell(8, 4), Cell(8, 9)}));
  EXPECT_EQ(step.Lines[0].FromCell, Cell(1, 1));
  EXPECT_EQ(step.Lines[2].ToCell, Cell(9, 9));
  EXPECT_EQ(step.Lines[2].Colour, StrongLineColour);
  EXPECT_EQ(step.Lines[3].FromCell, Cell(2, 1));
  EXPECT_EQ(step.Lines[5].ToCell, Cell(8, 9));
  EXPECT_EQ(step.Lines[5].Colour, LineColour);
  EXPECT_EQ(LinesOf(step).size(), 6u);
}

TEST(Swordfish, FilledCellsOfTheBaseLinesAreColoured) {
  // Row 1 holds a 3 at column 9, a cover position of the fish on 7.
  const auto s = CandidateBoard(std::string(8, '.') + "3")
                     .OnlyAt(Row(1), 7, {Cell(1, 1), Cell(1, 4)})
                     .OnlyAt(Row(5), 7, {Cell(5, 4), Cell(5, 9)})
                     .OnlyAt(Row(8), 7, {Cell(8, 1), Cell(8, 9)})
                     .State();
  StepRecord step;
  ASSERT_TRUE(steps::FindSwordfish(s, step));
  EXPECT_EQ(step.CellColour[Cell(1, 9)], PatternColour);
  EXPECT_TRUE(step.Eliminate(Cell(3, 1), 7));
}

}  // namespace
}  // namespace tavimoro
