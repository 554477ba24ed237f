// The three text forms of the board and their readers. Reading is tolerant
// by design: pasted text may come from anywhere, so nothing here can fail
// half-way; what cannot be read leaves its cell empty.
#include <algorithm>
#include <vector>

#include "board/board.h"

namespace tavimoro {
namespace {

constexpr std::string_view kCellCharacters = "._0123456789";

// The number at the start of the text after blanks, 0 when there is none;
// -1 when it is too large to be a cell value.
int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 9) return -1;
  }
  return value;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

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

// One "[value|flag|marks" record (the closing "]" already cut off). A given
// flag is honoured only together with a digit, so a record can never make an
// empty cell that nothing may change.
void LoadRecord(CellRec& cell, std::string_view part) {
  std::string cleaned;
  for (char ch : part) {
    if (ch != '[') cleaned += ch;
  }
  const auto fields = Split(Trim(cleaned), '|');
  const int value = LeadingNumber(fields[0]);
  if (value >= 0) cell.Value = static_cast<std::int16_t>(value);
  if (fields.size() >= 2) cell.Given = fields[1] == "T" && cell.Value >= 1;
  if (fields.size() >= 3) SetMarksFrom(cell, fields[2]);
}

}  // namespace

std::string Board::GetGrid(bool oneLine) const {
  std::string text;
  text.reserve(99);
  for (int i = 0; i < 81; ++i) {
    const int v = cells_[i].Value;
    text += v >= 1 && v <= 9 ? static_cast<char>('0' + v) : '.';
    if (!oneLine && i % 9 == 8) text += "\r\n";
  }
  return text;
}

std::string Board::GetPencilGrid() const {
  std::string text;
  for (const CellRec& cell : cells_) {
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
  for (const CellRec& cell : cells_) {
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
  cells_.fill(CellRec{});
  if (!s.empty() && s.front() == '[') {
    const auto parts = Split(s, ']');
    for (std::size_t i = 0; i < 81 && i < parts.size(); ++i) LoadRecord(cells_[i], parts[i]);
  } else {
    for (std::size_t i = 0; i < 81 && i < s.size(); ++i) {
      if (s[i] >= '1' && s[i] <= '9') {
        cells_[i].Value = static_cast<std::int16_t>(s[i] - '0');
        cells_[i].Given = true;
      }
    }
    if (!pencilText.empty()) {
      const auto pieces = Split(pencilText, '|');
      if (pieces.size() >= 81) {
        for (int i = 0; i < 81; ++i) SetMarksFrom(cells_[i], pieces[i]);
      }
    }
  }
  RedrawGrid(true);
}

bool Board::ApplyPuzzle(std::string_view txt) {
  const InputEvent event(*this);
  if (txt.size() >= 2 && txt.front() == '[' && txt.back() == ']' && std::count(txt.begin(), txt.end(), '[') >= 3) {
    ClearCellColors();
    PaintPuzzle(txt, {}, true);
    return true;
  }
  std::string cleaned;
  cleaned.reserve(txt.size());
  for (char ch : txt) {
    if (ch != '\r' && ch != '\n') cleaned += ch;
  }
  std::string cells;
  for (char ch : cleaned) {
    if (cells.size() == 81) break;
    if (kCellCharacters.find(ch) != std::string_view::npos) cells += ch;
  }
  if (cells.size() < 81) return false;
  std::string_view rest;
  if (cleaned.size() > 81) {
    rest = std::string_view(cleaned).substr(81);
    if (std::count(rest.begin(), rest.end(), '|') < 3) rest = {};
  }
  ClearCellColors();
  PaintPuzzle(cells, rest, true);
  return true;
}

void Board::PasteFromClipboard() {
  const auto text = host_.ClipboardText();
  if (!text || !ApplyPuzzle(*text)) Modal().Message(kProgramTitle, "No valid Sudoku puzzle found in Clipboard");
}

void Board::Copy() { host_.SetClipboardText(GetGrid(true)); }

void Board::CopyWithPencilMarks() { host_.SetClipboardText(GetGrid(true) + GetPencilGrid()); }

}  // namespace tavimoro
