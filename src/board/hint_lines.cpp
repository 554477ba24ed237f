#include "board/hint_lines.h"

#include "engine/technique_registry.h"

namespace tavimoro {

namespace {

bool IsPlain(const ChainNode& node) { return node.CellCount == 1; }

StepLine InCellLink(int cell, int fromDigit, int toDigit, bool strong) {
  return {cell,
          cell,
          strong ? StrongLineColour : LineColour,
          1,
          !strong,
          static_cast<std::uint8_t>(fromDigit),
          static_cast<std::uint8_t>(toDigit)};
}

bool StartsALine(const std::vector<StepLine>& lines, int cell, int digit) {
  for (const StepLine& line : lines)
    if (line.FromCell == cell && line.FromDigit == digit && line.ToCell != cell) return true;
  return false;
}

}  // namespace

std::vector<StepLine> HintLines(const StepRecord& step) {
  std::vector<StepLine> lines;
  for (const StepLine& line : step.Lines)
    if (!line.IsEmpty()) lines.push_back(line);
  if (Index(step.Technique) <= Index(kStuckRating)) return lines;
  const StepMeaning& m = step.Meaning;
  const HintForm form = Technique(step.Technique).hint;
  if (form == HintForm::ForcingNet) {
    // A net's thread: a node whose parent lies in its own cell, where the
    // thread goes on from the node.
    for (int k = 0; k < m.NodeCount; ++k) {
      const int parent = m.NodeFrom[k];
      if (parent < 0 || parent >= m.NodeCount) continue;
      const ChainNode &from = m.Nodes[parent], &to = m.Nodes[k];
      if (from.Cells[0] != to.Cells[0] || from.Digit == to.Digit) continue;
      if (StartsALine(lines, to.Cells[0], to.Digit))
        lines.push_back(InCellLink(to.Cells[0], from.Digit, to.Digit, m.NodeHolds[k]));
    }
    return lines;
  }
  const bool chain = form == HintForm::Chain || form == HintForm::InferenceChain ||
                     form == HintForm::NiceLoop || form == HintForm::ChainContradiction;
  if (!chain) return lines;
  for (int i = 0; i + 1 < m.NodeCount; ++i) {
    const ChainNode &from = m.Nodes[i], &to = m.Nodes[i + 1];
    if (!IsPlain(from) || !IsPlain(to) || from.Cells[0] != to.Cells[0] || from.Digit == to.Digit) continue;
    if (m.Links[i] == LinkKind::Forces) continue;
    lines.push_back(InCellLink(from.Cells[0], from.Digit, to.Digit, m.Links[i] == LinkKind::Strong));
  }
  return lines;
}

}  // namespace tavimoro
