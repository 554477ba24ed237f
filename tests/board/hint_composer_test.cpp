// The hint texts, read back from the panel as the window shows them: exact
// HTML per level, escalation, wrong marks first, the visual clues and the
// technique path from the user's marks.
#include "board/hint_composer.h"

#include <gtest/gtest.h>

#include <map>

#include "board/recording_host.h"
#include "board/status_composer.h"
#include "engine/step_finder.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

using testing::kSolution;
using testing::RecordingHost;

class HintTest : public ::testing::Test {
 protected:
  void LoadWithHoles(std::initializer_list<int> holes) {
    std::string text(kSolution);
    for (int c : holes) text[c] = '.';
    board.PaintPuzzle(text);
  }
  void Mark(int cell, std::initializer_list<int> digits) {
    for (int d : digits) Edit(board).Cells[cell].SetPencil(d, true);
  }
  std::string Hint() {
    ShowHint(board);
    return host.panel;
  }

  RecordingHost host;
  Board board{host};
  const std::string T = TechniquesPageAddress();
  const std::string kApply =
      " Click <a href='ApplyLastHint'>here</a> (or click hint again) to apply this hint. ";
};

TEST(LikePatternTest, StarMatchesAnyRunCaseSensitively) {
  EXPECT_FALSE(LikePattern("<b>hint:</b>", "*HINT*"));
  EXPECT_TRUE(LikePattern("HINT again for more...", "*HINT*for more...*"));
  EXPECT_FALSE(LikePattern("HINT again for even more...", "*HINT*for more...*"));
  EXPECT_TRUE(LikePattern("INVALID PUZZLE - MULTIPLE SOLUTIONS", "INVALID*MULTIPLE*"));
  EXPECT_FALSE(LikePattern("X INVALID MULTIPLE", "INVALID*MULTIPLE*"));
  EXPECT_FALSE(LikePattern("", "*a*"));
}

// Block 9 with one empty cell: "Open Single", then the cell and its digit,
// then the third click applies it; a status refresh starts over.
TEST_F(HintTest, OpenSingleEscalatesToApplication) {
  LoadWithHoles({0, 80});
  const std::string level1 = "<b>HINT:</b> Look for an <a href='" + T +
                             "#top'>Open Single</a><br><br>Click \"Hint\" again for more...";
  EXPECT_EQ(Hint(), level1);
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
  UpdateStatus(board, false);
  EXPECT_EQ(Hint(), level1);

  // Two open singles (blocks 1 and 9): the higher-numbered block is hinted.
  EXPECT_EQ(Hint(), "<b>HINT:</b> <a href='" + T +
                        "#top'>Open Single</a><br><br>This block only has one open cell left (9). " + kApply);
  EXPECT_EQ(Edit(board).SelCell, 80);
  EXPECT_EQ(Edit(board).CellColors[80], 0xFFFF80u);
  EXPECT_EQ(Edit(board).LastHint.Kind, kPlaceValue);
  EXPECT_EQ(Edit(board).LastHint.Cell, 80);
  EXPECT_EQ(Edit(board).LastHint.Value, 9);

  Hint();
  EXPECT_EQ(Edit(board).Cells[80], (CellRec{9, false, 0}));
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
  EXPECT_EQ(Edit(board).CellColors[80], 0u);
}

