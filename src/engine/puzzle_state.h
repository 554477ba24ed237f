// PuzzleState: one puzzle as the engine sees it. Grid is the primary field;
// the candidates and counts are derived from it (and from an exclusion
// table) by CalcCandidates and are valid only right after that call. The
// entered-cell bits say which filled cells the solver filled in; no update
// here changes them.
//
// Candidates are kept as a 9-bit mask per cell beside the counts, so the
// whole record is well under a kilobyte and is copied with one memcpy: the
// forcing chains copy it for every trial.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/tables.h"

namespace tavimoro {

// Candidates that must not be offered although no placed digit rules them
// out: eliminations made earlier by logic. One digit mask per cell.
struct ExclusionTable {
  std::array<std::uint16_t, 81> Mask{};

  bool operator()(int cell, int digit) const { return (Mask[cell] >> (digit - 1)) & 1; }
  void Set(int cell, int digit) { Mask[cell] |= static_cast<std::uint16_t>(DigitBit(digit)); }
};

inline constexpr ExclusionTable NoExclusions{};

struct PuzzleState {
  int FilledCount = 0;                                            // cells with a digit 1..9
  std::array<std::uint8_t, 81> Grid{};                            // digit per cell, 0 = empty
  std::array<std::uint16_t, 27> HouseHasMask{};                   // digits placed in each house
  std::array<std::uint8_t, 27> EmptyCount{};                      // empty cells per house
  std::array<std::uint8_t, 81> CandCount{};                       // candidates per cell (0 when filled)
  std::array<std::uint16_t, 81> CandMask{};                       // candidate digits per cell
  std::array<std::array<std::uint8_t, 9>, 27> HouseDigitCount{};  // [house][digit - 1]
  // Filled cells the solver filled in, one bit per cell. Empty unless the
  // caller knows the puzzle's givens: every filled cell then counts as a
  // given, and the steps that lean on entered digits (the avoidable
  // rectangles) find nothing.
  std::array<std::uint64_t, 2> EnteredBits{};

  bool HouseHas(int house, int digit) const { return (HouseHasMask[house] >> (digit - 1)) & 1; }
  bool Cand(int cell, int digit) const { return (CandMask[cell] >> (digit - 1)) & 1; }
  int HouseCandCount(int house, int digit) const { return HouseDigitCount[house][digit - 1]; }
  bool Entered(int cell) const { return Grid[cell] != 0 && ((EnteredBits[cell / 64] >> (cell % 64)) & 1); }
  void MarkEntered(int cell) { EnteredBits[cell / 64] |= std::uint64_t{1} << (cell % 64); }
};

// Recomputes every derived field from Grid. Does not judge validity: a digit
// placed twice in a house still leaves candidates elsewhere.
void CalcCandidates(PuzzleState& state, const ExclusionTable& exclusions = NoExclusions);

// Updates of a state with fresh candidates that keep every derived field
// equal to what CalcCandidates would give (with the removed candidates as
// exclusions), touching only the cell and its peers.
// Removes the digits of `mask` from the cell's candidates; digits it does
// not have are ignored.
void DropCandidates(PuzzleState& state, int cell, int mask);
// Fills an empty cell with the digit and clears the digit from its peers'
// candidates.
void PlaceDigit(PuzzleState& state, int cell, int digit);

// Characters 1..81 give cells 0..80; "1".."9" is a digit, anything else (or a
// missing character) an empty cell. Candidates are computed.
PuzzleState PuzzleFromString(std::string_view text);

// 81 characters: the digit, or "." for an empty cell.
std::string PuzzleToString(const PuzzleState& state);

// True when one of the cell's houses (row, column, block, in that order) has
// no filled cell other than this one.
bool CellAloneInHouse(const PuzzleState& state, int cell);

// The lowest and second-lowest candidate of the cell, 0 where there is none.
void FirstTwoCandidates(const PuzzleState& state, int cell, int& first, int& second);

}  // namespace tavimoro
