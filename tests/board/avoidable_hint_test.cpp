// The avoidable rectangle on the board: it rests on which digits the user
// entered, so the same position gives it when the ladder's digits were
// entered on a loaded puzzle and not when every digit is a given.
#include <gtest/gtest.h>

#include <string>

#include "board/hint_composer.h"
#include "board/recording_host.h"
#include "common/stuck_position.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

using testing::RecordingHost;

// The ladder gets stuck on this puzzle with R1C6, R2C1 and R2C6 entered as
// 2, 2 and 1, and R1C1 holding 1 and 7.
constexpr std::string_view kPuzzle =
    "..8..........6.784...73.9...9...7...6..1........9..45.5.7.......2.....19..12..3..";

class AvoidableHint : public ::testing::Test {
 protected:
  void SetUp() override {
    host.ticks[Command::Extended] = true;
    stuck = testing::LadderStuckState(kPuzzle);
  }
  // The puzzle's givens, the ladder's digits as entered values, and the
  // candidates as pencil marks.
  void LoadAsEntered() {
    board.PaintPuzzle(kPuzzle);
    for (int c = 0; c < 81; ++c) {
      CellRec& cell = Edit(board).Cells[c];
      if (cell.Given) continue;
      cell.Value = stuck.Grid[c];
      cell.Marks = stuck.Grid[c] == 0 ? stuck.CandMask[c] : 0;
    }
  }
  std::string Hint() {
    ShowHint(board);
    return host.panel;
  }

  RecordingHost host;
  Board board{host};
  PuzzleState stuck;
};

TEST_F(AvoidableHint, EnteredCornersGiveTheRectangle) {
  LoadAsEntered();
  const std::string name = TechniqueName(TechniqueId::AvoidableRectangle1, true);
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for an " + name + "<br><br>Click \"Hint\" again for more...");
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for an " + name +
                        " in rows 1 and 2 and columns 1 and 6 on the numbers 1 & 2.<br><br>Click \"Hint\" "
                        "again for even more...");
  const std::string full = Hint();
  EXPECT_NE(
      full.find("R1C6 (2), R2C1 (2) and R2C6 (1) were filled in while solving, and no corner of the "
                "rectangle is a given. If R1C1 were 1, the 1s and 2s of its four corners could swap "
                "places and the puzzle would have two solutions. So R1C1 cannot be 1. Remove the 1 from "
                "R1C1."),
      std::string::npos)
      << full;
  Hint();  // applies
  EXPECT_FALSE(board.Cells()[0].Pencil(1));
  EXPECT_TRUE(board.Cells()[0].Pencil(7));
}

TEST_F(AvoidableHint, TheSamePositionAllGivenDoesNot) {
  std::string marks;
  for (int c = 0; c < 81; ++c) {
    for (int d = 1; d <= 9; ++d)
      if (stuck.Grid[c] == 0 && stuck.Cand(c, d)) marks += static_cast<char>('0' + d);
    marks += '|';
  }
  board.PaintPuzzle(PuzzleToString(stuck), marks);
  const std::string first = Hint();
  EXPECT_EQ(first.find("Avoidable"), std::string::npos) << first;
}

}  // namespace
}  // namespace tavimoro
