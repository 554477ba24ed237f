#include <gtest/gtest.h>

#include "board/board_fixture.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;

class BoardOps : public testing::BoardTest {};

TEST_F(BoardOps, UndoKeepsTheLast101States) {
  std::vector<std::string> states;
  for (int change = 0; change < 102; ++change) {
    states.push_back(board.GetAllGrid());
    board.PushUndo();
    Edit(board).Cells[2 + change % 70].SetPencil(1 + change / 70, true);
  }
  for (int undo = 0; undo < 101; ++undo) board.UndoLast();
  EXPECT_EQ(board.GetAllGrid(), states[1]);
  EXPECT_FALSE(board.Controls().Undo);
  EXPECT_FALSE(Edit(board).Controls.Undo);
  board.UndoLast();
  EXPECT_EQ(board.GetAllGrid(), states[1]);
}

TEST_F(BoardOps, UndoSkipsEntriesEqualToTheBoard) {
  Edit(board).SelCell = 2;
  Edit(board).Cells[2].Marks = DigitBit(1) | DigitBit(4);
  const std::string marked = board.GetAllGrid();
  board.PushUndo();
  Edit(board).Cells[3].SetPencil(6, true);
  board.Form_KeyDown(keys::Enter, 0);  // two marks: changes nothing, still pushes
  EXPECT_EQ(Edit(board).UndoStack[0], board.GetAllGrid());
  board.UndoLast();
  EXPECT_EQ(board.GetAllGrid(), marked);

  // Only equal entries: the stack empties, the board stays, and the window
  // hears once (Undo is off now).
  Edit(board).UndoStack.fill("");
  board.PushUndo();
  board.PushUndo();
  EXPECT_EQ(Edit(board).UndoStack[1], "");
  EXPECT_TRUE(board.Controls().Undo);
  const int redraws = host.redraws;
  board.UndoLast();
  EXPECT_EQ(Edit(board).UndoStack[0], "");
  EXPECT_FALSE(board.Controls().Undo);
  EXPECT_EQ(host.redraws, redraws + 1);
  EXPECT_EQ(board.GetAllGrid(), marked);
}

TEST_F(BoardOps, SolveCellWritesTheSolutionButNeverOverAGiven) {
  Edit(board).SelCell = 2;
  Edit(board).Cells[2].Value = 1;  // breaks no rule, but the solution says 4
  board.SolveThisCell();
  EXPECT_EQ(Edit(board).Cells[2].Value, SolutionDigit(2));
  board.SolveCell(0);
  EXPECT_EQ(Edit(board).Cells[0].Value, 5);
  EXPECT_TRUE(host.messages.empty());
  Edit(board).Cells[2].Value = 4;
  Edit(board).Cells[3].Value = 4;  // two wrong digits: emptying one cell does not help
  board.SolveCell(5);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(Edit(board).Cells[5].Value, 0);
}

TEST_F(BoardOps, AutoRemoveClearsTheDigitFromPeerMarks) {
  host.ticks[Command::AutoRemove] = true;
  for (int c : {3, 18, 78}) Edit(board).Cells[c].SetPencil(4, true);  // row, block, unrelated
  board.SolveCell(2);
  EXPECT_FALSE(Edit(board).Cells[3].Pencil(4));
  EXPECT_FALSE(Edit(board).Cells[18].Pencil(4));
  EXPECT_TRUE(Edit(board).Cells[78].Pencil(4));
}

TEST_F(BoardOps, ShowSolutionWritesSingleMarksNotValues) {
  Edit(board).Cells[2].SetPencil(1, true);
  host.answers = {Answer::No, Answer::Yes};
  board.ShowSolution();
  EXPECT_TRUE(Edit(board).Cells[2].Pencil(1));
  board.ShowSolution();
  for (int i = 0; i < 81; ++i) {
    if (kPuzzle[i] != '.') continue;
    EXPECT_EQ(Edit(board).Cells[i].Value, 0);
    EXPECT_EQ(Edit(board).Cells[i].Marks, DigitBit(SolutionDigit(i))) << i;
  }
}

TEST_F(BoardOps, FillSingleMarkAndClearCellLeaveGivensAlone) {
  Edit(board).Cells[2].SetPencil(4, true);
  EXPECT_TRUE(board.FillSingleMark(2));
  EXPECT_EQ(Edit(board).Cells[2].Value, 4);
  Edit(board).Cells[3].Marks = DigitBit(2) | DigitBit(6);
  for (int cell : {3, 5, 0}) EXPECT_FALSE(board.FillSingleMark(cell)) << cell;
  EXPECT_EQ(Edit(board).Cells[3].Value, 0);

  Edit(board).SelCell = 0;
  board.ClearThisCell();
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(Edit(board).Cells[0].Value, 5);
  Edit(board).SelCell = 2;
  Edit(board).Cells[2].SetPencil(1, true);
  board.ClearThisCell();
  EXPECT_EQ(Edit(board).Cells[2], CellRec{});
}

