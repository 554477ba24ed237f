// Naked and hidden subsets: scan orders, the patterns they pass over, and
// the text, digits and colours of what they report.
#include <gtest/gtest.h>

#include "common/hand_board.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CellsColoured;
using testing::Eliminations;
using testing::HandBoard;
using Pairs = std::vector<std::pair<int, int>>;

TEST(NakedPair, PassedOverWhereItsDigitsAreNowhereElseInTheHouse) {
  // Cells 0 and 1 hold {1, 2}; row 1 has no other 1 or 2, block 1 has.
  const PuzzleState s = HandBoard().Only({0, 1}, "12").RemoveInHouseExcept(0, {0, 1}, "12").State();
  StepRecord step;
  ASSERT_TRUE(steps::FindNakedPair(s, step));
  EXPECT_EQ(step.Kind, kEliminate);
  EXPECT_EQ(step.Technique, 2);
  EXPECT_EQ(step.Text, "NAKED PAIR: ");
  EXPECT_EQ(step.Digits, "1 & 2");
  EXPECT_EQ(Eliminations(step),
            (Pairs{{9, 1}, {9, 2}, {10, 1}, {10, 2}, {11, 1}, {11, 2}, {18, 1}, {18, 2}, {19, 1}, {19, 2}, {20, 1}, {20, 2}}));
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{0, 1}));
  EXPECT_EQ(CellsColoured(step, EliminationColour), (std::vector<int>{9, 10, 11, 18, 19, 20}));
}

TEST(NakedPair, NeedsFourEmptyCellsInTheHouse) {
  // Cells 4 and 8 of row 1 hold {5, 7}; they share no column or block.
  StepRecord step;
  EXPECT_FALSE(steps::FindNakedPair(HandBoard("1234.6.8.").Only({4, 8}, "57").State(), step));
  EXPECT_EQ(step.Kind, kNoStep);

  ASSERT_TRUE(steps::FindNakedPair(HandBoard("1234.6...").Only({4, 8}, "57").State(), step));
  EXPECT_EQ(Eliminations(step), (Pairs{{6, 5}, {6, 7}, {7, 5}, {7, 7}}));
}

TEST(NakedTriplet, OneThatRemovesNothingIsPassedOverForTheNext) {
  // Cells 0..2 are a triplet on 1, 2, 3 with no other 1, 2 or 3 in row 1;
  // cells 3..5 a triplet on 4, 5, 6 that clears cells 6..8.
  HandBoard board;
  board.Only(0, "12").Only(1, "23").Only(2, "13").RemoveInHouseExcept(0, {0, 1, 2}, "123");
  board.Only(3, "45").Only(4, "56").Only(5, "46");
  StepRecord step;
  ASSERT_TRUE(steps::FindNakedSubset(board.State(), step, 3));
  EXPECT_EQ(step.Technique, 4);
  EXPECT_EQ(step.Text, "NAKED TRIPLET: ");
  EXPECT_EQ(step.Digits, "4, 5 & 6");
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(CellsColoured(step, EliminationColour), (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(Eliminations(step).size(), 9u);
}

TEST(NakedQuad, DigitsTakeTwoCommasThenTheAmpersand) {
  const PuzzleState s = HandBoard().Only(0, "12").Only(1, "25").Only(2, "59").Only(3, "19").State();
  StepRecord step;
  EXPECT_FALSE(steps::FindNakedSubset(s, step, 3));
  ASSERT_TRUE(steps::FindNakedSubset(s, step, 4));
  EXPECT_EQ(step.Technique, 6);
  EXPECT_EQ(step.Text, "NAKED QUAD: ");
  EXPECT_EQ(step.Digits, "1, 2, 5 & 9");
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(CellsColoured(step, EliminationColour), (std::vector<int>{4, 5, 6, 7, 8}));
}

TEST(NakedQuad, NeedsSevenEmptyCellsInTheHouse) {
  // Cells 3..6 of row 1 are a quad on 1..4; only the row holds all four.
  auto board = [](const char* grid) {
    return HandBoard(grid).Only(3, "12").Only(4, "23").Only(5, "34").Only(6, "14").State();
  };
  StepRecord step;
  EXPECT_FALSE(steps::FindNakedSubset(board("789"), step, 4));
  ASSERT_TRUE(steps::FindNakedSubset(board("78"), step, 4));
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(CellsColoured(step, EliminationColour), (std::vector<int>{2, 7, 8}));
}

TEST(HiddenPair, HousesAreScannedFromBlockNineDownToRowOne) {
  // 1 and 2 fit only cells 0 and 8 of row 1; 8 and 9 only cells 60 and 80
  // of block 9.
  HandBoard board;
  board.RemoveInHouseExcept(0, {0, 8}, "12").RemoveInHouseExcept(26, {60, 80}, "89");
  StepRecord step;
  ASSERT_TRUE(steps::FindHiddenPair(board.State(), step));
  EXPECT_EQ(step.Technique, 5);
  EXPECT_EQ(step.Text, "HIDDEN PAIR: B");
  EXPECT_EQ(step.Digits, "8 & 9");
  Pairs expected;
  for (int c : {60, 80})
    for (int d = 1; d <= 7; ++d) expected.emplace_back(c, d);
  EXPECT_EQ(Eliminations(step), expected);
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{60, 80}));
  EXPECT_TRUE(CellsColoured(step, EliminationColour).empty());

  StepRecord row;
  ASSERT_TRUE(steps::FindHiddenPair(HandBoard().RemoveInHouseExcept(0, {0, 8}, "12").State(), row));
  EXPECT_EQ(row.Text, "HIDDEN PAIR: R");
  EXPECT_EQ(row.Digits, "1 & 2");
}

