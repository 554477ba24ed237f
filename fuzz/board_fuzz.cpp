// Arbitrary text through the board's readers: ApplyPuzzle (pasted text in
// every layout it reads) and PaintPuzzle (records and puzzle text with
// marks). Loading must never fail, must keep the board's invariants, and a
// loaded board must survive its own record string unchanged and come back
// from each of its copies.
#include <bit>
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

// Every copy of the board pastes back with its digits; the copy with marks
// and the pencil-mark grid with the marks of its empty cells too (an empty
// cell with one mark comes back from the grid as that digit).
void CheckCopiesPasteBack(Board& board, ScriptedHost& host) {
  Board other(host);
  board.Copy();
  other.PasteFromClipboard();
  if (other.GetGrid(true) != board.GetGrid(true)) std::abort();
  board.CopyWithPencilMarks();
  other.PasteFromClipboard();
  if (other.GetGrid(true) != board.GetGrid(true) || other.GetPencilGrid() != board.GetPencilGrid())
    std::abort();
  board.CopyPencilMarkGrid();
  other.PasteFromClipboard();
  for (int i = 0; i < 81; ++i) {
    const CellRec& mine = board.Cells()[i];
    const CellRec& read = other.Cells()[i];
    const bool single = mine.Value == 0 && std::popcount(mine.Marks) == 1;
    if (single ? read.Value != std::countr_zero(mine.Marks) + 1
               : read.Value != mine.Value || (mine.Value == 0 && read.Marks != mine.Marks))
      std::abort();
  }
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
  CheckCopiesPasteBack(board, host);

  const std::size_t half = text.size() / 2;
  board.PaintPuzzle(text.substr(0, half), text.substr(half), true);
  CheckInvariants(board);
  CheckRecordRoundTrip(board);
  board.UndoLast();
  CheckInvariants(board);
  return 0;
}
