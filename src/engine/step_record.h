// StepRecord: what FindNextStep found, as flat data. The engine writes only
// the trace text; every hint wording lives in the board layer.
#pragma once

#include <array>
#include <cstdint>

#include "engine/fixed_text.h"
#include "engine/tables.h"
#include "engine/technique_id.h"

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
  // A weak link of a chain (two places that cannot both hold the digit) is
  // drawn dashed; every other line solid.
  bool Dashed = false;
  // The candidates a chain's link joins (0: the cell as a whole), so that
  // the line runs from mark to mark.
  std::uint8_t FromDigit = 0;
  std::uint8_t ToDigit = 0;

  bool IsEmpty() const { return FromCell == 0 && ToCell == 0 && Colour == 0 && Width == 0; }
};

using StepText = FixedText<1023>;
using DigitsText = FixedText<63>;

// One node of a chain or net: a candidate (digit in one cell) or, for grouped
// chains, the digit in a group of up to three cells of one house. A node
// that stands for the cells of an almost locked set holding the digit lists
// at most its first three cells; the whole set is in StepMeaning::Als.
struct ChainNode {
  std::uint8_t Digit = 0;               // 1..9
  std::uint8_t CellCount = 0;           // 1 for a plain node, 2..3 for a group
  std::array<std::uint8_t, 3> Cells{};  // the node's cells, ascending
  int FirstCell() const { return Cells[0]; }
};

// An almost locked set a step builds on: N cells holding N + 1 digits.
struct AlsPart {
  std::uint8_t CellCount = 0;
  std::array<std::uint8_t, 9> Cells{};  // ascending
  std::uint16_t Digits = 0;             // digit mask
};

// How a chain's node i is linked to node i + 1. Forces: node i placed
// leaves node i + 1 as a single (a forcing chain's trail of placements).
enum class LinkKind : std::uint8_t { Strong, Weak, Forces };

// What the step means, filled by the finder that found it: the wording of a
// hint is made from these fields, never from the trace text.
struct StepMeaning {
  static constexpr int kMaxLines = 7;
  static constexpr int kMaxNodes = 256;

  // Hidden single, subsets: the house the pattern lies in. Omission: the
  // house whose digit is confined (the line when claiming, the block when
  // pointing). BUG type 2: the house its extra-digit cells share, -1 if none.
  int House = -1;
  // Omission: the house that loses candidates. Naked subset found in a
  // line: the block its cells also share, -1 if none.
  int SecondHouse = -1;
  bool Claiming = false;  // omission: a line claims (else a block points)
  // The digits the step speaks of: a subset's digits, a wing pivot's or a
  // forcing chain's first cell's candidates, the fish's or BUG's digit.
  int DigitMask = 0;
  int Pivot = -1;  // wings: the pivot cell
  // Fish: base and cover houses, ascending. Unique rectangle: its two rows
  // as base and its two columns as cover.
  int BaseCount = 0, CoverCount = 0;
  std::array<std::int8_t, kMaxLines> BaseLines{};
  std::array<std::int8_t, kMaxLines> CoverLines{};
  int NodeCount = 0;  // chains: nodes in order, Links[i] joins i and i + 1
  std::array<ChainNode, kMaxNodes> Nodes{};
  std::array<LinkKind, kMaxNodes> Links{};
  // Almost locked sets: the sets used, and for chains, per link, 1 + the set
  // a strong link runs inside (0 for an ordinary link).
  static constexpr int kMaxAls = 8;
  int AlsCount = 0;
  std::array<AlsPart, kMaxAls> Als{};
  std::array<std::int8_t, kMaxNodes> LinkAls{};
  // Forcing nets: Nodes list the implications that prove the step, each
  // assumption followed by what it forces, in the order they were found.
  // NodeHolds[i]: node i's digit is in its cell (else it is not); NodeFrom[i]:
  // the listed node it follows from (-1 for an assumption or a node resting
  // on the board alone); NodeRule[i]: the rule that gave it (the values of
  // steps::NetRule). NetAssumptions: how many nodes are assumptions (one per
  // branch); OtherInferences: implications of the proof left out of the list.
  // NodeHouse[i]: for a hidden single the house it is the last place in, for
  // locked candidates the house whose places are confined; -1 otherwise.
  // BranchEnds: how each branch ends, in the order of its assumption (Kind 0
  // for a branch that reaches the common result). NetProofSize: the
  // implications the step's score counts.
  std::array<bool, kMaxNodes> NodeHolds{};
  std::array<std::int16_t, kMaxNodes> NodeFrom{};
  std::array<std::uint8_t, kMaxNodes> NodeRule{};
  std::array<std::int8_t, kMaxNodes> NodeHouse{};
  struct NetEnd {
    std::uint8_t Kind = 0;  // steps::NetContradiction
    std::int8_t Cell = -1;
    std::int8_t House = -1;
    std::uint8_t Digit = 0;
  };
  std::array<NetEnd, 9> BranchEnds{};
  int NetAssumptions = 0;
  int OtherInferences = 0;
  // Nested nets: how many of the proof's implications (listed or not) are
  // inner nets running into a contradiction, counted once per branch.
  int InnerNets = 0;
  int InnerInferences = 0;  // the implications of those inner nets, summed
  int NetProofSize = 0;
  // Templates: how many ways of placing all nine of the digit fit the grid.
  int TemplateCount = 0;
  // Nested nets: the position the net started from, so that the inner net
  // behind a NestedNet node can be run again to show its own proof.
  bool HasNetStart = false;
  std::array<std::uint16_t, 81> NetStartCand{};
  std::array<std::uint8_t, 81> NetStartValue{};
};

struct StepRecord {
  int Kind = kNoStep;
  StepText Text;
  int Cell = -1;
  int Value = 0;
  TechniqueId Technique = TechniqueId::NakedSingle;
  std::array<std::uint16_t, 81> EliminateMask{};  // digits to remove, per cell
  std::array<StepLine, 20> Lines{};
  std::array<std::uint32_t, 81> CellColour{};
  DigitsText Digits;
  StepMeaning Meaning;

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
