#include <gtest/gtest.h>

#include "recording_host.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;
using testing::RecordingHost;

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

class TextForms : public ::testing::Test {
 protected:
  RecordingHost host;
  Board board{host};
};

TEST_F(TextForms, GridPencilAndRecordTexts) {
  board.PaintPuzzle(kPuzzle);
  EXPECT_EQ(board.GetGrid(true), kPuzzle);
  const std::string lines = board.GetGrid();
  ASSERT_EQ(lines.size(), 99u);
  EXPECT_EQ(lines.substr(0, 11), "53..7....\r\n");
  EXPECT_EQ(lines.substr(88), "....8..79\r\n");

  Edit(board).Cells[2].Value = 7;  // entered, not given
  Edit(board).Cells[3].Marks = DigitBit(9) | DigitBit(1);
  Edit(board).Cells[0].SetPencil(4, true);  // marks of a filled cell survive too
  const std::string pencil = board.GetPencilGrid();
  EXPECT_EQ(pencil.substr(0, 7), "4|||19|");
  EXPECT_EQ(std::count(pencil.begin(), pencil.end(), '|'), 81);
  const std::string record = board.GetAllGrid();
  EXPECT_EQ(record.substr(0, 27), "[5|T|4][3|T|][7|F|][0|F|19]");
  const auto before = Edit(board).Cells;
  board.PaintPuzzle(Repeat("[0|F|]", 81));
  EXPECT_EQ(board.GetGrid(true), std::string(81, '.'));
  EXPECT_EQ(board.GetPencilGrid(), Repeat("|", 81));
  board.PaintPuzzle(record);
  EXPECT_EQ(Edit(board).Cells, before);
}

TEST_F(TextForms, MalformedRecordsLoadWhatTheyCanAndNeverMakeAGivenEmptyCell) {
  board.PaintPuzzle("[0|T|12][12|T|3][x|F][ 4 |T|5z9][|||][[[3|T|]]]][6");
  EXPECT_EQ(Edit(board).Cells[0], (CellRec{0, false, 0b11}));
  EXPECT_EQ(Edit(board).Cells[1], (CellRec{0, false, 0b100}));
  EXPECT_EQ(Edit(board).Cells[2], CellRec{});
  EXPECT_EQ(Edit(board).Cells[3].Value, 4);
  EXPECT_TRUE(Edit(board).Cells[3].Given);
  EXPECT_TRUE(Edit(board).Cells[3].Pencil(5) && Edit(board).Cells[3].Pencil(9));
  EXPECT_EQ(Edit(board).Cells[5].Value, 3);
  EXPECT_EQ(Edit(board).Cells[8], CellRec{});
  EXPECT_EQ(Edit(board).Cells[9].Value, 6);
  EXPECT_FALSE(Edit(board).Cells[9].Given);

  // Pasted, the record form needs three cells and a closing bracket.
  EXPECT_FALSE(board.ApplyPuzzle("[1|T|][2|T|]"));
  EXPECT_FALSE(board.ApplyPuzzle("[1|T|][2|T|][3|T|"));
  ASSERT_TRUE(board.ApplyPuzzle("[1|T|][2|T|][3|T|]"));
  EXPECT_EQ(board.GetGrid(true), "123" + std::string(78, '.'));
}

TEST_F(TextForms, EveryAcceptedPasteLayoutLoadsTheSameGivens) {
  std::string nineLines, drawn, zeros;
  for (int r = 0; r < 9; ++r) {
    const std::string row(kPuzzle.substr(9 * r, 9));
    nineLines += row + "\r\n";
    if (r % 3 == 0) drawn += "+-------+-------+-------+\n";
    drawn += "| " + row.substr(0, 3) + " | " + row.substr(3, 3) + " | " + row.substr(6, 3) + " |\n";
  }
  drawn += "+-------+-------+-------+\n";
  for (char ch : kPuzzle) zeros += ch == '.' ? (zeros.size() % 2 ? '0' : '_') : ch;
  for (const std::string& text :
       {std::string(kPuzzle), nineLines, drawn, zeros, "Puzzle: [" + std::string(kPuzzle)}) {
    board.PaintPuzzle(std::string(81, '.'));
    ASSERT_TRUE(board.ApplyPuzzle(text)) << text;
    EXPECT_EQ(board.GetGrid(true), kPuzzle) << text;
    for (const CellRec& cell : Edit(board).Cells) EXPECT_EQ(cell.Given, cell.Value != 0);
    EXPECT_EQ(board.GetPencilGrid(), Repeat("|", 81)) << text;
  }
}

TEST_F(TextForms, EightyCellsAreRefusedWithNothingChanged) {
  board.ApplyPuzzle(kPuzzle);
  Edit(board).Cells[2].SetPencil(4, true);
  const auto cells = Edit(board).Cells;
  const auto undo = Edit(board).UndoStack;
  host.clipboard = std::string(kPuzzle.substr(0, 80)) + "\r\nabc";
  board.PasteFromClipboard();
  EXPECT_EQ(Edit(board).Cells, cells);
  EXPECT_EQ(Edit(board).UndoStack, undo);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "No valid Sudoku puzzle found in Clipboard");
  host.clipboard.reset();
  board.PasteFromClipboard();
  EXPECT_EQ(host.messages.size(), 2u);
}

// After the 81 cells, pasted text holds marks only as at least three
// bar-separated pieces.
TEST_F(TextForms, MarksAfterEightyOneCellsNeedThreeBars) {
  const struct {
    std::string tail;
    int marksOfCell0;
  } cases[] = {{"12|" + Repeat("|", 80), 0b11}, {"123456789||", 0}, {"999", 0}, {"1|2|3|4|", 0}};
  for (const auto& c : cases) {
    ASSERT_TRUE(board.ApplyPuzzle(std::string(kPuzzle) + c.tail)) << c.tail;
    EXPECT_EQ(board.GetGrid(true), kPuzzle) << c.tail;
    EXPECT_EQ(Edit(board).Cells[0].Marks, c.marksOfCell0) << c.tail;  // a filled cell keeps its marks
    for (int i = 1; i < 81; ++i) EXPECT_EQ(Edit(board).Cells[i].Marks, 0) << c.tail << " cell " << i;
  }
}

TEST_F(TextForms, CopyAndCopyWithMarksReadBackThroughApplyPuzzle) {
  Edit(board).CellColors[5] = 0xFF;
  ASSERT_TRUE(board.ApplyPuzzle(kPuzzle));
  EXPECT_EQ(Edit(board).CellColors[5], 0u);
  EXPECT_EQ(Edit(board).UndoStack[0], Repeat("[0|F|]", 81));
  EXPECT_TRUE(board.Controls().Undo);

  Edit(board).Cells[2].Value = 4;  // entered digits come back as givens
  Edit(board).Cells[3].Marks = DigitBit(2) | DigitBit(6);
  Edit(board).Cells[80].SetPencil(1, true);
  board.Copy();
  ASSERT_EQ(host.clipboard->size(), 81u);
  const std::string plain = *host.clipboard;
  board.CopyWithPencilMarks();
  Board other(host);
  other.PasteFromClipboard();
  EXPECT_EQ(other.GetGrid(true), board.GetGrid(true));
  EXPECT_EQ(other.GetPencilGrid(), board.GetPencilGrid());
  EXPECT_TRUE(other.Cells()[2].Given);
  ASSERT_TRUE(other.ApplyPuzzle(plain));
  EXPECT_EQ(other.GetGrid(true), board.GetGrid(true));
  EXPECT_EQ(other.GetPencilGrid(), Repeat("|", 81));
}

}  // namespace
}  // namespace tavimoro
