// Naked and hidden subsets: scan orders, the patterns they pass over, the
// empty cells a house needs, and the text, digits and colours of a step.
#include <gtest/gtest.h>

#include "common/hand_board.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CellsColoured;
using testing::Eliminations;
using testing::HandBoard;
using testing::HeadOf;
using testing::StepHead;
using Cells = std::vector<int>;

// size > 0: naked subset of that size; size < 0: hidden.
bool FindSubset(const PuzzleState& s, StepRecord& step, int size) {
  if (size == 2) return steps::FindNakedPair(s, step);
  if (size == -2) return steps::FindHiddenPair(s, step);
  return size > 0 ? steps::FindNakedSubset(s, step, size) : steps::FindHiddenSubset(s, step, -size);
}

TEST(Subsets, StepsFound) {
  const struct {
    const char* what;
    HandBoard board;
    int size, technique;
    const char *text, *digits;
    Cells pattern, victims;  // each victim loses exactly `removed`
    const char* removed;
  } cases[] = {
      // Row 1 has no 1 or 2 beside the pair: the pair is passed over there.
      {"pair in block",
       HandBoard().Only({0, 1}, "12").RemoveInHouseExcept(0, {0, 1}, "12"),
       2,
       2,
       "NAKED PAIR: ",
       "1 & 2",
       {0, 1},
       {9, 10, 11, 18, 19, 20},
       "12"},
      // Cells 4 and 8 share only row 1, which has four empty cells.
      {"pair in row",
       HandBoard("1234.6...").Only({4, 8}, "57"),
       2,
       2,
       "NAKED PAIR: ",
       "5 & 7",
       {4, 8},
       {6, 7},
       "57"},
      // Cells 0..2 are a triplet on 1..3 with nothing to remove; cells 3..5
      // one on 4..6 that clears the rest of row 1.
      {"triplet",
       HandBoard()
           .Only(0, "12")
           .Only(1, "23")
           .Only(2, "13")
           .RemoveInHouseExcept(0, {0, 1, 2}, "123")
           .Only(3, "45")
           .Only(4, "56")
           .Only(5, "46"),
       3,
       4,
       "NAKED TRIPLET: ",
       "4, 5 & 6",
       {3, 4, 5},
       {6, 7, 8},
       "456"},
      {"quad",
       HandBoard().Only(0, "12").Only(1, "25").Only(2, "59").Only(3, "19"),
       4,
       6,
       "NAKED QUAD: ",
       "1, 2, 5 & 9",
       {0, 1, 2, 3},
       {4, 5, 6, 7, 8},
       "1259"},
      // Seven empty cells in row 1, the only house holding all four cells.
      {"quad in row",
       HandBoard("78").Only(3, "12").Only(4, "23").Only(5, "34").Only(6, "14"),
       4,
       6,
       "NAKED QUAD: ",
       "1, 2, 3 & 4",
       {3, 4, 5, 6},
       {2, 7, 8},
       "1234"},
      // Houses are scanned from block 9 down to row 1.
      {"hidden pair in block",
       HandBoard().RemoveInHouseExcept(0, {0, 8}, "12").RemoveInHouseExcept(26, {60, 80}, "89"),
       -2,
       5,
       "HIDDEN PAIR: B",
       "8 & 9",
       {60, 80},
       {60, 80},
       "1234567"},
      {"hidden pair in row",
       HandBoard().RemoveInHouseExcept(0, {0, 8}, "12"),
       -2,
       5,
       "HIDDEN PAIR: R",
       "1 & 2",
       {0, 8},
       {0, 8},
       "3456789"},
      {"hidden triplet",
       HandBoard().RemoveInHouseExcept(0, {0, 4, 8}, "123"),
       -3,
       7,
       "HIDDEN TRIPLET: R",
       "1, 2 & 3",
       {0, 4, 8},
       {0, 4, 8},
       "456789"},
      {"hidden quad",
       HandBoard().RemoveInHouseExcept(9, {0, 27, 54, 72}, "1234"),
       -4,
       8,
       "HIDDEN QUAD: C",
       "1, 2, 3 & 4",
       {0, 27, 54, 72},
       {0, 27, 54, 72},
       "56789"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StepRecord step;
    ASSERT_TRUE(FindSubset(c.board.State(), step, c.size));
    EXPECT_EQ(HeadOf(step), StepHead(kEliminate, c.technique, -1, 0, c.text, c.digits));
    std::vector<std::pair<int, int>> removed;
    for (int cell : c.victims)
      for (const char* d = c.removed; *d; ++d) removed.emplace_back(cell, *d - '0');
    EXPECT_EQ(Eliminations(step), removed);
    EXPECT_EQ(CellsColoured(step, PatternColour), c.pattern);
    EXPECT_EQ(CellsColoured(step, EliminationColour), c.size > 0 ? c.victims : Cells{});
  }
}

}  // namespace
}  // namespace tavimoro