// A 2 x 2 hole in block 1: no house has one empty cell, but the 3 of
// block 1 can only go in R1C2.
TEST_F(HintTest, VisualEliminationColoursTheEliminatingDigits) {
  LoadWithHoles({0, 1, 9, 10});
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for a Visual Elimination (<a href='" + T +
                        "#b1'>Hidden Single</a>) on the number 3.<br><br>Click \"Hint\" again for more...");
  EXPECT_EQ(Hint(),
            "<b>HINT:</b> Visual Elimination (<a href='" + T +
                "#b1'>Hidden Single</a>)<br><br>The blue cell is the only cell in its block that can be a "
                "3.  All other cells are eliminated by neighboring 3s." +
                kApply);
  EXPECT_EQ(Edit(board).SelCell, 1);
  // The 3s of column 1 (R9C1) and row 2 (R2C7) eliminate; R1C2's block
  // neighbours are shaded.
  const std::map<int, std::uint32_t> colours{{1, 0xFFFF80}, {72, 0xFFC0FF}, {15, 0xFFC0FF},
                                             {0, 0xF7DEF6}, {9, 0xF7DEF6},  {10, 0xF7DEF6}};
  for (int c = 0; c < 81; ++c)
    EXPECT_EQ(Edit(board).CellColors[c], colours.contains(c) ? colours.at(c) : 0u) << c;
  EXPECT_EQ(Edit(board).LastHint.Cell, 1);
  EXPECT_EQ(Edit(board).LastHint.Value, 3);
}

// A wrong mark is reported before any other hint; of a cell's digits the
// highest wrong one is named.
TEST_F(HintTest, WrongMarkIsReportedBeforeAnyOtherHint) {
  LoadWithHoles({0, 1, 9, 10});
  Mark(1, {3, 8});  // 8 already stands in row 1
  EXPECT_EQ(Hint(),
            "<b>HINT:</b> <i>Pencil Mark Error</i><br><br>There is an error in your pencil marks in the cell "
            "indicated (The cell's row already has an 8).");
  EXPECT_EQ(Edit(board).SelCell, 1);
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
  Edit(board).Cells[1].Marks = 0;
  Mark(9, {1});  // R2C1: 1 stands in row 2, and its 6 is missing
  EXPECT_NE(Hint().find("(The cell could be a 6, but there is no pencil mark for it)."), std::string::npos)
      << host.panel;
  Mark(9, {6, 8});  // the 8 of row 2 outranks the 1
  EXPECT_NE(Hint().find("(The cell's row already has an 8)."), std::string::npos) << host.panel;
}

TEST_F(HintTest, NoVisualClueAsksForPencilMarksAndSelectsThePencil) {
  // No house has one empty cell and no digit has one place left by the
  // values alone.
  board.PaintPuzzle("........1..2..3.4..4..5.6.....7..5.6.5..8..1.9.......8..3..7....6..1...42..9.....");
  const std::string tail =
      "or by clicking the \"Fill All\" button. <a href='" + HelpBase() +
      "helpfile.html#pencilmarks'>Click here to learn more about pencil marks</a>. Click <a "
      "href='RefreshWithAnal'>here</a> for an analysis of this puzzle.";
  EXPECT_EQ(Hint(),
            "<b>HINT:</b> <i>Need Pencil Marks.</i> There are no visual clues left. Please fill in pencil "
            "marks to find naked singles and candidate elimination hints. This can be done manually with "
            "the pencil tool, " +
                tail);
  EXPECT_EQ(Edit(board).CurTool, kPencil);
  Edit(board).Cells[0].Marks = board.GetEngineGrid(true).CandMask[0];  // right, but most cells have none
  EXPECT_EQ(Hint(),
            "<b>HINT:</b> <i>Please Finish Pencil Marks.</i> Your current pencil marks are correct, "
            "however, I need the rest of them in order to give you any further hints. Please complete "
            "them manually, " +
                tail);
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
}

TEST_F(HintTest, InvalidPuzzleShowsTheStatusPanelInstead) {
  LoadWithHoles({0, 1});
  Edit(board).Cells[0].Value = 3;  // two 3s in row 1
  Hint();
  EXPECT_EQ(host.panel.rfind("<h5>Invalid puzzle", 0), 0u) << host.panel;
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
}

