// Puzzle files in the layouts that players exchange, for the batch commands.
// A text whose puzzles each stand on a line of their own is read line by
// line as always; a text holding nine-row blocks (.sdk, .ss), pencil-mark
// grids, 729-character candidate lines or board records is read puzzle by
// puzzle, one result per puzzle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavimoro::cli {

// True when text holds a puzzle that is not a one-line puzzle; puzzles then
// holds every puzzle of text, in order, as an 81-character line, followed
// by the pencil-mark text when the puzzle came with marks.
bool ReadLayoutPuzzles(std::string_view text, std::vector<std::string>& puzzles);

// A line whose 81 cells follow a label ("Puzzle 12: 4..."): those cells as
// an 81-character line. Any other line is returned as it is.
std::string PuzzleOfLine(const std::string& line);

}  // namespace tavimoro::cli
