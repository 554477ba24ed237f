// Hand-made positions for the step tests: a grid text, then candidates
// narrowed cell by cell, as if earlier steps had removed them. The result
// is the state CalcCandidates gives with those removals as exclusions.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::testing {

// "127" -> the mask of digits 1, 2 and 7.
inline int Digits(std::string_view digits) {
  int mask = 0;
  for (char ch : digits)
    if (ch >= '1' && ch <= '9') mask |= DigitBit(ch - '0');
  return mask;
}

class HandBoard {
 public:
  explicit HandBoard(std::string_view grid = "") : grid_(grid) {}

  // The cell keeps only these digits (of those its houses allow).
  HandBoard& Only(int cell, std::string_view digits) {
    removed_.Mask[cell] = static_cast<std::uint16_t>(kAllDigits & ~Digits(digits));
    return *this;
  }
  HandBoard& Only(std::initializer_list<int> cells, std::string_view digits) {
    for (int c : cells) Only(c, digits);
    return *this;
  }
  // The cells lose these digits.
  HandBoard& Remove(std::initializer_list<int> cells, std::string_view digits) {
    for (int c : cells) removed_.Mask[c] = static_cast<std::uint16_t>(removed_.Mask[c] | Digits(digits));
    return *this;
  }
  // Every cell of the house except those listed loses these digits.
  HandBoard& RemoveInHouseExcept(int house, std::initializer_list<int> keep, std::string_view digits) {
    for (int c : CellsOfHouse(house)) {
      bool kept = false;
      for (int k : keep) kept |= k == c;
      if (!kept) removed_.Mask[c] = static_cast<std::uint16_t>(removed_.Mask[c] | Digits(digits));
    }
    return *this;
  }

  PuzzleState State() const {
    PuzzleState s = PuzzleFromString(grid_);
    CalcCandidates(s, removed_);
    return s;
  }

 private:
  std::string grid_;
  ExclusionTable removed_;
};

// The flagged (cell, digit) pairs of a step, by cell then digit.
inline std::vector<std::pair<int, int>> Eliminations(const StepRecord& step) {
  std::vector<std::pair<int, int>> pairs;
  for (int c = 0; c < 81; ++c)
    for (int d = 1; d <= 9; ++d)
      if (step.Eliminate(c, d)) pairs.emplace_back(c, d);
  return pairs;
}

// Kind, technique, cell, value, text and digits of a step, to compare in
// one go.
using StepHead = std::tuple<int, int, int, int, std::string, std::string>;
inline StepHead HeadOf(const StepRecord& step) {
  return {step.Kind,  Index(step.Technique),         step.Cell,
          step.Value, std::string(step.Text.view()), std::string(step.Digits.view())};
}

}  // namespace tavimoro::testing
