// The status panel: its states in order, the pink wrong entry, the light,
// the controls it enables, and the analysis table's layout.
#include "board/status_composer.h"

#include <gtest/gtest.h>

#include "board/board.h"
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

TEST_F(StatusTest, EmptyBoardDisablesClearSolutionAndHint) {
  UpdateStatus(board, false);
  EXPECT_EQ(host.panel, "<h5>(Empty Grid)");
  EXPECT_FALSE(board.Controls.Clear);
  EXPECT_FALSE(board.Controls.Solution);
  EXPECT_FALSE(board.Controls.Hint);
  EXPECT_FALSE(host.lightRed);
}

TEST_F(StatusTest, SolvedBoardWhateverTheMarks) {
  board.PaintPuzzle(kSolution);
  board.Cells[3].SetPencil(2, true);
  UpdateStatus(board, true);
  EXPECT_EQ(host.panel, "<h4><br><center>PUZZLE IS SOLVED!");
  EXPECT_TRUE(board.Controls.Clear);
  EXPECT_FALSE(board.Controls.Solution);
  EXPECT_FALSE(board.Controls.Hint);
}

TEST_F(StatusTest, OneWrongEntryTurnsPinkAndTheLightRed) {
  board.PaintPuzzle(kPuzzle);
  board.Cells[2].Value = 2;  // R1C3 is a 4; a 2 breaks no rule but leaves no solution
  UpdateStatus(board, false);
  EXPECT_EQ(host.panel, "<h5>" + std::string(kNoSolution) + "</h5><br>Pink cell is invalid.");
  EXPECT_EQ(board.CellColors[2], 0xFFC0FFu);
  EXPECT_TRUE(host.lightRed);
  EXPECT_TRUE(board.Controls.Clear);
  EXPECT_FALSE(board.Controls.Hint);
  EXPECT_EQ(FindWrongEntry(board), 2);
}

TEST_F(StatusTest, BrokenGivensMarkNothingButStillLightRed) {
  std::string text(kPuzzle);
  text[2] = '5';  // a second 5 in row 1, as a given
  board.PaintPuzzle(text);
  UpdateStatus(board, false);
  EXPECT_EQ(host.panel, "<h5>" + std::string(kRulesViolated) + "</h5><br>");
  EXPECT_TRUE(host.lightRed);
  for (auto colour : board.CellColors) EXPECT_EQ(colour, 0u);
}

TEST_F(StatusTest, SeveralSolutionsKeepTheLightBlack) {
  board.PaintPuzzle("1");
  UpdateStatus(board, false);
  EXPECT_EQ(host.panel, "<h5>" + std::string(kMultipleSolutions) + "</h5><br>");
  EXPECT_FALSE(host.lightRed);
  for (auto colour : board.CellColors) EXPECT_EQ(colour, 0u);
}

TEST_F(StatusTest, ValidBoardOffersTheAnalysis) {
  board.PaintPuzzle(kPuzzle);
  UpdateStatus(board, false);
  EXPECT_EQ(host.panel,
            "<center><font color=#646464 size=7>Click <a href='RefreshWithAnal'>here</a><font color=#646464 "
            "size=7> to see an analysis of this puzzle.</font><br><font color=#646464 size=4>To learn what to do "
            "next, click \"Hint\". If you need help, click the (?) button.</font>");
  EXPECT_TRUE(board.Controls.Solution);
  EXPECT_TRUE(board.Controls.Hint);
  EXPECT_FALSE(host.lightRed);
}

TEST_F(StatusTest, AnalysisOnRequestOrWhileTicked) {
  board.PaintPuzzle(kPuzzle);
  UpdateStatus(board, true);
  EXPECT_EQ(host.panel.rfind("<b>Difficulty rating: \"Beginner\" (1/6). Puzzle can be solved using these "
                             "techniques:</b><font size=3><table width=\"95%\" border=0><tr><td>",
                             0),
            0u)
      << host.panel;
  EXPECT_NE(host.panel.find("<br><center>51 unsolved cells. All can be solved without using pencil marks."),
            std::string::npos)
      << host.panel;

  host.panel.clear();
  host.ticks[BoardOption::ShowAnalysis] = true;
  UpdateStatus(board, false);
  EXPECT_EQ(host.panel.rfind("<b>Difficulty rating:", 0), 0u);
}

TEST(TechniqueTableTest, UpToThreeInOneRowThenRowsOfThree) {
  const std::string open = "<font size=3><table width=\"95%\" border=0>";
  const std::string close = "</table></font>";
  auto td = [](int t, const std::string& count = "") { return "<td>" + TechniqueName(t, true) + count + "</td>"; };

  TechniqueCounts one{};
  one[1] = 1;
  EXPECT_EQ(TechniqueTable(one), open + "<tr>" + td(1) + "</tr>" + close);

  TechniqueCounts three{};
  three[0] = 12;
  three[1] = 2;
  three[5] = 1;
  EXPECT_EQ(TechniqueTable(three), open + "<tr>" + td(0, " (12)") + td(1, " (2)") + td(5) + "</tr>" + close);

  TechniqueCounts four = three;
  four[18] = 1;
  EXPECT_EQ(TechniqueTable(four),
            open + "<tr>" + td(0, " (12)") + td(1, " (2)") + td(5) + "</tr><tr>" + td(18) + "</tr>" + close);
}

TEST(LevelCaptionTest, SixLevels) {
  EXPECT_EQ(LevelCaption(0), "Beginner");
  EXPECT_EQ(LevelCaption(5), "Genius");
  EXPECT_EQ(LevelCaption(6), "");
}

// Correct, complete marks count as eliminations in the analysis state.
TEST_F(StatusTest, TrustedMarksBecomeExclusions) {
  board.PaintPuzzle(kPuzzle);
  PuzzleState plain = GetAnalysisState(board);
  EXPECT_GT(plain.CandCount[2], 1);
  board.Cells[2].SetPencil(kSolution[2] - '0', true);  // only R1C3 marked, with its solution
  PuzzleState trusted = GetAnalysisState(board);
  EXPECT_EQ(trusted.CandCount[2], 1);
  EXPECT_EQ(trusted.CandCount[3], plain.CandCount[3]);  // unmarked cells keep their candidates
  board.Cells[2].SetPencil(9, true);                    // a wrong mark: nothing is trusted
  if (plain.Cand(2, 9)) GTEST_SKIP() << "9 is a candidate of R1C3";
  EXPECT_EQ(GetAnalysisState(board).CandCount[2], plain.CandCount[2]);
}

}  // namespace
}  // namespace tavimoro
