#include "engine/steps/als_sets.h"

namespace tavimoro::steps {
namespace {

void Add(const PuzzleState& s, const CellBits& cells, int digits, int size, int house, AlsTable& table) {
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
    cells.ForEach([&](int c) {
      if (s.Cand(c, d)) a.digitCells[d - 1].Add(c);
    });
    a.digitPeers[d - 1] = CommonPeers(a.digitCells[d - 1]).Without(cells);
  }
}

}  // namespace

void CollectAlmostLockedSets(const PuzzleState& s, int minSize, int maxSize, AlsTable& table) {
  table.count = 0;
  if (minSize <= 1) {
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] != 0 || s.CandCount[c] != 2) continue;
      CellBits one;
      one.Add(c);
      Add(s, one, s.CandMask[c], 1, HouseOf(c, 0), table);
    }
  }
  for (int h = 0; h < 27; ++h) {
    std::array<int, 9> empty{};
    int n = 0;
    for (int c : CellsOfHouse(h))
      if (s.Grid[c] == 0) empty[n++] = c;
    for (int pick = 1; pick < (1 << n); ++pick) {
      const int size = __builtin_popcount(static_cast<unsigned>(pick));
      if (size < 2 || size < minSize || size > maxSize) continue;
      int digits = 0;
      CellBits cells;
      int row = -1, col = -1;
      bool oneRow = true, oneCol = true;
      for (int i = 0; i < n; ++i) {
        if (!(pick & (1 << i))) continue;
        digits |= s.CandMask[empty[i]];
        cells.Add(empty[i]);
        const int r = CellRow(empty[i]), k = CellCol(empty[i]);
        if (row < 0) row = r, col = k;
        oneRow = oneRow && r == row;
        oneCol = oneCol && k == col;
      }
      if (BitCount(digits) != size + 1) continue;
      if (HouseType(h) == 2 && (oneRow || oneCol)) continue;  // listed with its line
      Add(s, cells, digits, size, h, table);
    }
  }
}

}  // namespace tavimoro::steps
