// Hand-made positions for the chain and almost-locked-set finders: each
// pattern alone on an otherwise open board, where it is the only instance,
// and positions where the pattern is incomplete and nothing may be found.
#include "engine/steps/chain_steps.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "common/candidate_board.h"
#include "common/hand_board.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

using testing::CandidateBoard;
using testing::Cell;
using testing::Column;
using testing::Eliminations;
using testing::Row;
using Pairs = std::vector<std::pair<int, int>>;

// The registry's rows of the chain and almost-locked-set techniques.
std::span<const TechniqueRow> ChainRows() {
  return TechniqueRows().subspan(Index(TechniqueId::XChain),
                                 Index(TechniqueId::DeathBlossom) - Index(TechniqueId::XChain) + 1);
}

// Row 1 holds 1 only at r1c1 and r1c5, column 4 only at r3c4 and r7c4; r1c5
// and r3c4 share block 2.
CandidateBoard Turbot() {
  return CandidateBoard()
      .OnlyAt(Row(1), 1, {Cell(1, 1), Cell(1, 5)})
      .OnlyAt(Column(4), 1, {Cell(3, 4), Cell(7, 4)});
}

TEST(XChain, FindsTheChainAndWritesItNodeByNode) {
  StepRecord step;
  ASSERT_TRUE(steps::FindXChain(Turbot().State(), step));
  EXPECT_EQ(step.Kind, kEliminate);
  EXPECT_EQ(step.Technique, TechniqueId::XChain);
  EXPECT_EQ(Eliminations(step), (Pairs{{Cell(7, 1), 1}}));
  EXPECT_EQ(step.Text, "X-CHAIN: 1r1c1=1r1c5-1r3c4=1r7c4 => r7c1<>1");
  const StepMeaning& m = step.Meaning;
  ASSERT_EQ(m.NodeCount, 4);
  EXPECT_EQ(m.Nodes[1].FirstCell(), Cell(1, 5));
  EXPECT_EQ(m.Nodes[2].Digit, 1);
  EXPECT_EQ(m.Links[0], LinkKind::Strong);
  EXPECT_EQ(m.Links[1], LinkKind::Weak);
  EXPECT_EQ(step.Lines[0].Colour, StrongLineColour);
  EXPECT_EQ(step.Lines[1].Colour, LineColour);
  EXPECT_EQ(step.CellColour[Cell(7, 1)], EliminationColour);
  EXPECT_EQ(step.CellColour[Cell(3, 4)], PatternColour);
}

// Bivalue cells r1c1 {1,2}, r1c5 {2,3}, r5c5 {3,4}, and a fourth cell that
// either ends the chain in row 5 (r5c9 {1,4}) or closes a loop in column 1
// (r5c1 {1,4}).
CandidateBoard BivalueCells(int fourth) {
  return CandidateBoard()
      .Keep(Cell(1, 1), {1, 2})
      .Keep(Cell(1, 5), {2, 3})
      .Keep(Cell(5, 5), {3, 4})
      .Keep(fourth, {1, 4});
}

TEST(XYChain, EndsOnTheSameDigit) {
  StepRecord step;
  ASSERT_TRUE(steps::FindXYChain(BivalueCells(Cell(5, 9)).State(), step));
  EXPECT_EQ(step.Technique, TechniqueId::XYChain);
  EXPECT_EQ(Eliminations(step), (Pairs{{Cell(1, 9), 1}, {Cell(5, 1), 1}}));
  EXPECT_EQ(step.Text, "XY-CHAIN: 1r1c1=2r1c1-2r1c5=3r1c5-3r5c5=4r5c5-4r5c9=1r5c9 => r1c9<>1, r5c1<>1");
  EXPECT_EQ(step.Meaning.NodeCount, 8);
  EXPECT_EQ(step.Meaning.Links[6], LinkKind::Strong);
}

TEST(ContinuousNiceLoop, EveryWeakLinkOfTheLoopBecomesStrong) {
  StepRecord step;
  ASSERT_TRUE(steps::FindContinuousNiceLoop(BivalueCells(Cell(5, 1)).State(), step));
  EXPECT_EQ(step.Technique, TechniqueId::ContinuousNiceLoop);
  // 2 leaves the rest of row 1, 3 column 5, 4 row 5 and 1 column 1: seven
  // cells each.
  const auto removed = Eliminations(step);
  EXPECT_EQ(removed.size(), 28u);
  for (const auto& [cell, digit] : removed) {
    const bool expected = (digit == 2 && CellRow(cell) == 1) || (digit == 3 && CellCol(cell) == 5) ||
                          (digit == 4 && CellRow(cell) == 5) || (digit == 1 && CellCol(cell) == 1);
    EXPECT_TRUE(expected) << cell << " " << digit;
  }
}

