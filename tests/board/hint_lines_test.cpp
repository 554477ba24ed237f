// The board draws every link of a chain beyond the ladder, the links inside
// one cell too, strong solid and weak dashed.
#include "board/hint_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/extended_cases.h"
#include "engine/extended_solve.h"
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
    if (c.expected == "x" || !testing::CasePosition(c, s) ||
        !FindWithTechnique(s, TechniqueFromName(c.technique), step))
      continue;
    const HintForm form = Technique(step.Technique).hint;
    if (form != HintForm::Chain && form != HintForm::InferenceChain && form != HintForm::NiceLoop &&
        form != HintForm::ChainContradiction)
      continue;
    SCOPED_TRACE("extended_cases.txt line " + std::to_string(c.line));
    const std::vector<StepLine> lines = HintLines(step);
    const StepMeaning& m = step.Meaning;
    for (int i = 0; i + 1 < m.NodeCount; ++i) {
      const ChainNode &a = m.Nodes[i], &b = m.Nodes[i + 1];
      if (a.FirstCell() == b.FirstCell() && (a.CellCount > 1 || b.CellCount > 1)) continue;
      const auto line =
          std::find_if(lines.begin(), lines.end(), [&](const StepLine& l) { return Joins(l, a, b); });
      ASSERT_NE(line, lines.end()) << "link " << i;
      EXPECT_EQ(line->Dashed, m.Links[i] == LinkKind::Weak) << "link " << i;
      inCell += a.FirstCell() == b.FirstCell();
    }
  }
  EXPECT_GT(inCell, 0);
}

}  // namespace
}  // namespace tavimoro
