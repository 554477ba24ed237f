// Opening and saving puzzle files from the board.
#include <filesystem>

#include "board/board.h"
#include "board/puzzle_files.h"

namespace tavimoro {

bool Board::OpenPuzzleFile(const std::string& path) {
  const InputEvent event(*this);
  const std::string name = std::filesystem::path(path).filename().string();
  std::string text, problem;
  FilePuzzles found;
  const auto read = [&](const ReadProgress& progress) {
    problem = ReadTextFile(path, text);
    if (problem.empty()) found = ReadFilePuzzles(text, kMaxPuzzlesToLibrary, progress);
    return !found.cancelled;
  };
  std::error_code error;
  const bool large = std::filesystem::file_size(path, error) > kReadWithProgressBytes && !error;
  if (!(large ? Modal().RunWithProgress("Reading " + name + "...", read) : read({}))) return false;
  if (!problem.empty()) {
    Modal().Message(kProgramTitle, problem);
    return false;
  }
  const std::optional<FormatGrid> first =
      found.first.empty() ? WholeTextPuzzle(text) : std::optional<FormatGrid>(found.first[0]);
  if (!first) {
    Modal().Message(kProgramTitle, "No valid Sudoku puzzle found in " + name);
    return false;
  }
  if (BreaksRules(*first) &&
      Modal().Ask("Confirm", "The puzzle in " + name +
                                 " breaks the rules: a row, column or block holds a digit twice. "
                                 "Open it all the same?") != Answer::Yes)
    return false;
  if (found.first.empty()) return ApplyPuzzle(text);
  text = std::string();
  ClearCellColors();
  PaintPuzzle(WriteRecord(found.first[0]), {}, true);
  if (found.total > 1) {
    std::vector<std::string> records;
    for (const FormatGrid& cells : found.first) records.push_back(WriteRecord(cells));
    Modal().SeveralPuzzlesRead(records, found.total);
  }
  return true;
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
