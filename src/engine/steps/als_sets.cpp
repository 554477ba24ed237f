#include "engine/steps/als_sets.h"

#include <algorithm>

namespace tavimoro::steps {
namespace {

void Add(const std::array<CellBits, 9>& candCells, const CellBits& cells, int digits, int size, int house,
         AlsTable& table) {
  if (table.count == AlsTable::kCapacity) return;
  AlmostLockedSet& a = table.sets[table.count++];
  a.cells = cells;
  a.digits = static_cast<std::uint16_t>(digits);
  a.size = static_cast<std::uint8_t>(size);
  a.house = static_cast<std::uint8_t>(house);
  for (int d = 1; d <= 9; ++d) {
    a.digitCells[d - 1] = {};
    a.digitPeers[d - 1] = {};
    if (!(digits & DigitBit(d))) continue;
    a.digitCells[d - 1] = candCells[d - 1] & cells;
    a.digitPeers[d - 1] = CommonPeers(a.digitCells[d - 1]).Without(cells);
  }
}

// The subsets of a house's empty cells (bit i: the house's i-th empty cell)
// that hold one digit more than their cells, minSize..maxSize cells, at
// least two. Depth first with the digits gathered so far: a subset whose
// digits outnumber maxSize + 1 cannot grow into a set, so its supersets are
// never visited.
struct SubsetWalk {
  std::array<std::uint16_t, 9> masks{};
  int n = 0, minSize = 0, maxSize = 0;
  std::array<std::uint16_t, 512> found{};
  int count = 0;

  void Walk(int from, int pick, int size, int digits) {
    if (size >= 2 && size >= minSize && BitCount(digits) == size + 1)
      found[count++] = static_cast<std::uint16_t>(pick);
    if (size == maxSize) return;
    for (int i = from; i < n; ++i) {
      const int more = digits | masks[i];
      if (BitCount(more) <= maxSize + 1) Walk(i + 1, pick | (1 << i), size + 1, more);
    }
  }
};

}  // namespace

void CollectAlmostLockedSets(const PuzzleState& s, int minSize, int maxSize, AlsTable& table) {
  table.count = 0;
  std::array<CellBits, 9> candCells{};
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] != 0) continue;
    for (int rest = s.CandMask[c]; rest != 0; rest &= rest - 1)
      candCells[MaskDigit(LowestBit(rest)) - 1].Add(c);
  }
  if (minSize <= 1) {
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] != 0 || s.CandCount[c] != 2) continue;
      CellBits one;
      one.Add(c);
      Add(candCells, one, s.CandMask[c], 1, HouseOf(c, 0), table);
    }
  }
  SubsetWalk walk;
  walk.minSize = minSize;
  walk.maxSize = maxSize;
  for (int h = 0; h < 27; ++h) {
    std::array<int, 9> empty{};
    walk.n = 0;
    for (int c : CellsOfHouse(h)) {
      if (s.Grid[c] != 0) continue;
      empty[walk.n] = c;
      walk.masks[walk.n++] = s.CandMask[c];
    }
    walk.count = 0;
    walk.Walk(0, 0, 0, 0);
    // Listed by ascending subset number, as counting through them would.
    std::sort(walk.found.begin(), walk.found.begin() + walk.count);
    for (int k = 0; k < walk.count; ++k) {
      const int pick = walk.found[k];
      CellBits cells;
      int row = -1, col = -1;
      bool oneRow = true, oneCol = true;
      for (int i = 0; i < walk.n; ++i) {
        if (!(pick & (1 << i))) continue;
        cells.Add(empty[i]);
        if (row < 0) row = CellRow(empty[i]), col = CellCol(empty[i]);
        oneRow = oneRow && CellRow(empty[i]) == row;
        oneCol = oneCol && CellCol(empty[i]) == col;
      }
      if (HouseType(h) == 2 && (oneRow || oneCol)) continue;  // listed with its line
      int digits = 0;
      for (int i = 0; i < walk.n; ++i)
        if (pick & (1 << i)) digits |= walk.masks[i];
      Add(candCells, cells, digits, BitsSet(static_cast<std::uint64_t>(pick)), h, table);
    }
  }
}

}  // namespace tavimoro::steps
