#include <gtest/gtest.h>

#include "board/board.h"
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

TEST_F(TextForms, PuzzleTextInOneLineOrNineLines) {
  board.PaintPuzzle(kPuzzle);
  EXPECT_EQ(board.GetGrid(true), kPuzzle);
  const std::string lines = board.GetGrid();
  ASSERT_EQ(lines.size(), 99u);
  EXPECT_EQ(lines.substr(0, 11), "53..7....\r\n");
  EXPECT_EQ(lines.substr(88), "....8..79\r\n");
}

TEST_F(TextForms, RecordStringRestoresValuesFlagsAndMarksExactly) {
  board.PaintPuzzle(kPuzzle);
  board.Cells[2].Value = 7;  // entered, not given
  board.Cells[3].SetPencil(1, true);
  board.Cells[3].SetPencil(9, true);
  board.Cells[0].SetPencil(4, true);  // marks of a filled cell survive too
  const std::string record = board.GetAllGrid();
  EXPECT_EQ(record.substr(0, 27), "[5|T|4][3|T|][7|F|][0|F|19]");
  const auto before = board.Cells;
  board.PaintPuzzle(std::string(81, '.'));
  board.PaintPuzzle(record);
  EXPECT_EQ(board.Cells, before);
}

TEST_F(TextForms, PencilTextListsMarksPerCell) {
  board.Cells[0].SetPencil(9, true);
  board.Cells[0].SetPencil(1, true);
  board.Cells[0].SetPencil(2, true);
  board.Cells[3].SetPencil(4, true);
  const std::string text = board.GetPencilGrid();
  EXPECT_EQ(text.substr(0, 8), "129|||4|");
  EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 81);
}

TEST_F(TextForms, EmptyRecordsAndGivenRecords) {
  board.PaintPuzzle(kPuzzle);
  board.PaintPuzzle(Repeat("[0|F|]", 81));
  EXPECT_EQ(board.GetGrid(true), std::string(81, '.'));
  EXPECT_EQ(board.GetPencilGrid(), Repeat("|", 81));
  board.PaintPuzzle("[5|T|]" + Repeat("[7|F|]", 80));
  EXPECT_TRUE(board.Cells[0].Given);
  EXPECT_EQ(board.Cells[1].Value, 7);
  EXPECT_FALSE(board.Cells[1].Given);
}

TEST_F(TextForms, MalformedRecordsLoadWhatTheyCanAndNeverMakeAGivenEmptyCell) {
  board.PaintPuzzle("[0|T|12][12|T|3][x|F][ 4 |T|5z9][|||][[[3|T|]]]][6");
  EXPECT_EQ(board.Cells[0].Value, 0);
  EXPECT_FALSE(board.Cells[0].Given);
  EXPECT_EQ(board.Cells[0].Marks, 0b11);
  EXPECT_EQ(board.Cells[1].Value, 0);
  EXPECT_FALSE(board.Cells[1].Given);
  EXPECT_EQ(board.Cells[1].Marks, 0b100);
  EXPECT_EQ(board.Cells[2], CellRec{});
  EXPECT_EQ(board.Cells[3].Value, 4);
  EXPECT_TRUE(board.Cells[3].Given);
  EXPECT_TRUE(board.Cells[3].Pencil(5) && board.Cells[3].Pencil(9));
  EXPECT_EQ(board.Cells[5].Value, 3);
  EXPECT_EQ(board.Cells[8], CellRec{});
  EXPECT_EQ(board.Cells[9].Value, 6);
  EXPECT_FALSE(board.Cells[9].Given);
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
  for (const std::string& text : {std::string(kPuzzle), nineLines, drawn, zeros, "Puzzle: [" + std::string(kPuzzle)}) {
    board.PaintPuzzle(std::string(81, '.'));
    ASSERT_TRUE(board.ApplyPuzzle(text)) << text;
    EXPECT_EQ(board.GetGrid(true), kPuzzle) << text;
    for (const CellRec& cell : board.Cells) EXPECT_EQ(cell.Given, cell.Value != 0);
    EXPECT_EQ(board.GetPencilGrid(), Repeat("|", 81)) << text;
  }
}

