#include <gtest/gtest.h>

#include "board/board_fixture.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;

class Input : public testing::BoardTest {
 protected:
  void Press(int key, int shift = 0) { board.Form_KeyDown(key, shift); }
  void PressDigit(int digit) { Press(keys::Digit0 + digit); }
};

TEST_F(Input, ArrowsStopAtTheEdges) {
  const struct {
    int from, key, to;
  } moves[] = {{0, keys::Left, 0}, {9, keys::Left, 9},   {8, keys::Right, 8},  {17, keys::Right, 17},
               {4, keys::Up, 4},   {76, keys::Down, 76}, {40, keys::Left, 39}, {40, keys::Right, 41},
               {40, keys::Up, 31}, {40, keys::Down, 49}, {71, keys::Down, 80}, {9, keys::Up, 0}};
  for (const auto& m : moves) {
    Edit(board).SelCell = m.from;
    Press(m.key);
    EXPECT_EQ(Edit(board).SelCell, m.to) << m.from << " key " << m.key;
  }
}

TEST_F(Input, PenWritesDigitsAndGivenCellsBeep) {
  Edit(board).SelCell = 2;
  Press(keys::Num0 + 4);
  EXPECT_EQ(Edit(board).Cells[2].Value, 4);
  PressDigit(1);
  Press(keys::Digit0);
  Press(keys::Num0);
  EXPECT_EQ(Edit(board).Cells[2].Value, 1);
  Edit(board).SelCell = 0;
  PressDigit(1);
  Press(keys::Delete);
  EXPECT_EQ(Edit(board).Cells[0].Value, 5);
  EXPECT_EQ(host.beeps, 2);
  Edit(board).SelCell = 2;
  Press(keys::Period);
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
}

// In pencil mode, pressing the digit of a mark twice within 300 ms on one
// cell writes the digit, with one undo entry for both presses.
TEST_F(Input, DoublePressInPencilModeWritesTheDigit) {
  Edit(board).CurTool = kPencil;
  Edit(board).SelCell = 2;
  PressDigit(5);
  host.now += 10;
  PressDigit(5);  // removes the mark and starts the double press
  EXPECT_FALSE(Edit(board).Cells[2].Pencil(5));
  host.now += 300;
  PressDigit(5);
  EXPECT_EQ(Edit(board).Cells[2].Value, 5);
  board.UndoLast();
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  EXPECT_TRUE(Edit(board).Cells[2].Pencil(5));

  host.now += 1000;
  PressDigit(5);
  host.now += 301;
  PressDigit(5);  // too late: only sets the mark again
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  EXPECT_TRUE(Edit(board).Cells[2].Pencil(5));
  PressDigit(5);
  PressDigit(6);  // another digit
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  Press(keys::Right);  // another cell
  Edit(board).Cells[3].SetPencil(5, true);
  PressDigit(5);
  EXPECT_EQ(Edit(board).Cells[3].Value, 0);
  EXPECT_FALSE(Edit(board).Cells[3].Pencil(5));
}

TEST_F(Input, PencilOnAnEnteredValueClearsItAndTogglesTheMark) {
  Edit(board).SelCell = 2;
  PressDigit(4);
  Press(keys::Letter('P'));
  EXPECT_EQ(Edit(board).CurTool, kPencil);
  PressDigit(7);
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  EXPECT_EQ(Edit(board).Cells[2].Marks, DigitBit(7));
}

TEST_F(Input, ModifiersOtherThanCtrlAloneAreIgnoredButStillClearHighlights) {
  Edit(board).SelCell = 2;
  PressDigit(4);
  Edit(board).CellColors[10] = HintCellColour;
  Press(keys::Letter('Z'), modifiers::Ctrl | modifiers::Shift);
  EXPECT_EQ(Edit(board).CellColors[10], 0u);
  Press(keys::Digit0 + 1, modifiers::Shift);
  EXPECT_EQ(Edit(board).Cells[2].Value, 4);
  Press(keys::Letter('Z'), modifiers::Ctrl);
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  Press(keys::Letter('C'), modifiers::Ctrl);
  EXPECT_EQ(host.clipboard, kPuzzle);
}

TEST_F(Input, HintKeyOnlyWhileTheHintButtonIsEnabled) {
  Press(keys::Letter('H'));
  const std::string firstLevel = host.panel;
  EXPECT_NE(firstLevel.find("<b>HINT:</b> Look for"), std::string::npos);
  Edit(board).Controls.Hint = false;
  Press(keys::Letter('H'));
  board.imgBut_Click(7);
  EXPECT_EQ(host.panel, firstLevel);  // a second hint would have escalated
  Press(keys::Letter('A'));
  EXPECT_NE(host.panel.find("Difficulty rating"), std::string::npos);
}

TEST_F(Input, LeftClickOnTheSelectedCellWritesItsSingleMark) {
  Edit(board).Cells[2].SetPencil(4, true);
  board.picGrid_MouseUp(2, MouseButton::Left);
  EXPECT_EQ(Edit(board).SelCell, 2);
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  board.picGrid_MouseUp(2, MouseButton::Left);
  EXPECT_EQ(Edit(board).Cells[2].Value, 4);
  Edit(board).Cells[3].Marks = DigitBit(1) | DigitBit(6);
  board.picGrid_MouseUp(3, MouseButton::Left);
  board.picGrid_MouseUp(3, MouseButton::Left);
  EXPECT_EQ(Edit(board).Cells[3].Value, 0);
}

TEST_F(Input, RightClickSelectsAndOpensTheCellMenu) {
  board.picGrid_MouseUp(30, MouseButton::Right);
  EXPECT_EQ(Edit(board).SelCell, 30);
  EXPECT_EQ(host.switchCaption, "Switch to Pencil tool");
  board.SwitchTool();
  board.picGrid_MouseUp(30, MouseButton::Right);
  EXPECT_EQ(host.switchCaption, "Switch to Pen tool");
  EXPECT_EQ(host.windows, (std::vector<HostWindow>{HostWindow::CellMenu, HostWindow::CellMenu}));
  board.picGrid_MouseUp(31, MouseButton::Middle);
  EXPECT_EQ(Edit(board).SelCell, 30);
}

// Mark controls follow the marks of empty cells; a disabled button does nothing.
TEST_F(Input, MarkControlsFollowTheMarksOfEmptyCells) {
  Edit(board).Cells[0].SetPencil(1, true);  // a given's mark
  Edit(board).SelCell = 2;
  board.RedrawGrid();
  EXPECT_FALSE(Edit(board).Controls.RemoveMarks);
  EXPECT_TRUE(Edit(board).Controls.PmCell);
  Edit(board).CellColors[3] = HintCellColour;
  board.imgBut_Click(3);
  EXPECT_EQ(Edit(board).CellColors[3], HintCellColour);

  Edit(board).Cells[2].SetPencil(1, true);
  board.RedrawGrid();
  EXPECT_TRUE(Edit(board).Controls.RemoveMarks);
  EXPECT_TRUE(Edit(board).Controls.CopyPencil);
  board.imgBut_Click(3);
  EXPECT_EQ(Edit(board).Cells[2].Marks, 0);
  EXPECT_EQ(Edit(board).CellColors[3], 0u);
  Edit(board).SelCell = 0;
  board.RedrawGrid();
  EXPECT_FALSE(Edit(board).Controls.PmCell);
}

}  // namespace
}  // namespace tavimoro
