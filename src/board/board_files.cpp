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

void Board::OpenFileDialog() {
  if (PuzzleInProgress() && host_.Ask("Confirm", kDiscardQuestion) != Answer::Yes) return;
  const std::string path = host_.ChoosePuzzleFile(false);
  if (!path.empty()) OpenPuzzleFile(path);
}

void Board::SaveFileDialog() {
  ClearCellColors();
  RedrawGrid(true);
  const std::string path = host_.ChoosePuzzleFile(true);
  if (!path.empty()) SavePuzzleFile(path);
}

}  // namespace tavimoro
