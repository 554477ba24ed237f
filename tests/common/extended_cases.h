// The technique cases of tests/data/ladder_cases.txt and extended_cases.txt
// (the format is told in tests/engine/extended_cases_test.cpp), read for the
// engine's test of each step, the registry's test that every technique has
// cases and the board's golden file of each hint.
#pragma once

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/cells_and_marks.h"

namespace tavimoro::testing {

struct Case {
  std::string file;
  int line = 0;
  std::string technique, position, removed, expected, entered;
};

inline std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The cases of one file of tests/data.
inline std::vector<Case> ReadCases(const std::string& file = "extended_cases.txt") {
  std::vector<Case> cases;
  std::ifstream in(std::string(TAVIMORO_SOURCE_DIR) + "/tests/data/" + file);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    text = Trim(text);
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream split(text);
    for (std::string field; std::getline(split, field, ':');) fields.push_back(Trim(field));
    fields.resize(5);
    cases.push_back({file, number, fields[0], fields[1], fields[2], fields[3], fields[4]});
  }
  return cases;
}

using Candidates = std::set<std::pair<int, int>>;  // (cell, digit)

// "r1c5<>37 r23c4<>1" -> the (cell, digit) pairs; "=" instead of "<>" for
// placements. False on anything else.
inline bool ParseCandidates(const std::string& text, Candidates& out, Candidates& placed) {
  std::stringstream words(text);
  for (std::string word; words >> word;) {
    const auto r = word.find('r'), c = word.find('c');
    const auto ne = word.find("<>"), eq = word.find('=');
    const auto op = ne != std::string::npos ? ne : eq;
    if (r != 0 || c == std::string::npos || op == std::string::npos || c > op) return false;
    const std::string rows = word.substr(1, c - 1), cols = word.substr(c + 1, op - c - 1);
    const std::string digits = word.substr(op + (ne != std::string::npos ? 2 : 1));
    if (rows.empty() || cols.empty() || digits.empty()) return false;
    for (char row : rows)
      for (char col : cols)
        for (char digit : digits) {
          if (row < '1' || row > '9' || col < '1' || col > '9' || digit < '1' || digit > '9') return false;
          const auto pair = std::make_pair(9 * (row - '1') + col - '1', digit - '0');
          (ne != std::string::npos ? out : placed).insert(pair);
        }
  }
  return true;
}

// "r1c14 r2c1" -> the cells; false on anything else.
inline bool ParseCells(const std::string& text, std::vector<int>& cells) {
  std::stringstream words(text);
  for (std::string word; words >> word;) {
    const auto c = word.find('c');
    if (word.size() < 4 || word[0] != 'r' || c == std::string::npos || c < 2 || c + 1 == word.size())
      return false;
    for (char row : word.substr(1, c - 1))
      for (char col : word.substr(c + 1)) {
        if (row < '1' || row > '9' || col < '1' || col > '9') return false;
        cells.push_back(9 * (row - '1') + col - '1');
      }
  }
  return true;
}

// The case's position: its cells and marks, less the removed candidates,
// with the entered cells marked. False when a field cannot be read.
inline bool CasePosition(const Case& c, PuzzleState& s) {
  Candidates removed, unused;
  if (!ReadCellsAndMarks(c.position, s) || !ParseCandidates(c.removed, removed, unused)) return false;
  ExclusionTable exclusions;
  for (int cell = 0; cell < 81; ++cell)
    exclusions.Mask[cell] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[cell]);
  for (const auto& [cell, digit] : removed) exclusions.Set(cell, digit);
  CalcCandidates(s, exclusions);
  std::vector<int> entered;
  if (!ParseCells(c.entered, entered)) return false;
  for (int cell : entered) {
    if (s.Grid[cell] == 0) return false;
    s.MarkEntered(cell);
  }
  return true;
}

}  // namespace tavimoro::testing
