// The exhaustive search whose iteration count decides the "took too long"
// verdict: Validate's search when a step limit applies. Kept apart so that
// its count can be checked against any limit.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavimoro::detail {

// Reads the givens of grid (0 empty, 1..9 a given; other values are neither
// given nor searched) and searches them. Returns "" when there is exactly one
// solution (then in `solution`), otherwise the verdict: a digit given twice in
// a house, a second solution, no solution, or more than stepLimit iterations
// (stepLimit <= 0: no limit). `iterations` receives the passes started, so
// stepLimit + 1 with "took too long".
std::string_view CountedSearch(const std::array<std::uint8_t, 81>& grid, long stepLimit,
                               std::array<std::uint8_t, 81>& solution, long& iterations);

}  // namespace tavimoro::detail
