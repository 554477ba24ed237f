// The numbered lines of a forcing-net proof, made from the meaning block.
#include "board/net_proof_text.h"

#include <gtest/gtest.h>

#include "board/hint_composer.h"
#include "engine/step_finder.h"
#include "engine/steps/net_board.h"
#include "engine/steps/net_steps.h"

namespace tavimoro {
namespace {

using steps::NetRule;

void AddNode(StepRecord& step, int cell, int digit, bool holds, int from, NetRule rule) {
  StepMeaning& m = step.Meaning;
  const int k = m.NodeCount++;
  m.Nodes[k].Digit = static_cast<std::uint8_t>(digit);
  m.Nodes[k].CellCount = 1;
  m.Nodes[k].Cells[0] = static_cast<std::uint8_t>(cell);
  m.NodeHolds[k] = holds;
  m.NodeFrom[k] = static_cast<std::int8_t>(from);
  m.NodeRule[k] = static_cast<std::uint8_t>(rule);
  if (rule == NetRule::Assumption) ++m.NetAssumptions;
}

TEST(NetProofText, EachRuleGivesItsReasonInOrder) {
  StepRecord step;
  AddNode(step, 30, 7, true, -1, NetRule::Assumption);  // R4C4
  AddNode(step, 30, 3, false, 0, NetRule::Peer);        // same cell
  AddNode(step, 31, 7, false, 0, NetRule::Peer);        // R4C5 sees it
  AddNode(step, 40, 3, true, 2, NetRule::NakedSingle);
  AddNode(step, 49, 3, true, 2, NetRule::HiddenSingle);
  AddNode(step, 50, 2, false, 3, NetRule::LockedCandidates);
  AddNode(step, 51, 5, false, 3, NetRule::NestedNet);
  EXPECT_EQ(
      NetProofLines(step),
      "1. Suppose R4C4 is 7.<br>"
      "2. Then R4C4 is not 3 (it is 7).<br>"
      "3. Then R4C5 is not 7 (it sees R4C4).<br>"
      "4. Then R5C5 is 3 (the only candidate left in the cell).<br>"
      "5. Then R6C5 is 3 (the only place left for 3 in one of its houses).<br>"
      "6. Then R6C6 is not 2 (the 2s left in a block lie in one line, or those of a line in one block).<br>"
      "7. Then R6C7 is not 5 (supposing it is 5 leads to a contradiction by a smaller net).<br>");
}

TEST(NetProofText, SecondBranchAndLeftOutInferences) {
  StepRecord step;
  EXPECT_EQ(NetProofLines(step), "");
  AddNode(step, 0, 1, true, -1, NetRule::Assumption);
  AddNode(step, 0, 2, true, -1, NetRule::Assumption);
  step.Meaning.OtherInferences = 1;
  EXPECT_EQ(NetProofLines(step),
            "1. Suppose R1C1 is 1.<br>2. Suppose instead R1C1 is 2.<br>... and 1 more inference.<br>");
  step.Meaning.OtherInferences = 12;
  EXPECT_NE(NetProofLines(step).find("... and 12 more inferences.<br>"), std::string::npos);
}

TEST(NetProofText, EliminationHintWalksTheNetAtTheThirdLevel) {
  // The first position of this puzzle where the ladder is stuck has a
  // contradiction net.
  PuzzleState s =
      PuzzleFromString("98.7..6..7...5..4...5..9..78.........3...25....79....1..6.9...2...1.6.3......74..");
  ExclusionTable removed;
  for (StepRecord step; (step = FindNextStep(s, kNoTechniqueLimit)).Kind != kNoStep;) {
    if (step.Kind == kPlaceValue) s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
    for (int c = 0; c < 81; ++c) removed.Mask[c] |= step.EliminateMask[c];
    CalcCandidates(s, removed);
  }
  StepRecord step;
  ASSERT_TRUE(steps::FindContradictionNet(s, step));
  EXPECT_NE(EliminationHintText(step, 1).find("Contradiction Net</a>"), std::string::npos);
  EXPECT_NE(EliminationHintText(step, 2).find(" starting from R"), std::string::npos);
  const std::string full = EliminationHintText(step, 3);
  EXPECT_NE(full.find("leads, step by step, to a contradiction:<br>1. Suppose R"), std::string::npos) << full;
  EXPECT_NE(full.find("2. Then R"), std::string::npos) << full;
  EXPECT_NE(full.find("Remove the "), std::string::npos) << full;
}

}  // namespace
}  // namespace tavimoro
