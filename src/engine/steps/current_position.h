// The position the searches are asked about, as this thread last saw it.
// Its number changes whenever a value or a candidate differs from the
// position asked before on the thread, so a search that keeps something
// for "the same position" compares one number instead of the grid.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/steps/cell_bits.h"

namespace tavimoro::steps {

struct CurrentPosition {
  std::uint64_t number = 0;              // 0 for none yet
  std::array<CellBits, 9> candidates{};  // per digit, the cells whose candidates hold it
  std::array<CellBits, 9> placed{};      // per digit, the cells holding it as a value
};

const CurrentPosition& PositionNow(const PuzzleState& s);

}  // namespace tavimoro::steps
