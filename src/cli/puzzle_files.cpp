#include "cli/puzzle_files.h"

#include <algorithm>

#include "board/puzzle_formats.h"

namespace tavimoro::cli {
namespace {

bool IsCellCharacter(char ch) { return ch == '.' || ch == '_' || (ch >= '0' && ch <= '9'); }

// The first 81 characters are cells: read as it is.
bool StartsWithCells(std::string_view line) {
  return line.size() >= 81 && std::all_of(line.begin(), line.begin() + 81, IsCellCharacter);
}

// Every line that is not blank or a "#" comment starts with 81 cells, and
// none is a 729-character candidate line: the usual collection file, which
// needs no further look.
bool AllLinesStartWithCells(std::string_view text) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    auto line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const bool skipped = line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#';
    if (!skipped && (!StartsWithCells(line) ||
                     (line.size() >= 729 && std::all_of(line.begin(), line.begin() + 729, IsCellCharacter))))
      return false;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return true;
}

// The 81 cells, followed by the pencil-mark text when some empty cell has
// marks, so that the commands start from the candidates the text gave.
std::string PositionLine(const FormatGrid& cells) {
  std::string line = WriteLine(cells);
  if (std::none_of(cells.begin(), cells.end(),
                   [](const FormatCell& c) { return c.Value == 0 && c.Marks != 0; }))
    return line;
  for (const FormatCell& cell : cells) {
    for (int d = 1; d <= 9; ++d) {
      if (cell.Value == 0 && (cell.Marks >> (d - 1) & 1)) line += static_cast<char>('0' + d);
    }
    line += '|';
  }
  return line;
}

}  // namespace

bool ReadLayoutPuzzles(std::string_view text, std::vector<LayoutPuzzle>& puzzles,
                       std::vector<LayoutGap>& gaps) {
  if (AllLinesStartWithCells(text)) return false;
  std::vector<UnreadLines> unread;
  const auto read = ReadPuzzles(text, &unread);
  const bool lines = std::all_of(read.begin(), read.end(),
                                 [](const ReadPuzzle& p) { return p.Layout == PuzzleLayout::Line; });
  const bool longGrid =
      std::any_of(unread.begin(), unread.end(), [](const UnreadLines& u) { return u.Count > 1; });
  if (lines && !longGrid) return false;
  puzzles.clear();
  gaps.clear();
  for (const auto& puzzle : read) puzzles.push_back({puzzle.Line + 1, PositionLine(puzzle.Cells)});
  for (const auto& u : unread) gaps.push_back({u.Line + 1, u.Count});
  return true;
}

std::string PuzzleOfLine(const std::string& line) {
  if (StartsWithCells(line)) return line;
  const auto read = ReadPuzzles(line);
  if (read.size() == 1 && read[0].Layout == PuzzleLayout::Line) return WriteLine(read[0].Cells);
  return line;
}

}  // namespace tavimoro::cli
