// Reading puzzle lines for the batch commands: from the named files in
// order, or standard input when none is named or the name is "-". Lines are
// bytes; a trailing carriage return is dropped; blank lines (only blanks and
// tabs) and lines starting with "#" are skipped. Any other line must be a
// puzzle of exactly 81 characters; one that is not is refused with
// "tavimoro-cli: NAME:LINE: not a puzzle: ..." on standard error.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/puzzle_state.h"

namespace tavimoro::cli {

// The position of a puzzle line: its 81 cells, and when the pencil-mark text
// follows them (81 groups, each ending in "|") those marks as the
// candidates. Marks that cannot be read are ignored. A "+" before a digit
// among the cells marks it placed by the player (PuzzleState::Entered)
// when the other digits make a proper puzzle.
PuzzleState PositionFromLine(const std::string& line);

// Calls `each` for every puzzle line in input order: 81 cells (a "+" may
// mark a placed digit), perhaps followed by the pencil-mark text. A
// regression library's case (library_line.h) is passed as its position. Returns kExitOk;
// kExitRefusedLines when some lines were refused (the others are handled);
// or kExitFileError after printing "tavimoro-cli: cannot read FILE" when a
// file cannot be opened or reading it fails (a directory, an I/O error), the
// lines read before having been handled. Reading stops early once standard
// output has failed (the caller's final check reports it).
int ForEachPuzzleLine(const std::vector<std::string>& files,
                      const std::function<void(const std::string& line)>& each);

// Reads every puzzle line at once (for commands that work in parallel).
int ReadPuzzleLines(const std::vector<std::string>& files, std::vector<std::string>& lines);

// Progress on standard error, only when it is a terminal: "N puzzles, R/s".
class Progress {
 public:
  Progress();
  ~Progress();
  void Tick(long done);

 private:
  bool enabled_;
  long last_ = 0;
  double start_;
  double lastShown_;
};

}  // namespace tavimoro::cli
