// Rungs 2, 4 and 6: N cells of a house whose candidates together are N
// digits; those digits leave the house's other cells.
//
// The pair has a scan of its own (cell by cell, looking for a twin); the
// triplet and quad walk the combinations of cell positions in lexicographic
// order with one recursive routine, cutting a prefix as soon as its union
// outgrows N, which leaves the order of the survivors unchanged.
#include "engine/steps/step_text.h"
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

// The subset's house, and when that is a line, the block its cells (at the
// positions in `chosen`) also lie in.
void RecordHouses(int house, int chosen, StepRecord& step) {
  step.Meaning.House = house;
  if (HouseType(house) == 2) return;
  int block = -1;
  for (int k = 0; k < 9; ++k) {
    if (!(chosen >> k & 1)) continue;
    const int b = HouseOf(HouseCell(house, k), 2);
    if (block >= 0 && b != block) return;
    block = b;
  }
  step.Meaning.SecondHouse = block;
}

// The search for a naked subset of `size` cells in one house.
struct SubsetSearch {
  const PuzzleState& s;
  int house;
  int size;

  // The first accepted combination that extends the positions in `chosen`
  // (a mask of positions 0..8) with positions from `from` on; fills the
  // record and returns true.
  bool Extend(int depth, int from, int chosen, int unionMask, StepRecord& step) {
    if (depth == size) return BitCount(unionMask) == size && Accept(chosen, unionMask, step);
    for (int k = from; k <= 9 - (size - depth); ++k) {
      const int c = HouseCell(house, k);
      if (s.Grid[c] != 0) continue;
      const int next = unionMask | s.CandMask[c];
      if (BitCount(next) > size) continue;
      if (Extend(depth + 1, k + 1, chosen | 1 << k, next, step)) return true;
    }
    return false;
  }

  bool Accept(int chosen, int unionMask, StepRecord& step) {
    bool any = false;
    for (int k = 0; k < 9 && !any; ++k) {
      const int c = HouseCell(house, k);
      any = !(chosen >> k & 1) && s.Grid[c] == 0 && (s.CandMask[c] & unionMask);
    }
    if (!any) return false;
    for (int k = 0; k < 9; ++k) {
      const int c = HouseCell(house, k);
      if (chosen >> k & 1) {
        step.CellColour[c] = PatternColour;
      } else if (s.Grid[c] == 0 && (s.CandMask[c] & unionMask)) {
        step.EliminateMask[c] |= static_cast<std::uint16_t>(s.CandMask[c] & unionMask);
        step.CellColour[c] = EliminationColour;
      }
    }
    step.Kind = kEliminate;
    step.Technique = size == 3 ? TechniqueId::NakedTriplet : TechniqueId::NakedQuad;
    RecordHouses(house, chosen, step);
    step.Meaning.DigitMask = unionMask;
    StartTrace(step.Text, step.Technique);
    step.Digits.Clear();
    AppendDigitList(step.Digits, unionMask);
    return true;
  }
};

}  // namespace

bool FindNakedPair(const PuzzleState& s, StepRecord& step) {
  for (int h = 0; h < 27; ++h) {
    if (s.EmptyCount[h] < 4) continue;
    for (int k1 = 0; k1 < 8; ++k1) {
      const int c1 = HouseCell(h, k1);
      if (s.CandCount[c1] != 2) continue;
      const int pair = s.CandMask[c1];
      const int p1 = MaskDigit(LowestBit(pair));
      const int p2 = MaskDigit(pair & ~LowestBit(pair));
      // Without a third cell holding one of the digits the pair removes nothing.
      if (s.HouseCandCount(h, p1) < 3 && s.HouseCandCount(h, p2) < 3) continue;
      for (int k2 = k1 + 1; k2 < 9; ++k2) {
        const int c2 = HouseCell(h, k2);
        if (s.CandCount[c2] != 2 || s.CandMask[c2] != pair) continue;
        step.Kind = kEliminate;
        step.Technique = TechniqueId::NakedPair;
        RecordHouses(h, 1 << k1 | 1 << k2, step);
        step.Meaning.DigitMask = pair;
        StartTrace(step.Text, TechniqueId::NakedPair);
        step.Digits.Clear();
        AppendDigitList(step.Digits, pair);
        step.CellColour[c1] = PatternColour;
        step.CellColour[c2] = PatternColour;
        for (int k = 0; k < 9; ++k) {
          const int c = HouseCell(h, k);
          if (k == k1 || k == k2 || !(s.CandMask[c] & pair)) continue;
          step.EliminateMask[c] |= static_cast<std::uint16_t>(s.CandMask[c] & pair);
          step.CellColour[c] = EliminationColour;
        }
        return true;
      }
    }
  }
  return false;
}

bool FindNakedSubset(const PuzzleState& s, StepRecord& step, int size) {
  const int minEmpty = size == 3 ? 5 : 7;
  for (int h = 0; h < 27; ++h) {
    if (s.EmptyCount[h] < minEmpty) continue;
    SubsetSearch search{s, h, size};
    if (search.Extend(0, 0, 0, 0, step)) return true;
  }
  return false;
}

}  // namespace tavimoro::steps
