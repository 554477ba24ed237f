// The check of the user's pencil marks against the solution, shared by
// "Fill All", the hints and the status panel.
#include "board/board.h"
#include "engine/validate.h"

namespace tavimoro {

std::string WithArticle(std::string_view s) { return (s == "8" ? "an " : "a ") + std::string(s); }

int Board::PencilCheck(int& cell, std::string& msg, bool allowMissing) const {
  const PuzzleState values = GetEngineGrid(true);
  PuzzleState solved = values;
  if (!Validate(solved, false, false, false).empty()) return kPuzzleInvalid;
  static constexpr std::string_view kHouseWords[3] = {
      "The cell's row already has ", "The cell's column already has ", "The cell's block already has "};
  bool someUnmarked = false;
  for (int i = 0; i < 81; ++i) {
    const CellRec& c = state_.cells[i];
    if (c.Value != 0) continue;
    if (c.Marks == 0) {
      someUnmarked = true;
      continue;
    }
    bool wrong = false;
    for (int d = 1; d <= 9; ++d) {
      const std::string t = WithArticle(std::string(1, static_cast<char>('0' + d)));
      if (c.Pencil(d)) {
        for (int type = 0; type < 3; ++type) {
          if (values.HouseHas(HouseOf(i, type), d)) {
            msg = std::string(kHouseWords[type]) + t;
            wrong = true;
            break;
          }
        }
      } else if (solved.Grid[i] == d) {
        msg = "The cell could be " + t + ", but there is no pencil mark for it";
        wrong = true;
      }
    }
    if (wrong) {
      cell = i;
      return kWrongMark;
    }
  }
  return !allowMissing && someUnmarked ? kMarksMissing : kMarksRight;
}

}  // namespace tavimoro
