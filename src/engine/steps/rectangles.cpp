// Steps that lean on the puzzle having one solution.
//
// A unique rectangle is four cells on two rows, two columns and two blocks
// that all hold the digits x and y. Were they all {x, y} the two digits
// could be swapped, so some corner must take another digit (or the pattern
// must be broken otherwise). Corners that hold only x and y are the floor,
// the others carry extra digits:
//   type 2: two corners on one side with the same one extra z: z goes from
//           cells that see both;
//   type 3: two corners on one side whose extras, with other cells of a
//           house they share, form a naked subset;
//   type 4: two corners on one side whose shared house holds x only in them:
//           y goes from both;
//   type 5: two diagonal or three corners with the same one extra z;
//   type 6: a diagonal floor, and x only in the rectangle's cells along
//           both rows (or both columns): x goes from the two other corners.
// Hidden rectangle: one floor corner, and x only in the rectangle along
// the row and the column of the opposite corner: y goes from that corner.
// Where the search allows missing candidates, a corner may already have
// lost x or y (rectangle_walker.h); every argument above still holds, since
// it only needs the corners' digits to lie within what they hold.
//
// BUG+n: every empty cell bivalue but a few, and every digit twice or not
// at all in each house once some candidates of those few cells are set
// aside. Such a grid has no or several solutions, so one of the set-aside
// candidates is true; a candidate that excludes all of them goes.
#include <array>
#include <cstdint>
#include <vector>

#include "engine/steps/current_position.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"
#include "engine/steps/rectangle_walker.h"
#include "engine/steps/step_text.h"

