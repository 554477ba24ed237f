// Placements of a digit: nine cells, one in every row, column and block.
// The templates and the single-digit patterns both reason over the
// placements that fit a digit's cells: what a fish, a chain of one digit
// or a colouring removes lies in no placement, so where every candidate
// lies in one, none of them finds anything for that digit.
#pragma once

#include <array>

#include "engine/puzzle_state.h"
#include "engine/steps/cell_bits.h"

namespace tavimoro::steps {

// Calls visit(placement) for every placement inside `open`, row by row (a
// column not yet used, in a stack the band has not used), until visit
// returns false.
template <typename Visit>
void ForEachPlacement(const CellBits& open, Visit visit) {
  struct Walk {
    const CellBits& open;
    Visit& visit;
    CellBits path;
    bool going = true;
    void Row(int row, int usedColumns, int bandStacks) {
      if (row == 9) {
        going = visit(path);
        return;
      }
      if (row % 3 == 0) bandStacks = 0;
      for (int col = 0; col < 9 && going; ++col) {
        const int cell = 9 * row + col;
        if (!open.Has(cell) || (usedColumns >> col) & 1 || (bandStacks >> (col / 3)) & 1) continue;
        const CellBits kept = path;
        path.Add(cell);
        Row(row + 1, usedColumns | 1 << col, bandStacks | 1 << (col / 3));
        path = kept;
      }
    }
  };
  Walk{open, visit, {}}.Row(0, 0, 0);
}

// True when every candidate of d lies in some placement of d that holds
// every cell where d is placed.
bool EveryCandidatePlaceable(const PuzzleState& s, int d);

}  // namespace tavimoro::steps
