// The status panel's analysis table and the marks the analysis trusts (its
// states, light and controls are in the scripted session's golden file).
#include "board/status_composer.h"

#include <gtest/gtest.h>

#include "board/recording_host.h"
#include "engine/step_finder.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;
using testing::kSolution;
using testing::RecordingHost;

class StatusTest : public ::testing::Test {
 protected:
  RecordingHost host;
  Board board{host};
};

TEST(TechniqueTableTest, UpToThreeInOneRowThenRowsOfThree) {
  const std::string open = "<font size=3><table width=\"95%\" border=0>";
  const std::string close = "</table></font>";
  auto td = [](int t, const std::string& count = "") {
    return "<td>" + TechniqueName(static_cast<TechniqueId>(t), true) + count + "</td>";
  };
  TechniqueCounts counts{};
  counts[1] = 1;
  EXPECT_EQ(TechniqueTable(counts), open + "<tr>" + td(1) + "</tr>" + close);
  counts[0] = 12;
  counts[1] = 2;
  counts[5] = 1;
  const std::string three = td(0, " (12)") + td(1, " (2)") + td(5);
  EXPECT_EQ(TechniqueTable(counts), open + "<tr>" + three + "</tr>" + close);
  counts[18] = 1;
  EXPECT_EQ(TechniqueTable(counts), open + "<tr>" + three + "</tr><tr>" + td(18) + "</tr>" + close);
  EXPECT_EQ(LevelCaption(0), "Beginner");
  EXPECT_EQ(LevelCaption(5), "Genius");
  EXPECT_EQ(LevelCaption(6), "");
}

// Correct, complete marks count as eliminations in the analysis state.
TEST_F(StatusTest, TrustedMarksBecomeExclusions) {
  board.PaintPuzzle(kPuzzle);
  PuzzleState plain = GetAnalysisState(board);
  EXPECT_GT(plain.CandCount[2], 1);
  Edit(board).Cells[2].SetPencil(kSolution[2] - '0', true);  // only R1C3 marked, with its solution
  PuzzleState trusted = GetAnalysisState(board);
  EXPECT_EQ(trusted.CandCount[2], 1);
  EXPECT_EQ(trusted.CandCount[3], plain.CandCount[3]);  // unmarked cells keep their candidates
  Edit(board).Cells[2].SetPencil(9, true);              // a wrong mark: nothing is trusted
  if (plain.Cand(2, 9)) GTEST_SKIP() << "9 is a candidate of R1C3";
  EXPECT_EQ(GetAnalysisState(board).CandCount[2], plain.CandCount[2]);
}

}  // namespace
}  // namespace tavimoro
