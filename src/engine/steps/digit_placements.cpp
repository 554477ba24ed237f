#include "engine/steps/digit_placements.h"

#include <array>

#include "engine/steps/cell_bits.h"

namespace tavimoro::steps {
namespace {

// Every cell of `open` that some placement of the digit uses. Row by row, a
// column not yet used in a stack the band has not used; stops once every
// cell is used.
struct PlacementWalk {
  CellBits open, used;
  std::array<int, 9> path{};
  bool Done() const { return open.SubsetOf(used); }
  void Walk(int row, int usedColumns, int bandStacks) {
    if (row == 9) {
      for (const int c : path) used.Add(c);
      return;
    }
    if (row % 3 == 0) bandStacks = 0;
    for (int col = 0; col < 9 && !Done(); ++col) {
      const int cell = 9 * row + col;
      if (!open.Has(cell) || (usedColumns >> col) & 1 || (bandStacks >> (col / 3)) & 1) continue;
      path[static_cast<std::size_t>(row)] = cell;
      Walk(row + 1, usedColumns | 1 << col, bandStacks | 1 << (col / 3));
    }
  }
};

}  // namespace

bool EveryCandidatePlaceable(const PuzzleState& s, int d) {
  if (d < 1 || d > 9) return false;
  CellBits cells, open;
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] == d) open.Add(c);
    if (s.Cand(c, d)) cells.Add(c);
  }
  open = open | cells;
  // Kept per thread and digit: the searches of one position ask it for the
  // same cells again and again.
  struct Kept {
    CellBits open;
    bool valid = false, placeable = false;
  };
  thread_local std::array<Kept, 9> kept{};
  Kept& k = kept[static_cast<std::size_t>(d - 1)];
  if (!k.valid || !(k.open == open)) {
    PlacementWalk walk{open, {}};
    walk.Walk(0, 0, 0);
    k = {open, true, cells.SubsetOf(walk.used)};
  }
  return k.placeable;
}

}  // namespace tavimoro::steps