// With every empty cell marked, the ladder answers from the marks; a mark
// the user removed counts as eliminated.
TEST_F(HintTest, TechniqueHintFromMarksEscalatesInThreeLevels) {
  board.PaintPuzzle(testing::kPuzzle);
  const PuzzleState values = board.GetEngineGrid(true);
  int firstSingle = 81, pairCell = -1;
  for (int c = 0; c < 81; ++c) {
    if (values.Grid[c] != 0) continue;
    Edit(board).Cells[c].Marks = values.CandMask[c];
    if (values.CandCount[c] == 1) firstSingle = std::min(firstSingle, c);
    if (values.CandCount[c] == 2 && pairCell < 0) pairCell = c;
  }
  ASSERT_GE(pairCell, 0);
  ASSERT_LT(pairCell, firstSingle);
  // Keep only the solution's mark in the first two-candidate cell: the
  // engine must now see a naked single there, before any other.
  const int digit = kSolution[pairCell] - '0';
  const std::string d(1, kSolution[pairCell]), name = TechniqueName(TechniqueId::NakedSingle, true);
  Edit(board).Cells[pairCell].Marks = static_cast<std::uint16_t>(DigitBit(digit));
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for a " + name + "<br><br>Click \"Hint\" again for more...");
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for a " + name + " on the number " + d +
                        ".<br><br>Click \"Hint\" again for even more...");
  EXPECT_EQ(Hint(), "<b>HINT:</b> There is a " + name + " in this cell (" + d + ")." + kApply);
  EXPECT_EQ(Edit(board).SelCell, pairCell);
  EXPECT_EQ(Edit(board).LastHint.Kind, kPlaceValue);
  Hint();
  EXPECT_EQ(Edit(board).Cells[pairCell].Value, digit);
  for (int c = 0; c < 81; ++c) {
    if (c != pairCell && CellsShareHouse(c, pairCell)) {
      EXPECT_FALSE(Edit(board).Cells[c].Pencil(digit)) << c;
    }
  }
}

// The ladder finds nothing from the start of this puzzle: the hint says so
// and offers the analysis instead of inventing a step.
TEST_F(HintTest, BeyondTheLadderTheHintSaysSoHonestly) {
  board.PaintPuzzle("98.7..6..75..4......3..8.7.5....7.3...94.........2.1..3.......1.9...5.8...52....6");
  const PuzzleState values = board.GetEngineGrid(true);
  for (int c = 0; c < 81; ++c) Edit(board).Cells[c].Marks = values.CandMask[c];
  const std::string text = Hint();
  EXPECT_TRUE(
      text.starts_with("<b>HINT:</b> <i>No further hint.</i> This puzzle needs techniques beyond those "
                       "Tavimoro knows"))
      << text;
  EXPECT_NE(text.find("Click <a href='RefreshWithAnal'>here</a> for an analysis of this puzzle."),
            std::string::npos);
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
  EXPECT_EQ(Hint(), text);  // pressing again does not pretend to escalate
}

// Pressing Hint again and again from fully marked boards solves puzzles
// that the ladder can finish: every level is shown, every step applies, and
// the marks stay right throughout.
class SolveByHints : public HintTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SolveByHints, EndsSolved) {
  board.PaintPuzzle(GetParam());
  board.FillAllMarks();
  int presses = 0;
  while (host.panel.find("PUZZLE IS SOLVED!") == std::string::npos && presses < 2000) {
    const std::string text = Hint();
    ASSERT_EQ(text.find("Pencil Mark Error"), std::string::npos) << text;
    ASSERT_EQ(text.find("No further hint"), std::string::npos) << board.GetGrid(true);
    ++presses;
  }
  PuzzleState solved = PuzzleFromString(GetParam());
  ASSERT_EQ(Validate(solved, false, false, false), "");
  EXPECT_EQ(board.GetGrid(true), PuzzleToString(solved));
}

