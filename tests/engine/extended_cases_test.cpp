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
#include "common/extended_cases.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/cells_and_marks.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

using testing::Candidates;
using testing::Case;
using testing::ParseCandidates;
using testing::ReadCases;

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
  ASSERT_TRUE(testing::CasePosition(c, s)) << "unreadable case";

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

std::vector<Case> AllCases() {
  std::vector<Case> cases = ReadCases("ladder_cases.txt");
  for (Case& c : ReadCases()) cases.push_back(std::move(c));
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Data, ExtendedCases, ::testing::ValuesIn(AllCases()), [](const auto& paramInfo) {
  std::string name = paramInfo.param.technique + "_" +
                     paramInfo.param.file.substr(0, paramInfo.param.file.find('_')) +
                     std::to_string(paramInfo.param.line);
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

}  // namespace
}  // namespace tavimoro