TEST_F(BoardOps, PencilMarkEntireFillsOnlyEmptyUnmarkedCells) {
  Edit(board).Cells[2].SetPencil(9, true);
  board.PencilMarkEntire(0, 0);  // row 1
  EXPECT_EQ(Edit(board).Cells[2].Marks, DigitBit(9));
  const PuzzleState state = PuzzleFromString(kPuzzle);
  for (int i : {3, 5, 6, 7, 8}) EXPECT_EQ(Edit(board).Cells[i].Marks, state.CandMask[i]) << i;
  EXPECT_EQ(Edit(board).Cells[9].Marks, 0);
  EXPECT_EQ(Edit(board).Cells[0].Marks, 0);
  board.PencilMarkEntire(3, 0);
  Edit(board).SelCell = 80;
  board.PencilMarkOneCell(-1, true);
  EXPECT_EQ(Edit(board).Cells[80].Marks, 0);  // a given
}

TEST_F(BoardOps, FillAllMarksKeepsRightMarksMendsWrongOnesAndRefusesAnInvalidBoard) {
  Edit(board).Cells[2].SetPencil(SolutionDigit(2), true);  // right but incomplete: kept as is
  board.FillAllMarks();
  EXPECT_EQ(Edit(board).Cells[2].Marks, DigitBit(SolutionDigit(2)));
  EXPECT_EQ(Edit(board).Cells[3].Marks, PuzzleFromString(kPuzzle).CandMask[3]);
  EXPECT_EQ(Edit(board).CurTool, kPencil);

  Edit(board).Cells[2].Marks = DigitBit(5);  // 5 already stands in the row; 4 missing
  board.FillAllMarks();
  EXPECT_EQ(Edit(board).Cells[2].Marks, DigitBit(4));

  Edit(board).CurTool = kPen;
  Edit(board).Cells[2].Value = 5;  // a second 5 in row 1
  const auto cells = Edit(board).Cells;
  board.FillAllMarks();
  EXPECT_EQ(Edit(board).Cells, cells);
  EXPECT_EQ(Edit(board).CurTool, kPen);
}

TEST_F(BoardOps, ClearBoardAsksFirst) {
  host.answers = {Answer::No, Answer::Yes};
  board.ClearBoard();
  EXPECT_EQ(board.GetGrid(true), kPuzzle);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Confirm");
  EXPECT_EQ(host.messages[0].text, "Are you sure you would like to discard the current puzzle?");
  Edit(board).CurTool = kPencil;
  board.ClearBoard();
  EXPECT_EQ(board.GetGrid(true), std::string(81, '.'));
  EXPECT_EQ(Edit(board).CurTool, kPen);
  board.UndoLast();
  EXPECT_EQ(board.GetGrid(true), kPuzzle);
}

TEST_F(BoardOps, PencilCheckNamesTheFirstWrongCellWithArticles) {
  int cell = -1;
  std::string msg;
  EXPECT_EQ(board.PencilCheck(cell, msg, true), kMarksRight);
  EXPECT_EQ(board.PencilCheck(cell, msg, false), kMarksMissing);
  Edit(board).Cells[2].SetPencil(4, true);
  Edit(board).Cells[3].Marks = DigitBit(5);  // row 1 has a 5, and 6 (the solution) is missing
  EXPECT_EQ(board.PencilCheck(cell, msg, true), kWrongMark);
  EXPECT_EQ(cell, 3);
  EXPECT_EQ(msg, "The cell could be a 6, but there is no pencil mark for it");
  Edit(board).Cells[3].SetPencil(6, true);
  EXPECT_EQ(board.PencilCheck(cell, msg, true), kWrongMark);
  EXPECT_EQ(msg, "The cell's row already has a 5");
  Edit(board).Cells[3].Marks = DigitBit(6) | DigitBit(8);  // column 4 holds an 8
  EXPECT_EQ(board.PencilCheck(cell, msg, true), kWrongMark);
  EXPECT_EQ(msg, "The cell's column already has an 8");
  Edit(board).Cells[3].Value = 4;  // two 4s in row 1
  EXPECT_EQ(board.PencilCheck(cell, msg, true), kPuzzleInvalid);
}

