// The sample texts of tests/data/formats: NAME.in as players paste or save
// it, NAME.want with one line per puzzle it holds ("LAYOUT LINE
// [PENCILTEXT]" or "Record RECORD"), or "none" (left to the general scan) or
// "refused" (candidate rows that no reader placed).
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/puzzle_formats.h"

namespace tavimoro::testing {

inline const std::filesystem::path kCaseFolder =
    std::filesystem::path(TAVIMORO_SOURCE_DIR) / "tests/data/formats";

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline const char* LayoutName(PuzzleLayout layout) {
  switch (layout) {
    case PuzzleLayout::Record:
      return "Record";
    case PuzzleLayout::Line:
      return "Line";
    case PuzzleLayout::Rows:
      return "Rows";
    case PuzzleLayout::PencilGrid:
      return "PencilGrid";
    case PuzzleLayout::Candidates:
      return "Candidates";
  }
  return "?";
}

// "53..7...." with every digit a given, and optionally the board's pencil
// text ("12|||4|...") for the marks.
inline FormatGrid GridOf(std::string_view line, std::string_view pencil = {}) {
  FormatGrid cells{};
  for (int i = 0; i < 81 && i < static_cast<int>(line.size()); ++i) {
    if (line[i] >= '1' && line[i] <= '9')
      cells[i] = FormatCell{static_cast<std::uint8_t>(line[i] - '0'), true, 0};
  }
  int cell = 0;
  for (char ch : pencil) {
    if (ch == '|') {
      ++cell;
    } else if (cell < 81) {
      cells[cell].Marks |= static_cast<std::uint16_t>(1u << (ch - '1'));
    }
  }
  return cells;
}

inline std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kCaseFolder)) {
    if (entry.path().extension() == ".in") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The record of each puzzle a case's .want names; empty for "none" and
// "refused", whose word is put in verdict.
inline std::vector<std::string> WantedRecords(const std::string& name, std::string& verdict) {
  std::istringstream want(ReadFile(kCaseFolder / (name + ".want")));
  std::vector<std::string> records;
  verdict.clear();
  for (std::string line; std::getline(want, line);) {
    if (line == "none" || line == "refused") {
      verdict = line;
      return {};
    }
    std::istringstream fields(line);
    std::string layout, cells, pencil;
    fields >> layout >> cells >> pencil;
    records.push_back(layout + " " +
                      WriteRecord(layout == "Record" ? ReadRecord(cells) : GridOf(cells, pencil)));
  }
  return records;
}

}  // namespace tavimoro::testing
