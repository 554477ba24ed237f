// The quick solution counter behind Validate when no iteration limit applies.
// It answers only "how many solutions, up to two" and gives the first one, so
// it may search in any order it likes.
#pragma once

#include <array>
#include <cstdint>

namespace tavimoro::detail {

// givens: 0 for an empty cell, 1..9 for a given; no digit may be given twice
// in a house (the caller checks that). Returns 0, 1 or 2 (two or more); when
// it is 1, solution holds the grid.
int CountSolutionsUpToTwo(const std::array<std::uint8_t, 81>& givens, std::array<std::uint8_t, 81>& solution);

}  // namespace tavimoro::detail
