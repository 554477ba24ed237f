#include "engine/steps/digit_placements.h"

#include <cstdint>

namespace tavimoro::steps {

namespace {

// Every digit's candidate cells and placed cells at the last position asked
// on this thread: the searches of one position ask digit after digit.
struct DigitCells {
  std::array<std::uint8_t, 81> grid{};
  std::array<std::uint16_t, 81> cand{};
  bool known = false;
  std::array<CellBits, 9> cells, placed;
};

const DigitCells& DigitCellsOf(const PuzzleState& s) {
  thread_local DigitCells kept;
  if (!kept.known || kept.grid != s.Grid || kept.cand != s.CandMask) {
    kept.grid = s.Grid;
    kept.cand = s.CandMask;
    kept.known = true;
    kept.cells = {};
    kept.placed = {};
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] != 0) kept.placed[s.Grid[c] - 1].Add(c);
      for (int d = 1; d <= 9; ++d)
        if (s.Cand(c, d)) kept.cells[d - 1].Add(c);
    }
  }
  return kept;
}

}  // namespace

bool EveryCandidatePlaceable(const PuzzleState& s, int d) {
  if (d < 1 || d > 9) return false;
  const DigitCells& digitCells = DigitCellsOf(s);
  const CellBits cells = digitCells.cells[d - 1], placed = digitCells.placed[d - 1];
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
