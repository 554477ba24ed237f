// Board: the board's controller, every operation that changes the board's
// state (BoardState, board_state.h), without any window. Whatever the board
// needs from the window (dialogs, the clipboard, redrawing, the panel) goes
// through BoardHost.
//
// Representation: 81 flat CellRec values, row-major (cell = 9 * (row - 1) +
// (column - 1)), each with its pencil marks as a 9-bit mask. Undo keeps whole
// boards as record strings ("[5|T|][0|F|129]..."): 101 entries of under a
// kilobyte each cost nothing, and a record restores values, given flags and
// marks exactly, so undo needs no knowledge of what an operation changed.
//
// The board runs its own status and hint composers and tells the host once
// per input event that it changed (InputEvent below), so a paste or a hint
// repaints the window once.
//
// Every changing operation pushes the board before it changes it; PushUndo
// ignores a push equal to the top entry, and UndoLast skips entries equal
// to the board, so an operation that ends up changing nothing costs no undo.
//
// Text forms of the board:
//   puzzle text   81 characters "." or the digit (GetGrid), optionally as
//                 9 lines ending in CR LF
//   pencil text   per cell its marks ascending then "|" (GetPencilGrid)
//   record        per cell "[" value "|" T/F "|" marks "]" (GetAllGrid)
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_host.h"
#include "board/board_state.h"
#include "board/commands.h"
#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

// Key codes: the window maps its toolkit's keys onto these numbers
// (the classic virtual-key numbering; letters are their capital's code).
namespace keys {
inline constexpr int Backspace = 8, Enter = 13, Space = 32, End = 35, Home = 36, Left = 37, Up = 38,
                     Right = 39, Down = 40, Delete = 46, Digit0 = 48, Num0 = 96, Decimal = 110, Period = 190,
                     F1 = 112, F10 = 121, Menu = 93;
constexpr int Letter(char capital) { return capital; }
}  // namespace keys

// Modifier state, added together.
namespace modifiers {
inline constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

enum class MouseButton { Left, Right, Middle };

// Asked before a started puzzle is replaced or cleared.
inline constexpr std::string_view kDiscardQuestion =
    "Are you sure you would like to discard the current puzzle?";

// Results of PencilCheck.
inline constexpr int kPuzzleInvalid = -2;
inline constexpr int kWrongMark = 0;
inline constexpr int kMarksMissing = -1;
inline constexpr int kMarksRight = 1;

// "an 8", "a 5": the digit (or any text) with its article.
std::string WithArticle(std::string_view s);

class Board {
 public:
  explicit Board(BoardHost& host) : host_(host) {}

  // --- the board's state, read by the drawing, the composers and `play` ---
  const std::array<CellRec, 81>& Cells() const { return state_.cells; }
  int SelCell() const { return state_.selCell; }
  int CurTool() const { return state_.curTool; }  // kPen, kPencil, or -1 before the first choice
  const StepRecord& LastHint() const { return state_.lastHint; }
  const std::array<std::uint32_t, 81>& CellColors() const { return state_.cellColors; }  // 0 = no highlight
  // The lines of the hint on the panel: a chain's links, a net's path.
  const std::vector<StepLine>& Lines() const { return state_.lines; }
  const BoardControls& Controls() const { return state_.controls; }

  // --- the composers' writes ------------------------------------------------
  // Moves the selection (the cell a hint or an error is about).
  void Select(int cell);
  // Gives the cell a highlight colour until the next clearing.
  void Highlight(int cell, std::uint32_t colour);
  // The step the applicable hint on the panel stands for (Kind 0: none);
  // its lines are drawn once they are set.
  void SetLastHint(const StepRecord& step) {
    state_.lastHint = step;
    state_.lines.clear();
  }
  // Draws the lines with the highlights until the next clearing.
  void DrawLines(std::vector<StepLine> lines) { state_.lines = std::move(lines); }
  // The controls the status panel decides: Clear, and Solution with Hint.
  void SetStatusControls(bool clear, bool solutionAndHint);
  // Neither pen nor pencil, so that the first tool chosen takes effect.
  void ForgetTool() { state_.curTool = -1; }

  // Direct access to the state, for tests that set up a position; the
  // program changes the board only through the operations of this class.
  struct TestAccess;

  // --- commands -----------------------------------------------------------
  // Runs a toolbar button or menu item; a disabled one does nothing. The
  // argument is the question 0..8 of HelpQuestion and unused otherwise.
  void Execute(Command command, int argument = -1);
  bool Enabled(Command command) const;

