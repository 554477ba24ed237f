#include "board/puzzle_formats.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace tavimoro {
namespace {

using Row = std::array<FormatCell, 9>;

bool IsCellCharacter(char ch) { return ch == '.' || ch == '_' || (ch >= '0' && ch <= '9'); }
bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f'; }
// Characters that part the cells or groups of a row: they carry no cell.
bool IsRowSeparator(char ch) { return IsBlank(ch) || ch == '|' || ch == '!' || ch == ':'; }
bool IsLetterOrDigit(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

std::uint16_t Bit(int digit) { return static_cast<std::uint16_t>(1u << (digit - 1)); }

FormatCell GivenCell(int digit) { return FormatCell{static_cast<std::uint8_t>(digit), true, 0}; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
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

// A whole board record on a line of its own: 81 cells or more. (Pasted
// alone, a shorter record is the caller's to take as it is.)
bool IsRecordText(std::string_view text) {
  return text.size() >= 2 && text.front() == '[' && text.back() == ']' &&
         std::count(text.begin(), text.end(), ']') >= 81;
}

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

std::uint16_t MarksOf(std::string_view digits) {
  std::uint16_t marks = 0;
  for (char ch : digits) {
    if (ch >= '1' && ch <= '9') marks |= Bit(ch - '0');
  }
  return marks;
}

// One "[value|flag|marks" record, the closing "]" already cut off.
FormatCell ReadRecordCell(std::string_view part) {
  std::string cleaned;
  for (char ch : part) {
    if (ch != '[') cleaned += ch;
  }
  while (!cleaned.empty() && cleaned.front() == ' ') cleaned.erase(0, 1);
  while (!cleaned.empty() && cleaned.back() == ' ') cleaned.pop_back();
  const auto fields = Split(cleaned, '|');
  FormatCell cell;
  const int value = LeadingNumber(fields[0]);
  if (value >= 0) cell.Value = static_cast<std::uint8_t>(value);
  if (fields.size() >= 2) cell.Given = fields[1] == "T" && cell.Value >= 1;
  if (fields.size() >= 3) cell.Marks = MarksOf(fields[2]);
  return cell;
}

// The start of the one maximal run of exactly `length` cell characters in
// line; npos when there is none or more than one.
std::size_t RunOfLength(std::string_view line, std::size_t length) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < line.size();) {
    if (!IsCellCharacter(line[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && IsCellCharacter(line[end])) ++end;
    if (end - i == length) {
      if (found != std::string_view::npos) return std::string_view::npos;
      found = i;
    }
    i = end;
  }
  return found;
}

// 729 characters, nine per cell; the k-th place of a cell holds digit k or
// "." / "0". A cell with one digit left is a value.
bool ReadCandidateLine(std::string_view line, FormatGrid& cells) {
  const auto start = RunOfLength(line, 729);
  if (start == std::string_view::npos) return false;
  const auto run = line.substr(start, 729);
  for (int cell = 0; cell < 81; ++cell) {
    std::uint16_t marks = 0;
    for (int k = 0; k < 9; ++k) {
      const char ch = run[9 * cell + k];
      if (ch == '1' + k) {
        marks |= Bit(k + 1);
      } else if (ch != '.' && ch != '0') {
        return false;
      }
    }
    if (marks == 0) return false;  // not even a value: no position
    cells[cell] = FormatCell{};
    if ((marks & (marks - 1)) == 0) {
      cells[cell] = GivenCell(std::countr_zero(marks) + 1);
    } else {
      cells[cell].Marks = marks;
    }
  }
  return true;
}

// 81 cell characters with anything around them. A run followed by three or
// more "|" is the board's own puzzle-and-marks text, left to the caller.
bool ReadPuzzleLine(std::string_view line, FormatGrid& cells) {
  const auto start = RunOfLength(line, 81);
  if (start == std::string_view::npos) return false;
  const auto rest = line.substr(start + 81);
  if (std::count(rest.begin(), rest.end(), '|') >= 3) return false;
  for (int i = 0; i < 81; ++i) {
    const char ch = line[start + i];
    cells[i] = ch >= '1' && ch <= '9' ? GivenCell(ch - '0') : FormatCell{};
  }
  return true;
}

// A line of dashes or equals signs with corners and crossings, no cells.
bool IsFrameLine(std::string_view line) {
  int rules = 0;
  for (char ch : line) {
    if (IsLetterOrDigit(ch) || ch == '_') return false;
    if (ch == '-' || ch == '=') ++rules;
  }
  return rules >= 3;
}

// Nine cell characters once the separators and the commas are dropped.
bool ReadGridRow(std::string_view line, Row& row) {
  int count = 0;
  for (char ch : line) {
    if (IsRowSeparator(ch) || ch == ',') continue;
    if (!IsCellCharacter(ch) || count == 9) return false;
    row[count++] = ch >= '1' && ch <= '9' ? GivenCell(ch - '0') : FormatCell{};
  }
  return count == 9;
}

// Nine groups parted by separators: digits 1..9, or "." / "0" for an empty
// cell without marks.
bool ReadPencilRow(std::string_view line, Row& row) {
  int count = 0;
  for (std::size_t i = 0; i < line.size();) {
    if (IsRowSeparator(line[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && !IsRowSeparator(line[end])) ++end;
    const auto group = line.substr(i, end - i);
    i = end;
    if (count == 9) return false;
    FormatCell& cell = row[count++];
    cell = FormatCell{};
    if (group == "." || group == "0") continue;
    if (group.size() > 9) return false;
    for (char ch : group) {
      if (ch < '1' || ch > '9') return false;
    }
    if (group.size() == 1) {
      cell = GivenCell(group[0] - '0');
    } else {
      cell.Marks = MarksOf(group);
    }
  }
  return count == 9;
}

// Nine rows from lines[start] on, frame lines between them skipped; all rows
// of cells, or all rows of groups. Returns the line after the block, or 0.
std::size_t ReadBlock(const std::vector<std::string_view>& lines, std::size_t start, ReadPuzzle& puzzle) {
  std::array<Row, 9> gridRows{}, pencilRows{};
  bool allGrid = true, allPencil = true;
  int count = 0;
  std::size_t j = start;
  for (; j < lines.size() && count < 9; ++j) {
    if (count > 0 && IsFrameLine(lines[j])) continue;
    allGrid = allGrid && ReadGridRow(lines[j], gridRows[count]);
    allPencil = allPencil && ReadPencilRow(lines[j], pencilRows[count]);
    if (!allGrid && !allPencil) return 0;
    ++count;
  }
  if (count < 9) return 0;
  puzzle.Layout = allGrid ? PuzzleLayout::Rows : PuzzleLayout::PencilGrid;
  const auto& rows = allGrid ? gridRows : pencilRows;
  for (int r = 0; r < 9; ++r) std::copy(rows[r].begin(), rows[r].end(), puzzle.Cells.begin() + 9 * r);
  return j;
}

bool SameValues(const FormatGrid& a, const FormatGrid& b) {
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](const FormatCell& x, const FormatCell& y) { return x.Value == y.Value; });
}

char DigitOrDot(const FormatCell& cell) {
  return cell.Value >= 1 && cell.Value <= 9 ? static_cast<char>('0' + cell.Value) : '.';
}

void AppendMarks(std::string& text, std::uint16_t marks) {
  for (int d = 1; d <= 9; ++d) {
    if (marks & Bit(d)) text += static_cast<char>('0' + d);
  }
}

// The board's own copy with marks: 81 cell characters first, then the
// pencil text of digits and "|" (line breaks and blanks aside). Its marks
// are read by the general scan.
bool IsPuzzleWithPencilText(std::string_view text) {
  int cells = 0, bars = 0;
  for (char ch : text) {
    if (ch == '\n' || IsBlank(ch)) {
      if (cells > 0 && cells < 81 && ch != '\r' && ch != '\n') return false;
    } else if (cells < 81) {
      if (!IsCellCharacter(ch)) return false;
      ++cells;
    } else if (ch == '|') {
      ++bars;
    } else if (ch < '0' || ch > '9') {
      return false;
    }
  }
  return bars >= 3;
}

// Whether the line is one more row of a block of the layout.
bool IsRowOf(PuzzleLayout layout, std::string_view line) {
  Row row;
  return layout == PuzzleLayout::Rows ? ReadGridRow(line, row) : ReadPencilRow(line, row);
}

// A line that may carry a puzzle's cells; one without digits is a title.
bool HoldsDigit(std::string_view line) {
  return std::any_of(line.begin(), line.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

}  // namespace

std::vector<ReadPuzzle> ReadPuzzles(std::string_view text, std::vector<UnreadLines>* unread) {
  if (IsPuzzleWithPencilText(text)) return {};
  const auto lines = SplitLines(text);
  std::vector<ReadPuzzle> puzzles;
  std::size_t afterLast = std::string_view::npos;  // the line after the last puzzle
  for (std::size_t i = 0; i < lines.size();) {
    const auto line = Trim(lines[i]);
    ReadPuzzle puzzle;
    puzzle.Line = i;
    if (IsRecordText(line)) {
      puzzle.Layout = PuzzleLayout::Record;
      puzzle.Cells = ReadRecord(line);
    } else if (!line.empty() && line.front() == '#') {
      const auto comment = Trim(line.substr(1));
      if (!IsRecordText(comment)) {
        ++i;
        continue;
      }
      puzzle.Layout = PuzzleLayout::Record;
      puzzle.Cells = ReadRecord(comment);
      if (afterLast == i && SameValues(puzzles.back().Cells, puzzle.Cells)) puzzles.pop_back();
    } else if (ReadCandidateLine(line, puzzle.Cells)) {
      puzzle.Layout = PuzzleLayout::Candidates;
    } else if (ReadPuzzleLine(line, puzzle.Cells)) {
      puzzle.Layout = PuzzleLayout::Line;
    } else if (auto next = ReadBlock(lines, i, puzzle); next != 0) {
      // Rows right after the ninth that start no block of their own: the
      // grid is longer than nine rows, and taking nine would drop some.
      ReadPuzzle following;
      if (next < lines.size() && IsRowOf(puzzle.Layout, lines[next]) &&
          ReadBlock(lines, next, following) == 0) {
        while (next < lines.size() && (IsRowOf(puzzle.Layout, lines[next]) || IsFrameLine(lines[next])))
          ++next;
        if (unread) unread->push_back({i, next - i});
        i = next;
        continue;
      }
      puzzles.push_back(puzzle);
      afterLast = i = next;
      continue;
    } else {
      if (unread && HoldsDigit(line) && !IsFrameLine(line)) unread->push_back({i, 1});
      ++i;
      continue;
    }
    puzzles.push_back(puzzle);
    afterLast = ++i;
  }
  return puzzles;
}

bool HoldsCandidateRows(std::string_view text) {
  for (const auto line : SplitLines(text)) {
    if (line.find_first_of(" \t") == std::string_view::npos) continue;
    int groups = 0;
    bool severalMarks = false, allDigits = true;
    for (std::size_t i = 0; i < line.size() && allDigits;) {
      if (IsRowSeparator(line[i])) {
        ++i;
        continue;
      }
      std::size_t end = i;
      while (end < line.size() && !IsRowSeparator(line[end])) ++end;
      for (std::size_t k = i; k < end; ++k) allDigits = allDigits && line[k] >= '1' && line[k] <= '9';
      severalMarks = severalMarks || (end - i >= 2 && end - i <= 8);
      ++groups;
      i = end;
    }
    if (allDigits && severalMarks && groups >= 9) return true;
  }
  return false;
}

FormatGrid ReadRecord(std::string_view record) {
  FormatGrid cells{};
  const auto parts = Split(record, ']');
  for (std::size_t i = 0; i < 81 && i < parts.size(); ++i) cells[i] = ReadRecordCell(parts[i]);
  return cells;
}

std::string WriteRecord(const FormatGrid& cells) {
  std::string text;
  text.reserve(81 * 8);
  for (const FormatCell& cell : cells) {
    text += '[';
    text += static_cast<char>('0' + std::min<int>(cell.Value, 9));
    text += cell.Given ? "|T|" : "|F|";
    AppendMarks(text, cell.Marks);
    text += ']';
  }
  return text;
}

std::string WriteLine(const FormatGrid& cells) {
  std::string text;
  text.reserve(81);
  for (const FormatCell& cell : cells) text += DigitOrDot(cell);
  return text;
}

std::string WriteSdk(const FormatGrid& cells) {
  std::string text;
  for (int i = 0; i < 81; ++i) {
    text += DigitOrDot(cells[i]);
    if (i % 9 == 8) text += '\n';
  }
  return text;
}

std::string WriteSs(const FormatGrid& cells) {
  std::string text;
  for (int i = 0; i < 81; ++i) {
    text += DigitOrDot(cells[i]);
    if (i % 9 == 2 || i % 9 == 5) text += '|';
    if (i % 9 == 8) text += '\n';
    if (i == 26 || i == 53) text += "---+---+---\n";
  }
  return text;
}

std::string WritePencilGrid(const FormatGrid& cells) {
  std::array<std::string, 81> groups;
  std::array<std::size_t, 9> width{};
  for (int i = 0; i < 81; ++i) {
    if (cells[i].Value >= 1 && cells[i].Value <= 9) {
      groups[i] = DigitOrDot(cells[i]);
    } else {
      AppendMarks(groups[i], cells[i].Marks);
      if (groups[i].empty()) groups[i] += '.';
    }
    width[i % 9] = std::max(width[i % 9], groups[i].size());
  }
  // Each box is its three groups padded to their column's width, two blanks
  // apart, inside one blank on either side.
  std::array<std::size_t, 3> boxWidth{};
  for (int b = 0; b < 3; ++b) boxWidth[b] = width[3 * b] + width[3 * b + 1] + width[3 * b + 2] + 6;
  auto frame = [&](char outer, char inner) {
    std::string line(1, outer);
    for (int b = 0; b < 3; ++b) {
      line.append(boxWidth[b], '-');
      line += b < 2 ? inner : outer;
    }
    return line + '\n';
  };
  std::string text = frame('.', '.');
  for (int r = 0; r < 9; ++r) {
    if (r == 3 || r == 6) text += frame(':', '+');
    std::string line = "|";
    for (int c = 0; c < 9; ++c) {
      const auto& group = groups[9 * r + c];
      line += c % 3 == 0 ? " " : "  ";
      line += group;
      line.append(width[c] - group.size(), ' ');
      if (c % 3 == 2) line += " |";
    }
    text += line + '\n';
  }
  return text + frame('\'', '\'');
}

std::string WritePuzzleFile(const std::vector<FormatGrid>& boards) {
  std::string text;
  for (const auto& cells : boards) text += WriteLine(cells) + "\n#" + WriteRecord(cells) + "\n";
  return text;
}

}  // namespace tavimoro
