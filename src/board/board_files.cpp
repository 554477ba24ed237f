// Opening and saving puzzle files from the board.
#include <filesystem>

#include "board/board.h"
#include "board/puzzle_files.h"

namespace tavimoro {

bool Board::OpenPuzzleFile(const std::string& path) {
  std::string text;
  if (const std::string problem = ReadTextFile(path, text); !problem.empty()) {
    host_.Message(kProgramTitle, problem);
    return false;
  }
  if (ApplyPuzzle(text)) return true;
  host_.Message(kProgramTitle,
                "No valid Sudoku puzzle found in " + std::filesystem::path(path).filename().string());
  return false;
}

bool Board::SavePuzzleFile(const std::string& path) {
  const FormatGrid cells = ReadRecord(GetAllGrid());
  const std::string problem = WriteTextFile(path, SaveText(cells, SaveFormatOf(path)));
  if (problem.empty()) return true;
  host_.Message(kProgramTitle, problem);
  return false;
}

}  // namespace tavimoro
