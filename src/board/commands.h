// The board's commands: every toolbar button, popup-menu item and option
// tick, declared once. The window builds one action per row (its menus and
// its toolbar use those actions); the keyboard shortcuts and the `play`
// verbs `toolbar N` and `menu NAME` all reach the board through
// Board::Execute, which runs the row's handler.
//
// A row: the command; its name (the control's name, which `play` accepts
// and the window gives its action); where it sits, and whether a line
// separates it from the item above; its caption (the tooltip of a toolbar
// button); its keys as shown ("; " between two); its tick; and its handler,
// run with `board` and `argument` in reach (Board::Execute), after a tick
// has been turned over. The first ten rows are the toolbar buttons 0..9 in
// index order; the menu rows come in the order the menus show them.
//
// Adding an option with a tick is one row here plus the code that reads
// `OptionTicked(Command::Name)`.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavimoro {

// Keyboard: a command with a key but no button or item of its own.
// PencilMarkMenu and QuestionsMenu are the submenus of the cell menu and the
// help menu, shown where their first row stands.
enum class CommandPlace { Toolbar, Keyboard, CellMenu, PencilMarkMenu, OptionsMenu, HelpMenu, QuestionsMenu };

// An item that carries a tick. The tick lasts for one run, or it is kept in
// the settings file under its key with the value a fresh file reads as.
struct OptionTick {
  bool ticks = false;
  std::string_view storedKey;
  bool storedDefault = false;
};
inline constexpr OptionTick kNoTick{};
inline constexpr OptionTick kTick{true, {}, false};
constexpr OptionTick StoredTick(std::string_view key, bool fallback) { return {true, key, fallback}; }

