#include "engine/steps/digit_placements.h"

#include "engine/steps/current_position.h"

namespace tavimoro::steps {

bool EveryCandidatePlaceable(const PuzzleState& s, int d) {
  if (d < 1 || d > 9) return false;
  const CurrentPosition& position = PositionNow(s);
  const CellBits cells = position.candidates[d - 1], placed = position.placed[d - 1];
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