INSTANTIATE_TEST_SUITE_P(
    Puzzles, SolveByHints,
    ::testing::Values(
        // an X-Wing; a rectangle; an XY-Wing; a rectangle and a forcing chain;
        // XY- and XYZ-Wings, a quad and a forcing chain
        "2..6.34..17.....9............64....59...................53..6...8..7..1.....1....",
        "85.....7.....41...3..........1...4.6.7.5...........2..742.6.......8...3..........",
        "9.....7.1.2.4...........5..7.1..5....8.....3.............82..4.1.9.........39....",
        "1.37....5...6.4...8...........81.....9....7...6.....9..2....4..5...3...........2.",
        ".4.3............78.......5.7..65....5...9.....1....2.....1.43..8.......6...2....."));

// Elimination hints, from hand-made step records carrying the meaning that
// their finders would fill.
StepRecord Eliminating(int technique, std::initializer_list<std::pair<int, int>> removals,
                       const char* digits = "") {
  StepRecord step;
  step.Kind = kEliminate;
  step.Technique = static_cast<TechniqueId>(technique);
  step.Digits = DigitsText(digits);
  for (auto [cell, digit] : removals) step.SetEliminate(cell, digit);
  return step;
}

void ExpectPieces(const StepRecord& step, int level, std::initializer_list<std::string> pieces) {
  const std::string text = EliminationHintText(step, level);
  for (const std::string& piece : pieces)
    EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
}

TEST(EliminationHintTest, ThreeLevelsNameTheTechniqueThenWhereThenWhy) {
  StepRecord step = Eliminating(2, {{20, 4}, {25, 7}}, "4 & 7");  // R3C3 and R3C8
  step.Text = StepText("NAKED PAIR: ");
  step.CellColour[18] = step.CellColour[22] = PatternColour;  // R3C1, R3C5
  step.CellColour[20] = step.CellColour[25] = EliminationColour;
  step.Meaning.House = 2;
  const std::string name = TechniqueName(TechniqueId::NakedPair, true);
  EXPECT_EQ(EliminationHintText(step, 1),
            "<b>HINT:</b> Look for a " + name + "<br><br>Click \"Hint\" again for more...");
  EXPECT_EQ(EliminationHintText(step, 2),
            "<b>HINT:</b> Look for a " + name +
                " in row 3 on the numbers 4 & 7.<br><br>Click \"Hint\" again for "
                "even more...");
  EXPECT_EQ(
      EliminationHintText(step, 3),
      "<b>HINT:</b> There is a " + name +
          " in row 3 on the numbers 4 & 7.<br><br>The two blue cells in row 3 can only hold the digits 4 & 7 "
          "between them, so no other cell of that row can hold any of them. Remove 4 from R3C3 and 7 from "
          "R3C8.");
}

// A naked subset is told in the house its cells share that holds every
// removal, whatever house the finder recorded: a pair of R3C1 and R3C2 found
// in row 3 removes from R3C3 (block 1 too) and R3C8 (row 3 only). A pair
// that removes in both of its houses names both.
TEST(EliminationHintTest, NakedSubsetNamesTheHousesItsRemovalsLieIn) {
  StepRecord step = Eliminating(2, {{20, 4}, {25, 7}}, "4 & 7");
  step.CellColour[18] = step.CellColour[19] = PatternColour;
  step.Meaning.House = 2;
  step.Meaning.SecondHouse = 18;
  ExpectPieces(step, 3, {" in row 3 on", "blue cells in row 3 ", "no other cell of that row "});
  step.SetEliminate(20, 7);
  step.EliminateMask[25] = 0;  // all in block 1 as well: told in the block
  ExpectPieces(step, 3, {" in block 1 on", "no other cell of that block "});
  step.SetEliminate(25, 7);
  step.SetEliminate(0, 4);  // R1C1: block 1 only
  ExpectPieces(step, 3, {" in block 1 and row 3 on", "no other cell of block 1 or row 3 can"});
}

