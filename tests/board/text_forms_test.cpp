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

}  // namespace
}  // namespace tavimoro
