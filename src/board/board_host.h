// BoardHost: everything the board needs from the window around it, in one
// small interface. The Qt main window implements it with real dialogs, the
// clipboard and the panel; the tests and `tavimoro-cli play` implement it
// with a recording fake that answers questions from a script.
//
// The board never blocks on anything but these calls, so a host that answers
// at once turns the board into a plain state machine.
//
// The hint and status-panel composers work on the board and this interface:
// the window runs the status composer from Redraw(true) and UpdateStatus,
// and the hint composer from ShowHint. They write the panel (SetPanelHtml,
// SetStatusLight), the board's CellColors, SelCell and LastHint, and the
// Clear/Solution/Hint entries of Board::Controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavimoro {

// The program's title, used as the title of plain message boxes.
inline constexpr std::string_view kProgramTitle = "Tavimoro";

enum class Answer { Yes, No, Cancel };

// What became of a saved puzzle: written, refused because the name is taken
// (only when overwriting was not asked for), or not written (the host has
// told the user why).
enum class SaveResult { Stored, NameTaken, Failed };

// Option ticks of the popup menus that the board reads.
enum class BoardOption {
  AutoRemove,    // mnuAutoRemove: placing a digit clears it from the peers' marks
  ColorMarks,    // mnuColor: colour-coded pencil marks (drawing only)
  ShowAnalysis,  // mnuShowAnal: every status refresh shows the analysis
};

// Windows and menus that belong to the window; the board only asks for them.
enum class HostWindow {
  Minimize,         // toolbar 0
  Close,            // toolbar 1; the program stores the board and ends
  HelpMenu,         // toolbar 8: mnuHelp
  OptionsMenu,      // toolbar 9: mnuOptionsPopup
  CellMenu,         // right click on a cell: mnuCellPopup (caption of mnuSwitch is already set)
  GeneratorDialog,  // new puzzle: the generator dialog, modal; it loads through PaintPuzzle
  SavedPuzzleList,  // load: the saved-puzzle list, modal; it loads through ApplyPuzzle
  About,            // the about box, modal
};

class BoardHost {
 public:
  virtual ~BoardHost() = default;

  // Message box with an OK button.
  virtual void Message(std::string_view title, std::string_view text) = 0;
  // Question with Yes, No and Cancel buttons.
  virtual Answer Ask(std::string_view title, std::string_view text) = 0;
  // Input box; "" when the user cancels or enters nothing.
  virtual std::string Input(std::string_view prompt, std::string_view title) = 0;
  virtual void Beep() = 0;

  // Repaint the 81 cells from the board; with withStatus, also refresh the
  // status panel (which replaces any hint shown on it).
  virtual void Redraw(bool withStatus) = 0;
  // The enabled state of the Undo menu item changed.
  virtual void UndoEnabled(bool enabled) = 0;
  // The tool changed: tool icons, their tooltips and the cells' cursor follow.
  virtual void ToolChanged(int tool) = 0;
  // The caption of the cell menu's tool switch item (mnuSwitch).
  virtual void SetSwitchCaption(std::string_view caption) = 0;

  virtual bool OptionTicked(BoardOption option) = 0;

  // The clipboard's text; nullopt when it holds none.
  virtual std::optional<std::string> ClipboardText() = 0;
  virtual void SetClipboardText(std::string_view text) = 0;

  // The panel beside the board (its document as HTML).
  virtual std::string PanelHtml() = 0;
  virtual void SetPanelHtml(std::string_view html) = 0;
  // The status light beside the panel: red for an invalid board, else black.
  virtual void SetStatusLight(bool red) = 0;

  // Saved puzzles (section "SavedGames" of the settings file). The reason
  // the store cannot keep a puzzle under this name, "" when it can.
  virtual std::string SaveNameProblem(std::string_view name) = 0;
  // Writes the record under the name. Without overwrite an existing name is
  // left alone (NameTaken); the look and the write are one step, so that
  // another running copy cannot slip its puzzle in between.
  virtual SaveResult StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) = 0;

  // Milliseconds from any fixed origin; only differences are used.
  virtual std::int64_t Milliseconds() = 0;

  virtual void Show(HostWindow window) = 0;
  virtual void OpenUrl(std::string_view url) = 0;

  // Hooks for the hint and the status panel composers.
  virtual void ShowHint() = 0;                          // Hint button, H key
  virtual void UpdateStatus(bool withAnalysis) = 0;     // A key, "RefreshWithAnal" link
};

}  // namespace tavimoro
