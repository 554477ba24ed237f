// Helpers the pattern finders share: writing a chain into the Meaning block,
// drawing its links and naming it in the trace ("r1c7=r1c2-r5c2=r5c6": "="
// a strong link, "-" a weak one; a group of cells in one line is written
// "r3c12"; with several digits each node starts with "(d)").
#pragma once

#include <initializer_list>
#include <string_view>

#include "engine/step_record.h"
#include "engine/steps/pattern_steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {

inline ChainNode PlainNode(int digit, int cell) {
  ChainNode node;
  node.Digit = static_cast<std::uint8_t>(digit);
  node.CellCount = 1;
  node.Cells[0] = static_cast<std::uint8_t>(cell);
  return node;
}

// A node of one digit in up to three cells of one house, listed ascending.
inline ChainNode GroupNode(int digit, std::initializer_list<int> cells) {
  ChainNode node;
  node.Digit = static_cast<std::uint8_t>(digit);
  for (int c : cells) {
    if (node.CellCount < 3) node.Cells[node.CellCount++] = static_cast<std::uint8_t>(c);
  }
  return node;
}

// Appends a node; `link` joins it to the node before (ignored for the first).
inline void PushNode(StepRecord& step, const ChainNode& node, LinkKind link) {
  StepMeaning& m = step.Meaning;
  if (m.NodeCount >= StepMeaning::kMaxNodes) return;
  if (m.NodeCount > 0) m.Links[m.NodeCount - 1] = link;
  m.Nodes[m.NodeCount++] = node;
}

inline void AppendCellName(StepText& text, int cell) { text << 'r' << CellRow(cell) << 'c' << CellCol(cell); }

inline void AppendNodeName(StepText& text, const ChainNode& node, bool withDigit) {
  if (withDigit) text << '(' << static_cast<int>(node.Digit) << ')';
  if (node.CellCount <= 1) {
    AppendCellName(text, node.Cells[0]);
    return;
  }
  const bool sameRow = CellRow(node.Cells[0]) == CellRow(node.Cells[1]);
  if (sameRow) {
    text << 'r' << CellRow(node.Cells[0]) << 'c';
    for (int i = 0; i < node.CellCount; ++i) text << CellCol(node.Cells[i]);
  } else {
    text << 'r';
    for (int i = 0; i < node.CellCount; ++i) text << CellRow(node.Cells[i]);
    text << 'c' << CellCol(node.Cells[0]);
  }
}

// Draws every link of the chain between the first cells of its nodes (a
// link inside one cell is not drawn): strong links in the strong colour,
// weak ones dashed in the line colour. Lines already in the record are kept.
inline void DrawChain(StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  int entry = 0;
  while (entry < static_cast<int>(step.Lines.size()) && !step.Lines[entry].IsEmpty()) ++entry;
  for (int i = 0; i + 1 < m.NodeCount && entry < static_cast<int>(step.Lines.size()); ++i) {
    const int from = m.Nodes[i].FirstCell(), to = m.Nodes[i + 1].FirstCell();
    if (from == to) continue;
    const bool strong = m.Links[i] == LinkKind::Strong;
    step.Lines[entry++] = {
        from, to, strong ? StrongLineColour : LineColour, 1, !strong, m.Nodes[i].Digit, m.Nodes[i + 1].Digit};
  }
}

// The chain's notation, appended to the text.
inline void AppendChainText(StepText& text, const StepMeaning& m, bool withDigits) {
  for (int i = 0; i < m.NodeCount; ++i) {
    if (i > 0) text << (m.Links[i - 1] == LinkKind::Strong ? '=' : '-');
    AppendNodeName(text, m.Nodes[i], withDigits);
  }
}

// Colours the chain's cells (those without a colour yet).
inline void ColourChain(StepRecord& step, std::uint32_t colour) {
  const StepMeaning& m = step.Meaning;
  for (int i = 0; i < m.NodeCount; ++i)
    for (int k = 0; k < m.Nodes[i].CellCount; ++k)
      if (step.CellColour[m.Nodes[i].Cells[k]] == 0) step.CellColour[m.Nodes[i].Cells[k]] = colour;
}

// Flags the digit in the cell and colours it as a victim.
inline void EliminateAt(StepRecord& step, int cell, int digit) {
  step.SetEliminate(cell, digit);
  step.CellColour[cell] = EliminationColour;
}

// Kind 2 with the technique and its trace label as the start of the trace.
inline void StartElimination(StepRecord& step, TechniqueId technique, int variant = 0) {
  step.Kind = kEliminate;
  step.Technique = technique;
  StartTrace(step.Text, technique, variant);
}

// True when the two cells differ and share a house.
constexpr bool Sees(int a, int b) { return a != b && CellsShareHouse(a, b); }

}  // namespace tavimoro::steps
