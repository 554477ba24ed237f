// StepRecord: what FindNextStep found, as flat data. The engine writes only
// the trace text; every hint wording lives in the board layer.
#pragma once

#include <array>
#include <cstdint>

#include "engine/fixed_text.h"
#include "engine/tables.h"

namespace tavimoro {

// Highlight colours, Windows order 0x00BBGGRR.
inline constexpr std::uint32_t PatternColour = 0xFFFF80;
inline constexpr std::uint32_t EliminationColour = 0xFFC0FF;
inline constexpr std::uint32_t UnitColour = 0xFFFFD2;
inline constexpr std::uint32_t LineColour = 0xC0C000;
inline constexpr std::uint32_t StrongLineColour = 0x0000FF;
inline constexpr std::uint32_t PivotColour = 0x80FF80;

enum StepKind : int { kNoStep = 0, kPlaceValue = 1, kEliminate = 2 };

struct StepLine {
  int FromCell = 0;
  int ToCell = 0;
  std::uint32_t Colour = 0;
  int Width = 0;

  bool IsEmpty() const { return FromCell == 0 && ToCell == 0 && Colour == 0 && Width == 0; }
};

using StepText = FixedText<1023>;
using DigitsText = FixedText<63>;

struct StepRecord {
  int Kind = kNoStep;
  StepText Text;
  int Cell = -1;
  int Value = 0;
  int Technique = 0;
  std::array<std::uint16_t, 81> EliminateMask{};  // digits to remove, per cell
  std::array<StepLine, 20> Lines{};
  std::array<std::uint32_t, 81> CellColour{};
  DigitsText Digits;

  bool Eliminate(int cell, int digit) const { return (EliminateMask[cell] >> (digit - 1)) & 1; }
  void SetEliminate(int cell, int digit) {
    EliminateMask[cell] |= static_cast<std::uint16_t>(DigitBit(digit));
  }
  bool AnyEliminated() const {
    for (auto m : EliminateMask)
      if (m) return true;
    return false;
  }
};

}  // namespace tavimoro
