// A position as one line of text: the 81 cells, optionally followed at once
// by the pencil-mark text (81 groups of digits, each ending in "|"), the
// form that copying the board with its pencil marks writes.
#pragma once

#include <string_view>

#include "engine/puzzle_state.h"

namespace tavimoro {

// Characters 1..81 give the cells as in PuzzleFromString. When the rest of
// the line holds at least one "|", it must be the 81 groups: each empty
// cell's candidates are then its marks, among the digits its houses allow;
// an empty group leaves the cell every digit they allow. Groups of filled
// cells are ignored. False (state untouched) when the marks are not 81
// groups of digits.
bool ReadCellsAndMarks(std::string_view line, PuzzleState& state);

}  // namespace tavimoro
