// Opening and saving puzzle files from the board.
#include <filesystem>

#include "board/board.h"
#include "board/puzzle_files.h"

namespace tavimoro {

bool Board::OpenPuzzleFile(const std::string& path) {
  const InputEvent event(*this);
  std::string text;
  if (const std::string problem = ReadTextFile(path, text); !problem.empty()) {
    Modal().Message(kProgramTitle, problem);
    return false;
  }
  const std::string name = std::filesystem::path(path).filename().string();
  const auto puzzle = FilePuzzle(text);
  if (!puzzle) {
    Modal().Message(kProgramTitle, "No valid Sudoku puzzle found in " + name);
    return false;
  }
  if (BreaksRules(*puzzle) &&
      Modal().Ask("Confirm", "The puzzle in " + name +
                                 " breaks the rules: a row, column or block holds a digit twice. "
                                 "Open it all the same?") != Answer::Yes)
    return false;
  return ApplyPuzzle(text);
}

bool Board::SavePuzzleFile(const std::string& path) {
  const InputEvent event(*this);
  const FormatGrid cells = ReadRecord(GetAllGrid());
  const std::string problem = WriteTextFile(path, SaveText(cells, SaveFormatOf(path)));
  if (problem.empty()) return true;
  Modal().Message(kProgramTitle, problem);
  return false;
}

void Board::OpenFileDialog() {
  const InputEvent event(*this);
  if (PuzzleInProgress() && Modal().Ask("Confirm", kDiscardQuestion) != Answer::Yes) return;
  const std::string path = Modal().ChoosePuzzleFile(false);
  if (!path.empty()) OpenPuzzleFile(path);
}

void Board::SaveFileDialog() {
  const InputEvent event(*this);
  ClearCellColors();
  RedrawGrid(true);
  const std::string path = Modal().ChoosePuzzleFile(true);
  if (!path.empty()) SavePuzzleFile(path);
}

}  // namespace tavimoro
