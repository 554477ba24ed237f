// What the board draws for every case the ladder's rungs must find
// (tests/data/ladder_cases.txt): the step's text and digits, the colour of
// each highlighted cell and every line, held in one golden file,
// tests/data/ladder_drawings.txt. After a deliberate change of a drawing,
// TAVIMORO_UPDATE_GOLDEN=1 rewrites the file; review its diff on a board.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "common/extended_cases.h"
#include "common/golden_file.h"
#include "engine/extended_solve.h"

namespace tavimoro {
namespace {

// r1c5 for cell 4.
struct CellName {
  int cell;
};
std::ostream& operator<<(std::ostream& out, CellName c) {
  return out << 'r' << c.cell / 9 + 1 << 'c' << c.cell % 9 + 1;
}

std::string ColourName(std::uint32_t colour) {
  static const std::map<std::uint32_t, std::string> names = {
      {PatternColour, "pattern"}, {EliminationColour, "elimination"}, {UnitColour, "unit"},
      {LineColour, "line"},       {StrongLineColour, "strong"},       {PivotColour, "pivot"}};
  const auto it = names.find(colour);
  if (it != names.end()) return it->second;
  std::ostringstream hex;
  hex << std::hex << colour;
  return hex.str();
}

std::string Drawing(const StepRecord& step) {
  std::ostringstream out;
  out << "text " << step.Text.view() << " | digits " << step.Digits.view() << '\n';
  std::map<std::string, std::ostringstream> cells;
  for (int c = 0; c < 81; ++c)
    if (step.CellColour[c] != 0) cells[ColourName(step.CellColour[c])] << ' ' << CellName{c};
  for (const auto& [colour, list] : cells) out << colour << list.str() << '\n';
  for (const StepLine& line : step.Lines) {
    if (line.IsEmpty()) break;
    out << "line " << CellName{line.FromCell} << '-' << CellName{line.ToCell} << ' '
        << ColourName(line.Colour) << ' ' << line.Width << (line.Dashed ? " dashed" : "");
    if (line.FromDigit || line.ToDigit) out << " digits " << int(line.FromDigit) << '-' << int(line.ToDigit);
    out << '\n';
  }
  return out.str();
}

std::string AllDrawings() {
  std::string out;
  for (const testing::Case& c : testing::ReadCases("ladder_cases.txt")) {
    PuzzleState s;
    StepRecord step;
    if (c.expected == "x" || !testing::CasePosition(c, s)) continue;
    const auto technique = TechniqueFromName(c.technique);
    if (!technique || !FindWithTechnique(s, *technique, step)) continue;
    out += "== " + c.technique + " : " + c.position + " : " + c.removed + "\n" + Drawing(step) + "\n";
  }
  return out;
}

TEST(LadderDrawings, EveryCaseDrawsAsTheGoldenFileSays) {
  testing::ExpectGoldenFile(AllDrawings(), "ladder_drawings.txt", "== ");
}

}  // namespace
}  // namespace tavimoro
