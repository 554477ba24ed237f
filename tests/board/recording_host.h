// The board tests' host (the shared scripted host), direct access to a
// board's state for setting up positions, and the puzzle the tests play.
#pragma once

#include "board/scripted_host.h"

namespace tavimoro {

struct Board::TestAccess {
  std::array<CellRec, 81>& Cells;
  int& SelCell;
  int& CurTool;
  std::array<std::string, kUndoDepth>& UndoStack;
  StepRecord& LastHint;
  std::array<std::uint32_t, 81>& CellColors;
  int& LastKeyDigit;
  int& LastKeyCell;
  std::int64_t& LastKeyTick;
  BoardControls& Controls;

  static TestAccess Of(Board& b) {
    return {b.state_.cells,       b.state_.selCell,    b.state_.curTool,      b.state_.undoStack,
            b.state_.lastHint,    b.state_.cellColors, b.state_.lastKeyDigit, b.state_.lastKeyCell,
            b.state_.lastKeyTick, b.state_.controls};
  }
};

inline Board::TestAccess Edit(Board& board) { return Board::TestAccess::Of(board); }

}  // namespace tavimoro

namespace tavimoro::testing {

using RecordingHost = ScriptedHost;

// A puzzle with one solution, and that solution.
inline constexpr std::string_view kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace tavimoro::testing
