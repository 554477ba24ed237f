// The status panel: its states in order, the pink wrong entry, the light,
// the controls it enables, and the analysis table's layout.
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

TEST_F(StatusTest, EachStateHasItsTextLightColoursAndControls) {
  std::string brokenGivens(kPuzzle);
  brokenGivens[2] = '5';  // a second 5 in row 1, as a given
  const std::string offer =
      "<center><font color=#646464 size=7>Click <a href='RefreshWithAnal'>here</a><font color=#646464 "
      "size=7> to "
      "see an analysis of this puzzle.</font><br><font color=#646464 size=4>To learn what to do next, click "
      "\"Hint\". If you need help, click the (?) button.</font>";
  const struct {
    std::string puzzle;
    int wrongDigitInR1C3;  // 0 for none; R1C3 is a 4
    std::string panel;
    bool red, clear, solution, hint;
  } cases[] = {
      {"", 0, "<h5>(Empty Grid)", false, false, false, false},
      {std::string(kSolution), 0, "<h4><br><center>PUZZLE IS SOLVED!", false, true, false, false},
      {std::string(kPuzzle), 2, "<h5>" + std::string(kNoSolution) + "</h5><br>Pink cell is invalid.", true,
       true, false, false},
      {brokenGivens, 0, "<h5>" + std::string(kRulesViolated) + "</h5><br>", true, true, false, false},
      {"1", 0, "<h5>" + std::string(kMultipleSolutions) + "</h5><br>", false, true, false, false},
      {std::string(kPuzzle), 0, offer, false, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.panel);
    board.PaintPuzzle(c.puzzle.empty() ? std::string(81, '.') : c.puzzle);
    board.ClearCellColors();
    Edit(board).Cells[3].SetPencil(2, true);  // marks do not change the state
    if (c.wrongDigitInR1C3) Edit(board).Cells[2].Value = static_cast<std::int16_t>(c.wrongDigitInR1C3);
    UpdateStatus(board, false);
    EXPECT_EQ(host.panel, c.panel);
    EXPECT_EQ(host.lightRed, c.red);
    EXPECT_EQ(Edit(board).Controls.Clear, c.clear);
    EXPECT_EQ(Edit(board).Controls.Solution, c.solution);
    EXPECT_EQ(Edit(board).Controls.Hint, c.hint);
    const int pink = c.wrongDigitInR1C3 ? 2 : -1;
    for (int cell = 0; cell < 81; ++cell)
      EXPECT_EQ(Edit(board).CellColors[cell], cell == pink ? 0xFFC0FFu : 0u) << cell;
    EXPECT_EQ(FindWrongEntry(board), pink);
  }
}

TEST_F(StatusTest, AnalysisOnRequestOrWhileTicked) {
  board.PaintPuzzle(kPuzzle);
  UpdateStatus(board, true);
  EXPECT_TRUE(
      host.panel.starts_with("<b>Difficulty rating: \"Beginner\" (1/6). Puzzle can be solved using "
                             "these techniques:</b><font size=3><table width=\"95%\" border=0><tr><td>"))
      << host.panel;
  EXPECT_NE(host.panel.find("<br><center>51 unsolved cells. All can be solved without using pencil marks."),
            std::string::npos)
      << host.panel;

  host.panel.clear();
  host.ticks[Command::ShowAnalysis] = true;
  UpdateStatus(board, false);
  EXPECT_TRUE(host.panel.starts_with("<b>Difficulty rating:"));
}

TEST(TechniqueTableTest, UpToThreeInOneRowThenRowsOfThree) {
  const std::string open = "<font size=3><table width=\"95%\" border=0>";
  const std::string close = "</table></font>";
  auto td = [](int t, const std::string& count = "") {
    return "<td>" + TechniqueName(t, true) + count + "</td>";
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
