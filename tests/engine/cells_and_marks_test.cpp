#include "engine/cells_and_marks.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimoro {
namespace {

// Cell 0 holds 5; cells 1..80 are empty.
std::string Cells() { return "5" + std::string(80, '.'); }

TEST(CellsAndMarks, MarksBecomeTheCandidatesAmongThoseTheHousesAllow) {
  // Cell 1 marked 1, 2 and 5 (5 stands in its row), cell 2 unmarked.
  std::string marks = "|125||";
  for (int c = 3; c < 81; ++c) marks += "9|";
  PuzzleState s;
  ASSERT_TRUE(ReadCellsAndMarks(Cells() + marks, s));
  EXPECT_EQ(s.Grid[0], 5);
  EXPECT_EQ(s.CandMask[1], DigitBit(1) | DigitBit(2));
  EXPECT_EQ(s.CandMask[2], kAllDigits & ~DigitBit(5));  // no marks: every allowed digit
  EXPECT_EQ(s.CandMask[80], DigitBit(9));
  EXPECT_EQ(s.HouseCandCount(0, 9), 7);  // cells 2 to 8
}

TEST(CellsAndMarks, CellsAloneReadAsAPuzzle) {
  PuzzleState s;
  ASSERT_TRUE(ReadCellsAndMarks(Cells(), s));
  EXPECT_EQ(s.CandCount[1], 8);
}

TEST(CellsAndMarks, RefusesMarksThatAreNotEightyOneGroups) {
  PuzzleState s;
  const PuzzleState before = s;
  EXPECT_FALSE(ReadCellsAndMarks(Cells() + "12|3|", s));
  std::string tooMany;
  for (int c = 0; c < 82; ++c) tooMany += "1|";
  EXPECT_FALSE(ReadCellsAndMarks(Cells() + tooMany, s));
  std::string letters;
  for (int c = 0; c < 81; ++c) letters += "a|";
  EXPECT_FALSE(ReadCellsAndMarks(Cells() + letters, s));
  EXPECT_EQ(s.Grid, before.Grid);
}

}  // namespace
}  // namespace tavimoro
