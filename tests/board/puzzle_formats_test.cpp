#include "board/puzzle_formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "format_cases.h"

namespace tavimoro {
namespace {

using testing::CaseNames;
using testing::GridOf;
using testing::kCaseFolder;
using testing::LayoutName;
using testing::ReadFile;

std::string Describe(const ReadPuzzle& puzzle) {
  return std::string(LayoutName(puzzle.Layout)) + " " + WriteRecord(puzzle.Cells);
}

class FormatCase : public ::testing::TestWithParam<std::string> {};

TEST_P(FormatCase, ReadsThePuzzlesTheTextHolds) {
  const std::string text = ReadFile(kCaseFolder / (GetParam() + ".in"));
  std::string verdict;
  const auto expected = testing::WantedRecords(GetParam(), verdict);
  const auto puzzles = ReadPuzzles(text);
  std::vector<std::string> got;
  for (const auto& puzzle : puzzles) got.push_back(Describe(puzzle));
  EXPECT_EQ(got, expected);
  EXPECT_EQ(HoldsCandidateRows(text) && puzzles.empty(), verdict == "refused");
}

INSTANTIATE_TEST_SUITE_P(Samples, FormatCase, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& sample) { return sample.param; });

// A board in play: givens, entered digits, marks on empty cells (one of them
// a single mark), a mark on a filled cell, and an empty cell without marks.
FormatGrid BoardInPlay() {
  FormatGrid cells =
      GridOf("53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
  cells[2] = FormatCell{4, false, 0};
  cells[3].Marks = 0b000100010;  // 2 and 6
  cells[5].Marks = 0b010101010;  // 2 4 6 8
  cells[6].Marks = 0b100000000;  // 9 alone
  cells[0].Marks = 0b1;          // kept only where the format keeps marks
  return cells;
}

FormatGrid ValuesAsGivens(FormatGrid cells, bool keepMarksOfEmptyCells) {
  for (auto& cell : cells) {
    cell.Given = cell.Value != 0;
    if (cell.Value != 0 || !keepMarksOfEmptyCells) cell.Marks = 0;
  }
  return cells;
}

TEST(PuzzleFormats, EveryWriterReadsBack) {
  const FormatGrid board = BoardInPlay();
  const struct {
    std::string text;
    PuzzleLayout layout;
    FormatGrid want;
  } cases[] = {
      {WriteLine(board), PuzzleLayout::Line, ValuesAsGivens(board, false)},
      {WriteSdk(board), PuzzleLayout::Rows, ValuesAsGivens(board, false)},
      {WriteSs(board), PuzzleLayout::Rows, ValuesAsGivens(board, false)},
      {WriteRecord(board), PuzzleLayout::Record, board},
  };
  for (const auto& c : cases) {
    const auto puzzles = ReadPuzzles(c.text);
    ASSERT_EQ(puzzles.size(), 1u) << c.text;
    EXPECT_EQ(puzzles[0].Layout, c.layout) << c.text;
    EXPECT_EQ(puzzles[0].Cells, c.want) << c.text;
  }
}

TEST(PuzzleFormats, PencilGridKeepsMarksAndReadsASingleMarkAsAValue) {
  const FormatGrid board = BoardInPlay();
  const std::string grid = WritePencilGrid(board);
  const auto puzzles = ReadPuzzles(grid);
  ASSERT_EQ(puzzles.size(), 1u) << grid;
  EXPECT_EQ(puzzles[0].Layout, PuzzleLayout::PencilGrid);
  FormatGrid want = ValuesAsGivens(board, true);
  want[6] = FormatCell{9, true, 0};
  EXPECT_EQ(puzzles[0].Cells, want);

  // Thirteen lines (frames and rows) of one width: the columns line up.
  std::istringstream lines(grid);
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_EQ(all.size(), 13u);
  for (const auto& line : all) EXPECT_EQ(line.size(), all[0].size()) << line;
  EXPECT_EQ(all[1].substr(0, 11), "| 5  3  4 |");
}

TEST(PuzzleFormats, PuzzleFileKeepsEveryBoardExactly) {
  FormatGrid second{};
  second[40] = FormatCell{5, false, 0};
  second[41].Marks = 0b111111111;
  const std::vector<FormatGrid> boards = {BoardInPlay(), second};
  const std::string file = WritePuzzleFile(boards);
  const auto puzzles = ReadPuzzles(file);
  ASSERT_EQ(puzzles.size(), 2u);
  EXPECT_EQ(puzzles[0].Cells, boards[0]);
  EXPECT_EQ(puzzles[1].Cells, boards[1]);
  // Other programs see one plain line per board.
  EXPECT_EQ(file.substr(0, 82), WriteLine(boards[0]) + "\n");
}

TEST(PuzzleFormats, ARecordCommentReplacesOnlyTheLineBeforeItWithTheSameDigits) {
  const FormatGrid board = BoardInPlay();
  std::string record = WriteRecord(board);
  record.insert(record.begin(), '#');
  record += '\n';
  const std::string other(81, '.');
  EXPECT_EQ(ReadPuzzles(other + "\n" + record).size(), 2u);
  EXPECT_EQ(ReadPuzzles(WriteLine(board) + "\n\n" + record).size(), 2u);
  EXPECT_EQ(ReadPuzzles(WriteLine(board) + "\n" + record).size(), 1u);
  EXPECT_EQ(ReadPuzzles(record)[0].Cells, board);
  // A line of a few records is no board.
  EXPECT_TRUE(ReadPuzzles("[1|T|][2|T|][3|T|]\n").empty());
  EXPECT_TRUE(ReadPuzzles("#[1|T|][2|T|][3|T|]\n").empty());
}

TEST(PuzzleFormats, CandidateRowsAreTellingOnlyWithSpacedGroups) {
  EXPECT_TRUE(HoldsCandidateRows("5 3 12 | 6 7 8 | 9 14 2\n"));
  EXPECT_FALSE(HoldsCandidateRows("5 3 . | . 7 . | . . .\n"));             // a row of cells
  EXPECT_FALSE(HoldsCandidateRows("534 678 912\n"));                       // three solved triples
  EXPECT_FALSE(HoldsCandidateRows("129|||4|12|13|14|15|16|17|18|19|\n"));  // the board's pencil text
  EXPECT_FALSE(
      HoldsCandidateRows("123456789 123456789 123456789 123456789 123456789 "
                         "123456789 123456789 123456789 123456789\n"));  // all nine each
}

}  // namespace
}  // namespace tavimoro