TEST_F(TextForms, EightyCellsAreRefusedWithNothingChanged) {
  board.ApplyPuzzle(kPuzzle);
  board.Cells[2].SetPencil(4, true);
  const auto cells = board.Cells;
  const auto undo = board.UndoStack;
  host.clipboard = std::string(kPuzzle.substr(0, 80)) + "\r\nabc";
  board.PasteFromClipboard();
  EXPECT_EQ(board.Cells, cells);
  EXPECT_EQ(board.UndoStack, undo);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "No valid Sudoku puzzle found in Clipboard");
  host.clipboard.reset();
  board.PasteFromClipboard();
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(TextForms, MarksAfterEightyOneCellsNeedThreeBars) {
  std::string marks = "12|" + Repeat("|", 80);
  ASSERT_TRUE(board.ApplyPuzzle(std::string(kPuzzle) + marks));
  EXPECT_EQ(board.Cells[2].Marks, 0);
  EXPECT_EQ(board.Cells[0].Marks, 0b11);  // marks are set on filled cells as well
  ASSERT_TRUE(board.ApplyPuzzle(std::string(kPuzzle) + "123456789||"));
  EXPECT_EQ(board.GetPencilGrid(), Repeat("|", 81));
  // Extra cell characters: the first 81 are the puzzle, the rest only marks
  // when it holds three bars.
  ASSERT_TRUE(board.ApplyPuzzle(std::string(kPuzzle) + "999"));
  EXPECT_EQ(board.GetGrid(true), kPuzzle);
  // Too few pieces give no marks at all.
  ASSERT_TRUE(board.ApplyPuzzle(std::string(kPuzzle) + "1|2|3|4|"));
  EXPECT_EQ(board.GetPencilGrid(), Repeat("|", 81));
}

TEST_F(TextForms, CopyAndCopyWithMarksReadBackThroughApplyPuzzle) {
  board.ApplyPuzzle(kPuzzle);
  board.Cells[2].Value = 4;  // entered digits come back as givens
  board.Cells[3].SetPencil(2, true);
  board.Cells[3].SetPencil(6, true);
  board.Cells[80].SetPencil(1, true);
  board.Copy();
  ASSERT_EQ(host.clipboard->size(), 81u);
  board.CopyWithPencilMarks();
  const std::string withMarks = *host.clipboard;
  const std::string marks = board.GetPencilGrid();
  const std::string grid = board.GetGrid(true);

  Board other(host);
  host.clipboard = withMarks;
  other.PasteFromClipboard();
  EXPECT_EQ(other.GetGrid(true), grid);
  EXPECT_EQ(other.GetPencilGrid(), marks);
  EXPECT_TRUE(other.Cells[2].Given);
  board.Copy();
  ASSERT_TRUE(other.ApplyPuzzle(*host.clipboard));
  EXPECT_EQ(other.GetGrid(true), grid);
}

TEST_F(TextForms, RecordFormNeedsThreeBracketsAndAClosingOne) {
  board.Cells[40].Value = 1;
  EXPECT_FALSE(board.ApplyPuzzle("[1|T|][2|T|]"));
  EXPECT_FALSE(board.ApplyPuzzle("[1|T|][2|T|][3|T|"));
  ASSERT_TRUE(board.ApplyPuzzle("[1|T|][2|T|][3|T|]"));
  EXPECT_EQ(board.GetGrid(true), "123" + std::string(78, '.'));
}

TEST_F(TextForms, ApplyPuzzleClearsHighlightsAndPushesUndo) {
  board.CellColors[5] = 0xFF;
  ASSERT_TRUE(board.ApplyPuzzle(kPuzzle));
  EXPECT_EQ(board.CellColors[5], 0u);
  EXPECT_EQ(board.UndoStack[0], Repeat("[0|F|]", 81));
  EXPECT_TRUE(host.undoEnabled);
}

}  // namespace
}  // namespace tavimoro