// clang-format off
#define TAVIMORO_BOARD_COMMANDS(X) \
  X(Minimize,         "imgBut0", Toolbar, false, "Minimize", "Ctrl+M", kNoTick, \
    board.Modal().Show(HostWindow::Minimize)) \
  X(Exit,             "imgBut1", Toolbar, false, "Exit", "Ctrl+Q", kNoTick, \
    board.Modal().Show(HostWindow::Close)) \
  X(FillAllMarks,     "imgBut2", Toolbar, false, "Fill in all pencil marks", "F", kNoTick, \
    board.FillAllMarks()) \
  X(RemoveAllMarks,   "imgBut3", Toolbar, false, "Remove all pencil marks", "R", kNoTick, \
    board.ClearAllMarks()) \
  X(NewPuzzle,        "imgBut4", Toolbar, false, "Make a new random puzzle", "N", kNoTick, \
    board.NewPuzzle()) \
  X(ClearPuzzle,      "imgBut5", Toolbar, false, "Clear the entire puzzle", "Ctrl+Delete", kNoTick, \
    board.ClearBoard()) \
  X(ShowSolution,     "imgBut6", Toolbar, false, "Show the solution", "Ctrl+L", kNoTick, \
    board.ShowSolution()) \
  X(Hint,             "imgBut7", Toolbar, false, "Get a hint", "H", kNoTick, \
    board.ShowHint()) \
  X(HelpMenu,         "imgBut8", Toolbar, false, "Help", "F1", kNoTick, \
    board.Modal().Show(HostWindow::HelpMenu)) \
  X(OptionsMenu,      "imgBut9", Toolbar, false, "More options...", "F10", kNoTick, \
    board.Modal().Show(HostWindow::OptionsMenu)) \
  X(CellMenu,         "mnuCellPopup", Keyboard, false, "", "", kNoTick, \
    board.OpenCellMenu()) \
  X(SwitchTool,       "mnuSwitch", CellMenu, false, "Switch to X Mode", "", kNoTick, \
    board.SwitchTool()) \
  X(PencilMarkCell,   "mnuPMCell", PencilMarkMenu, false, "This &Cell", "", kNoTick, \
    board.PencilMarkOneCell(-1, true)) \
  X(PencilMarkBlock,  "mnuPMBlock", PencilMarkMenu, false, "This &Block", "", kNoTick, \
    board.PencilMarkEntire(2, -1)) \
  X(PencilMarkRow,    "mnuPMRow", PencilMarkMenu, false, "This &Row", "", kNoTick, \
    board.PencilMarkEntire(0, -1)) \
  X(PencilMarkColumn, "mnuPMColumn", PencilMarkMenu, false, "This C&olumn", "", kNoTick, \
    board.PencilMarkEntire(1, -1)) \
  X(ClearCell,        "mnuClearCell", CellMenu, false, "&Clear this cell", "", kNoTick, \
    board.ClearThisCell()) \
  X(SolveCell,        "mnuSolveCell", CellMenu, false, "S&olve this cell", "", kNoTick, \
    board.SolveThisCell()) \
  /* Placing a digit clears it from the peers' marks. */ \
  X(AutoRemove,       "mnuAutoRemove", OptionsMenu, false, "&Auto remove pencil marks", "", kTick, {}) \
  /* Every status refresh shows the analysis; turning it on shows it at once, */ \
  /* turning it off waits for the next refresh. */ \
  X(ShowAnalysis,     "mnuShowAnal", OptionsMenu, false, "Always show a&nalysis", "", \
    StoredTick("ShowAnalysis", false), \
    if (board.OptionTicked(Command::ShowAnalysis)) board.RedrawGrid(true)) \
  X(ColorMarks,       "mnuColor", OptionsMenu, false, "Use color coded pencil &marks", "", kTick, \
    board.RedrawGrid(false)) \
  X(GivenColor,       "mnuGivenColor", OptionsMenu, false, "Show &entered digits in blue", "", \
    StoredTick("GivenColor", false), board.RedrawGrid(false)) \
  /* Cells with the selected cell's digit stand out. */ \
  X(HighlightDigit,   "mnuHighlightDigit", OptionsMenu, false, "&Highlight the selected digit", "D", \
    StoredTick("HighlightDigit", false), board.RedrawGrid(false)) \
  /* Typing a puzzle: the selection moves on after a digit, the arrows wrap. */ \
  X(NextCell,         "mnuNextCell", OptionsMenu, false, "Move to the ne&xt cell after entry", "", \
    StoredTick("NextCell", false), {}) \
  /* The timer in the status area (the window's own). */ \
  X(ShowTimer,        "mnuTimer", OptionsMenu, false, "Show a &timer", "", StoredTick("ShowTimer", false), {}) \
  /* Hints and the analysis go on past the ladder's last rung: either way */ \
  /* the next hint and the analysis change, so the panel starts over. */ \
  X(Extended,         "mnuExtended", OptionsMenu, false, "Techniques &beyond the ladder", "", \
    StoredTick("Extended", true), board.RedrawGrid(true)) \
  /* With Extended, the hint takes the step of the lowest score; the step */ \
  /* kept for this position was chosen the other way. */ \
  X(Easiest,          "mnuEasiest", OptionsMenu, false, "Easiest step &first", "", \
    StoredTick("Easiest", false), board.ForgetExtendedStep(); board.RedrawGrid(true)) \
  /* Rectangles and loops whose corners lost one of their two digits count */ \
  /* beyond the ladder; the step kept for this position may be one. */ \
  X(MissingCandidates, "mnuMissingCands", OptionsMenu, false, "Uni&queness with missing candidates", "", \
    StoredTick("MissingCands", true), board.ForgetExtendedStep(); board.RedrawGrid(true)) \
  /* Read at the next start. */ \
  X(ShowWizard,       "mnuRember", OptionsMenu, true, "Display &wizard at startup", "", \
    StoredTick("Wizard", true), {}) \
  X(CheckVersion,     "mnuCheckVer", OptionsMenu, false, "Check for up&dates at startup", "", \
    StoredTick("CheckVer", true), {}) \
  X(Copy,             "mnuCopy", OptionsMenu, true, "&Copy", "Ctrl+C", kNoTick, board.Copy()) \
  X(CopyWithMarks,    "mnuCopyPencil", OptionsMenu, false, "Copy (with pencil mar&ks)", "", kNoTick, \
    board.CopyWithPencilMarks()) \
  X(CopyMarkGrid,     "mnuCopyGrid", OptionsMenu, false, "Cop&y (pencil-mark grid)", "", kNoTick, \
    board.CopyPencilMarkGrid()) \
  X(Paste,            "mnuPaste", OptionsMenu, false, "&Paste", "Ctrl+V", kNoTick, board.PasteFromClipboard()) \
  X(SetGivens,        "mnuSetGivens", OptionsMenu, false, "Set as &givens", "Ctrl+G", kNoTick, \
    board.SetAsGivens()) \
  X(Undo,             "mnuUndo", OptionsMenu, true, "&Undo", "Ctrl+Z", kNoTick, board.UndoLast()) \
  X(Redo,             "mnuRedo", OptionsMenu, false, "&Redo", "Ctrl+Y; Ctrl+Shift+Z", kNoTick, \
    board.RedoLast()) \
  X(Print,            "mnuPrint", OptionsMenu, true, "Pr&int Puzzle", "Ctrl+P", kNoTick, \
    board.Modal().Print(board.GetGrid(true))) \
  X(Save,             "mnuSave", OptionsMenu, true, "&Save Puzzle", "Ctrl+S", kNoTick, board.SaveDialog()) \
  X(Load,             "mnuLoad", OptionsMenu, false, "&Load Puzzle", "Ctrl+Shift+O", kNoTick, \
    board.LoadDialog()) \
  X(OpenFile,         "mnuOpen", OptionsMenu, true, "&Open Puzzle File...", "Ctrl+O", kNoTick, \
    board.OpenFileDialog()) \
  X(SaveFileAs,       "mnuSaveAs", OptionsMenu, false, "Save Puzzle &File As...", "Ctrl+Shift+S", kNoTick, \
    board.SaveFileDialog()) \
  /* One item per question of kHelpQuestions; the argument is its index. */ \
  X(HelpQuestion,     "mnuFAQ", QuestionsMenu, false, "", "", kNoTick, board.OpenHelpQuestion(argument)) \
  X(HelpFile,         "mnuHelpFile", HelpMenu, false, "Entire Tavimoro &Help File (Internet)", "", kNoTick, \
    board.OpenHelpFile()) \
  X(Shortcuts,        "mnuShortcuts", HelpMenu, false, "List &Keyboard Shortcuts", "", kNoTick, \
    board.ShowShortcuts()) \
  X(About,            "mnuAbout", HelpMenu, false, "&About...", "", kNoTick, board.ShowAbout())
