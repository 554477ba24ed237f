// Dual kites and dual empty rectangles: two kites through the same two
// cells of a block (of one digit read both ways across the block, or of two
// digits), or two empty rectangles of one digit on the same cells of a
// block (on one cross, or on the two crosses of two candidates on a
// diagonal). Each chain alone is sound, and the step takes both. The
// meaning block holds the two chains one after the other, four nodes each.
#include <array>
#include <span>

#include "engine/steps/cell_bits.h"
#include "engine/steps/digit_placements.h"
#include "engine/steps/dual_template_wing_steps.h"
#include "engine/steps/pattern_chain.h"

namespace tavimoro::steps {
namespace {

// The other place of d in the house when the house has exactly two, or -1.
int OtherEnd(const PuzzleState& s, int house, int d, int cell) {
  if (s.HouseCandCount(house, d) != 2) return -1;
  for (int c : CellsOfHouse(house))
    if (c != cell && s.Cand(c, d)) return c;
  return -1;
}

// Every cell but the chain's own that holds d and sees both ends.
CellBits Victims(const PuzzleState& s, int d, int end1, int end2) {
  CellBits victims;
  for (int c = 0; c < 81; ++c)
    if (s.Cand(c, d) && Sees(c, end1) && Sees(c, end2)) victims.Add(c);
  return victims;
}

// One chain end1 = first - second = end2 (the middle pair may be groups).
struct FourNodeChain {
  std::array<ChainNode, 4> nodes{};
  CellBits victims;
};

// Appends the chain's four nodes, draws its links, writes its notation and
// flags its victims.
void RecordHalf(StepRecord& step, const FourNodeChain& chain) {
  int entry = 0;
  while (entry < static_cast<int>(step.Lines.size()) && !step.Lines[entry].IsEmpty()) ++entry;
  for (int i = 0; i < 4; ++i) {
    const LinkKind link = i == 2 ? LinkKind::Weak : LinkKind::Strong;
    StepMeaning& m = step.Meaning;
    if (i > 0) m.Links[m.NodeCount - 1] = link;
    m.Nodes[m.NodeCount++] = chain.nodes[i];
    if (i > 0) step.Text << (link == LinkKind::Strong ? '=' : '-');
    AppendNodeName(step.Text, chain.nodes[i], false);
    if (i == 0 || entry >= static_cast<int>(step.Lines.size())) continue;
    const bool strong = link == LinkKind::Strong;
    const int digit = chain.nodes[i].Digit;
    step.Lines[entry++] = {chain.nodes[i - 1].FirstCell(),
                           chain.nodes[i].FirstCell(),
                           strong ? StrongLineColour : LineColour,
                           1,
                           !strong,
                           static_cast<std::uint8_t>(digit),
                           static_cast<std::uint8_t>(digit)};
  }
  chain.victims.ForEach([&](int c) { EliminateAt(step, c, chain.nodes[0].Digit); });
}

void RecordDual(StepRecord& step, TechniqueId technique, int block, const FourNodeChain& one,
                const FourNodeChain& other) {
  StartElimination(step, technique);
  const int first = one.nodes[0].Digit, second = other.nodes[0].Digit;
  step.Text << first << ' ';
  RecordHalf(step, one);
  step.Text << ", " << second << ' ';
  RecordHalf(step, other);
  ColourChain(step, PatternColour);
  step.Meaning.House = block;
  step.Meaning.DigitMask = DigitBit(first) | DigitBit(second);
  step.Digits << first;
  if (second != first) step.Digits << " & " << second;
}

// The kite through the block's cells `inRow` (linked along its row) and
// `inColumn` (linked along its column); false when either link is missing,
// runs inside the block, or nothing sees both ends.
bool Kite(const PuzzleState& s, int d, int inRow, int inColumn, FourNodeChain& kite) {
  const int rowEnd = OtherEnd(s, HouseOf(inRow, 0), d, inRow);
  const int columnEnd = OtherEnd(s, HouseOf(inColumn, 1), d, inColumn);
  if (rowEnd < 0 || columnEnd < 0) return false;
  if (CellBlock(rowEnd) == CellBlock(inRow) || CellBlock(columnEnd) == CellBlock(inColumn)) return false;
  kite.victims = Victims(s, d, rowEnd, columnEnd);
  if (kite.victims.Empty()) return false;
  kite.nodes = {PlainNode(d, rowEnd), PlainNode(d, inRow), PlainNode(d, inColumn), PlainNode(d, columnEnd)};
  return true;
}

// The cells of the block holding d on the arm of the cross (row `row`,
// column `col`) that the link's near end meets, and the others.
void SplitBlock(const PuzzleState& s, int d, int block, int row, int col, bool viaColumn, ChainNode& arm,
                ChainNode& rest) {
  arm = ChainNode{};
  rest = ChainNode{};
  arm.Digit = rest.Digit = static_cast<std::uint8_t>(d);
  for (int c : CellsOfHouse(block)) {
    if (!s.Cand(c, d)) continue;
    const bool onArm =
        viaColumn ? (CellRow(c) == row && CellCol(c) != col) : (CellCol(c) == col && CellRow(c) != row);
    ChainNode& node = onArm ? arm : rest;
    if (node.CellCount < 3) node.Cells[node.CellCount++] = static_cast<std::uint8_t>(c);
  }
}

// The empty rectangles of one block and cross, as many as `found` holds: each a strong link
// in a line outside the block whose near end lies on an arm, and the
// candidate where its far end's line crosses the other arm.
int EmptyRectangles(const PuzzleState& s, int d, int block, int row, int col,
                    std::span<FourNodeChain> found) {
  const int top = CellRow(HouseCell(block, 0)), left = CellCol(HouseCell(block, 0));
  int count = 0;
  for (int reading = 0; reading < 2; ++reading) {
    const bool viaColumn = reading == 0;
    for (int line = 1; line <= 9; ++line) {
      const int first = viaColumn ? left : top;
      if (line >= first && line < first + 3) continue;
      const int house = viaColumn ? 9 + line - 1 : line - 1;
      const int near = viaColumn ? 9 * (row - 1) + line - 1 : 9 * (line - 1) + col - 1;
      if (!s.Cand(near, d)) continue;
      const int far = OtherEnd(s, house, d, near);
      if (far < 0) continue;
      const int farLine = viaColumn ? CellRow(far) : CellCol(far);
      const int farFirst = viaColumn ? top : left;
      if (farLine >= farFirst && farLine < farFirst + 3) continue;
      const int target = viaColumn ? 9 * (farLine - 1) + col - 1 : 9 * (row - 1) + farLine - 1;
      if (!s.Cand(target, d) || count == static_cast<int>(found.size())) continue;
      FourNodeChain& er = found[count++];
      ChainNode arm, rest;
      SplitBlock(s, d, block, row, col, viaColumn, arm, rest);
      er.nodes = {PlainNode(d, far), PlainNode(d, near), arm, rest};
      er.victims = CellBits{};
      er.victims.Add(target);
    }
  }
  return count;
}

// Whether the block's candidates of d lie on the cross of `row` and `col`,
// with some on each arm away from the centre.
bool IsEmptyRectangleCross(const PuzzleState& s, int d, int block, int row, int col) {
  bool onRowArm = false, onColumnArm = false;
  for (int c : CellsOfHouse(block)) {
    if (!s.Cand(c, d)) continue;
    const bool inRow = CellRow(c) == row, inCol = CellCol(c) == col;
    if (!inRow && !inCol) return false;
    onRowArm |= inRow && !inCol;
    onColumnArm |= inCol && !inRow;
  }
  return onRowArm && onColumnArm;
}

}  // namespace

bool FindDualTwoStringKite(const PuzzleState& s, StepRecord& step) {
  // A kite removes what lies in no placement of its digit.
  int kiteDigits = 0;
  for (int d = 1; d <= 9; ++d)
    if (!EveryCandidatePlaceable(s, d)) kiteDigits |= DigitBit(d);
  if (kiteDigits == 0) return false;
  for (int block = 18; block < 27; ++block) {
    for (int i = 0; i < 9; ++i) {
      const int a = HouseCell(block, i);
      if (s.Grid[a] != 0) continue;
      for (int j = i + 1; j < 9; ++j) {
        const int b = HouseCell(block, j);
        if (s.Grid[b] != 0 || CellRow(a) == CellRow(b) || CellCol(a) == CellCol(b)) continue;
        // Every kite through the two cells, of any digit, either cell linked
        // along its row; two of them make the step.
        std::array<FourNodeChain, 2> kites{};
        int count = 0;
        for (const auto& [inRow, inColumn] : {std::array<int, 2>{a, b}, std::array<int, 2>{b, a}}) {
          for (int d = 1; d <= 9 && count < 2; ++d) {
            if ((kiteDigits & DigitBit(d)) && s.Cand(a, d) && s.Cand(b, d) &&
                Kite(s, d, inRow, inColumn, kites[count]))
              ++count;
          }
        }
        if (count < 2) continue;
        RecordDual(step, TechniqueId::DualTwoStringKite, block, kites[0], kites[1]);
        return true;
      }
    }
  }
  return false;
}

bool FindDualEmptyRectangle(const PuzzleState& s, StepRecord& step) {
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    for (int block = 18; block < 27; ++block) {
      if (s.HouseCandCount(block, d) < 2) continue;
      // Two candidates on a diagonal of the block lie on two crosses; more
      // lie on one at most.
      std::array<FourNodeChain, 8> found{};
      int count = 0;
      const int top = CellRow(HouseCell(block, 0)), left = CellCol(HouseCell(block, 0));
      for (int row = top; row < top + 3; ++row) {
        for (int col = left; col < left + 3; ++col) {
          if (!IsEmptyRectangleCross(s, d, block, row, col)) continue;
          count += EmptyRectangles(s, d, block, row, col, std::span(found).subspan(count));
        }
      }
      for (int j = 1; j < count; ++j) {
        if (found[j].victims == found[0].victims) continue;
        RecordDual(step, TechniqueId::DualEmptyRectangle, block, found[0], found[j]);
        return true;
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
