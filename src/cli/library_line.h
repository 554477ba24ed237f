// Lines of a regression library of technique cases, one case a line:
//   :CODE:CANDIDATES:GIVENS:DELETED:ELIMINATIONS:PLACEMENTS:EXTRA
// CODE names the technique in four digits, perhaps with a variant ("-2", or
// a fifth digit) or "-x" for a case where the technique must find nothing. GIVENS is 81 cells
// with "+" before a digit the player placed. DELETED, ELIMINATIONS and
// PLACEMENTS are "DRC" triples (digit, row, column from 1) apart by blanks.
// A cell's candidates are the digits its houses allow, less DELETED.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro::cli {

struct CellDigit {
  int cell = 0;
  int digit = 0;
  bool operator==(const CellDigit&) const = default;
};

struct LibraryCase {
  std::string code;       // the four digits
  std::string variant;    // after the "-", "" without one
  bool failCase = false;  // variant "x": the technique must find nothing
  // The position as a puzzle line: the 81 cells with their "+" marks, then
  // the pencil-mark text of every cell's candidates.
  std::string position;
  std::vector<CellDigit> eliminations, placements;
};

// The case a line holds; nullopt when it is not a library line.
std::optional<LibraryCase> ReadLibraryLine(std::string_view line);

// Puzzle lines mark a placed digit with "+" before it, among the first 81
// cells: the line without those marks, and their cells in placed.
std::string WithoutPlacedMarks(std::string_view line, std::vector<int>& placed);

}  // namespace tavimoro::cli