TEST_F(BoardOps, SaveDialogRefusesUnholdableNamesAndAsksBeforeOverwriting) {
  host.inputs = {"", "a=b", "easy"};
  board.SaveDialog();
  board.SaveDialog();
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, "Puzzle save canceled");
  EXPECT_EQ(host.messages[1].text, "The name cannot contain \"=\".");
  EXPECT_EQ(host.saved.size(), 1u);
  EXPECT_EQ(host.saved.at("easy"), board.GetAllGrid());

  Edit(board).Cells[2].Value = 4;
  host.inputs = {"easy", "easy"};
  host.answers = {Answer::No, Answer::Yes};
  board.SaveDialog();
  EXPECT_EQ(host.messages.back().text, "easy already exists. Overwrite?");
  EXPECT_EQ(host.saved.at("easy").substr(12, 6), "[0|F|]");
  board.SaveDialog();
  EXPECT_EQ(host.saved.at("easy"), board.GetAllGrid());
}

// Loading and a new puzzle ask only when the board holds a puzzle.
TEST_F(BoardOps, LoadAndNewAskOnlyForAStartedPuzzle) {
  board.LoadDialog();  // cancelled
  Edit(board).CurTool = kPencil;
  board.Form_KeyDown(keys::Letter('N'), 0);  // cancelled
  EXPECT_EQ(host.messages.size(), 2u);
  EXPECT_TRUE(host.windows.empty());
  board.PaintPuzzle(std::string(81, '.'));
  board.LoadDialog();
  board.imgBut_Click(4);
  EXPECT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.windows,
            (std::vector<HostWindow>{HostWindow::SavedPuzzleList, HostWindow::GeneratorDialog}));
  EXPECT_EQ(Edit(board).CurTool, kPen);
}

TEST_F(BoardOps, LinksApplyTheLastHintButNeverToAGivenOrOpenPages) {
  auto placing = [](int cell, int digit) {
    StepRecord step;
    step.Kind = kPlaceValue;
    step.Cell = cell;
    step.Value = digit;
    return step;
  };
  Edit(board).Cells[3].SetPencil(4, true);
  Edit(board).LastHint = placing(2, 4);
  Edit(board).CellColors[2] = HintCellColour;
  board.HyperlinkClick("ApplyLastHint");
  EXPECT_EQ(Edit(board).Cells[2].Value, 4);
  EXPECT_FALSE(Edit(board).Cells[3].Pencil(4));  // peers cleared whatever the option says
  EXPECT_EQ(Edit(board).CellColors[2], 0u);
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);

  Edit(board).Cells[5].Marks = DigitBit(1) | DigitBit(2);
  Edit(board).LastHint.Kind = kEliminate;
  Edit(board).LastHint.SetEliminate(5, 2);
  board.HyperlinkClick("applylasthint");
  EXPECT_EQ(Edit(board).Cells[5].Marks, DigitBit(1));

  Edit(board).LastHint = placing(0, 9);
  board.ApplyLastHint();
  EXPECT_EQ(Edit(board).Cells[0].Value, 5);

  board.HyperlinkClick("http://example.org/help/helpfile.html#pencilmarks");
  board.HyperlinkClick("RefreshWithAnal");
  board.HyperlinkClick("somewhere");
  EXPECT_EQ(host.urls.size(), 1u);
  EXPECT_NE(host.panel.find("Difficulty rating"), std::string::npos);
}

// The hints' state knows the user's digits from the givens, but only while
// the givens alone are a proper puzzle.
TEST_F(BoardOps, EnteredCellsAreTheUsersDigitsWhileTheGivensAreAPuzzle) {
  Edit(board).Cells[2].Value = 4;
  Edit(board).Cells[3].Value = 6;
  PuzzleState state = board.GetEngineGrid(true);
  board.MarkEnteredCells(state);
  EXPECT_TRUE(state.Entered(2));
  EXPECT_TRUE(state.Entered(3));
  EXPECT_FALSE(state.Entered(0));  // a given
  EXPECT_FALSE(state.Entered(5));  // empty
  int entered = 0;
  for (int c = 0; c < 81; ++c) entered += state.Entered(c);
  EXPECT_EQ(entered, 2);

  // Without givens the rectangles' argument fails: nothing is marked.
  for (CellRec& cell : Edit(board).Cells) cell.Given = false;
  PuzzleState unlocked = board.GetEngineGrid(true);
  board.MarkEnteredCells(unlocked);
  for (int c = 0; c < 81; ++c) EXPECT_FALSE(unlocked.Entered(c)) << c;
}

}  // namespace
}  // namespace tavimoro
