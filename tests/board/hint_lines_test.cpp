// The lines the board draws for a hint: every link of a chain beyond the
// ladder, the links inside one cell too, strong solid and weak dashed; and a
// nested net's sub-proof drawn with its own net.
#include "board/hint_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "board/board_fixture.h"
#include "board/net_proof_text.h"
#include "common/extended_cases.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"
#include "engine/steps/net_steps.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

bool Joins(const StepLine& line, const ChainNode& a, const ChainNode& b) {
  return line.FromCell == a.FirstCell() && line.FromDigit == a.Digit && line.ToCell == b.FirstCell() &&
         line.ToDigit == b.Digit;
}

TEST(HintLines, EveryLinkOfAChainIsDrawnInItsOwnStyle) {
  int inCell = 0;
  for (const testing::Case& c : testing::ReadCases()) {
    PuzzleState s;
    StepRecord step;
    const std::optional<TechniqueId> technique = TechniqueFromName(c.technique);
    if (c.expected == "x" || !technique || !testing::CasePosition(c, s) ||
        !FindWithTechnique(s, *technique, step))
      continue;
    const HintForm form = Technique(step.Technique).hint;
    const bool blossom = form == HintForm::DeathBlossom;
    if (form != HintForm::Chain && form != HintForm::InferenceChain && form != HintForm::NiceLoop &&
        form != HintForm::ChainContradiction && !blossom)
      continue;
    SCOPED_TRACE("extended_cases.txt line " + std::to_string(c.line));
    const std::vector<StepLine> lines = HintLines(step);
    const StepMeaning& m = step.Meaning;
    for (int i = 0; i + 1 < m.NodeCount; ++i) {
      const ChainNode &a = m.Nodes[i], &b = m.Nodes[i + 1];
      if (a.FirstCell() == b.FirstCell() && (a.CellCount > 1 || b.CellCount > 1)) continue;
      const auto line =
          std::find_if(lines.begin(), lines.end(), [&](const StepLine& l) { return Joins(l, a, b); });
      // A blossom's nodes are one short chain per stem digit, each from the stem.
      if (blossom && (i + 1) % 3 == 0) {
        EXPECT_EQ(line, lines.end()) << "link " << i << " joins two of the blossom's chains";
        continue;
      }
      if (blossom && a.FirstCell() == b.FirstCell()) continue;
      ASSERT_NE(line, lines.end()) << "link " << i;
      EXPECT_EQ(line->Dashed, m.Links[i] == LinkKind::Weak) << "link " << i;
      inCell += a.FirstCell() == b.FirstCell();
    }
  }
  EXPECT_GT(inCell, 0);
}

// A sub-proof opened from the panel shows its own net on the board, and the
// link back the whole step's, which applying still applies.
using SubProofBoard = testing::BoardTest;

TEST_F(SubProofBoard, ASubProofDrawsItsOwnNet) {
  StepRecord step;
  ASSERT_TRUE(steps::FindNestedNet(
      testing::LadderStuckState(
          "98.7..6..7...5..4...5..9..78.........3...25....79....1..6.9...2...1.6.3......74.."),
      step));
  const std::string linked = NetProofLines(step, ProofForm::Linked);
  const std::size_t at = linked.find("<a href='SubProof ");
  ASSERT_NE(at, std::string::npos);
  const std::string target = linked.substr(at + 9, linked.find('\'', at + 9) - at - 9);
  std::string title, known;
  StepRecord inner;
  ASSERT_NE(NetSubProof(step, target.substr(9), title, known, &inner), "");
  ASSERT_NE(inner.CellColour, step.CellColour);  // else the test could not tell them apart
  board.SetLastHint(step);
  board.HyperlinkClick(target);
  EXPECT_EQ(board.Lines().size(), HintLines(inner).size());
  for (int c = 0; c < 81; ++c) EXPECT_EQ(board.CellColors()[c], inner.CellColour[c]) << c;
  board.HyperlinkClick("SubProof");
  EXPECT_EQ(board.Lines().size(), HintLines(step).size());
  for (int c = 0; c < 81; ++c) EXPECT_EQ(board.CellColors()[c], step.CellColour[c]) << c;
  EXPECT_EQ(board.LastHint().Meaning.NodeCount, step.Meaning.NodeCount);
}

}  // namespace
}  // namespace tavimoro
