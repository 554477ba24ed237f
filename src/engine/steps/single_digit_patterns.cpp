// Single-digit patterns: two strong links (houses where the digit has only
// two places) joined by a weak link (two cells that see each other). One
// end of the chain holds the digit, so every cell that sees both ends loses
// it. Skyscraper: two parallel lines whose links share one cover line;
// 2-String Kite: a row and a column whose links meet in a block; Turbot
// Fish: any two strong links so joined; Empty Rectangle: a block whose
// candidates lie on one row and one column, read as a strong link between
// two groups.
#include <array>

#include "engine/steps/digit_placements.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

// The two cells of a house that hold d, when it has exactly two.
bool StrongLink(const PuzzleState& s, int house, int d, int& a, int& b) {
  if (s.HouseCandCount(house, d) != 2) return false;
  a = b = -1;
  for (int c : CellsOfHouse(house)) {
    if (!s.Cand(c, d)) continue;
    (a < 0 ? a : b) = c;
  }
  return b >= 0;
}

// Flags d in every cell other than the ends that sees both ends; true when
// something was flagged.
bool EliminateSeenByBoth(const PuzzleState& s, int d, int end1, int end2, StepRecord& step) {
  bool any = false;
  for (int c = 0; c < 81; ++c) {
    if (!s.Cand(c, d) || c == end1 || c == end2) continue;
    if (Sees(c, end1) && Sees(c, end2)) {
      EliminateAt(step, c, d);
      any = true;
    }
  }
  return any;
}

bool AnySeenByBoth(const PuzzleState& s, int d, int end1, int end2) {
  for (int c = 0; c < 81; ++c) {
    if (s.Cand(c, d) && c != end1 && c != end2 && Sees(c, end1) && Sees(c, end2)) return true;
  }
  return false;
}

// The chain end1 = link1 - link2 = end2 of one digit, with its victims.
void RecordFourCellChain(const PuzzleState& s, int d, int end1, int link1, int link2, int end2,
                         TechniqueId technique, StepRecord& step) {
  StartElimination(step, technique);
  PushNode(step, PlainNode(d, end1), LinkKind::Strong);
  PushNode(step, PlainNode(d, link1), LinkKind::Strong);
  PushNode(step, PlainNode(d, link2), LinkKind::Weak);
  PushNode(step, PlainNode(d, end2), LinkKind::Strong);
  EliminateSeenByBoth(s, d, end1, end2, step);
  ColourChain(step, PatternColour);
  DrawChain(step);
  step.Text << d << ' ';
  AppendChainText(step.Text, step.Meaning, false);
  step.Digits << d;
  step.Meaning.DigitMask = DigitBit(d);
}

}  // namespace

bool FindSkyscraper(const PuzzleState& s, StepRecord& step) {
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    for (int type = 0; type <= 1; ++type) {
      for (int line1 = 0; line1 < 9; ++line1) {
        int a1 = 0, a2 = 0;
        if (!StrongLink(s, 9 * type + line1, d, a1, a2)) continue;
        for (int line2 = line1 + 1; line2 < 9; ++line2) {
          int b1 = 0, b2 = 0;
          if (!StrongLink(s, 9 * type + line2, d, b1, b2)) continue;
          // The position of a cell along its line picks the cover line.
          auto cover = [type](int c) { return type == 0 ? CellCol(c) : CellRow(c); };
          const std::array<std::array<int, 4>, 4> pairings = {
              {{a1, b1, a2, b2}, {a2, b2, a1, b1}, {a1, b2, a2, b1}, {a2, b1, a1, b2}}};
          for (const auto& [baseA, baseB, roofA, roofB] : pairings) {
            if (cover(baseA) != cover(baseB) || cover(roofA) == cover(roofB)) continue;
            if (!AnySeenByBoth(s, d, roofA, roofB)) continue;
            RecordFourCellChain(s, d, roofA, baseA, baseB, roofB, TechniqueId::Skyscraper, step);
            return true;
          }
        }
      }
    }
  }
  return false;
}

bool FindTwoStringKite(const PuzzleState& s, StepRecord& step) {
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    for (int row = 0; row < 9; ++row) {
      int r1 = 0, r2 = 0;
      if (!StrongLink(s, row, d, r1, r2)) continue;
      if (CellBlock(r1) == CellBlock(r2)) continue;
      for (int column = 9; column < 18; ++column) {
        int c1 = 0, c2 = 0;
        if (!StrongLink(s, column, d, c1, c2)) continue;
        if (CellBlock(c1) == CellBlock(c2)) continue;
        for (const auto& [inRow, rowEnd] : {std::array<int, 2>{r1, r2}, std::array<int, 2>{r2, r1}}) {
          for (const auto& [inColumn, columnEnd] : {std::array<int, 2>{c1, c2}, std::array<int, 2>{c2, c1}}) {
            if (inRow == inColumn || CellBlock(inRow) != CellBlock(inColumn)) continue;
            if (rowEnd == columnEnd || rowEnd == inColumn || columnEnd == inRow) continue;
            if (!AnySeenByBoth(s, d, rowEnd, columnEnd)) continue;
            RecordFourCellChain(s, d, rowEnd, inRow, inColumn, columnEnd, TechniqueId::TwoStringKite, step);
            return true;
          }
        }
      }
    }
  }
  return false;
}

