#include "engine/cells_and_marks.h"

namespace tavimoro {

bool ReadCellsAndMarks(std::string_view line, PuzzleState& state) {
  PuzzleState read = PuzzleFromString(line);
  const std::string_view marks = line.size() > 81 ? line.substr(81) : std::string_view();
  if (marks.find('|') == std::string_view::npos) {
    state = read;
    return true;
  }
  ExclusionTable removed;
  int cell = 0, group = 0;
  for (char ch : marks) {
    if (ch == '|') {
      if (cell >= 81) return false;
      if (group != 0) removed.Mask[cell] = static_cast<std::uint16_t>(kAllDigits & ~group);
      ++cell;
      group = 0;
    } else if (ch >= '1' && ch <= '9') {
      group |= DigitBit(ch - '0');
    } else if (ch != ' ' && ch != '\t' && ch != '\r') {
      return false;
    }
  }
  if (cell != 81 || group != 0) return false;
  CalcCandidates(read, removed);
  state = read;
  return true;
}

}  // namespace tavimoro
