// The board's commands: every toolbar button and popup-menu item, declared
// once. The window's buttons and actions, the keyboard shortcuts and the
// `play` verbs `toolbar N` and `menu NAME` all reach the board through
// Board::Execute, so there is one dispatch.
//
// A row: the command, its name (the control's name, which `play` accepts and
// the window gives its action) and where it sits. The first ten rows are the
// toolbar buttons 0..9 in index order. Adding a command is one row here and
// one case in Board::Execute (the compiler asks for the case).
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavimoro {

// Keyboard: a command with a key but no button or item of its own.
enum class CommandPlace { Toolbar, Keyboard, CellMenu, OptionsMenu, HelpMenu };

// clang-format off
#define TAVIMORO_BOARD_COMMANDS(X)                        \
  X(Minimize,         "imgBut0",       Toolbar)           \
  X(Exit,             "imgBut1",       Toolbar)           \
  X(FillAllMarks,     "imgBut2",       Toolbar)           \
  X(RemoveAllMarks,   "imgBut3",       Toolbar)           \
  X(NewPuzzle,        "imgBut4",       Toolbar)           \
  X(ClearPuzzle,      "imgBut5",       Toolbar)           \
  X(ShowSolution,     "imgBut6",       Toolbar)           \
  X(Hint,             "imgBut7",       Toolbar)           \
  X(HelpMenu,         "imgBut8",       Toolbar)           \
  X(OptionsMenu,      "imgBut9",       Toolbar)           \
  X(CellMenu,         "mnuCellPopup",  Keyboard)          \
  X(SwitchTool,       "mnuSwitch",     CellMenu)          \
  X(PencilMarkCell,   "mnuPMCell",     CellMenu)          \
  X(PencilMarkBlock,  "mnuPMBlock",    CellMenu)          \
  X(PencilMarkRow,    "mnuPMRow",      CellMenu)          \
  X(PencilMarkColumn, "mnuPMColumn",   CellMenu)          \
  X(ClearCell,        "mnuClearCell",  CellMenu)          \
  X(SolveCell,        "mnuSolveCell",  CellMenu)          \
  X(AutoRemove,       "mnuAutoRemove", OptionsMenu)       \
  X(ShowAnalysis,     "mnuShowAnal",   OptionsMenu)       \
  X(ColorMarks,       "mnuColor",      OptionsMenu)       \
  X(Extended,         "mnuExtended",   OptionsMenu)       \
  X(Easiest,          "mnuEasiest",    OptionsMenu)       \
  X(ShowWizard,       "mnuRember",     OptionsMenu)       \
  X(CheckVersion,     "mnuCheckVer",   OptionsMenu)       \
  X(Copy,             "mnuCopy",       OptionsMenu)       \
  X(CopyWithMarks,    "mnuCopyPencil", OptionsMenu)       \
  X(CopyMarkGrid,     "mnuCopyGrid",   OptionsMenu)       \
  X(Paste,            "mnuPaste",      OptionsMenu)       \
  X(Undo,             "mnuUndo",       OptionsMenu)       \
  X(Redo,             "mnuRedo",       OptionsMenu)       \
  X(SetGivens,        "mnuSetGivens",  OptionsMenu)       \
  X(NextCell,         "mnuNextCell",   OptionsMenu)       \
  X(GivenColor,       "mnuGivenColor", OptionsMenu)       \
  X(HighlightDigit,   "mnuHighlightDigit", OptionsMenu)   \
  X(ShowTimer,        "mnuTimer",      OptionsMenu)       \
  X(Print,            "mnuPrint",      OptionsMenu)       \
  X(Save,             "mnuSave",       OptionsMenu)       \
  X(Load,             "mnuLoad",       OptionsMenu)       \
  X(OpenFile,         "mnuOpen",       OptionsMenu)       \
  X(SaveFileAs,       "mnuSaveAs",     OptionsMenu)       \
  X(HelpQuestion,     "mnuFAQ",        HelpMenu) /* argument: question 0..8 */ \
  X(HelpFile,         "mnuHelpFile",   HelpMenu)          \
  X(Shortcuts,        "mnuShortcuts",  HelpMenu)          \
  X(About,            "mnuAbout",      HelpMenu)
// clang-format on

enum class Command {
#define TAVIMORO_COMMAND_ENUM(id, name, place) id,
  TAVIMORO_BOARD_COMMANDS(TAVIMORO_COMMAND_ENUM)
#undef TAVIMORO_COMMAND_ENUM
};

struct CommandInfo {
  Command command;
  std::string_view name;
  CommandPlace place;
};

inline constexpr std::array kCommands = {
#define TAVIMORO_COMMAND_ROW(id, name, place) CommandInfo{Command::id, name, CommandPlace::place},
    TAVIMORO_BOARD_COMMANDS(TAVIMORO_COMMAND_ROW)
#undef TAVIMORO_COMMAND_ROW
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