bool FindTurbotFish(const PuzzleState& s, StepRecord& step) {
  struct Link {
    int a, b;
  };
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    // Every strong link of d once, in house order.
    std::array<Link, 27> links{};
    int count = 0;
    for (int h = 0; h < 27; ++h) {
      int a = 0, b = 0;
      if (!StrongLink(s, h, d, a, b)) continue;
      bool known = false;
      for (int i = 0; i < count; ++i) known |= links[i].a == a && links[i].b == b;
      if (!known) links[count++] = {a, b};
    }
    for (int i = 0; i < count; ++i) {
      for (int j = 0; j < count; ++j) {
        if (i == j) continue;
        for (int fi = 0; fi < 2; ++fi) {
          const int end1 = fi ? links[i].b : links[i].a, inner1 = fi ? links[i].a : links[i].b;
          for (int fj = 0; fj < 2; ++fj) {
            const int inner2 = fj ? links[j].b : links[j].a, end2 = fj ? links[j].a : links[j].b;
            if (end1 == inner2 || end1 == end2 || inner1 == inner2 || inner1 == end2) continue;
            if (!Sees(inner1, inner2)) continue;
            if (!AnySeenByBoth(s, d, end1, end2)) continue;
            RecordFourCellChain(s, d, end1, inner1, inner2, end2, TechniqueId::TurbotFish, step);
            return true;
          }
        }
      }
    }
  }
  return false;
}

bool FindEmptyRectangle(const PuzzleState& s, StepRecord& step) {
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    for (int block = 18; block < 27; ++block) {
      if (s.HouseCandCount(block, d) < 2) continue;
      const int first = HouseCell(block, 0);
      const int top = CellRow(first), left = CellCol(first);  // 1-based
      for (int row = top; row < top + 3; ++row) {
        for (int col = left; col < left + 3; ++col) {
          // Candidates on the cross of `row` and `col`, none off it, and some
          // on each arm away from the centre.
          bool onRowArm = false, onColumnArm = false, offCross = false;
          for (int c : CellsOfHouse(block)) {
            if (!s.Cand(c, d)) continue;
            const bool inRow = CellRow(c) == row, inCol = CellCol(c) == col;
            if (!inRow && !inCol) offCross = true;
            if (inRow && !inCol) onRowArm = true;
            if (inCol && !inRow) onColumnArm = true;
          }
          if (offCross || !onRowArm || !onColumnArm) continue;
          // Two readings: a strong link in a column that meets `row`, or a
          // strong link in a row that meets `col`.
          for (int reading = 0; reading < 2; ++reading) {
            const bool viaColumn = reading == 0;
            for (int line = 0; line < 9; ++line) {
              const int house = viaColumn ? 9 + line : line;
              // The link's line must run outside the block.
              if (viaColumn ? (line + 1 >= left && line + 1 < left + 3)
                            : (line + 1 >= top && line + 1 < top + 3))
                continue;
              int a = 0, b = 0;
              if (!StrongLink(s, house, d, a, b)) continue;
              for (const auto& [near, far] : {std::array<int, 2>{a, b}, std::array<int, 2>{b, a}}) {
                // `near` lies on the block's row (or column); `far` outside
                // the block's band (or stack).
                if (viaColumn) {
                  if (CellRow(near) != row) continue;
                  if (CellRow(far) >= top && CellRow(far) < top + 3) continue;
                } else {
                  if (CellCol(near) != col) continue;
                  if (CellCol(far) >= left && CellCol(far) < left + 3) continue;
                }
                const int target =
                    viaColumn ? 9 * (CellRow(far) - 1) + col - 1 : 9 * (row - 1) + CellCol(far) - 1;
                if (!s.Cand(target, d)) continue;
                // The block's two groups: the arm the link's near end sees,
                // and the rest, which the target sees.
                std::array<int, 3> armCells{}, restCells{};
                int arm = 0, rest = 0;
                for (int c : CellsOfHouse(block)) {
                  if (!s.Cand(c, d)) continue;
                  const bool onArm = viaColumn ? (CellRow(c) == row && CellCol(c) != col)
                                               : (CellCol(c) == col && CellRow(c) != row);
                  if (onArm) {
                    armCells[arm++] = c;
                  } else {
                    restCells[rest++] = c;
                  }
                }
                StartElimination(step, TechniqueId::EmptyRectangle);
                PushNode(step, PlainNode(d, far), LinkKind::Strong);
                PushNode(step, PlainNode(d, near), LinkKind::Strong);
                ChainNode armNode = PlainNode(d, armCells[0]);
                armNode.CellCount = static_cast<std::uint8_t>(arm);
                for (int k = 0; k < arm; ++k) armNode.Cells[k] = static_cast<std::uint8_t>(armCells[k]);
                ChainNode restNode = PlainNode(d, restCells[0]);
                restNode.CellCount = static_cast<std::uint8_t>(rest);
                for (int k = 0; k < rest; ++k) restNode.Cells[k] = static_cast<std::uint8_t>(restCells[k]);
                PushNode(step, armNode, LinkKind::Weak);
                PushNode(step, restNode, LinkKind::Strong);
                step.Meaning.House = block;
                EliminateAt(step, target, d);
                ColourChain(step, PatternColour);
                DrawChain(step);
                step.Text << d << ' ';
                AppendChainText(step.Text, step.Meaning, false);
                step.Digits << d;
                step.Meaning.DigitMask = DigitBit(d);
                return true;
              }
            }
          }
        }
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
