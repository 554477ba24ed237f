// The ladder's fish: X-Wing (two base lines) and Swordfish (three), found by
// the fish engine. A pass takes rows as base lines and columns as cover
// lines, then the other way round; a line is a house of the base type, a
// position 1..9 along it selects the cover line.
//
// The record keeps its own masks: base lines and cover positions as 9-bit
// masks (position p at bit p - 1).
#include <array>
#include <cstdint>

#include "engine/steps/fish_search.h"
#include "engine/steps/meaning.h"
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

// The house of base line `line` (1..9) of a type.
int LineHouse(int type, int line) { return 9 * type + line - 1; }

StepLine AlongHouse(int house, std::uint32_t colour) {
  return {HouseCell(house, 0), HouseCell(house, 8), colour, 2};
}

// The cells of the lines not in `baseLines` (a mask of lines, bit l - 1) at
// the given positions that hold d: what the fish removes.
template <typename Visit>
void ForEachVictim(const PuzzleState& s, int baseType, int baseLines, int positions, int digit, Visit visit) {
  for (int line = 1; line <= 9; ++line) {
    if (baseLines & (1 << (line - 1))) continue;
    const auto& cells = CellsOfHouse(LineHouse(baseType, line));
    for (int k = 0; k < 9; ++k) {
      if ((positions & (1 << k)) && s.Cand(cells[k], digit)) visit(cells[k]);
    }
  }
}

// Writes the fish into the record: the base-line cells at the cover
// positions (filled ones too), the victims, then the cover lines (strong)
// and the base lines.
void RecordFish(const PuzzleState& s, int baseType, int baseLines, int positions, int digit,
                TechniqueId technique, StepRecord& step) {
  for (int line = 1; line <= 9; ++line) {
    if (!(baseLines & (1 << (line - 1)))) continue;
    const auto& cells = CellsOfHouse(LineHouse(baseType, line));
    for (int k = 0; k < 9; ++k) {
      if (positions & (1 << k)) step.CellColour[cells[k]] = PatternColour;
    }
  }
  ForEachVictim(s, baseType, baseLines, positions, digit, [&](int cell) {
    step.SetEliminate(cell, digit);
    step.CellColour[cell] = EliminationColour;
  });
  const int coverType = 1 - baseType;
  int entry = 0;
  for (int p = 1; p <= 9; ++p) {
    if (!(positions & (1 << (p - 1)))) continue;
    step.Lines[entry++] = AlongHouse(LineHouse(coverType, p), StrongLineColour);
    AddCoverLine(step.Meaning, LineHouse(coverType, p));
  }
  for (int line = 1; line <= 9; ++line) {
    if (!(baseLines & (1 << (line - 1)))) continue;
    step.Lines[entry++] = AlongHouse(LineHouse(baseType, line), LineColour);
    AddBaseLine(step.Meaning, LineHouse(baseType, line));
  }
  step.Kind = kEliminate;
  step.Technique = technique;
  StartTrace(step.Text, technique);
  step.Meaning.DigitMask = DigitBit(digit);
}

// The base lines and cover positions of a basic fish the engine found.
int LineMask(const std::array<std::int8_t, kMaxFishSize>& houses, int size) {
  int mask = 0;
  for (int i = 0; i < size; ++i) mask |= 1 << (houses[i] % 9);
  return mask;
}

// The first plain fish of the size on d with base lines of the type, each
// holding 2..maxCount candidates.
bool FindPlainFish(const PuzzleState& s, int baseType, int digit, int size, int maxCount, Fish& fish) {
  FishQuery q;
  q.digit = digit;
  q.size = size;
  q.baseHouses = baseType == 0 ? kRowHouses : kColumnHouses;
  q.coverHouses = baseType == 0 ? kColumnHouses : kRowHouses;
  q.maxBaseCount = maxCount;
  return FindFish(s, q, fish);
}

void RecordPlainFish(const PuzzleState& s, int baseType, const Fish& f, TechniqueId technique,
                     StepRecord& step) {
  RecordFish(s, baseType, LineMask(f.base, f.size), LineMask(f.cover, f.size), f.digit, technique, step);
}

}  // namespace

bool FindXWing(const PuzzleState& s, StepRecord& step) {
  // Ordered by first base line, then digit.
  for (int baseType = 0; baseType <= 1; ++baseType) {
    Fish best;
    for (int d = 1; d <= 9; ++d) {
      Fish f;
      if (FindPlainFish(s, baseType, d, 2, 2, f) && (best.size == 0 || f.base[0] < best.base[0])) best = f;
    }
    if (best.size == 0) continue;
    RecordPlainFish(s, baseType, best, TechniqueId::XWing, step);
    return true;
  }
  return false;
}

bool FindSwordfish(const PuzzleState& s, StepRecord& step) {
  for (int baseType = 0; baseType <= 1; ++baseType) {
    for (int d = 1; d <= 9; ++d) {
      Fish f;
      if (!FindPlainFish(s, baseType, d, 3, 3, f)) continue;
      RecordPlainFish(s, baseType, f, TechniqueId::Swordfish, step);
      return true;
    }
  }
  return false;
}

}  // namespace tavimoro::steps
