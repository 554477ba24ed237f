// The fixture of the board and input tests: a board over a recording host,
// loaded with kPuzzle.
#pragma once

#include <gtest/gtest.h>

#include "board/recording_host.h"

namespace tavimoro::testing {

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override { board.PaintPuzzle(kPuzzle); }
  int SolutionDigit(int cell) const { return kSolution[cell] - '0'; }

  RecordingHost host;
  Board board{host};
};

}  // namespace tavimoro::testing