TEST(HiddenPair, OneThatRemovesNothingIsNoStep) {
  StepRecord step;
  const PuzzleState s = HandBoard().Only({0, 8}, "12").RemoveInHouseExcept(0, {0, 8}, "12").State();
  // The pair is also naked: nothing else to remove from its cells.
  EXPECT_FALSE(steps::FindHiddenPair(s, step));
  EXPECT_EQ(step.Kind, kNoStep);
  EXPECT_TRUE(CellsColoured(step, PatternColour).empty());
}

TEST(HiddenTriplet, FoundInARowWithItsLetterAndDigits) {
  StepRecord step;
  ASSERT_TRUE(steps::FindHiddenSubset(HandBoard().RemoveInHouseExcept(0, {0, 4, 8}, "123").State(), step, 3));
  EXPECT_EQ(step.Technique, 7);
  EXPECT_EQ(step.Text, "HIDDEN TRIPLET: R");
  EXPECT_EQ(step.Digits, "1, 2 & 3");
  Pairs expected;
  for (int c : {0, 4, 8})
    for (int d = 4; d <= 9; ++d) expected.emplace_back(c, d);
  EXPECT_EQ(Eliminations(step), expected);
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{0, 4, 8}));
  EXPECT_TRUE(CellsColoured(step, EliminationColour).empty());
}

TEST(HiddenTriplet, NeedsEightEmptyCellsInTheHouse) {
  const PuzzleState s = HandBoard(".56").RemoveInHouseExcept(0, {0, 4, 8}, "123").State();
  StepRecord step;
  EXPECT_FALSE(steps::FindHiddenSubset(s, step, 3));
  EXPECT_FALSE(steps::FindHiddenSubset(s, step, 4));
}

TEST(HiddenQuad, FoundInAColumn) {
  StepRecord step;
  ASSERT_TRUE(steps::FindHiddenSubset(HandBoard().RemoveInHouseExcept(9, {0, 27, 54, 72}, "1234").State(), step, 4));
  EXPECT_EQ(step.Technique, 8);
  EXPECT_EQ(step.Text, "HIDDEN QUAD: C");
  EXPECT_EQ(step.Digits, "1, 2, 3 & 4");
  EXPECT_EQ(CellsColoured(step, PatternColour), (std::vector<int>{0, 27, 54, 72}));
  EXPECT_EQ(Eliminations(step).size(), 4u * 5u);
}

}  // namespace
}  // namespace tavimoro
