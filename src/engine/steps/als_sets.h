// Almost locked sets: N cells of one house holding N + 1 candidates between
// them. Taking any one digit away leaves a locked set, so every other digit
// of the set must then be placed in it; the chain and ALS finders build on
// that.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/steps/cell_bits.h"

namespace tavimoro::steps {

struct AlmostLockedSet {
  CellBits cells;
  std::uint16_t digits = 0;              // N + 1 digits
  std::uint8_t size = 0;                 // N cells
  std::uint8_t house = 0;                // the house it was found in
  std::array<CellBits, 9> digitCells{};  // [digit - 1]: the set's cells holding the digit
  std::array<CellBits, 9> digitPeers{};  // [digit - 1]: cells outside that see all of those
};

struct AlsTable {
  static constexpr int kCapacity = 640;
  std::array<AlmostLockedSet, kCapacity> sets;
  int count = 0;
};

// Every almost locked set of minSize..maxSize cells (1 = bivalue cells),
// bivalue cells first, then house by house (rows, columns, blocks) and by
// ascending cell subsets. A set inside a block that lies in one row or column
// is listed once, with its line. Collection stops quietly at the capacity.
void CollectAlmostLockedSets(const PuzzleState& s, int minSize, int maxSize, AlsTable& table);

}  // namespace tavimoro::steps
