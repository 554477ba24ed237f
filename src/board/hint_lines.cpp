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

// Chains the board draws from their nodes alone (the finders' own lines are
// left for the trace): the inference chains, loops and contradictions, and
// the Death Blossom's short chains from the stem.
bool DrawnFromItsNodes(HintForm form) {
  return form == HintForm::InferenceChain || form == HintForm::NiceLoop ||
         form == HintForm::ChainContradiction || form == HintForm::DeathBlossom;
}

// The links between two cells, in chain order, from the first cell of one
// node to the first of the next. A Death Blossom's nodes are one chain of
// three per stem digit, and nothing links one of them to the next.
void AddLinksBetweenCells(const StepMeaning& m, int segment, std::vector<StepLine>& lines) {
  for (int i = 0; i + 1 < m.NodeCount; ++i) {
    const ChainNode &from = m.Nodes[i], &to = m.Nodes[i + 1];
    if (from.FirstCell() == to.FirstCell() || (segment > 0 && (i + 1) % segment == 0)) continue;
    const bool strong = m.Links[i] == LinkKind::Strong;
    lines.push_back({from.FirstCell(), to.FirstCell(), strong ? StrongLineColour : LineColour, 1, !strong,
                     from.Digit, to.Digit});
  }
}

}  // namespace

std::vector<StepLine> HintLines(const StepRecord& step) {
  std::vector<StepLine> lines;
  const auto takeStepLines = [&] {
    for (const StepLine& line : step.Lines)
      if (!line.IsEmpty()) lines.push_back(line);
  };
  if (Index(step.Technique) <= Index(kStuckRating)) {
    takeStepLines();
    return lines;
  }
  const StepMeaning& m = step.Meaning;
  const HintForm form = Technique(step.Technique).hint;
  if (DrawnFromItsNodes(form))
    AddLinksBetweenCells(m, form == HintForm::DeathBlossom ? 3 : 0, lines);
  else
    takeStepLines();
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
