// Arbitrary text through the board's readers: ApplyPuzzle (pasted text) and
// PaintPuzzle (records and puzzle text with marks). Loading must never fail,
// must keep the board's invariants, and a loaded board must survive its own
// record string unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "board/scripted_host.h"

namespace {

using namespace tavimoro;

void CheckInvariants(const Board& board) {
  for (const CellRec& cell : board.Cells()) {
    if (cell.Value < 0 || cell.Value > 9 || (cell.Given && cell.Value == 0) || cell.Marks > 511) std::abort();
  }
}

void CheckRecordRoundTrip(Board& board) {
  const auto cells = board.Cells();
  board.PaintPuzzle(board.GetAllGrid());
  if (board.Cells() != cells) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ScriptedHost host;
  Board board(host);

  const bool applied = board.ApplyPuzzle(text);
  CheckInvariants(board);
  if (!applied && (board.GetAllGrid() != Board(host).GetAllGrid() || board.Controls().Undo)) std::abort();
  CheckRecordRoundTrip(board);

  const std::size_t half = text.size() / 2;
  board.PaintPuzzle(text.substr(0, half), text.substr(half), true);
  CheckInvariants(board);
  CheckRecordRoundTrip(board);
  board.UndoLast();
  CheckInvariants(board);
  return 0;
}