  // --- the panel: status, hints, and the writes of their composers --------
  // Rewrites the status panel (see status_composer.h).
  void UpdateStatus(bool withAnalysis);
  // The Hint action (see hint_composer.h).
  void ShowHint();
  // The step beyond the ladder that the host searched for elsewhere
  // (BoardHost::ExtendedStep). It is shown as the hint asked for, at that
  // request's level, only while the ticket is the newest one and the board
  // and the panel are as the request left them; anything else drops it.
  void ExtendedStepFound(std::uint64_t ticket, const StepRecord& step);
  // The host's search has taken a while: the panel says it is searching
  // (under the same conditions as ExtendedStepFound).
  void ExtendedSearchSlow(std::uint64_t ticket);
  // The analysis's part beyond the ladder that the host worked out
  // elsewhere (BoardHost::ExtendedAnalysisText), under the same conditions.
  void ExtendedAnalysisFound(std::uint64_t ticket, const std::string& text);
  // Whether a search asked of the host still stands for the board as it is.
  bool ExtendedSearchPending() const;
  // The hint composer's question for the hint of that level: the step at
  // once, or nullopt while the host searches (the answer comes through
  // ExtendedStepFound). A position asked before gets the step found then;
  // one still searched for goes on being searched for.
  std::optional<StepRecord> AskExtendedStep(const PuzzleState& state, int level);
  // The status composer's question for the analysis's part beyond the
  // ladder: the text at once, or nullopt while the host works it out; the
  // analysis is then shown as head + tail, and the answer goes in between.
  // SearchShown tells the board the panel the answer may replace.
  std::optional<std::string> AskExtendedAnalysis(const PuzzleState& state, std::string head,
                                                 std::string tail);
  void SearchShown();
  std::string PanelHtml() const { return host_.PanelHtml(); }
  void SetPanel(std::string_view html);
  void SetStatusLight(bool red) { host_.SetStatusLight(red); }
  bool OptionTicked(Command option) const { return host_.OptionTicked(option); }

  // --- text forms -------------------------------------------------------
  // Puzzle text: 81 characters, or with oneLine false 9 lines each ending
  // in CR LF.
  std::string GetGrid(bool oneLine = false) const;
  std::string GetPencilGrid() const;
  std::string GetAllGrid() const;
  // Empties the board and loads s: a record string when it starts with "[",
  // otherwise puzzle text (every digit a given) with marks from pencilText
  // when that has at least 81 "|"-pieces. Loading never fails; what cannot
  // be read is left empty. With pushUndo, the board is pushed first.
  // Redraws with status.
  void PaintPuzzle(std::string_view s, std::string_view pencilText = {}, bool pushUndo = false);
  // Finds a puzzle in arbitrary text (a record string, or 81 cell
  // characters among "._0123456789" with anything else skipped, optionally
  // followed by a pencil text) and loads it with an undo entry. False, with
  // nothing changed, when the text holds fewer than 81 cells.
  bool ApplyPuzzle(std::string_view txt);
  void PasteFromClipboard();
  // "Copy": the 81-character line. "Copy (with pencil marks)": that line
  // directly followed by the pencil text. Both read back through ApplyPuzzle.
  void Copy();
  void CopyWithPencilMarks();
  // "Copy (pencil-mark grid)": the framed grid of candidate groups that
  // forum posts use; it reads back through ApplyPuzzle with its marks.
  void CopyPencilMarkGrid();

  // --- undo ---------------------------------------------------------------
  void PushUndo();
  // Restores the newest entry that differs from the board; when none does,
  // only empties the stack.
  void UndoLast();
  // Redo: the board as it was before the last undo, while the board is
  // still as that undo (or a redo) left it; any other change ends the redo
  // history. Both histories last for the run, like undo's (not cleared by a
  // new puzzle), and keep kUndoDepth entries.
  bool CanRedo() const;
  void RedoLast();
  // Every digit on the board becomes a given (a puzzle typed in is locked
  // like a pasted one); marks and empty cells stay. One undo entry.
  void SetAsGivens();