namespace tavimoro::steps {
namespace {

using Rectangle = DigitRectangle;

void RecordRectangle(const PuzzleState& s, const Rectangle& r, TechniqueId technique, StepRecord& step) {
  StartElimination(step, technique);
  step.Text << r.x << r.y << ' ';
  for (int i = 0; i < 4; ++i) {
    if (i) step.Text << ',';
    AppendCellName(step.Text, r.cell[i]);
  }
  for (int c : r.cell)
    if (step.CellColour[c] == 0) step.CellColour[c] = PatternColour;
  const auto& [a, b, c, d] = r.cell;
  // The rectangle's two rows as base lines and its two columns as cover.
  StepMeaning& m = step.Meaning;
  m.BaseCount = m.CoverCount = 2;
  m.BaseLines = {static_cast<std::int8_t>(HouseOf(a, 0)), static_cast<std::int8_t>(HouseOf(c, 0)), 0, 0};
  m.CoverLines = {static_cast<std::int8_t>(HouseOf(a, 1)), static_cast<std::int8_t>(HouseOf(b, 1)), 0, 0};
  step.Lines[0] = {a, b, LineColour, 1};
  step.Lines[1] = {a, c, LineColour, 1};
  step.Lines[2] = {b, d, LineColour, 1};
  step.Lines[3] = {c, d, LineColour, 1};
  step.Digits << r.x << " & " << r.y;
  step.Meaning.DigitMask = DigitBit(r.x) | DigitBit(r.y);
  // The digits corners have already lost, for the hint to name.
  for (int corner : r.cell)
    for (int digit : {r.x, r.y})
      if (!s.Cand(corner, digit)) PushNode(step, PlainNode(digit, corner), LinkKind::Weak);
}

// A corner with no digit but x and y (all it has left of them, where it
// has lost one).
bool IsFloor(const PuzzleState& s, int cell, int xy) { return (s.CandMask[cell] & ~xy) == 0; }

// The two roof corners when exactly two corners carry extras and they lie
// on one side (share a row or a column); false otherwise.
bool RoofOnOneSide(const PuzzleState& s, const Rectangle& r, int& roof1, int& roof2) {
  const int xy = DigitBit(r.x) | DigitBit(r.y);
  roof1 = roof2 = -1;
  int roofCount = 0;
  for (int c : r.cell) {
    if (IsFloor(s, c, xy)) continue;
    ++roofCount;
    (roof1 < 0 ? roof1 : roof2) = c;
  }
  if (roofCount != 2) return false;
  return CellRow(roof1) == CellRow(roof2) || CellCol(roof1) == CellCol(roof2);
}

// The houses both roof corners lie in: their line, then their block.
int SharedHouses(int a, int b, std::array<int, 2>& houses) {
  int n = 0;
  houses[n++] = CellRow(a) == CellRow(b) ? HouseOf(a, 0) : HouseOf(a, 1);
  if (CellBlock(a) == CellBlock(b)) houses[n++] = HouseOf(a, 2);
  return n;
}

bool TypeTwoOrFive(const PuzzleState& s, const Rectangle& r, bool typeTwo, StepRecord& step) {
  const int xy = DigitBit(r.x) | DigitBit(r.y);
  int extra = 0, roofCount = 0;
  std::array<int, 4> roof{};
  for (int c : r.cell) {
    const int e = s.CandMask[c] & ~xy;
    if (e == 0) continue;
    if (BitCount(e) != 1 || (extra != 0 && e != extra)) return false;
    extra = e;
    roof[roofCount++] = c;
  }
  if (roofCount < 2 || roofCount > 3) return false;
  const bool oneSide =
      roofCount == 2 && (CellRow(roof[0]) == CellRow(roof[1]) || CellCol(roof[0]) == CellCol(roof[1]));
  if (oneSide != typeTwo) return false;
  const int z = MaskDigit(extra);
  auto seesRoof = [&](int c) {
    for (int i = 0; i < roofCount; ++i)
      if (!Sees(c, roof[i])) return false;
    return true;
  };
  bool any = false;
  for (int c = 0; c < 81 && !any; ++c) any = s.Cand(c, z) && seesRoof(c);
  if (!any) return false;
  for (int c = 0; c < 81; ++c)
    if (s.Cand(c, z) && seesRoof(c)) EliminateAt(step, c, z);
  RecordRectangle(s, r, typeTwo ? TechniqueId::UniqueRectangle2 : TechniqueId::UniqueRectangle5, step);
  return true;
}

bool TypeThree(const PuzzleState& s, const Rectangle& r, StepRecord& step) {
  int roof1 = 0, roof2 = 0;
  if (!RoofOnOneSide(s, r, roof1, roof2)) return false;
  const int xy = DigitBit(r.x) | DigitBit(r.y);
  std::array<int, 2> houses{};
  const int houseCount = SharedHouses(roof1, roof2, houses);
  for (int hi = 0; hi < houseCount; ++hi) {
    if (!RoofSubsetIn(s, houses[hi], roof1, roof2, xy, step)) continue;
    RecordRectangle(s, r, TechniqueId::UniqueRectangle3, step);
    return true;
  }
  return false;
}

bool TypeFour(const PuzzleState& s, const Rectangle& r, StepRecord& step) {
  int roof1 = 0, roof2 = 0;
  if (!RoofOnOneSide(s, r, roof1, roof2)) return false;
  std::array<int, 2> houses{};
  const int houseCount = SharedHouses(roof1, roof2, houses);
  for (int hi = 0; hi < houseCount; ++hi) {
    for (const auto& [locked, doomed] : {std::array<int, 2>{r.x, r.y}, std::array<int, 2>{r.y, r.x}}) {
      if (!OnlyAmong(s, houses[hi], locked, {roof1, roof2})) continue;
      if (!s.Cand(roof1, doomed) && !s.Cand(roof2, doomed)) continue;
      for (int roof : {roof1, roof2})
        if (s.Cand(roof, doomed)) EliminateAt(step, roof, doomed);
      step.Meaning.House = houses[hi];
      RecordRectangle(s, r, TechniqueId::UniqueRectangle4, step);
      return true;
    }
  }
  return false;
}

bool TypeSix(const PuzzleState& s, const Rectangle& r, StepRecord& step) {
  const int xy = DigitBit(r.x) | DigitBit(r.y);
  const auto& [a, b, c, d] = r.cell;
  // The floor on one diagonal, extras on the other.
  int roof1 = -1, roof2 = -1;
  if (IsFloor(s, a, xy) && IsFloor(s, d, xy) && !IsFloor(s, b, xy) && !IsFloor(s, c, xy)) {
    roof1 = b, roof2 = c;
  } else if (IsFloor(s, b, xy) && IsFloor(s, c, xy) && !IsFloor(s, a, xy) && !IsFloor(s, d, xy)) {
    roof1 = a, roof2 = d;
  } else {
    return false;
  }
  for (int digit : {r.x, r.y}) {
    const bool rows =
        OnlyAmong(s, HouseOf(a, 0), digit, {a, b}) && OnlyAmong(s, HouseOf(d, 0), digit, {c, d});
    const bool cols =
        OnlyAmong(s, HouseOf(a, 1), digit, {a, c}) && OnlyAmong(s, HouseOf(d, 1), digit, {b, d});
    if (!rows && !cols) continue;
    if (!s.Cand(roof1, digit) && !s.Cand(roof2, digit)) continue;
    for (int roof : {roof1, roof2})
      if (s.Cand(roof, digit)) EliminateAt(step, roof, digit);
    RecordRectangle(s, r, TechniqueId::UniqueRectangle6, step);
    return true;
  }
  return false;
}

bool HiddenRectangle(const PuzzleState& s, const Rectangle& r, StepRecord& step) {
  const int xy = DigitBit(r.x) | DigitBit(r.y);
  for (int corner = 0; corner < 4; ++corner) {
    const int floor = r.cell[corner];
    if (!IsFloor(s, floor, xy)) continue;
    const int opposite = r.cell[3 - corner];
    if (IsFloor(s, opposite, xy)) continue;
    // The opposite corner's neighbours along its row and its column.
    const int rowMate = r.cell[(3 - corner) ^ 1], colMate = r.cell[(3 - corner) ^ 2];
    for (const auto& [locked, doomed] : {std::array<int, 2>{r.x, r.y}, std::array<int, 2>{r.y, r.x}}) {
      if (!OnlyAmong(s, HouseOf(opposite, 0), locked, {opposite, rowMate})) continue;
      if (!OnlyAmong(s, HouseOf(opposite, 1), locked, {opposite, colMate})) continue;
      if (!s.Cand(opposite, doomed)) continue;
      EliminateAt(step, opposite, doomed);
      step.Meaning.Pivot = floor;
      RecordRectangle(s, r, TechniqueId::HiddenRectangle, step);
      return true;
    }
  }
  return false;
}

}  // namespace

bool RoofSubsetIn(const PuzzleState& s, int house, int roof1, int roof2, int xy, StepRecord& step) {
  const int virtualCell = (s.CandMask[roof1] | s.CandMask[roof2]) & ~xy;
  if (BitCount(virtualCell) < 2) return false;
  std::array<int, 9> others{};
  int n = 0;
  for (int c : CellsOfHouse(house))
    if (c != roof1 && c != roof2 && s.CandCount[c] >= 2) others[n++] = c;
  // Subsets of one to three other cells, in mask order.
  for (int subset = 1; subset < (1 << n); ++subset) {
    const int size = BitCount(subset);
    if (size > 3) continue;
    int digits = virtualCell;
    for (int i = 0; i < n; ++i)
      if (subset & (1 << i)) digits |= s.CandMask[others[i]];
    if (BitCount(digits) != size + 1) continue;
    bool any = false;
    for (int i = 0; i < n; ++i)
      if (!(subset & (1 << i)) && (s.CandMask[others[i]] & digits)) any = true;
    if (!any) continue;
    for (int i = 0; i < n; ++i) {
      if (subset & (1 << i)) {
        step.CellColour[others[i]] = SecondColour;
        continue;
      }
      for (int d = 1; d <= 9; ++d)
        if ((digits & DigitBit(d)) && s.Cand(others[i], d)) EliminateAt(step, others[i], d);
    }
    step.Meaning.House = house;
    return true;
  }
  return false;
}

// The rectangles and digit pairs of the last position walked on this
// thread, with and without missing candidates: the rectangle steps are
// asked one after another at the same position.
template <typename Visit>
bool ForEachKeptRectangle(const PuzzleState& s, bool missingCandidates, Visit visit) {
  struct Kept {
    std::uint64_t position = 0;
    std::vector<Rectangle> rectangles;
  };
  thread_local std::array<Kept, 2> kept;
  Kept& k = kept[missingCandidates ? 1 : 0];
  const std::uint64_t now = PositionNow(s).number;
  if (k.position != now) {
    k.rectangles.clear();
    ForEachDigitRectangle(s, missingCandidates, [&](const Rectangle& r) {
      k.rectangles.push_back(r);
      return false;
    });
    k.position = now;
  }
  for (const Rectangle& r : k.rectangles)
    if (visit(r)) return true;
  return false;
}

bool FindUniqueRectangleType(const PuzzleState& s, StepRecord& step, TechniqueId type,
                             bool missingCandidates) {
  return ForEachKeptRectangle(s, missingCandidates, [&](const Rectangle& r) {
    switch (type) {
      case TechniqueId::UniqueRectangle2:
        return TypeTwoOrFive(s, r, true, step);
      case TechniqueId::UniqueRectangle3:
        return TypeThree(s, r, step);
      case TechniqueId::UniqueRectangle4:
        return TypeFour(s, r, step);
      case TechniqueId::UniqueRectangle5:
        return TypeTwoOrFive(s, r, false, step);
      case TechniqueId::UniqueRectangle6:
        return TypeSix(s, r, step);
      default:
        return false;
    }
  });
}

bool FindHiddenRectangle(const PuzzleState& s, StepRecord& step, bool missingCandidates) {
  return ForEachKeptRectangle(s, missingCandidates,
                              [&](const Rectangle& r) { return HiddenRectangle(s, r, step); });
}

bool FindBugPlusN(const PuzzleState& s, StepRecord& step) {
  constexpr int kMaxPoly = 4;
  std::array<int, kMaxPoly> poly{};
  int polyCount = 0;
  std::array<std::array<int, 9>, 27> count{};  // [house][digit - 1] over bivalue cells
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] != 0) continue;
    if (s.CandCount[c] < 2) return false;
    if (s.CandCount[c] > 2) {
      // Cells of five or more digits would make the search too wide.
      if (polyCount == kMaxPoly || s.CandCount[c] > 4) return false;
      poly[polyCount++] = c;
      continue;
    }
    for (int m = s.CandMask[c]; m; m &= m - 1)
      for (int t = 0; t < 3; ++t) ++count[HouseOf(c, t)][MaskDigit(LowestBit(m)) - 1];
  }
  if (polyCount == 0) return false;
  // The pair each poly cell keeps: tried in digit order, the first choice
  // that leaves every digit twice or not at all in each house wins.
  std::array<int, kMaxPoly> kept{};
  auto balanced = [&]() {
    for (int h = 0; h < 27; ++h)
      for (int d = 0; d < 9; ++d)
        if (count[h][d] != 0 && count[h][d] != 2) return false;
    return true;
  };
  auto adjust = [&](int cell, int pair, int delta) {
    for (int m = pair; m; m &= m - 1)
      for (int t = 0; t < 3; ++t) count[HouseOf(cell, t)][MaskDigit(LowestBit(m)) - 1] += delta;
  };
  auto choose = [&](auto& self, int i) -> bool {
    // polyCount never exceeds kMaxPoly; saying so keeps the compiler's
    // bounds check quiet.
    if (i == polyCount || i == kMaxPoly) return balanced();
    const int mask = s.CandMask[poly[i]];
    for (int lo = mask; lo; lo &= lo - 1) {
      for (int hi = lo & (lo - 1); hi; hi &= hi - 1) {
        const int pair = LowestBit(lo) | LowestBit(hi);
        adjust(poly[i], pair, 1);
        kept[i] = pair;
        bool overfull = false;
        for (int t = 0; t < 3; ++t)
          for (int m = pair; m; m &= m - 1)
            overfull |= count[HouseOf(poly[i], t)][MaskDigit(LowestBit(m)) - 1] > 2;
        if (!overfull && self(self, i + 1)) return true;
        adjust(poly[i], pair, -1);
      }
    }
    return false;
  };
  if (!choose(choose, 0)) return false;

  // The set-aside candidates, one of which is true.
  auto excludesAll = [&](int cell, int d) {
    for (int i = 0; i < polyCount; ++i) {
      for (int m = s.CandMask[poly[i]] & ~kept[i]; m; m &= m - 1) {
        const int e = MaskDigit(LowestBit(m));
        const bool excludes = cell == poly[i] ? d != e : d == e && Sees(cell, poly[i]);
        if (!excludes) return false;
      }
    }
    return true;
  };
  int extraCount = 0, extraCell = -1, extraDigit = 0;
  for (int i = 0; i < polyCount; ++i) {
    const int extras = s.CandMask[poly[i]] & ~kept[i];
    extraCount += BitCount(extras);
    extraCell = poly[i];
    extraDigit = MaskDigit(LowestBit(extras));
  }
  if (extraCount == 1) {
    step.Kind = kPlaceValue;
    step.Cell = extraCell;
    step.Value = extraDigit;
    step.Technique = TechniqueId::BugPlusN;
    StartTrace(step.Text, TechniqueId::BugPlusN, 1);
    AppendCellName(step.Text, extraCell);
    step.Text << '=' << extraDigit;
    step.CellColour[extraCell] = PatternColour;
    step.Digits << extraDigit;
    step.Meaning.DigitMask = DigitBit(extraDigit);
    return true;
  }
  bool any = false;
  for (int c = 0; c < 81 && !any; ++c)
    for (int m = s.CandMask[c]; m && !any; m &= m - 1) any = excludesAll(c, MaskDigit(LowestBit(m)));
  if (!any) return false;
  step.Kind = kEliminate;
  step.Technique = TechniqueId::BugPlusN;
  StartTrace(step.Text, TechniqueId::BugPlusN, polyCount);
  int extrasAll = 0;
  for (int i = 0; i < polyCount; ++i) {
    step.CellColour[poly[i]] = PatternColour;
    if (i) step.Text << ',';
    AppendCellName(step.Text, poly[i]);
    step.Text << '(';
    const int extras = s.CandMask[poly[i]] & ~kept[i];
    extrasAll |= extras;
    for (int m = extras; m; m &= m - 1) step.Text << MaskDigit(LowestBit(m));
    step.Text << ')';
  }
  for (int c = 0; c < 81; ++c)
    for (int m = s.CandMask[c]; m; m &= m - 1)
      if (excludesAll(c, MaskDigit(LowestBit(m)))) EliminateAt(step, c, MaskDigit(LowestBit(m)));
  AppendDigitList(step.Digits, extrasAll);
  step.Meaning.DigitMask = extrasAll;
  return true;
}

}  // namespace tavimoro::steps
