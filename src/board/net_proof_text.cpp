#include "board/net_proof_text.h"

#include "board/hint_composer.h"
#include "engine/steps/net_board.h"

namespace tavimoro {
namespace {

std::string Digit(int d) { return std::string(1, static_cast<char>('0' + d)); }

std::string Fact(const StepMeaning& m, int i) {
  const ChainNode& n = m.Nodes[i];
  return CellName(n.Cells[0]) + (m.NodeHolds[i] ? " is " : " is not ") + Digit(n.Digit);
}

// Why node i follows, from its rule and the node it follows from.
std::string Reason(const StepMeaning& m, int i) {
  const int from = m.NodeFrom[i];
  const int digit = m.Nodes[i].Digit;
  switch (static_cast<steps::NetRule>(m.NodeRule[i])) {
    case steps::NetRule::Peer:
      if (from < 0) return {};
      if (m.Nodes[from].Cells[0] == m.Nodes[i].Cells[0]) return " (it is " + Digit(m.Nodes[from].Digit) + ")";
      return " (it sees " + CellName(m.Nodes[from].Cells[0]) + ")";
    case steps::NetRule::NakedSingle:
      return " (the only candidate left in the cell)";
    case steps::NetRule::HiddenSingle:
      return " (the only place left for " + Digit(digit) + " in one of its houses)";
    case steps::NetRule::LockedCandidates:
      return " (the " + Digit(digit) + "s left in a block lie in one line, or those of a line in one block)";
    case steps::NetRule::NestedNet:
      return " (supposing it is " + Digit(digit) + " leads to a contradiction by a smaller net)";
    default:
      return {};
  }
}

}  // namespace

std::string NetProofLines(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  if (m.NetAssumptions == 0) return {};
  std::string text;
  int branch = 0;
  for (int i = 0; i < m.NodeCount; ++i) {
    text += std::to_string(i + 1) + ". ";
    if (m.NodeRule[i] == static_cast<std::uint8_t>(steps::NetRule::Assumption)) {
      text += (branch++ == 0 ? "Suppose " : "Suppose instead ") + Fact(m, i) + ".";
    } else {
      text += "Then " + Fact(m, i) + Reason(m, i) + ".";
    }
    text += "<br>";
  }
  if (m.OtherInferences > 0) {
    text += "... and " + std::to_string(m.OtherInferences) +
            (m.OtherInferences == 1 ? " more inference" : " more inferences") + ".<br>";
  }
  return text;
}

}  // namespace tavimoro
