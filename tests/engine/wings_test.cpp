#include <gtest/gtest.h>

#include "common/candidate_board.h"
#include "common/hand_board.h"
#include "engine/steps/steps.h"

namespace tavimoro {
namespace {

using testing::CandidateBoard;
using testing::Cell;
using testing::Eliminations;
using testing::HeadOf;
using testing::StepHead;
using Pairs = std::vector<std::pair<int, int>>;

// Pivot r1c1 {1,2}, pincers r1c5 {1,3} and r5c1 {2,3}: only r5c5 sees both
// pincers (r1c9 and r9c1 hold 3 but see one each), and it has all nine
// candidates.
CandidateBoard WingWithoutBivalueVictim() {
  return CandidateBoard().Keep(Cell(1, 1), {1, 2}).Keep(Cell(1, 5), {1, 3}).Keep(Cell(5, 1), {2, 3});
}

TEST(XYWing, WingWithOnlyWideVictimsWaitsForTheSecondPass) {
  StepRecord step;
  ASSERT_TRUE(steps::FindXYWing(WingWithoutBivalueVictim().State(), step));
  EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 13, -1, 0, "XY-WING: ", "1 or 2"));
  EXPECT_EQ(Eliminations(step), (Pairs{{Cell(5, 5), 3}}));
  EXPECT_EQ(step.CellColour[Cell(1, 1)], PivotColour);
  EXPECT_EQ(testing::CellsColoured(step, PatternColour), (std::vector<int>{Cell(1, 5), Cell(5, 1)}));
  EXPECT_EQ(step.CellColour[Cell(5, 5)], EliminationColour);
  EXPECT_EQ(testing::LinesOf(step),
            (std::vector<testing::DrawnLine>{{Cell(1, 1), Cell(1, 5), StrongLineColour, 1},
                                             {Cell(1, 1), Cell(5, 1), StrongLineColour, 1}}));

  // A later wing whose victim is bivalue wins the strict pass: pivot r9c9
  // {4,5}, pincers r6c9 {5,6} and r9c6 {4,6}, victim r6c6 {6,7}.
  const auto s = WingWithoutBivalueVictim()
                     .Keep(Cell(9, 9), {4, 5})
                     .Keep(Cell(6, 9), {5, 6})
                     .Keep(Cell(9, 6), {4, 6})
                     .Keep(Cell(6, 6), {6, 7})
                     .State();
  StepRecord strict;
  ASSERT_TRUE(steps::FindXYWing(s, strict));
  EXPECT_EQ(strict.Digits, "4 or 5");
  EXPECT_EQ(Eliminations(strict), (Pairs{{Cell(6, 6), 6}}));
  EXPECT_EQ(strict.CellColour[Cell(9, 9)], PivotColour);
  EXPECT_EQ(strict.CellColour[Cell(1, 1)], 0u);
  EXPECT_EQ(strict.Lines[0].ToCell, Cell(6, 9));  // the first pincer is the lower cell
}

TEST(XYZWing, VictimsSeeBothPincersAndThePivot) {
  // Pivot r1c1 {1,2,3}, pincers r1c5 {1,3} and r3c2 {2,3}: z = 3 goes from
  // r1c2 and r1c3, which see all three; r1c9 sees the pivot and one pincer.
  const auto s =
      CandidateBoard().Keep(Cell(1, 1), {1, 2, 3}).Keep(Cell(1, 5), {1, 3}).Keep(Cell(3, 2), {2, 3}).State();
  StepRecord step;
  ASSERT_TRUE(steps::FindXYZWing(s, step));
  EXPECT_EQ(HeadOf(step), StepHead(kEliminate, 14, -1, 0, "XYZ-WING: ", "1 or 2, 3"));
  EXPECT_EQ(Eliminations(step), (Pairs{{Cell(1, 2), 3}, {Cell(1, 3), 3}}));
  EXPECT_EQ(step.CellColour[Cell(1, 1)], PivotColour);
  EXPECT_EQ(step.CellColour[Cell(3, 2)], PatternColour);
  EXPECT_EQ(step.Lines[1].ToCell, Cell(3, 2));
}

}  // namespace
}  // namespace tavimoro
