// Wings: a pivot cell and two pincers that see it but not each other. Every
// assignment of the pivot puts digit z into one of the pincers, so z goes
// from every cell that sees both (and, for the XYZ-Wing, the pivot too).
//
// Cells are bivalue or trivalue, so each is read as its candidate mask; the
// victims are collected as a mask per cell and written to the record only
// when a wing is accepted.
#include <array>
#include <cstdint>

#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

struct Victims {
  std::array<bool, 81> cell{};
  int count = 0;
  bool anyBivalue = false;
};

// Cells other than the pattern's that hold z and see every cell in `seen`.
template <std::size_t N>
Victims FindVictims(const PuzzleState& s, int z, const std::array<int, N>& seen, int p, int w1, int w2) {
  Victims v;
  for (int c = 0; c < 81; ++c) {
    if (c == p || c == w1 || c == w2 || !s.Cand(c, z)) continue;
    bool seesAll = true;
    for (int other : seen) seesAll = seesAll && CellsShareHouse(c, other);
    if (!seesAll) continue;
    v.cell[c] = true;
    ++v.count;
    if (s.CandCount[c] == 2) v.anyBivalue = true;
  }
  return v;
}

void RecordWing(const Victims& v, int z, int p, int pivotDigits, int w1, int w2, TechniqueId technique,
                const DigitsText& digits, StepRecord& step) {
  for (int c = 0; c < 81; ++c) {
    if (!v.cell[c]) continue;
    step.SetEliminate(c, z);
    step.CellColour[c] = EliminationColour;
  }
  step.CellColour[p] = PivotColour;
  step.CellColour[w1] = PatternColour;
  step.CellColour[w2] = PatternColour;
  step.Lines[0] = {p, w1, StrongLineColour, 1};
  step.Lines[1] = {p, w2, StrongLineColour, 1};
  step.Kind = kEliminate;
  step.Technique = technique;
  step.Meaning.Pivot = p;
  step.Meaning.DigitMask = pivotDigits;
  StartTrace(step.Text, technique);
  step.Digits = digits;
}

int DigitSum(const PuzzleState& s, int cell) {
  int first = 0, second = 0;
  FirstTwoCandidates(s, cell, first, second);
  return first + second;
}

}  // namespace

bool FindXYWing(const PuzzleState& s, StepRecord& step) {
  // The strict pass accepts only wings that leave some victim bivalue.
  for (const bool strict : {true, false}) {
    for (int p = 0; p < 81; ++p) {
      if (s.CandCount[p] != 2) continue;
      int x = 0, y = 0;
      FirstTwoCandidates(s, p, x, y);
      for (int w1 = 0; w1 <= 79; ++w1) {
        if (s.CandCount[w1] != 2 || w1 == p || !CellsShareHouse(w1, p)) continue;
        int first = 0, second = 0;
        FirstTwoCandidates(s, w1, first, second);
        if (first + second == x + y) continue;
        int z = 0, w = 0;
        if (first == x) {
          z = second, w = y;
        } else if (first == y) {
          z = second, w = x;
        } else if (second == x) {
          z = first, w = y;
        } else if (second == y) {
          z = first, w = x;
        } else {
          continue;
        }
        const int zw = DigitBit(z) | DigitBit(w);
        for (int w2 = w1 + 1; w2 <= 80; ++w2) {
          if (s.CandCount[w2] != 2 || w2 == p || (s.CandMask[w2] & zw) != zw) continue;
          if (!CellsShareHouse(w2, p) || CellsShareHouse(w2, w1)) continue;
          const Victims v = FindVictims(s, z, std::array<int, 2>{w1, w2}, p, w1, w2);
          if (v.count == 0 || (strict && !v.anyBivalue)) continue;
          DigitsText digits;
          digits << x << " or " << y;
          RecordWing(v, z, p, s.CandMask[p], w1, w2, TechniqueId::XYWing, digits, step);
          return true;
        }
      }
    }
  }
  return false;
}

bool FindXYZWing(const PuzzleState& s, StepRecord& step) {
  for (int p = 0; p < 81; ++p) {
    if (s.CandCount[p] != 3) continue;
    const int pivot = s.CandMask[p];
    for (int w1 = 0; w1 <= 79; ++w1) {
      if (s.CandCount[w1] != 2 || w1 == p || !CellsShareHouse(w1, p)) continue;
      if ((s.CandMask[w1] & ~pivot) != 0) continue;
      const int sum1 = DigitSum(s, w1);
      for (int w2 = w1 + 1; w2 <= 80; ++w2) {
        if (s.CandCount[w2] != 2 || w2 == p || !CellsShareHouse(w2, p) || CellsShareHouse(w2, w1)) continue;
        if ((s.CandMask[w2] & ~pivot) != 0 || DigitSum(s, w2) == sum1) continue;
        int first = 0, second = 0;
        FirstTwoCandidates(s, w1, first, second);
        const int z = s.Cand(w2, first) ? first : second;
        const Victims v = FindVictims(s, z, std::array<int, 3>{w1, w2, p}, p, w1, w2);
        if (v.count == 0) continue;
        const int others = pivot & ~DigitBit(z);
        DigitsText digits;
        digits << MaskDigit(LowestBit(others)) << " or " << MaskDigit(others & ~LowestBit(others)) << ", "
               << z;
        RecordWing(v, z, p, pivot, w1, w2, TechniqueId::XYZWing, digits, step);
        return true;
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