  // --- operations on cells and the whole board ----------------------------
  // Updates the mark-dependent controls and has the window repaint; with
  // withStatus also refreshes the status panel first.
  void RedrawGrid(bool withStatus = false);
  bool CellHasPencilMarks(int cell) const { return state_.cells[cell].Marks != 0; }
  // Clears the placed digit of cell from the marks of its empty peers.
  void RemovePeerMarks(int cell);
  // Writes the single mark of an empty, non-given cell as its value. False
  // (board unchanged, one undo entry pushed) with no or several marks.
  bool FillSingleMark(int cell);
  // Writes the solution digit into cell (0..80), replacing a wrong entered
  // digit; with a cell outside 0..80, shows the solution as single marks in
  // every empty cell. An unsolvable puzzle is reported in a message box.
  void SolveCell(int cell);
  void SolveThisCell() { SolveCell(state_.selCell); }
  void ClearThisCell();
  // Fills an empty, unmarked cell (-1: the selected one) with its candidates.
  void PencilMarkOneCell(int cell, bool pushUndo);
  // The same for every cell of the row (0), column (1) or block (2) of cell.
  void PencilMarkEntire(int houseType, int cell);
  void FillAllMarks();
  void ClearAllMarks();
  void ClearBoard();
  void ShowSolution();
  void LoadDialog();
  void SaveDialog();
  // Loads the first puzzle of a puzzle file as a paste does (one undo
  // entry). A file that cannot be read or holds no puzzle is reported in a
  // message box and changes nothing. True when a puzzle was loaded.
  bool OpenPuzzleFile(const std::string& path);
  // Saves the board in the layout the file's extension names (.sdk, .ss, any
  // other the puzzle file that keeps the board exactly). A failure is
  // reported in a message box and leaves an existing file whole.
  bool SavePuzzleFile(const std::string& path);
  // "Open Puzzle File...": a started puzzle is discarded only on Yes, then
  // the chosen file is opened. "Save Puzzle File As...": the board is saved
  // to the chosen file.
  void OpenFileDialog();
  void SaveFileDialog();
  void NewPuzzle();
  // The engine state of the values; with candidates computed when asked.
  PuzzleState GetEngineGrid(bool withCandidates) const;
  // Marks the state's filled cells that are no givens as entered, so that
  // steps built on entered digits may use them; only when the givens alone
  // are a proper puzzle, since those steps hold only for a puzzle with one
  // solution. Otherwise the state is left as it is (every digit a given).
  void MarkEnteredCells(PuzzleState& state) const;

  // Checks the user's marks against the solution: kPuzzleInvalid,
  // kWrongMark (cell and msg say where and why), kMarksMissing (only when
  // !allowMissing: all marks right but some empty cell has none) or
  // kMarksRight.
  int PencilCheck(int& cell, std::string& msg, bool allowMissing) const;

  // --- input --------------------------------------------------------------
  void Form_KeyDown(int keyCode, int shift);
  void picGrid_MouseUp(int index, MouseButton button);
  // Toolbar button 0..9; a disabled button does nothing.
  void imgBut_Click(int index);
  bool ToolbarEnabled(int index) const;
  void imgPen_Click();
  void imgPencil_Click();
  void SwitchTool();
  // A link clicked in the panel, target as written in the HTML.
  void HyperlinkClick(std::string_view target);
  // Applies LastHint (a placed value or removed marks) and empties it.
  void ApplyLastHint();
  void ShowShortcuts();
  void ShowAbout();

  void ClearCellColors();

 private:
  // One input event (a key, a click, a command, a puzzle loaded from a
  // dialog); events nest. The host hears of the changes once, when the
  // outermost event ends, or at once outside any event.
  class InputEvent {
   public:
    explicit InputEvent(Board& board) : board_(board) { ++board_.eventDepth_; }
    ~InputEvent() {
      if (--board_.eventDepth_ == 0) board_.FlushRedraw();
    }
    InputEvent(const InputEvent&) = delete;
    InputEvent& operator=(const InputEvent&) = delete;

   private:
    Board& board_;
  };
  void NoteChange();
  void FlushRedraw();
  // The host, for a window or a question: the window is brought up to date
  // first, so that nothing stale shows behind it.
  BoardHost& Modal();
  // A command row's handler (commands.h), run by Execute.
  using Handler = void (*)(Board&, int);
  static const std::array<Handler, kCommands.size()>& Handlers();
  void OpenCellMenu();
  void OpenHelpQuestion(int question);
  void OpenHelpFile();
  // The step kept for this position was found the other way.
  void ForgetExtendedStep();

  void DigitKey(int digit);
  // Selects cell (0..80) and redraws with status; the same cell or one
  // outside the board changes nothing.
  void MoveSelection(int cell);
  void SetUndoEnabled(bool enabled);
  bool AutoRemove() { return host_.OptionTicked(Command::AutoRemove); }
  // Started and unsolved: some cell filled, some empty.
  bool PuzzleInProgress() const;

  BoardState state_;

  // The extended-step search asked of the host and not yet answered.
  struct PendingSearch {
    std::uint64_t ticket = 0;
    bool analysis = false;   // the analysis's part, else the hint's step
    std::string head, tail;  // the analysis around the part
    int level = 1;
    std::string board;  // GetAllGrid() when asked
    std::string panel;  // the panel the answer may replace
    bool slow = false;  // the panel has said that it is searching
  };
  bool SearchStands(std::uint64_t ticket) const;
  // The newest search, when it is of that kind and for this position: asked
  // again, it goes on instead of starting over.
  PendingSearch* RunningSearch(bool analysis, const std::string& position);
  std::optional<PendingSearch> pendingSearch_;
  std::uint64_t lastTicket_ = 0;
  std::string lastSearchBoard_;  // the position of lastSearchStep_
  StepRecord lastSearchStep_{};
  std::string lastAnalysisBoard_;  // the position of lastAnalysisText_
  std::string lastAnalysisText_;

  BoardHost& host_;
  int eventDepth_ = 0;
  bool redrawPending_ = false;
};

}  // namespace tavimoro
