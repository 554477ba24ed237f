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
  m.NodeFrom[k] = static_cast<std::int16_t>(from);
  m.NodeRule[k] = static_cast<std::uint8_t>(rule);
  if (rule == NetRule::Assumption) ++m.NetAssumptions;
}

// A removal by a peer is told inside the line that uses it; the branch ends
// in the line that names its contradiction.
TEST(NetProofText, FoldsPeerRemovalsAndStatesTheContradiction) {
  StepRecord step;
  EXPECT_EQ(NetProofLines(step), "");
  AddNode(step, 0, 1, true, -1, NetRule::Assumption);    // R1C1
  AddNode(step, 1, 1, false, 0, NetRule::Peer);          // R1C2
  AddNode(step, 73, 1, true, 1, NetRule::HiddenSingle);  // R9C2, column 2
  step.Meaning.NodeHouse[2] = 10;
  AddNode(step, 76, 1, false, 2, NetRule::Peer);  // R9C5
  step.Meaning.BranchEnds[0] = {static_cast<std::uint8_t>(steps::NetContradiction::NoPlace), -1, 13, 1};
  EXPECT_EQ(NetProofLines(step),
            "1. Suppose R1C1 is 1.<br>"
            "2. Then R9C2 is 1, the only place left for 1 in column 2 (R1C2 sees R1C1).<br>"
            "3. So column 5 has no place left for 1 (R9C5 sees R9C2): a contradiction.<br>");
}

// The first position of this puzzle where the ladder is stuck has a
// contradiction net and a nested one.
PuzzleState StuckPosition() {
  PuzzleState s =
      PuzzleFromString("98.7..6..7...5..4...5..9..78.........3...25....79....1..6.9...2...1.6.3......74..");
  ExclusionTable removed;
  for (StepRecord step; (step = FindNextStep(s, kNoTechniqueLimit)).Kind != kNoStep;) {
    if (step.Kind == kPlaceValue) s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
    for (int c = 0; c < 81; ++c) removed.Mask[c] |= step.EliminateMask[c];
    CalcCandidates(s, removed);
  }
  return s;
}

// The panel's form links each inner net's line to its sub-proof, which is
// the one written inline under that line; a path that leads to no inner net
// gives nothing.
TEST(NetProofText, SubProofLinksLeadToTheInlineSubProofs) {
  StepRecord step;
  ASSERT_TRUE(steps::FindNestedNet(StuckPosition(), step));
  const std::string whole = NetProofLines(step), linked = NetProofLines(step, ProofForm::Linked);
  EXPECT_EQ(linked.find(".1. Suppose"), std::string::npos);
  int links = 0;
  for (std::size_t at = linked.find("<a href='SubProof "); at != std::string::npos;
       at = linked.find("<a href='SubProof ", at + 1), ++links) {
    const std::size_t begin = at + 18, end = linked.find('\'', begin);
    std::string title, known;
    const std::string sub = NetSubProof(step, linked.substr(begin, end - begin), title, known);
    EXPECT_TRUE(sub.starts_with(title + ".1. Suppose ")) << sub;
    EXPECT_TRUE(sub.ends_with(": a contradiction.<br>")) << sub;
    EXPECT_NE(whole.find(title + ".1. Suppose "), std::string::npos) << title;
  }
  EXPECT_GT(links, 0);
  std::string title, known;
  for (const char* path : {"", "0", "x", "999", "1 2 3"})
    EXPECT_EQ(NetSubProof(step, path, title, known), "") << path;
}

TEST(NetProofText, EliminationHintWalksTheNetAtTheThirdLevel) {
  const PuzzleState s = StuckPosition();
  StepRecord step;
  ASSERT_TRUE(steps::FindContradictionNet(s, step));
  EXPECT_NE(EliminationHintText(step, 1).find("Contradiction Net</a>"), std::string::npos);
  EXPECT_NE(EliminationHintText(step, 2).find(" starting from R"), std::string::npos);
  const std::string full = EliminationHintText(step, 3);
  EXPECT_NE(full.find("leads, step by step, to a contradiction:<br>1. Suppose R"), std::string::npos) << full;
  EXPECT_NE(full.find(": a contradiction.<br>"), std::string::npos) << full;
  EXPECT_NE(full.find("Remove the "), std::string::npos) << full;
}

}  // namespace
}  // namespace tavimoro
