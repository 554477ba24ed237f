// Omission: the two forms, their texts and the three colours.
#include <gtest/gtest.h>

#include "common/hand_board.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CellsColoured;
using testing::HandBoard;
using testing::HeadOf;
using testing::StepHead;
using Cells = std::vector<int>;

TEST(Omission, FormsTextsAndColours) {
  const struct {
    HandBoard board;
    const char* text;
    int digit;
    Cells victims, pattern, unit;
  } cases[] = {
      // Row 1's 1s lie in cells 0 and 1 (block 1); cell 8 is filled.
      {HandBoard("........9").Remove({2, 3, 4, 5, 6, 7}, "1"),
       "OMISSION (Claiming): R",
       1,
       {9, 10, 11, 18, 19, 20},
       {0, 1},
       {2, 3, 4, 5, 6, 7, 8}},
      // Block 1's 5s lie in column 1 only; filled cells of the block too
      // take the unit colour.
      {HandBoard().Remove({1, 2, 10, 11, 19, 20}, "5"),
       "OMISSION (Pointing): C",
       5,
       {27, 36, 45, 54, 63, 72},
       {0, 9, 18},
       {1, 2, 10, 11, 19, 20}},
      {HandBoard(".78").Remove({10, 11, 19, 20}, "5"),
       "OMISSION (Pointing): C",
       5,
       {27, 36, 45, 54, 63, 72},
       {0, 9, 18},
       {1, 2, 10, 11, 19, 20}},
      // Rows are scanned before columns: a claiming in row 9 comes before a
      // pointing pair in column 9.
      {HandBoard().Remove({6, 7, 15, 16, 24, 25}, "4").Remove({72, 73, 74, 75, 76, 77}, "8"),
       "OMISSION (Claiming): R",
       8,
       {60, 61, 62, 69, 70, 71},
       {78, 79, 80},
       {72, 73, 74, 75, 76, 77}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    StepRecord step;
    ASSERT_TRUE(steps::FindOmission(c.board.State(), step));
    EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 3, -1, 0, c.text, ""));
    std::vector<std::pair<int, int>> removed;
    for (int cell : c.victims) removed.emplace_back(cell, c.digit);
    EXPECT_EQ(testing::Eliminations(step), removed);
    EXPECT_EQ(CellsColoured(step, EliminationColour), c.victims);
    EXPECT_EQ(CellsColoured(step, PatternColour), c.pattern);
    EXPECT_EQ(CellsColoured(step, UnitColour), c.unit);
  }
}

}  // namespace
}  // namespace tavimoro
