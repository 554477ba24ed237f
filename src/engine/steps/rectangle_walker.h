// The one walk over rectangles that the uniqueness steps share: four cells
// on two rows, two columns and two blocks. Were such corners to hold x, y,
// y, x with none of them a given, the two digits could be swapped and the
// puzzle would have a second solution; every unique, hidden and avoidable
// rectangle type is a check run on the corners this walk hands it.
#pragma once

#include <array>
#include <initializer_list>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/tables.h"

namespace tavimoro::steps {

// (r1,c1), (r1,c2), (r2,c1), (r2,c2): corner i and corner 3 - i are
// opposite, i ^ 1 shares its row and i ^ 2 its column.
using RectangleCorners = std::array<int, 4>;

// Every rectangle over exactly two blocks, in row then column order;
// `visit(corners)` returns true to stop, and so does the walk.
template <typename Visit>
bool ForEachRectangle(Visit visit) {
  for (int r1 = 0; r1 < 9; ++r1) {
    for (int r2 = r1 + 1; r2 < 9; ++r2) {
      const bool sameBand = r1 / 3 == r2 / 3;
      for (int c1 = 0; c1 < 9; ++c1) {
        for (int c2 = c1 + 1; c2 < 9; ++c2) {
          if (sameBand == (c1 / 3 == c2 / 3)) continue;  // one or four blocks
          if (visit(RectangleCorners{9 * r1 + c1, 9 * r1 + c2, 9 * r2 + c1, 9 * r2 + c2})) return true;
        }
      }
    }
  }
  return false;
}

struct DigitRectangle {
  RectangleCorners cell;
  int x, y;  // x < y
};

// Whether the corners' candidates still allow x on one diagonal and y on
// the other.
inline bool CanStillSwap(const PuzzleState& s, const RectangleCorners& r, int x, int y) {
  auto holds = [&](int i, int d) { return s.Cand(r[i], d); };
  return (holds(0, x) && holds(3, x) && holds(1, y) && holds(2, y)) ||
         (holds(0, y) && holds(3, y) && holds(1, x) && holds(2, x));
}

// Every rectangle of four empty corners and every pair of digits x < y it
// could be completed with, in row, column and digit order. Without
// missingCandidates every corner holds both digits; with it a corner may
// have lost one, as long as the swappable pattern can still be filled in.
template <typename Visit>
bool ForEachDigitRectangle(const PuzzleState& s, bool missingCandidates, Visit visit) {
  return ForEachRectangle([&](const RectangleCorners& r) {
    const auto& [a, b, c, d] = r;
    if (s.Grid[a] != 0 || s.Grid[b] != 0 || s.Grid[c] != 0 || s.Grid[d] != 0) return false;
    const int common = s.CandMask[a] & s.CandMask[b] & s.CandMask[c] & s.CandMask[d];
    const int digits =
        missingCandidates ? (s.CandMask[a] | s.CandMask[b]) & (s.CandMask[c] | s.CandMask[d]) : common;
    if (BitCount(digits) < 2) return false;
    for (int x = 1; x <= 9; ++x) {
      if (!(digits & DigitBit(x))) continue;
      for (int y = x + 1; y <= 9; ++y) {
        if (!(digits & DigitBit(y))) continue;
        const bool full = (common & DigitBit(x)) && (common & DigitBit(y));
        if (!full && !CanStillSwap(s, r, x, y)) continue;
        if (visit(DigitRectangle{r, x, y})) return true;
      }
    }
    return false;
  });
}

// Whether the digit's places in the house are all among the cells given
// (which lie in it), and it has at least one there.
inline bool OnlyAmong(const PuzzleState& s, int house, int digit, std::initializer_list<int> cells) {
  int held = 0;
  for (int c : cells) held += s.Cand(c, digit) ? 1 : 0;
  return held > 0 && s.HouseCandCount(house, digit) == held;
}

// The check that type 3 of the rectangles and loops share: the roof cells'
// digits other than x and y (xy), as if one cell held them, with one to
// three other cells of the house form a naked subset; the house's other
// cells lose its digits. Fills the eliminations, the partners' colour and
// the meaning's house; false (step untouched) when there is none.
bool RoofSubsetIn(const PuzzleState& s, int house, int roof1, int roof2, int xy, StepRecord& step);

}  // namespace tavimoro::steps