// clang-format on

enum class Command {
#define TAVIMORO_COMMAND_ENUM(id, name, place, lineAbove, caption, keys, tick, handler) id,
  TAVIMORO_BOARD_COMMANDS(TAVIMORO_COMMAND_ENUM)
#undef TAVIMORO_COMMAND_ENUM
};

struct CommandInfo {
  Command command;
  std::string_view name;
  CommandPlace place;
  bool lineAbove;  // a separator between this item and the one above
  std::string_view caption;
  std::string_view keys;
  OptionTick tick;
};

inline constexpr std::array kCommands = {
#define TAVIMORO_COMMAND_ROW(id, name, place, lineAbove, caption, keys, tick, handler) \
  CommandInfo{Command::id, name, CommandPlace::place, lineAbove, caption, keys, tick},
    TAVIMORO_BOARD_COMMANDS(TAVIMORO_COMMAND_ROW)
#undef TAVIMORO_COMMAND_ROW
};

// The help menu's questions, in the order of HelpQuestion's argument; the
// last opens the techniques page.
inline constexpr std::array<std::string_view, 9> kHelpQuestions = {
    "What does this program do?",
    "What is a Sudoku Puzzle?",
    "How can this program teach me how to solve a Sudoku?",
    "How do I enter a puzzle from a newspaper, magazine, or book?",
    "How do I create my own unique, random puzzle?",
    "What are Pencil marks? How do I add and remove them?",
    "What are the Pen and Pencil tools?",
    "I have a puzzle entered. What next?",
    "What are all the different techniques Tavimoro teaches?",
};

inline constexpr int kToolbarButtons = 10;

constexpr const CommandInfo& InfoOf(Command command) { return kCommands[static_cast<int>(command)]; }

// Toolbar button 0..9; nullopt for any other index.
constexpr std::optional<Command> ToolbarCommand(int index) {
  if (index < 0 || index >= kToolbarButtons) return std::nullopt;
  return kCommands[index].command;
}

// The menu item of that name (toolbar buttons and keyboard commands are not
// menu items).
constexpr std::optional<Command> MenuCommandNamed(std::string_view name) {
  for (const CommandInfo& info : kCommands) {
    const bool item = info.place != CommandPlace::Toolbar && info.place != CommandPlace::Keyboard;
    if (item && info.name == name) return info.command;
  }
  return std::nullopt;
}

}  // namespace tavimoro
