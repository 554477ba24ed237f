// The three text forms of the board and their readers. Reading is tolerant
// by design: pasted text may come from anywhere, so nothing here can fail
// half-way; what cannot be read leaves its cell empty.
#include <algorithm>
#include <vector>

#include "board/board.h"
#include "board/puzzle_formats.h"

namespace tavimoro {
namespace {

constexpr std::string_view kCellCharacters = "._0123456789";

// Splits like the classic Split: n separators give n + 1 pieces.
std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (;;) {
    const auto at = text.find(separator);
    pieces.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return pieces;
    text.remove_prefix(at + 1);
  }
}

void SetMarksFrom(CellRec& cell, std::string_view digits) {
  for (char ch : digits) {
    if (ch >= '1' && ch <= '9') cell.SetPencil(ch - '0', true);
  }
}

}  // namespace

std::string Board::GetGrid(bool oneLine) const {
  std::string text;
  text.reserve(99);
  for (int i = 0; i < 81; ++i) {
    const int v = state_.cells[i].Value;
    text += v >= 1 && v <= 9 ? static_cast<char>('0' + v) : '.';
    if (!oneLine && i % 9 == 8) text += "\r\n";
  }
  return text;
}

std::string Board::GetPencilGrid() const {
  std::string text;
  for (const CellRec& cell : state_.cells) {
    for (int d = 1; d <= 9; ++d) {
      if (cell.Pencil(d)) text += static_cast<char>('0' + d);
    }
    text += '|';
  }
  return text;
}

std::string Board::GetAllGrid() const {
  std::string text;
  text.reserve(81 * 8);
  for (const CellRec& cell : state_.cells) {
    text += '[';
    text += static_cast<char>('0' + std::clamp<int>(cell.Value, 0, 9));
    text += cell.Given ? "|T|" : "|F|";
    for (int d = 1; d <= 9; ++d) {
      if (cell.Pencil(d)) text += static_cast<char>('0' + d);
    }
    text += ']';
  }
  return text;
}

void Board::PaintPuzzle(std::string_view s, std::string_view pencilText, bool pushUndo) {
  const InputEvent event(*this);
  if (pushUndo) PushUndo();
  state_.cells.fill(CellRec{});
  if (!s.empty() && s.front() == '[') {
    // A given flag counts only with a digit, so a record can never make an
    // empty cell that nothing may change.
    const FormatGrid record = ReadRecord(s);
    for (int i = 0; i < 81; ++i) state_.cells[i] = CellRec{record[i].Value, record[i].Given, record[i].Marks};
  } else {
    for (std::size_t i = 0; i < 81 && i < s.size(); ++i) {
      if (s[i] >= '1' && s[i] <= '9') {
        state_.cells[i].Value = static_cast<std::int16_t>(s[i] - '0');
        state_.cells[i].Given = true;
      }
    }
    if (!pencilText.empty()) {
      const auto pieces = Split(pencilText, '|');
      if (pieces.size() >= 81) {
        for (int i = 0; i < 81; ++i) SetMarksFrom(state_.cells[i], pieces[i]);
      }
    }
  }
  RedrawGrid(true);
}

bool Board::ApplyPuzzle(std::string_view txt) {
  const InputEvent event(*this);
  if (txt.size() >= 2 && txt.front() == '[' && txt.back() == ']' &&
      std::count(txt.begin(), txt.end(), '[') >= 3) {
    ClearCellColors();
    PaintPuzzle(txt, {}, true);
    return true;
  }
  // The layouts players exchange come first: pencil-mark grids, candidate
  // lines, labelled lines, blocks and files of several puzzles.
  if (const auto puzzles = ReadPuzzles(txt); !puzzles.empty()) {
    ClearCellColors();
    PaintPuzzle(WriteRecord(puzzles[0].Cells), {}, true);
    if (puzzles.size() > 1) {
      std::vector<std::string> records;
      for (std::size_t i = 0; i < puzzles.size() && i < kMaxPuzzlesToLibrary; ++i)
        records.push_back(WriteRecord(puzzles[i].Cells));
      Modal().SeveralPuzzlesRead(records, puzzles.size());
    }
    return true;
  }
  // Candidate rows that no reader placed in a grid: their first 81 digits
  // are no puzzle.
  if (HoldsCandidateRows(txt)) return false;
  std::string cleaned;
  cleaned.reserve(txt.size());
  for (char ch : txt) {
    if (ch != '\r' && ch != '\n') cleaned += ch;
  }
  // A "+" right before a digit marks a digit the player placed, not a given.
  std::string cells;
  std::vector<int> placed;
  for (std::size_t i = 0; i < cleaned.size() && cells.size() < 81; ++i) {
    const char ch = cleaned[i];
    if (ch == '+' && i + 1 < cleaned.size() && cleaned[i + 1] >= '1' && cleaned[i + 1] <= '9')
      placed.push_back(static_cast<int>(cells.size()));
    if (kCellCharacters.find(ch) != std::string_view::npos) cells += ch;
  }
  if (cells.size() < 81) return false;
  std::string_view rest;
  if (cleaned.size() > 81 + placed.size()) {
    rest = std::string_view(cleaned).substr(81 + placed.size());
    if (std::count(rest.begin(), rest.end(), '|') < 3) rest = {};
  }
  ClearCellColors();
  PaintPuzzle(cells, rest, true);
  if (!placed.empty()) {
    for (const int cell : placed) state_.cells[cell].Given = false;
    RedrawGrid(true);
  }
  return true;
}

void Board::PasteFromClipboard() {
  const auto text = host_.ClipboardText();
  if (!text || !ApplyPuzzle(*text))
    Modal().Message(kProgramTitle, "No valid Sudoku puzzle found in Clipboard");
}

void Board::Copy() { host_.SetClipboardText(GetGrid(true)); }

void Board::CopyWithPencilMarks() { host_.SetClipboardText(GetGrid(true) + GetPencilGrid()); }

void Board::CopyPencilMarkGrid() { host_.SetClipboardText(WritePencilGrid(ReadRecord(GetAllGrid()))); }

}  // namespace tavimoro
