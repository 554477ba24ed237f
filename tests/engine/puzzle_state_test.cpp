#include "engine/puzzle_state.h"

#include <gtest/gtest.h>

namespace tavimoro {
namespace {

TEST(Tables, NumberingOfHousesAndCells) {
  EXPECT_EQ(HouseCells(2, 5, 1), 30);
  EXPECT_EQ(HouseCells(1, 9, 9), 80);
  EXPECT_EQ(HouseOf(40, 1), 13);
  EXPECT_EQ(HouseOf(40, 2), 22);
  EXPECT_EQ(HouseNum(18), 1);
  for (int h = 0; h < 27; ++h) {
    for (int k = 0; k < 9; ++k) EXPECT_EQ(HouseOf(HouseCell(h, k), HouseType(h)), h);
    for (int k = 1; k < 9; ++k) EXPECT_LT(HouseCell(h, k - 1), HouseCell(h, k));
  }
  EXPECT_TRUE(CellsShareHouse(0, 20));
  EXPECT_FALSE(CellsShareHouse(0, 30));
  EXPECT_TRUE(CellsShareHouse(0, 72));
}

TEST(Tables, SymGroupsCoverEveryCellOnceAndAreMirrorClosed) {
  int seen[81] = {};
  for (int g = 1; g <= 25; ++g) {
    const int size = SymGroups(g, 0);
    ASSERT_TRUE(size == 1 || size == 2 || size == 4) << g;
    for (int s = 1; s <= 4; ++s) {
      const int c = SymGroups(g, s);
      if (s > size) {
        EXPECT_EQ(c, 0);
        continue;
      }
      ++seen[c];
      const int mirrorRow = 9 * (9 - CellRow(c)) + CellCol(c) - 1;
      bool found = false;
      for (int t = 1; t <= size; ++t) found |= SymGroups(g, t) == mirrorRow;
      EXPECT_TRUE(found) << "group " << g << " cell " << c;
    }
  }
  for (int c = 0; c < 81; ++c) EXPECT_EQ(seen[c], 1) << c;
}

TEST(PuzzleState, AnyNonDigitIsEmptyAndWritesAsDot) {
  const PuzzleState s = PuzzleFromString("0._a 5");
  EXPECT_EQ(s.FilledCount, 1);
  EXPECT_EQ(PuzzleToString(s),
            "....."
            "5" +
                std::string(75, '.'));
}

TEST(PuzzleState, CandidatesIgnoreValidityAndCountDeadCells) {
  // Two 1s in row 1: candidates are still computed.
  PuzzleState s = PuzzleFromString("11");
  EXPECT_FALSE(s.Cand(2, 1));
  EXPECT_TRUE(s.Cand(2, 2));
  // Cell 0 sees 1..8 in its row and 9 in its column: no candidate left.
  s = PuzzleFromString(
      ".12345678"
      "9");
  EXPECT_EQ(s.CandCount[0], 0);
  EXPECT_EQ(s.EmptyCount[0], 1);
  int first = -1, second = -1;
  FirstTwoCandidates(s, 1, first, second);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 0);
}

TEST(PuzzleState, ExclusionsRemoveCandidatesAndCounts) {
  PuzzleState s = PuzzleFromString("");
  ExclusionTable x;
  x.Set(40, 5);
  CalcCandidates(s, x);
  EXPECT_FALSE(s.Cand(40, 5));
  EXPECT_EQ(s.CandCount[40], 8);
  EXPECT_EQ(s.HouseCandCount(4, 5), 8);
  EXPECT_EQ(s.HouseCandCount(22, 5), 8);
  EXPECT_EQ(s.HouseCandCount(22, 4), 9);
  int first = 0, second = 0;
  FirstTwoCandidates(s, 40, first, second);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
}

TEST(PuzzleState, CellAloneInHouse) {
  EXPECT_TRUE(CellAloneInHouse(PuzzleFromString("1"), 0));
  const PuzzleState s = PuzzleFromString(
      "123456789"
      "45");
  EXPECT_FALSE(CellAloneInHouse(s, 1));
  EXPECT_TRUE(CellAloneInHouse(s, 40));
}

// Every filled cell counts as a given until a cell is marked entered; the
// marks live beside the grid, so recomputing the candidates, placing digits
// and copying keep them, and a marked cell that is empty is not entered.
TEST(PuzzleState, EnteredCellsAreMarkedOnlyByTheCaller) {
  PuzzleState s = PuzzleFromString("12");
  for (int c = 0; c < 81; ++c) EXPECT_FALSE(s.Entered(c)) << c;
  s.MarkEntered(1);
  s.MarkEntered(80);
  CalcCandidates(s);
  PlaceDigit(s, 79, 3);
  const PuzzleState copy = s;
  EXPECT_FALSE(copy.Entered(0));
  EXPECT_TRUE(copy.Entered(1));
  EXPECT_FALSE(copy.Entered(79));
  EXPECT_FALSE(copy.Entered(80));  // marked, but empty
  PlaceDigit(s, 80, 4);
  EXPECT_TRUE(s.Entered(80));
}

}  // namespace
}  // namespace tavimoro
