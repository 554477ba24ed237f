// Rungs 5, 7 and 8: N digits of a house that together fit in only N cells;
// those cells lose every other candidate. The rungs look only in crowded
// houses; the triple and quadruple beyond the ladder look in any house.
//
// Each house is read once into a mask of positions (0..8) per digit, so a
// combination of digits is tested by OR-ing N masks. The pair scans houses
// from block 9 down to row 1 and pairs digits directly; the triplet and
// quad walk digit combinations in lexicographic order, cutting a prefix as
// soon as it covers more than N cells.
#include "engine/steps/step_text.h"
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

using PositionMasks = std::array<int, 10>;  // [digit] -> positions holding it

PositionMasks PositionsOfDigits(const PuzzleState& s, int house) {
  PositionMasks positions{};
  for (int k = 0; k < 9; ++k) {
    for (int rest = s.CandMask[HouseCell(house, k)]; rest != 0; rest &= rest - 1)
      positions[MaskDigit(LowestBit(rest))] |= 1 << k;
  }
  return positions;
}

// Flags every candidate outside `digits` in the cells at `cellPositions`;
// false (record untouched) when there is none.
bool RecordHidden(const PuzzleState& s, StepRecord& step, int house, int digits, int cellPositions,
                  TechniqueId technique) {
  bool any = false;
  for (int k = 0; k < 9; ++k) {
    if ((cellPositions >> k & 1) && (s.CandMask[HouseCell(house, k)] & ~digits)) any = true;
  }
  if (!any) return false;
  for (int k = 0; k < 9; ++k) {
    if (!(cellPositions >> k & 1)) continue;
    const int c = HouseCell(house, k);
    step.EliminateMask[c] |= static_cast<std::uint16_t>(s.CandMask[c] & ~digits);
    step.CellColour[c] = PatternColour;
  }
  step.Kind = kEliminate;
  step.Technique = technique;
  step.Meaning.House = house;
  step.Meaning.DigitMask = digits;
  StartTrace(step.Text, technique);
  step.Text << HouseLetter(house);
  step.Digits.Clear();
  AppendDigitList(step.Digits, digits);
  return true;
}

// The search for a hidden subset of `size` digits among the usable digits
// of one house; the first combination in order that removes something wins.
struct HiddenSearch {
  const PuzzleState& s;
  int house;
  int size;
  PositionMasks positions;
  int usable;  // digit mask
  TechniqueId technique;

  bool Extend(int depth, int fromDigit, int digits, int cells, StepRecord& step) {
    if (depth == size) {
      if (BitCount(cells) != size) return false;
      return RecordHidden(s, step, house, digits, cells, technique);
    }
    for (int d = fromDigit; d <= 9; ++d) {
      if (!(usable & DigitBit(d))) continue;
      const int next = cells | positions[d];
      if (BitCount(next) > size) continue;
      if (Extend(depth + 1, d + 1, digits | DigitBit(d), next, step)) return true;
    }
    return false;
  }
};

// The first hidden subset of `size` digits in a house of at least minEmpty
// empty cells, houses in order.
bool FindHiddenIn(const PuzzleState& s, StepRecord& step, int size, int minEmpty, TechniqueId technique) {
  for (int h = 0; h < 27; ++h) {
    if (s.EmptyCount[h] < minEmpty) continue;
    int usable = 0;
    for (int d = 1; d <= 9; ++d) {
      if (s.HouseCandCount(h, d) <= size && !s.HouseHas(h, d)) usable |= DigitBit(d);
    }
    if (BitCount(usable) < size) continue;
    HiddenSearch search{s, h, size, PositionsOfDigits(s, h), usable, technique};
    if (search.Extend(0, 1, 0, 0, step)) return true;
  }
  return false;
}

}  // namespace

bool FindHiddenPair(const PuzzleState& s, StepRecord& step) {
  for (int h = 26; h >= 0; --h) {
    if (s.EmptyCount[h] < 5) continue;
    bool anyPairDigit = false;
    for (int d = 1; d <= 9 && !anyPairDigit; ++d) anyPairDigit = s.HouseCandCount(h, d) == 2;
    if (!anyPairDigit) continue;
    const PositionMasks positions = PositionsOfDigits(s, h);
    for (int d1 = 1; d1 <= 8; ++d1) {
      if (s.HouseCandCount(h, d1) != 2) continue;
      for (int d2 = d1 + 1; d2 <= 9; ++d2) {
        if (s.HouseCandCount(h, d2) != 2 || positions[d2] != positions[d1]) continue;
        if (RecordHidden(s, step, h, DigitBit(d1) | DigitBit(d2), positions[d1], TechniqueId::HiddenPair))
          return true;
      }
    }
  }
  return false;
}

bool FindHiddenSubset(const PuzzleState& s, StepRecord& step, int size) {
  return size == 3 ? FindHiddenIn(s, step, 3, 8, TechniqueId::HiddenTriplet)
                   : FindHiddenIn(s, step, 4, 8, TechniqueId::HiddenQuad);
}

bool FindHiddenSubsetAnywhere(const PuzzleState& s, StepRecord& step, int size) {
  // A house of no more empty cells than digits has nothing else to remove.
  return size == 3 ? FindHiddenIn(s, step, 3, 4, TechniqueId::HiddenTriple)
                   : FindHiddenIn(s, step, 4, 5, TechniqueId::HiddenQuadruple);
}

}  // namespace tavimoro::steps
