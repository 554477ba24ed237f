// Avoidable rectangles: four cells on two rows, two columns and two blocks
// whose corners would hold x, y, y, x. When no corner is a given, such a
// pattern could be swapped into y, x, x, y and the puzzle would have two
// solutions, so a puzzle with one solution never ends in it. Unlike the
// unique rectangles, some corners are already filled, by the solver: a
// given there breaks the argument, so every filled corner must be entered.
//   type 1: three entered corners x, y, y (the two y on a diagonal): the
//           empty fourth corner cannot be x;
//   type 2: two entered corners x and y on one side, the two empty corners
//           holding only the digit that would complete the pattern and the
//           same extra z: one of them is z, and cells that see both lose z.
#include <algorithm>
#include <array>

#include "engine/steps/cell_bits.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"
#include "engine/steps/rectangle_walker.h"

namespace tavimoro::steps {
namespace {

// The rectangles with at least one empty and two entered corners; a corner
// neither entered nor empty is a given, which breaks the argument.
template <typename Visit>
bool ForEachAvoidable(const PuzzleState& s, Visit visit) {
  // Without two entered cells in the grid, no rectangle has them.
  if (BitsSet(s.EnteredBits[0]) + BitsSet(s.EnteredBits[1]) < 2) return false;
  return ForEachRectangle([&](const RectangleCorners& cell) {
    int entered = 0, empty = 0;
    for (int c : cell) {
      if (s.Entered(c)) ++entered;
      if (s.Grid[c] == 0) ++empty;
    }
    return empty != 0 && entered >= 2 && entered + empty == 4 && visit(cell);
  });
}

// The meaning shared by both types: the rows as base lines, the columns as
// cover, the two digits, and the entered corners as nodes carrying their
// digits.
void RecordRectangle(const PuzzleState& s, const RectangleCorners& cell, int x, int y, TechniqueId technique,
                     StepRecord& step) {
  StartElimination(step, technique);
  step.Text << x << y << ' ';
  for (int i = 0; i < 4; ++i) {
    if (i) step.Text << ',';
    AppendCellName(step.Text, cell[i]);
  }
  StepMeaning& m = step.Meaning;
  m.BaseCount = m.CoverCount = 2;
  m.BaseLines = {static_cast<std::int8_t>(HouseOf(cell[0], 0)), static_cast<std::int8_t>(HouseOf(cell[2], 0)),
                 0, 0};
  m.CoverLines = {static_cast<std::int8_t>(HouseOf(cell[0], 1)),
                  static_cast<std::int8_t>(HouseOf(cell[1], 1)), 0, 0};
  for (int c : cell) {
    if (s.Grid[c] != 0) PushNode(step, PlainNode(s.Grid[c], c), LinkKind::Weak);
    if (step.CellColour[c] == 0) step.CellColour[c] = s.Grid[c] != 0 ? PatternColour : SecondColour;
  }
  step.Lines[0] = {cell[0], cell[1], LineColour, 1};
  step.Lines[1] = {cell[0], cell[2], LineColour, 1};
  step.Lines[2] = {cell[1], cell[3], LineColour, 1};
  step.Lines[3] = {cell[2], cell[3], LineColour, 1};
  const int low = std::min(x, y), high = std::max(x, y);
  step.Digits << low << " & " << high;
  m.DigitMask = DigitBit(x) | DigitBit(y);
}

bool TypeOne(const PuzzleState& s, const RectangleCorners& cell, StepRecord& step) {
  for (int corner = 0; corner < 4; ++corner) {
    const int open = cell[corner], opposite = cell[3 - corner];
    const int side1 = cell[corner ^ 1], side2 = cell[corner ^ 2];
    if (s.Grid[open] != 0 || !s.Entered(opposite) || !s.Entered(side1) || !s.Entered(side2)) continue;
    const int x = s.Grid[opposite], y = s.Grid[side1];
    if (s.Grid[side2] != y || x == y || !s.Cand(open, x)) continue;
    EliminateAt(step, open, x);
    RecordRectangle(s, cell, x, y, TechniqueId::AvoidableRectangle1, step);
    return true;
  }
  return false;
}

bool TypeTwo(const PuzzleState& s, const RectangleCorners& cell, StepRecord& step) {
  // The entered side: the first row, the second row, the first column or
  // the second column; the empty side faces it.
  static constexpr std::array<std::array<int, 4>, 4> kSides{
      {{0, 1, 2, 3}, {2, 3, 0, 1}, {0, 2, 1, 3}, {1, 3, 0, 2}}};
  for (const auto& [e1, e2, o1, o2] : kSides) {
    const int entered1 = cell[e1], entered2 = cell[e2], open1 = cell[o1], open2 = cell[o2];
    if (!s.Entered(entered1) || !s.Entered(entered2) || s.Grid[open1] != 0 || s.Grid[open2] != 0) continue;
    const int x = s.Grid[entered1], y = s.Grid[entered2];
    if (x == y) continue;
    // open1 faces entered1, so the pattern would put y there, and x in open2.
    if (s.CandCount[open1] != 2 || s.CandCount[open2] != 2 || !s.Cand(open1, y) || !s.Cand(open2, x))
      continue;
    const int extra = s.CandMask[open1] & ~DigitBit(y);
    if (extra != (s.CandMask[open2] & ~DigitBit(x)) || (extra & (DigitBit(x) | DigitBit(y)))) continue;
    const int z = MaskDigit(extra);
    bool any = false;
    for (int c = 0; c < 81 && !any; ++c) any = s.Cand(c, z) && Sees(c, open1) && Sees(c, open2);
    if (!any) continue;
    for (int c = 0; c < 81; ++c)
      if (s.Cand(c, z) && Sees(c, open1) && Sees(c, open2)) EliminateAt(step, c, z);
    RecordRectangle(s, cell, x, y, TechniqueId::AvoidableRectangle2, step);
    return true;
  }
  return false;
}

}  // namespace

bool FindAvoidableRectangle(const PuzzleState& s, StepRecord& step) {
  return ForEachAvoidable(s, [&](const RectangleCorners& cell) { return TypeOne(s, cell, step); });
}

bool FindAvoidableRectangle2(const PuzzleState& s, StepRecord& step) {
  return ForEachAvoidable(s, [&](const RectangleCorners& cell) { return TypeTwo(s, cell, step); });
}

}  // namespace tavimoro::steps
