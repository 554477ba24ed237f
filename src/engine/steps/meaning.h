// Writing a step's meaning block: the lines of a fish or rectangle and the
// nodes of a chain, appended in order.
#pragma once

#include "engine/step_record.h"

namespace tavimoro::steps {

inline void AddBaseLine(StepMeaning& m, int house) {
  m.BaseLines[m.BaseCount++] = static_cast<std::int8_t>(house);
}
inline void AddCoverLine(StepMeaning& m, int house) {
  m.CoverLines[m.CoverCount++] = static_cast<std::int8_t>(house);
}

// Appends the candidate (cell, digit), linked to the node before it by
// `link`; a full chain keeps its first kMaxNodes nodes.
inline void AddNode(StepMeaning& m, int cell, int digit, LinkKind link) {
  if (m.NodeCount >= StepMeaning::kMaxNodes) return;
  if (m.NodeCount > 0) m.Links[m.NodeCount - 1] = link;
  ChainNode& node = m.Nodes[m.NodeCount++];
  node.Digit = static_cast<std::uint8_t>(digit);
  node.CellCount = 1;
  node.Cells = {static_cast<std::uint8_t>(cell), 0, 0};
}

}  // namespace tavimoro::steps
