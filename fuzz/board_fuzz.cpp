// Arbitrary text through the board's readers: ApplyPuzzle (pasted text) and
// PaintPuzzle (records and puzzle text with marks). Loading must never fail,
// must keep the board's invariants, and a loaded board must survive its own
// record string unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "board/board.h"

namespace {

using namespace tavimoro;

class QuietHost : public BoardHost {
 public:
  void Message(std::string_view, std::string_view) override {}
  Answer Ask(std::string_view, std::string_view) override { return Answer::Cancel; }
  std::string Input(std::string_view, std::string_view) override { return ""; }
  void Beep() override {}
  void Redraw(bool) override {}
  void UndoEnabled(bool) override {}
  void ToolChanged(int) override {}
  void SetSwitchCaption(std::string_view) override {}
  bool OptionTicked(BoardOption) override { return false; }
  std::optional<std::string> ClipboardText() override { return std::nullopt; }
  void SetClipboardText(std::string_view) override {}
  std::string PanelHtml() override { return ""; }
  void SetPanelHtml(std::string_view) override {}
  void SetStatusLight(bool) override {}
  std::string SaveNameProblem(std::string_view) override { return ""; }
  bool SavedPuzzleExists(std::string_view) override { return false; }
  void StoreSavedPuzzle(std::string_view, std::string_view) override {}
  std::int64_t Milliseconds() override { return 0; }
  void Show(HostWindow) override {}
  void OpenUrl(std::string_view) override {}
  void ShowHint() override {}
  void UpdateStatus(bool) override {}
};

void CheckInvariants(const Board& board) {
  for (const CellRec& cell : board.Cells) {
    if (cell.Value < 0 || cell.Value > 9 || (cell.Given && cell.Value == 0) || cell.Marks > 511) std::abort();
  }
}

void CheckRecordRoundTrip(Board& board) {
  const auto cells = board.Cells;
  board.PaintPuzzle(board.GetAllGrid());
  if (board.Cells != cells) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  QuietHost host;
  Board board(host);

  const bool applied = board.ApplyPuzzle(text);
  CheckInvariants(board);
  if (!applied && (board.GetAllGrid() != Board(host).GetAllGrid() || !board.UndoStack[0].empty())) std::abort();
  CheckRecordRoundTrip(board);

  const std::size_t half = text.size() / 2;
  board.PaintPuzzle(text.substr(0, half), text.substr(half), true);
  CheckInvariants(board);
  CheckRecordRoundTrip(board);
  board.UndoLast();
  CheckInvariants(board);
  return 0;
}
