#include "board/chain_walk.h"

#include <gtest/gtest.h>

#include "board/hint_composer.h"
#include "common/candidate_board.h"
#include "engine/steps/chain_steps.h"

namespace tavimoro {
namespace {

using testing::CandidateBoard;
using testing::Cell;
using testing::Column;
using testing::Row;

TEST(ChainWalk, WalksEveryLinkWithItsReason) {
  StepRecord step;
  ASSERT_TRUE(steps::FindXChain(CandidateBoard()
                                    .OnlyAt(Row(1), 1, {Cell(1, 1), Cell(1, 5)})
                                    .OnlyAt(Column(4), 1, {Cell(3, 4), Cell(7, 4)})
                                    .State(),
                                step));
  EXPECT_EQ(
      ChainWalkText(step, ChainReading::Ends),
      "If R1C1 is not 1, then R1C5 is 1 (row 1 has no other place for 1), so R3C4 is not 1 (both are in "
      "block 2), so R7C4 is 1 (column 4 has no other place for 1). So R1C1 is 1 or R7C4 is 1, and a "
      "candidate that conflicts with both cannot be true.");
}

TEST(ChainWalk, ReadsADeathBlossomPetalByPetal) {
  StepRecord step;
  ASSERT_TRUE(steps::FindDeathBlossom(
      CandidateBoard().Keep(Cell(5, 5), {1, 2}).Keep(Cell(5, 1), {1, 3}).Keep(Cell(1, 5), {2, 3}).State(),
      step));
  EXPECT_EQ(
      ChainWalkText(step, ChainReading::Blossom),
      "If R5C5 is 1, then R5C1 is not 1, so R5C1 is 3 (R5C1 has no other candidate). If R5C5 is 2, then "
      "R1C5 is not 2, so R1C5 is 3 (R1C5 has no other candidate). Whatever the stem holds, 3 is in one of "
      "the petals, and a cell that sees all of them cannot be 3.");
}

TEST(ChainWalk, NamesTheSetBehindAnAlmostLockedLink) {
  // r1c1 {1,2} and r1c2 {2,3} hold three digits in two cells.
  StepRecord step;
  ASSERT_TRUE(steps::FindAlsXZ(
      CandidateBoard().Keep(Cell(1, 1), {1, 2}).Keep(Cell(1, 2), {2, 3}).Keep(Cell(5, 1), {1, 3}).State(),
      step));
  EXPECT_NE(ChainWalkText(step, ChainReading::Ends).find(" share 3 digits among 2 cells, so without "),
            std::string::npos)
      << ChainWalkText(step, ChainReading::Ends);
}

TEST(ChainWalk, ChainHintsNameTheStartThenWalkTheChain) {
  StepRecord step;
  ASSERT_TRUE(steps::FindXChain(CandidateBoard()
                                    .OnlyAt(Row(1), 1, {Cell(1, 1), Cell(1, 5)})
                                    .OnlyAt(Column(4), 1, {Cell(3, 4), Cell(7, 4)})
                                    .State(),
                                step));
  const std::string level2 = EliminationHintText(step, 2);
  EXPECT_NE(level2.find(">X-Chain</a> starting from R1C1 on the number 1."), std::string::npos) << level2;
  const std::string level3 = EliminationHintText(step, 3);
  EXPECT_NE(level3.find(ChainWalkText(step, ChainReading::Ends)), std::string::npos) << level3;
  EXPECT_NE(level3.find("Remove the 1 from R7C1."), std::string::npos) << level3;
}

TEST(ChainWalk, NoChainNoText) { EXPECT_EQ(ChainWalkText(StepRecord{}, ChainReading::Ends), ""); }

}  // namespace
}  // namespace tavimoro
