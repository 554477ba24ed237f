// House masks of free digits and the unfilled cells in a list whose front
// part holds the cells chosen so far, one per level of an explicit stack:
//
//   unfilled: [ level 1 | level 2 | ... | level depth | cells not yet chosen ]
//
// One iteration chooses the not-yet-chosen cell with the fewest candidates
// (the first met wins a tie; a cell with one candidate ends the walk, a cell
// with none makes a dead end), swaps it to the front part and places its
// lowest untried digit; backtracking happens inside the iteration that met
// the dead end or the solution. Digits are placed and removed by flipping
// them in the three house masks; the solution is read off the levels.
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

// An unfilled cell with its three houses, so that the walk reads one entry
// per cell.
struct Slot {
  std::uint8_t cell, row, col, block;
};

struct Search {
  std::array<int, 27> houseFree{};
  Grid givens{};  // the digit of each given, 0 elsewhere
  std::array<Slot, 81> unfilled{};
  int unfilledCount = 0;

  void Flip(const Slot& s, int mask) {
    houseFree[s.row] ^= mask;
    houseFree[s.col] ^= mask;
    houseFree[s.block] ^= mask;
  }
  int Candidates(const Slot& s) const { return houseFree[s.row] & houseFree[s.col] & houseFree[s.block]; }

  // Reads the givens; false when a digit is given twice in a house.
  bool ReadGivens(const Grid& grid) {
    houseFree.fill(kAllDigits);
    std::array<int, 27> seen{};
    for (int c = 0; c < 81; ++c) {
      const Slot slot{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(HouseOf(c, 0)),
                      static_cast<std::uint8_t>(HouseOf(c, 1)), static_cast<std::uint8_t>(HouseOf(c, 2))};
      const int mask = GivenMask(grid[c]);
      if (mask == kAllDigits) {
        unfilled[unfilledCount++] = slot;
      } else if (mask != 0) {
        Flip(slot, mask);
        givens[c] = static_cast<std::uint8_t>(MaskDigit(mask));
        if ((seen[slot.row] | seen[slot.col] | seen[slot.block]) & mask) return false;
        seen[slot.row] |= mask;
        seen[slot.col] |= mask;
        seen[slot.block] |= mask;
      }
    }
    return true;
  }

  std::string_view Run(long stepLimit, Grid& solution, long& steps) {
    struct Level {
      Slot slot;
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
        solution = givens;
        for (int k = 0; k < depth; ++k)
          solution[levels[k].slot.cell] = static_cast<std::uint8_t>(MaskDigit(levels[k].placed));
        deadEnd = true;
      }
      if (deadEnd) {
        if (depth > 0) Flip(levels[depth - 1].slot, levels[depth - 1].placed);
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
        Flip(levels[depth - 1].slot, levels[depth - 1].placed);
      }
      if (depth == 0) break;
      Level& level = levels[depth - 1];
      level.placed = LowestBit(level.untried);
      level.untried ^= level.placed;
      Flip(level.slot, level.placed);
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
