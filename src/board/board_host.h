// BoardHost: the window around the board, reduced to input and output: the
// questions the board asks (message boxes, input boxes, the clipboard's
// text, the clock), what it shows (the redrawn board, the panel, the status
// light, the tool, the windows and menus it opens, printing, web pages), the
// saved-puzzle store and the option ticks. The board runs its
// own hint and status composers; the host never calls back into it except
// for a window that loads a puzzle (the generator, the saved-puzzle list).
//
// The board never blocks on anything but these calls, so a host that answers
// at once turns the board into a plain state machine (see ScriptedHost).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/commands.h"
#include "engine/difficulty_score.h"
#include "engine/extended_solve.h"
#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

// The program's title, used as the title of plain message boxes.
inline constexpr std::string_view kProgramTitle = "Tavimoro";

enum class Answer { Yes, No, Cancel };

// What became of a saved puzzle: written, refused because the name is taken
// (only when overwriting was not asked for), or not written (the host has
// told the user why).
enum class SaveResult { Stored, NameTaken, Failed };

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

  // The board, its highlights, the panel or the enabled controls changed:
  // repaint from the board. Sent once per input event, when it ends, and
  // before any window or question the board opens.
  virtual void Redraw() = 0;
  // The tool changed: tool icons, their tooltips and the cells' cursor follow.
  virtual void ToolChanged(int tool) = 0;
  // The caption of the cell menu's tool switch item (mnuSwitch).
  virtual void SetSwitchCaption(std::string_view caption) = 0;

  // The tick of a command row with a tick (commands.h); SetOption sets it
  // and stores the ones the settings file keeps.
  virtual bool OptionTicked(Command option) = 0;
  virtual void SetOption(Command option, bool ticked) = 0;

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
  // "Print Puzzle": the one-line puzzle text.
  virtual void Print(std::string_view puzzle) = 0;
  // Whether "List Keyboard Shortcuts" lists every key the board knows, or
  // only the classic table (which scripted sessions keep).
  virtual bool ListsEveryKey() const { return false; }

  // A puzzle file chosen by the user, for opening or for saving; "" when
  // the choice is cancelled. A host without files chooses none.
  virtual std::string ChoosePuzzleFile(bool /*forSaving*/) { return ""; }
  // The text just loaded held `total` puzzles, the first of them loaded;
  // records holds the first of them as board records, at most
  // kMaxPuzzlesToLibrary. The window offers to put them into the library.
  virtual void SeveralPuzzlesRead(const std::vector<std::string>& /*records*/, std::size_t /*total*/) {}
  // Runs work, which reads a large file, while the user can follow it and
  // cancel it; work gets a progress function (the share done) that answers
  // false once cancelled, and answers whether it finished. Here it simply
  // runs; a window runs it on a worker thread with a progress dialog.
  virtual bool RunWithProgress(std::string_view /*label*/,
                               const std::function<bool(const std::function<bool(double)>&)>& work) {
    return work([](double) { return true; });
  }

  // The hint's step beyond the ladder for the state (FindExtendedStep; with
  // Easiest ticked, FindEasiestStep across the ladder and beyond). A
  // host that answers at once returns it. A host that searches elsewhere
  // (the search can take a second) returns nullopt and later hands the step
  // to Board::ExtendedStepFound with the same ticket, on the thread the
  // board lives on; it may tell the board through Board::ExtendedSearchSlow
  // that the search is taking a while. Only the newest ticket counts.
  virtual std::optional<StepRecord> ExtendedStep(const PuzzleState& state, std::uint64_t /*ticket*/) {
    return OptionTicked(Command::Easiest) ? FindEasiestStep(state, SearchOptionsTicked())
                                          : FindExtendedStep(state, SearchOptionsTicked());
  }
  // What the options ticked ask of the search beyond the ladder.
  SearchOptions SearchOptionsTicked() {
    return {.missingCandidates = OptionTicked(Command::MissingCandidates)};
  }
  // The same for the analysis's part beyond the ladder (ExtendedAnalysis in
  // status_composer.h), handed back through Board::ExtendedAnalysisFound.
  virtual std::optional<std::string> ExtendedAnalysisText(const PuzzleState& state, std::uint64_t /*ticket*/);
};

}  // namespace tavimoro
