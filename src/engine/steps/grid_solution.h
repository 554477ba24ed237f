// The solution of a position's grid, for the searches that rest on it (the
// forcing chains try only candidates that are not the solution's; a net from
// a candidate that is never contradicts). A solve asks at every position
// while its grid only grows, so the last answer is kept per thread: a grid
// that adds to the kept grid only digits of its solution has that solution
// too, and one that adds any other digit has none.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"

namespace tavimoro::steps {

using SolutionGrid = std::array<std::uint8_t, 81>;

// The solution when the grid has exactly one (whatever its number of
// givens), else nullptr. Valid until the thread's next call.
const SolutionGrid* UniqueSolution(const PuzzleState& s);

}  // namespace tavimoro::steps
