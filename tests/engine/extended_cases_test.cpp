// Technique cases as data: tests/data/ladder_cases.txt (the ladder's rungs)
// and tests/data/extended_cases.txt (the techniques beyond), one case a line:
//
//   Technique Name : position : removed candidates : expected [: entered]
//
// The position is 81 cells ("1".."9" a digit, "." or "0" empty), optionally
// followed at once by the pencil-mark text (81 groups, each ending in "|"),
// whose marks are then the candidates. Removed candidates are taken out
// before the technique runs. Candidates are written "r1c5<>37" (digits 3
// and 7 out of row 1, column 5); rows and columns may list several,
// "r13c456<>2" standing for all nine cells. The expected field lists the
// step's eliminations in that form and its placement as "r4c4=6", or is
// "x" when the technique must find nothing. The optional fifth field lists
// the filled cells the solver entered, as "r1c14 r2c1"; every other filled
// cell is a given, and without the field all of them are. Lines starting
// with "#" and blank lines are skipped.
//
// The named technique alone is tried; the step it returns must carry its
// technique number and exactly the expected eliminations or placement.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/cells_and_marks.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

struct Case {
  std::string file;
  int line = 0;
  std::string technique, position, removed, expected, entered;
};

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

void ReadCaseFile(const std::string& file, std::vector<Case>& cases) {
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
}

std::vector<Case> ReadCases() {
  std::vector<Case> cases;
  for (const char* file : {"ladder_cases.txt", "extended_cases.txt"}) ReadCaseFile(file, cases);
  return cases;
}

using Candidates = std::set<std::pair<int, int>>;  // (cell, digit)

// "r1c5<>37 r23c4<>1" -> the (cell, digit) pairs; "=" instead of "<>" for
// placements. False on anything else.
bool ParseCandidates(const std::string& text, Candidates& out, Candidates& placed) {
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
bool ParseCells(const std::string& text, std::vector<int>& cells) {
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

// Runs the named technique; false when no row with a finder has the name.
bool RunTechnique(const std::string& name, const PuzzleState& s, StepRecord& step, bool& found,
                  TechniqueId& id) {
  for (const TechniqueRow& row : TechniqueRows()) {
    if (row.name != name || row.find == nullptr) continue;
    id = row.id;
    StepContext context;
    found = row.find(s, step, context);
    return true;
  }
  return false;
}

class ExtendedCases : public ::testing::TestWithParam<Case> {};

TEST_P(ExtendedCases, FindsExactlyTheExpectedStep) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.file + " line " + std::to_string(c.line) + ": " + c.technique);
  PuzzleState s;
  ASSERT_TRUE(ReadCellsAndMarks(c.position, s)) << "unreadable position";
  Candidates removed, unused;
  ASSERT_TRUE(ParseCandidates(c.removed, removed, unused)) << "unreadable removed candidates";
  ExclusionTable exclusions;
  for (int cell = 0; cell < 81; ++cell)
    exclusions.Mask[cell] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[cell]);
  for (const auto& [cell, digit] : removed) exclusions.Set(cell, digit);
  CalcCandidates(s, exclusions);
  std::vector<int> entered;
  ASSERT_TRUE(ParseCells(c.entered, entered)) << "unreadable entered cells";
  for (int cell : entered) {
    ASSERT_NE(s.Grid[cell], 0) << "an entered cell must be filled";
    s.MarkEntered(cell);
  }

  StepRecord step;
  bool found = false;
  TechniqueId id = kStuckRating;
  ASSERT_TRUE(RunTechnique(c.technique, s, step, found, id)) << "unknown technique";
  if (c.expected == "x") {
    EXPECT_FALSE(found) << step.Text.view();
    return;
  }
  ASSERT_TRUE(found);
  EXPECT_EQ(step.Technique, id);
  Candidates expected, placement;
  ASSERT_TRUE(ParseCandidates(c.expected, expected, placement)) << "unreadable expected step";
  Candidates eliminated;
  for (int cell = 0; cell < 81; ++cell)
    for (int d = 1; d <= 9; ++d)
      if (step.Eliminate(cell, d)) eliminated.insert({cell, d});
  EXPECT_EQ(eliminated, expected) << step.Text.view();
  if (!placement.empty()) {
    EXPECT_EQ(step.Kind, kPlaceValue);
    EXPECT_EQ(std::make_pair(step.Cell, step.Value), *placement.begin());
  } else {
    EXPECT_EQ(step.Kind, kEliminate);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, ExtendedCases, ::testing::ValuesIn(ReadCases()), [](const auto& paramInfo) {
  std::string name = paramInfo.param.technique + "_" +
                     paramInfo.param.file.substr(0, paramInfo.param.file.find('_')) +
                     std::to_string(paramInfo.param.line);
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

}  // namespace
}  // namespace tavimoro
