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

// A puzzle of a layout file as an 81-character line, followed by the
// pencil-mark text when the puzzle came with marks.
struct LayoutPuzzle {
  std::size_t Line = 0;  // its first line, counted from 1
  std::string Text;
};
// Lines of a layout file that held no puzzle: one line, or a grid of Count
// rows.
struct LayoutGap {
  std::size_t Line = 0;  // counted from 1
  std::size_t Count = 1;
};

// True when text holds a puzzle that is not a one-line puzzle (a block, a
// grid, a 729-character line); puzzles then holds every puzzle of text and
// gaps every line with a digit that is no part of one, both in order.
bool ReadLayoutPuzzles(std::string_view text, std::vector<LayoutPuzzle>& puzzles,
                       std::vector<LayoutGap>& gaps);

// A line whose 81 cells follow a label ("Puzzle 12: 4..."): those cells as
// an 81-character line. Any other line is returned as it is.
std::string PuzzleOfLine(const std::string& line);

}  // namespace tavimoro::cli
