// Pasting the sample texts of tests/data/formats: the first puzzle a text
// holds is loaded; candidate rows that fit no grid are refused with nothing
// changed; text in no recognised layout goes through the general scan.
#include <gtest/gtest.h>

#include "format_cases.h"
#include "recording_host.h"

namespace tavimoro {
namespace {

class PasteFormat : public ::testing::TestWithParam<std::string> {};

TEST_P(PasteFormat, LoadsTheFirstPuzzleOrRefuses) {
  testing::RecordingHost host;
  Board board(host);
  board.PaintPuzzle(testing::kPuzzle);
  const std::string before = board.GetAllGrid();
  host.clipboard = testing::ReadFile(testing::kCaseFolder / (GetParam() + ".in"));
  std::string verdict;
  const auto wanted = testing::WantedRecords(GetParam(), verdict);
  board.PasteFromClipboard();
  if (!wanted.empty()) {
    EXPECT_EQ(board.GetAllGrid(), wanted[0].substr(wanted[0].find(' ') + 1));
    EXPECT_TRUE(host.messages.empty());
  } else if (verdict == "refused") {
    EXPECT_EQ(board.GetAllGrid(), before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "No valid Sudoku puzzle found in Clipboard");
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, PasteFormat, ::testing::ValuesIn(testing::CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& sample) { return sample.param; });

}  // namespace
}  // namespace tavimoro