TEST(EliminationHintTest, FishNamesItsBaseLinesAndCoverLines) {
  StepRecord step = Eliminating(10, {{2, 6}, {79, 6}});  // R1C3, R9C8
  step.Text = StepText("X-WING: ");
  // Base rows 2 and 6, cover columns 3 and 8.
  int line = 0;
  for (int house : {11, 16, 1, 5})
    step.Lines[line++] = {HouseCell(house, 0), HouseCell(house, 8), StrongLineColour, 2};
  step.Meaning.BaseCount = step.Meaning.CoverCount = 2;
  step.Meaning.BaseLines = {1, 5};
  step.Meaning.CoverLines = {11, 16};
  ExpectPieces(
      step, 2,
      {"Look for an " + TechniqueName(TechniqueId::XWing, true) + " in rows 2 and 6 on the number 6."});
  ExpectPieces(
      step, 3,
      {"In rows 2 and 6, the 6 can only go in columns 3 and 8.", "Remove the 6 from R1C3 and R9C8."});
}

// Wings point at their pivot; an XYZ-Wing's digit list mixes "or" and ","
// pieces and reads as one list.
TEST(EliminationHintTest, WingsPointAtThePivotAndReadMixedDigitListsAsOne) {
  StepRecord step = Eliminating(13, {{80, 9}}, "2 or 5");
  step.CellColour[40] = PivotColour;
  step.CellColour[44] = step.CellColour[76] = PatternColour;
  step.Meaning.Pivot = 40;
  ExpectPieces(step, 2, {" around R5C5 on the numbers 2 or 5."});
  ExpectPieces(step, 3, {"Whichever of 2 or 5 the green pivot R5C5 takes"});

  step = Eliminating(14, {{53, 2}}, "7 or 9, 2");
  step.CellColour[52] = PivotColour;
  step.CellColour[34] = step.CellColour[45] = PatternColour;
  step.Meaning.Pivot = 52;
  step.Meaning.DigitMask = DigitBit(2) | DigitBit(7) | DigitBit(9);
  ExpectPieces(step, 2, {" around R6C8 on the numbers 7, 9 and 2."});
  ExpectPieces(step, 3,
               {"Whichever of 7, 9 and 2 the green pivot R6C8 takes, the pivot or one of the blue cells "
                "must be 2"});
}

TEST(EliminationHintTest, RectangleNamesItsRowsColumnsAndBothDigits) {
  StepRecord step = Eliminating(12, {{6, 2}, {6, 5}});
  // Corners R1C7, R1C9, R9C7, R9C9.
  int line = 0;
  for (auto [from, to] : {std::pair{6, 8}, {6, 78}, {8, 80}, {78, 80}})
    step.Lines[line++] = {from, to, LineColour, 1};
  step.Meaning.BaseCount = step.Meaning.CoverCount = 2;
  step.Meaning.BaseLines = {0, 8};
  step.Meaning.CoverLines = {15, 17};
  ExpectPieces(step, 3,
               {" in rows 1 and 9 and columns 7 and 9 on the numbers 2 and 5.",
                "so that corner cannot be 2 or 5. Remove 2 and 5 from R1C7."});
  // The rows and columns are known by their numbers, on whichever side the
  // finder put them.
  const std::string text = EliminationHintText(step, 3);
  std::swap(step.Meaning.BaseLines, step.Meaning.CoverLines);
  EXPECT_EQ(EliminationHintText(step, 3), text);
  EXPECT_EQ(ArticleFor("Omission"), "an");
  EXPECT_EQ(ArticleFor("Unique Rectangle"), "a");
}

// Locked candidates: which house is confined follows from the house the
// step found first, and a line is a line by its number.
TEST(EliminationHintTest, OmissionTellsItsLineAndBlockByTheirNumbers) {
  StepRecord step = Eliminating(3, {{3, 5}});  // R1C4 loses 5
  step.Meaning.House = 18;                     // block 1 points
  step.Meaning.SecondHouse = 0;                // along row 1
  step.Meaning.Claiming = true;                // a flag that disagrees
  ExpectPieces(step, 3, {" where row 1 crosses block 1", "Every 5 of block 1 lies in row 1"});
}

}  // namespace
}  // namespace tavimoro
