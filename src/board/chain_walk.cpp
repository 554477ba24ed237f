#include "board/chain_walk.h"

#include <vector>

#include "board/phrases.h"

namespace tavimoro {
namespace {

std::string Holds(const ChainNode& node) {
  if (node.CellCount == 1) return CellName(node.FirstCell()) + " is " + DigitText(node.Digit);
  return DigitText(node.Digit) + " is in " + CellList(node, " or ");
}

std::string Lacks(const ChainNode& node) {
  if (node.CellCount == 1) return CellName(node.FirstCell()) + " is not " + DigitText(node.Digit);
  return "none of " + CellList(node, " and ") + " is " + DigitText(node.Digit);
}

// "R4C4 and R4C6 in row 4 hold only 1, 7 and 9": the set, its house and
// its digits.
std::string AlsName(const AlsPart& set) {
  const std::vector<int> cells(set.Cells.begin(), set.Cells.begin() + set.CellCount);
  int house = -1;
  for (int type = 0; type < 3 && house < 0; ++type) {
    house = HouseOf(cells.front(), type);
    for (int c : cells)
      if (HouseOf(c, type) != house) house = -1;
  }
  std::vector<std::string> digits;
  for (int d = 1; d <= 9; ++d)
    if (set.Digits & DigitBit(d)) digits.push_back(DigitText(d));
  return CellList(cells) + (house >= 0 ? " in " + HouseName(house) : std::string()) + " hold only " +
         JoinAnd(digits);
}

bool SameCell(const ChainNode& a, const ChainNode& b) {
  return a.CellCount == 1 && b.CellCount == 1 && a.FirstCell() == b.FirstCell();
}

std::string StrongReason(const StepMeaning& m, int link) {
  const ChainNode& a = m.Nodes[link];
  const ChainNode& b = m.Nodes[link + 1];
  if (m.LinkAls[link] > 0) {
    const AlsPart& set = m.Als[m.LinkAls[link] - 1];
    if (set.CellCount == 1) return " (" + CellName(set.Cells[0]) + " has no other candidate)";
    return " (" + AlsName(set) + ", one digit more than cells, so without " + DigitText(a.Digit) +
           " they hold all the others, " + DigitText(b.Digit) + " among them)";
  }
  if (SameCell(a, b)) return " (" + CellName(a.FirstCell()) + " has no other candidate)";
  const int house = SharedHouse(a, b);
  if (house < 0) return {};
  return " (" + HouseName(house) + " has no other place for " + DigitText(a.Digit) + ")";
}

std::string WeakReason(const StepMeaning& m, int link) {
  const ChainNode& a = m.Nodes[link];
  const ChainNode& b = m.Nodes[link + 1];
  if (a.Digit != b.Digit) return " (a cell holds one digit)";
  const int house = SharedHouse(a, b);
  if (house < 0) return " (they see each other)";
  return " (both are in " + HouseName(house) + ")";
}

// From node `from` to node `to`, the first node assumed false.
std::string Walk(const StepMeaning& m, int from, int to) {
  std::string out = "If " + Lacks(m.Nodes[from]);
  for (int i = from; i < to; ++i) {
    const bool strong = m.Links[i] == LinkKind::Strong;
    out += i == from ? ", then " : ", so ";
    out += strong ? Holds(m.Nodes[i + 1]) + StrongReason(m, i) : Lacks(m.Nodes[i + 1]) + WeakReason(m, i);
  }
  return out;
}

}  // namespace

std::string ChainWalkText(const StepRecord& step, ChainReading reading) {
  const StepMeaning& m = step.Meaning;
  if (m.NodeCount < 2) return {};
  const int last = m.NodeCount - 1;
  switch (reading) {
    case ChainReading::Ends:
      return Walk(m, 0, last) + ". So " + Holds(m.Nodes[0]) + " or " + Holds(m.Nodes[last]) +
             ", and a candidate that conflicts with both cannot be true.";
    case ChainReading::Loop:
      return Walk(m, 0, last) +
             ". The last candidate cannot be true together with the first, so the chain "
             "closes into a loop in which strong and weak links alternate all the way round. Each weak link "
             "of "
             "the loop therefore joins exactly one true candidate, and a candidate that conflicts with both "
             "of "
             "its ends cannot be true." +
             (m.AlsCount > 0 ? " Each almost locked set of the loop lacks exactly one of the two digits it "
                               "links, so it holds all its other digits, and a cell that sees every place of "
                               "such a digit in the set cannot be that digit."
                             : "");
    case ChainReading::ProvesStart:
      return Walk(m, 0, last) + ". Assuming it false made it true, so " + Holds(m.Nodes[0]) + ".";
    case ChainReading::Blossom: {
      std::string out;
      for (int at = 0; at + 2 < m.NodeCount; at += 3) {
        const ChainNode& stem = m.Nodes[at];
        out += (at == 0 ? "If " : " If ") + Holds(stem) + ", then " + Lacks(m.Nodes[at + 1]) + ", so " +
               Holds(m.Nodes[at + 2]) + StrongReason(m, at + 1) + ".";
      }
      return out + " Whatever the stem holds, " + DigitText(m.Nodes[2].Digit) +
             " is in one of the petals, and a cell that sees all of them cannot be " +
             DigitText(m.Nodes[2].Digit) + ".";
    }
  }
  return {};
}

}  // namespace tavimoro
