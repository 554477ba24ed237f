#include <gtest/gtest.h>

#include "board/board_fixture.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;

class BoardOps : public testing::BoardTest {};

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
