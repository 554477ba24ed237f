// House masks of free digits, one digit mask per cell, and the unfilled cells
// in a list whose front part holds the cells chosen so far, one per level of
// an explicit stack:
//
//   unfilled: [ level 1 | level 2 | ... | level depth | cells not yet chosen ]
//
// One iteration chooses the not-yet-chosen cell with the fewest candidates
// (the first met wins a tie; a cell with one candidate ends the walk, a cell
// with none makes a dead end), swaps it to the front part and places its
// lowest untried digit; backtracking happens inside the iteration that met
// the dead end or the solution. Digits are placed and removed by flipping
// them in the three house masks.
#include "engine/counted_search.h"

#include <utility>

#include "engine/tables.h"
#include "engine/validate.h"

namespace tavimoro::detail {
namespace {

using Grid = std::array<std::uint8_t, 81>;

// The mask of a grid value as the givens are read: 511 for an empty cell, the
// digit's bit for 1..9, 0 for anything else (such a cell is neither a given
// nor searched).
int GivenMask(int value) {
  const int code = value + 48;
  return code < 256 ? CharMask(static_cast<unsigned char>(code)) : 0;
}

struct Search {
  std::array<int, 27> houseFree{};
  std::array<std::uint16_t, 81> cellBit{};
  std::array<std::uint8_t, 81> unfilled{};
  int unfilledCount = 0;

  void Flip(int cell, int mask) {
    cellBit[cell] ^= static_cast<std::uint16_t>(mask);
    houseFree[HouseOf(cell, 0)] ^= mask;
    houseFree[HouseOf(cell, 1)] ^= mask;
    houseFree[HouseOf(cell, 2)] ^= mask;
  }
  int Candidates(int cell) const {
    return houseFree[HouseOf(cell, 0)] & houseFree[HouseOf(cell, 1)] & houseFree[HouseOf(cell, 2)];
  }

  // Reads the givens; false when a digit is given twice in a house.
  bool ReadGivens(const Grid& grid) {
    houseFree.fill(kAllDigits);
    std::array<int, 27> seen{};
    for (int c = 0; c < 81; ++c) {
      const int mask = GivenMask(grid[c]);
      if (mask == kAllDigits) {
        unfilled[unfilledCount++] = static_cast<std::uint8_t>(c);
      } else if (mask != 0) {
        Flip(c, mask);
        for (int t = 0; t < 3; ++t) {
          if (seen[HouseOf(c, t)] & mask) return false;
        }
        for (int t = 0; t < 3; ++t) seen[HouseOf(c, t)] |= mask;
      }
    }
    return true;
  }

  std::string_view Run(long stepLimit, Grid& solution, long& steps) {
    struct Level {
      int cell;
      int placed;
      int untried;
    };
    std::array<Level, 81> levels;
    int depth = 0;  // levels in use; they hold unfilled[0 .. depth - 1]
    int solutions = 0;
    for (;;) {
      if (++steps > stepLimit && stepLimit > 0) return kTookTooLong;

      int best = 10, bestPos = -1, bestMask = 0;
      bool deadEnd = false;
      for (int i = depth; i < unfilledCount; ++i) {
        const int mask = Candidates(unfilled[i]);
        if (mask == 0) {
          deadEnd = true;
          break;
        }
        const int count = BitCount(mask);
        if (count < best) {
          best = count;
          bestPos = i;
          bestMask = mask;
          if (count == 1) break;
        }
      }

      if (!deadEnd && bestPos < 0) {
        if (++solutions == 2) return kMultipleSolutions;
        for (int c = 0; c < 81; ++c) solution[c] = static_cast<std::uint8_t>(MaskDigit(cellBit[c]));
        deadEnd = true;
      }
      if (deadEnd) {
        if (depth > 0) Flip(levels[depth - 1].cell, levels[depth - 1].placed);
      } else {
        std::swap(unfilled[depth], unfilled[bestPos]);
        levels[depth] = {unfilled[depth], 0, bestMask};
        ++depth;
      }

      // Next untried digit of the deepest level that has one.
      while (depth > 0 && levels[depth - 1].untried == 0) {
        if (depth == 1) {
          depth = 0;
          break;
        }
        --depth;
        Flip(levels[depth - 1].cell, levels[depth - 1].placed);
      }
      if (depth == 0) break;
      Level& level = levels[depth - 1];
      level.placed = LowestBit(level.untried);
      level.untried ^= level.placed;
      Flip(level.cell, level.placed);
    }
    return solutions == 0 ? kNoSolution : std::string_view();
  }
};

}  // namespace

std::string_view CountedSearch(const Grid& grid, long stepLimit, Grid& solution, long& iterations) {
  Search search;
  iterations = 0;
  if (!search.ReadGivens(grid)) return kRulesViolated;
  return search.Run(stepLimit, solution, iterations);
}

}  // namespace tavimoro::detail
