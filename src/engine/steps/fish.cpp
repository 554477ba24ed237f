// Fish: X-Wing (two base lines) and Swordfish (three). A pass takes rows as
// base lines and columns as cover lines, then the other way round; a line is
// a house of the base type, a position 1..9 along it selects the cover line.
//
// A digit's positions along a base line are kept as a 9-bit mask (position p
// at bit p - 1), so the union of a Swordfish's three lines is one OR. A fish
// is written into the record only once it is known to remove something, so
// a passed-over fish leaves no trace.
#include <array>
#include <cstdint>

#include "engine/steps/meaning.h"
#include "engine/steps/steps.h"

namespace tavimoro::steps {
namespace {

// The house of base line `line` (1..9) of a type.
int LineHouse(int type, int line) { return 9 * type + line - 1; }

// Positions (bit p - 1 for position p) of the cells of a house holding d.
int PositionsOf(const PuzzleState& s, int house, int digit) {
  int mask = 0;
  const auto& cells = CellsOfHouse(house);
  for (int k = 0; k < 9; ++k) {
    if (s.Cand(cells[k], digit)) mask |= 1 << k;
  }
  return mask;
}

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

bool RemovesSomething(const PuzzleState& s, int baseType, int baseLines, int positions, int digit) {
  bool any = false;
  ForEachVictim(s, baseType, baseLines, positions, digit, [&](int) { any = true; });
  return any;
}

// Writes the fish into the record: the base-line cells at the cover
// positions (filled ones too), the victims, then the cover lines (strong)
// and the base lines.
void RecordFish(const PuzzleState& s, int baseType, int baseLines, int positions, int digit,
                TechniqueId technique, std::string_view text, StepRecord& step) {
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
  step.Text = text;
  step.Meaning.DigitMask = DigitBit(digit);
}

}  // namespace

bool FindXWing(const PuzzleState& s, StepRecord& step) {
  for (int baseType = 0; baseType <= 1; ++baseType) {
    for (int r1 = 1; r1 <= 8; ++r1) {
      const int h1 = LineHouse(baseType, r1);
      for (int d = 1; d <= 9; ++d) {
        if (s.HouseCandCount(h1, d) != 2) continue;
        const int positions = PositionsOf(s, h1, d);
        for (int r2 = r1 + 1; r2 <= 9; ++r2) {
          const int h2 = LineHouse(baseType, r2);
          if (s.HouseCandCount(h2, d) != 2 || PositionsOf(s, h2, d) != positions) continue;
          const int baseLines = (1 << (r1 - 1)) | (1 << (r2 - 1));
          if (!RemovesSomething(s, baseType, baseLines, positions, d)) continue;
          RecordFish(s, baseType, baseLines, positions, d, TechniqueId::XWing, "X-WING: ", step);
          return true;
        }
      }
    }
  }
  return false;
}

bool FindSwordfish(const PuzzleState& s, StepRecord& step) {
  for (int baseType = 0; baseType <= 1; ++baseType) {
    for (int d = 1; d <= 9; ++d) {
      // Eligible base lines in increasing order, with their positions.
      std::array<int, 9> lines{}, positions{};
      int eligible = 0;
      for (int line = 1; line <= 9; ++line) {
        const int count = s.HouseCandCount(LineHouse(baseType, line), d);
        if (count != 2 && count != 3) continue;
        lines[eligible] = line;
        positions[eligible] = PositionsOf(s, LineHouse(baseType, line), d);
        ++eligible;
      }
      for (int i = 0; i < eligible; ++i) {
        for (int j = i + 1; j < eligible; ++j) {
          if (BitCount(positions[i] | positions[j]) > 3) continue;
          for (int k = j + 1; k < eligible; ++k) {
            const int cover = positions[i] | positions[j] | positions[k];
            if (BitCount(cover) != 3) continue;
            const int baseLines = (1 << (lines[i] - 1)) | (1 << (lines[j] - 1)) | (1 << (lines[k] - 1));
            if (!RemovesSomething(s, baseType, baseLines, cover, d)) continue;
            RecordFish(s, baseType, baseLines, cover, d, TechniqueId::Swordfish, "SWORDFISH: ", step);
            return true;
          }
        }
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
