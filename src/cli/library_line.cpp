#include "cli/library_line.h"

#include <algorithm>

#include "engine/puzzle_state.h"

namespace tavimoro::cli {
namespace {

bool IsCellCharacter(char ch) { return ch == '.' || ch == '_' || (ch >= '0' && ch <= '9'); }

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto at = line.find(':');
    fields.push_back(line.substr(0, at));
    if (at == std::string_view::npos) return fields;
    line.remove_prefix(at + 1);
  }
}

// "DRC DRC ...": false on anything else.
bool ReadTriples(std::string_view text, std::vector<CellDigit>& triples) {
  while (!text.empty()) {
    if (text.front() == ' ') {
      text.remove_prefix(1);
      continue;
    }
    if (text.size() < 3 ||
        !std::all_of(text.begin(), text.begin() + 3, [](char ch) { return ch >= '1' && ch <= '9'; }))
      return false;
    if (text.size() > 3 && text[3] != ' ') return false;
    triples.push_back({9 * (text[1] - '1') + (text[2] - '1'), text[0] - '0'});
    text.remove_prefix(3);
  }
  return true;
}

}  // namespace

std::string WithoutPlacedMarks(std::string_view line, std::vector<int>& placed) {
  std::string plain;
  plain.reserve(line.size());
  int cells = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (cells < 81 && ch == '+' && i + 1 < line.size() && line[i + 1] >= '1' && line[i + 1] <= '9') {
      placed.push_back(cells);
      continue;
    }
    if (cells < 81 && IsCellCharacter(ch)) ++cells;
    plain += ch;
  }
  return plain;
}

std::optional<LibraryCase> ReadLibraryLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() != ':') return std::nullopt;
  const auto fields = Fields(line.substr(1));
  if (fields.size() < 6) return std::nullopt;
  LibraryCase result;
  // Four digits, then a variant: after a "-", or a fifth digit.
  const std::string_view code = fields[0];
  const auto dash = code.find('-');
  const std::string_view digits = code.substr(0, dash);
  if (digits.size() < 4 || digits.size() > 5 ||
      !std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
    return std::nullopt;
  result.code = digits.substr(0, 4);
  result.variant = dash != std::string_view::npos ? code.substr(dash + 1) : digits.substr(4);
  result.failCase = result.variant == "x";

  std::vector<int> placed;
  const std::string cells = WithoutPlacedMarks(fields[2], placed);
  if (cells.size() != 81 || !std::all_of(cells.begin(), cells.end(), IsCellCharacter)) return std::nullopt;
  std::vector<CellDigit> deleted;
  if (!ReadTriples(fields[3], deleted) || !ReadTriples(fields[4], result.eliminations) ||
      !ReadTriples(fields[5], result.placements))
    return std::nullopt;

  const PuzzleState state = PuzzleFromString(cells);
  std::string pencil;
  for (int cell = 0; cell < 81; ++cell) {
    int marks = state.CandMask[cell];
    for (const CellDigit& d : deleted) {
      if (d.cell == cell) marks &= ~DigitBit(d.digit);
    }
    for (int digit = 1; digit <= 9; ++digit) {
      if (state.Grid[cell] == 0 && (marks & DigitBit(digit))) pencil += static_cast<char>('0' + digit);
    }
    pencil += '|';
  }
  result.position = std::string(fields[2]) + pencil;
  return result;
}

}  // namespace tavimoro::cli
