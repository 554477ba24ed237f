// Redo, "Set as givens", and typing a puzzle in: the selection moving on
// after a digit, wrapping arrows, Home and End.
#include <gtest/gtest.h>

#include "board/board_fixture.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;

class Typing : public testing::BoardTest {
 protected:
  void Key(int code, int shift = 0) { board.Form_KeyDown(code, shift); }
  void Digit(int d) { Key(keys::Digit0 + d); }
};

TEST_F(Typing, RedoWalksBackThroughUndosUntilTheBoardChangesOtherwise) {
  board.imgPen_Click();
  Edit(board).SelCell = 2;
  const std::string start = board.GetAllGrid();
  Digit(4);
  const std::string one = board.GetAllGrid();
  Key(keys::Right);
  Digit(6);
  const std::string two = board.GetAllGrid();
  EXPECT_FALSE(board.CanRedo());

  board.Execute(Command::Undo);
  board.Execute(Command::Undo);
  EXPECT_EQ(board.GetAllGrid(), start);
  Key(keys::Letter('Y'), modifiers::Ctrl);
  EXPECT_EQ(board.GetAllGrid(), one);
  Key(keys::Letter('Z'), modifiers::Ctrl + modifiers::Shift);
  EXPECT_EQ(board.GetAllGrid(), two);
  EXPECT_FALSE(board.CanRedo());
  board.Execute(Command::Undo);  // a redone step can be undone again
  EXPECT_EQ(board.GetAllGrid(), one);
  EXPECT_TRUE(board.CanRedo());

  // Any other change ends the redo history; undo still reaches the start.
  Key(keys::Left);
  Key(keys::Delete);
  EXPECT_EQ(board.GetAllGrid(), start);
  EXPECT_FALSE(board.CanRedo());
  EXPECT_FALSE(board.Enabled(Command::Redo));
  board.Execute(Command::Redo);
  EXPECT_EQ(board.GetAllGrid(), start);
  board.Execute(Command::Undo);
  EXPECT_EQ(board.GetAllGrid(), one);
}

TEST_F(Typing, RedoSurvivesANewPuzzleOnlyUntilItChangesTheBoard) {
  board.imgPen_Click();
  Edit(board).SelCell = 2;
  Digit(4);
  board.Execute(Command::Undo);
  ASSERT_TRUE(board.CanRedo());
  board.PaintPuzzle(std::string(81, '.'), "", true);
  EXPECT_FALSE(board.CanRedo());
  board.Execute(Command::Undo);  // back to the puzzle: the undo history lasts
  EXPECT_EQ(board.GetGrid(true), kPuzzle);
}

TEST_F(Typing, SetAsGivensLocksTheDigitsOnTheBoard) {
  board.PaintPuzzle(std::string(81, '.'));
  board.imgPen_Click();
  Digit(5);
  Edit(board).Cells[1].SetPencil(3, true);
  Key(keys::Letter('G'), modifiers::Ctrl);
  EXPECT_TRUE(board.Cells()[0].Given);
  EXPECT_FALSE(board.Cells()[1].Given);
  EXPECT_TRUE(board.Cells()[1].Pencil(3));
  Key(keys::Delete);  // a given: beep, no change
  EXPECT_EQ(board.Cells()[0].Value, 5);
  EXPECT_EQ(host.beeps, 1);
  board.Execute(Command::Undo);
  EXPECT_FALSE(board.Cells()[0].Given);
  EXPECT_EQ(board.Cells()[0].Value, 5);
}

TEST_F(Typing, NextCellOptionMovesOnAfterDigitsAndBlanksAndWrapsTheArrows) {
  board.PaintPuzzle(std::string(81, '.'));
  board.imgPen_Click();
  board.Execute(Command::NextCell);
  ASSERT_TRUE(host.ticks[Command::NextCell]);
  Digit(5);
  Key(keys::Space);
  Digit(7);
  EXPECT_EQ(board.GetGrid(true).substr(0, 4), "5.7.");
  EXPECT_EQ(board.SelCell(), 3);
  Edit(board).SelCell = 80;
  Digit(1);
  EXPECT_EQ(board.SelCell(), 0);  // after the last cell the first
  Key(keys::Left);
  EXPECT_EQ(board.SelCell(), 80);
  Key(keys::Right);
  EXPECT_EQ(board.SelCell(), 0);
  Key(keys::Up);
  EXPECT_EQ(board.SelCell(), 72);
  Key(keys::Down);
  EXPECT_EQ(board.SelCell(), 0);
  Edit(board).SelCell = 9;
  Key(keys::Left);
  EXPECT_EQ(board.SelCell(), 8);  // row end to the row before

  board.imgPencil_Click();  // marks never move the selection
  Digit(2);
  EXPECT_EQ(board.SelCell(), 8);
}

TEST_F(Typing, WithoutTheOptionArrowsStopAtTheEdgesAndDigitsStay) {
  board.imgPen_Click();
  Edit(board).SelCell = 2;
  Digit(4);
  EXPECT_EQ(board.SelCell(), 2);
  Edit(board).SelCell = 9;
  Key(keys::Left);
  EXPECT_EQ(board.SelCell(), 9);
}

TEST_F(Typing, HomeAndEndGoToTheRowEndsAndWithCtrlToTheBoardCorners) {
  Edit(board).SelCell = 40;
  Key(keys::Home);
  EXPECT_EQ(board.SelCell(), 36);
  Key(keys::End);
  EXPECT_EQ(board.SelCell(), 44);
  Key(keys::Home, modifiers::Ctrl);
  EXPECT_EQ(board.SelCell(), 0);
  Key(keys::End, modifiers::Ctrl);
  EXPECT_EQ(board.SelCell(), 80);
}

}  // namespace
}  // namespace tavimoro
