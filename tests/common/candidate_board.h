// Hand-made candidate layouts for the step tests: start from a puzzle text
// (often empty) and narrow chosen cells to a few candidates through the
// exclusion table, the way eliminations by earlier steps would.
#pragma once

#include <initializer_list>
#include <string_view>

#include "engine/puzzle_state.h"

namespace tavimoro::testing {

class CandidateBoard {
 public:
  explicit CandidateBoard(std::string_view puzzle = "") : state_(PuzzleFromString(puzzle)) {}

  // Leaves the cell only the listed digits (those its houses still allow).
  CandidateBoard& Keep(int cell, std::initializer_list<int> digits) {
    int mask = 0;
    for (int d : digits) mask |= DigitBit(d);
    exclusions_.Mask[cell] = static_cast<std::uint16_t>(kAllDigits & ~mask);
    return *this;
  }
  // Removes one digit from the cell.
  CandidateBoard& Remove(int cell, int digit) {
    exclusions_.Set(cell, digit);
    return *this;
  }
  // Leaves the digit in the house only at the listed cells (where their
  // other houses allow it).
  CandidateBoard& OnlyAt(int house, int digit, std::initializer_list<int> cells) {
    for (int c : CellsOfHouse(house)) exclusions_.Set(c, digit);
    for (int c : cells) exclusions_.Mask[c] &= static_cast<std::uint16_t>(~DigitBit(digit));
    return *this;
  }

  PuzzleState State() const {
    PuzzleState s = state_;
    CalcCandidates(s, exclusions_);
    return s;
  }

 private:
  PuzzleState state_;
  ExclusionTable exclusions_;
};

constexpr int Cell(int row, int col) { return 9 * (row - 1) + col - 1; }
constexpr int Row(int row) { return row - 1; }
constexpr int Column(int col) { return 8 + col; }

}  // namespace tavimoro::testing