TEST(AlsXZ, RemovesTheCommonDigitSeenByBothSets) {
  // r1c1 {1,2} and r1c2 {2,3} form a set on 1, 2, 3; r5c1 {1,3} shares the
  // restricted 1 (or, read the other way, 2 links r1c2 to column 1's set).
  const auto s =
      CandidateBoard().Keep(Cell(1, 1), {1, 2}).Keep(Cell(1, 2), {2, 3}).Keep(Cell(5, 1), {1, 3}).State();
  StepRecord step;
  ASSERT_TRUE(steps::FindAlsXZ(s, step));
  EXPECT_EQ(step.Technique, TechniqueId::AlsXZ);
  // The cells that see r1c2 and r5c1: r2c1, r3c1 (column 1, block 1) and
  // r4c2, r5c2, r6c2 (column 2, block 4).
  EXPECT_EQ(Eliminations(step),
            (Pairs{{Cell(2, 1), 3}, {Cell(3, 1), 3}, {Cell(4, 2), 3}, {Cell(5, 2), 3}, {Cell(6, 2), 3}}));
  EXPECT_EQ(step.Meaning.AlsCount, 2);
  EXPECT_EQ(step.Meaning.NodeCount, 4);
  EXPECT_NE(step.Meaning.LinkAls[0], 0);
  EXPECT_EQ(step.Meaning.LinkAls[1], 0);
}

TEST(AlsXZ, DoublyLinkedSetsLockTheirOtherDigits) {
  // r1c1 {1,2} and the set r1c5 {1,3}, r1c6 {2,3} are restricted on 1 and on
  // 2 (row 1): both digits go from the rest of row 1, and 3, locked in the
  // second set, from the rest of row 1 and block 2.
  const auto s =
      CandidateBoard().Keep(Cell(1, 1), {1, 2}).Keep(Cell(1, 5), {1, 3}).Keep(Cell(1, 6), {2, 3}).State();
  StepRecord step;
  ASSERT_TRUE(steps::FindAlsXZ(s, step));
  const auto removed = Eliminations(step);
  EXPECT_EQ(removed.size(), 24u);
  for (const auto& [cell, digit] : removed) {
    EXPECT_TRUE(CellRow(cell) == 1 || (digit == 3 && CellBlock(cell) == 2)) << cell << " " << digit;
    EXPECT_TRUE(cell != Cell(1, 1) && cell != Cell(1, 5) && cell != Cell(1, 6));
  }
}

// A wing: stem or pivot r5c5 {1,2}, r5c1 {1,3} and r1c5 {2,3}; only r1c1
// sees both ends' 3.
CandidateBoard Wing() {
  return CandidateBoard().Keep(Cell(5, 5), {1, 2}).Keep(Cell(5, 1), {1, 3}).Keep(Cell(1, 5), {2, 3});
}

TEST(AlsXYWing, FindsTheWingThroughAPivotSet) {
  StepRecord step;
  ASSERT_TRUE(steps::FindAlsXYWing(Wing().State(), step));
  EXPECT_EQ(step.Technique, TechniqueId::AlsXYWing);
  EXPECT_EQ(Eliminations(step), (Pairs{{Cell(1, 1), 3}}));
  EXPECT_EQ(step.Meaning.NodeCount, 6);
  EXPECT_EQ(step.Meaning.AlsCount, 3);
}

TEST(DeathBlossom, EveryStemDigitLocksAPetal) {
  StepRecord step;
  ASSERT_TRUE(steps::FindDeathBlossom(Wing().State(), step));
  EXPECT_EQ(step.Technique, TechniqueId::DeathBlossom);
  EXPECT_EQ(step.Meaning.Pivot, Cell(5, 5));
  EXPECT_EQ(step.CellColour[Cell(5, 5)], PivotColour);
  EXPECT_EQ(Eliminations(step), (Pairs{{Cell(1, 1), 3}}));
  EXPECT_EQ(step.Text,
            "DEATH BLOSSOM: 1r5c5-1r5c1=3r5c1; 2r5c5-2r1c5=3r1c5 => r1c1<>3 [ALS r5c1 13] [ALS r1c5 23]");
}

TEST(ChainFinders, FindNothingOnAnOpenBoardOrAnIncompletePattern) {
  // The turbot without its last strong link (column 4 open) and the wing
  // without r1c5 leave nothing to remove.
  const PuzzleState boards[] = {
      CandidateBoard().State(),
      CandidateBoard().OnlyAt(Row(1), 1, {Cell(1, 1), Cell(1, 5)}).State(),
      CandidateBoard().Keep(Cell(5, 5), {1, 2}).Keep(Cell(5, 1), {1, 3}).State(),
  };
  for (const auto& board : boards) {
    for (const auto& row : ChainRows()) {
      StepRecord step;
      StepContext context;
      EXPECT_FALSE(row.find(board, step, context)) << step.Text.view();
      EXPECT_EQ(step.Kind, kNoStep);
      EXPECT_FALSE(step.AnyEliminated());
    }
  }
}

}  // namespace
}  // namespace tavimoro
