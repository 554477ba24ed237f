#include "engine/steps/digit_placements.h"

namespace tavimoro::steps {

bool EveryCandidatePlaceable(const PuzzleState& s, int d) {
  if (d < 1 || d > 9) return false;
  CellBits cells, placed;
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] == d) placed.Add(c);
    if (s.Cand(c, d)) cells.Add(c);
  }
  const CellBits open = placed | cells;
  // Kept per thread and digit: the searches of one position ask it for the
  // same cells again and again.
  struct Kept {
    CellBits cells, placed;
    bool valid = false, placeable = false;
  };
  thread_local std::array<Kept, 9> kept{};
  Kept& k = kept[static_cast<std::size_t>(d - 1)];
  if (!k.valid || !(k.cells == cells) || !(k.placed == placed)) {
    CellBits used;
    ForEachPlacement(open, [&](const CellBits& placement) {
      if (placed.SubsetOf(placement)) used = used | placement;
      return !open.SubsetOf(used);
    });
    k = {cells, placed, true, cells.SubsetOf(used)};
  }
  return k.placeable;
}

}  // namespace tavimoro::steps
