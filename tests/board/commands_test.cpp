// The one command set: names and places, the toolbar's order, disabled
// commands, the option ticks, the help pages, and the window hearing of an
// input event's changes once.
#include "board/commands.h"

#include <gtest/gtest.h>

#include <set>

#include "board/board_fixture.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

using testing::kPuzzle;

class Commands : public testing::BoardTest {};

TEST(CommandTable, NamesAreUniqueAndMenuNamesFindTheirCommand) {
  std::set<std::string_view> names;
  for (const CommandInfo& info : kCommands) {
    EXPECT_TRUE(names.insert(info.name).second) << info.name;
    if (info.place != CommandPlace::Toolbar && info.place != CommandPlace::Keyboard) {
      EXPECT_EQ(MenuCommandNamed(info.name), info.command) << info.name;
    }
  }
  EXPECT_EQ(ToolbarCommand(7), Command::Hint);
  EXPECT_EQ(ToolbarCommand(10), std::nullopt);
  EXPECT_EQ(ToolbarCommand(-1), std::nullopt);
  EXPECT_EQ(MenuCommandNamed("imgBut7"), std::nullopt);  // buttons are not menu items
  EXPECT_EQ(MenuCommandNamed("mnuRedo"), Command::Redo);
  EXPECT_EQ(MenuCommandNamed("mnuCellPopup"), std::nullopt);  // a key, not an item
}

// Menu commands do what they name and nothing more: unlike a key press or a
// toolbar click, they leave the hint highlights alone.
TEST_F(Commands, MenuUndoAndPasteKeepHighlightsKeysClearThem) {
  Edit(board).SelCell = 2;
  board.Form_KeyDown(keys::Digit0 + 4, 0);
  Edit(board).CellColors[40] = HintCellColour;
  board.Execute(Command::Undo);
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  EXPECT_EQ(Edit(board).CellColors[40], HintCellColour);
  host.clipboard = "no puzzle";
  board.Execute(Command::Paste);
  EXPECT_EQ(Edit(board).CellColors[40], HintCellColour);
  EXPECT_EQ(host.messages.back().text, "No valid Sudoku puzzle found in Clipboard");
  board.Form_KeyDown(keys::Letter('V'), modifiers::Ctrl);
  EXPECT_EQ(Edit(board).CellColors[40], 0u);
}

TEST_F(Commands, DisabledCommandsDoNothing) {
  EXPECT_FALSE(board.Enabled(Command::Undo));
  EXPECT_FALSE(board.Enabled(Command::CopyWithMarks));
  board.Execute(Command::CopyWithMarks);
  EXPECT_EQ(host.clipboard, std::nullopt);
  board.Execute(Command::Copy);
  EXPECT_EQ(host.clipboard, kPuzzle);
  EXPECT_FALSE(board.Enabled(Command::PencilMarkCell));  // cell 0 holds a given
  board.Execute(Command::PencilMarkCell);
  board.picGrid_MouseUp(2, MouseButton::Left);
  board.Execute(Command::PencilMarkCell);
  EXPECT_TRUE(board.CellHasPencilMarks(2));
  EXPECT_FALSE(board.Enabled(Command::PencilMarkCell));  // the cell has marks now
  EXPECT_TRUE(board.Enabled(Command::CopyWithMarks));
}

TEST_F(Commands, TicksToggleThroughTheHostAndAnalysisShowsAtOnce) {
  board.Execute(Command::AutoRemove);
  EXPECT_TRUE(host.ticks[Command::AutoRemove]);
  board.Execute(Command::ShowWizard);
  EXPECT_TRUE(host.ticks[Command::ShowWizard]);
  board.Execute(Command::ShowAnalysis);
  EXPECT_NE(host.panel.find("Difficulty rating"), std::string::npos);
  host.panel.clear();
  board.Execute(Command::ShowAnalysis);  // off: no refresh
  EXPECT_FALSE(host.ticks[Command::ShowAnalysis]);
  EXPECT_EQ(host.panel, "");
}

// The ticks that choose the hint's step refresh the panel both ways, so
// that a hint sequence under the other setting starts over.
TEST_F(Commands, HintStepTicksToggleAndRefreshThePanel) {
  for (const auto& [command, option, name] : {std::tuple{Command::Extended, Command::Extended, "mnuExtended"},
                                              std::tuple{Command::Easiest, Command::Easiest, "mnuEasiest"}}) {
    for (bool expected : {true, false}) {
      host.panel = "<b>HINT:</b> Look for a Naked Pair";
      board.Execute(command);
      EXPECT_EQ(host.ticks[option], expected) << name;
      EXPECT_EQ(host.panel.find("HINT"), std::string::npos) << host.panel;
    }
    EXPECT_EQ(MenuCommandNamed(name), command);
  }
}

TEST_F(Commands, HelpQuestionsOpenTheirAnchorsAndPrintGetsThePuzzleLine) {
  for (int question : {3, 5, 8, 9, -1}) board.Execute(Command::HelpQuestion, question);
  board.Execute(Command::HelpFile);
  EXPECT_EQ(host.urls, (std::vector<std::string>{HelpBase() + "helpfile.html#external",
                                                 HelpBase() + "helpfile.html#pencilmarks",
                                                 TechniquesPageAddress(), HelpBase() + "helpfile.html"}));
  board.Execute(Command::Print);
  EXPECT_EQ(host.printed, std::vector<std::string>{std::string(kPuzzle)});
}

// Keys with Shift or with Ctrl and Shift do nothing but clear the highlights.
TEST_F(Commands, ModifiersOtherThanCtrlAloneAreIgnoredButStillClearHighlights) {
  Edit(board).SelCell = 2;
  board.Form_KeyDown(keys::Digit0 + 4, 0);
  Edit(board).CellColors[10] = HintCellColour;
  board.Form_KeyDown(keys::Letter('Z'), modifiers::Ctrl | modifiers::Shift);
  EXPECT_EQ(Edit(board).CellColors[10], 0u);
  board.Form_KeyDown(keys::Digit0 + 1, modifiers::Shift);
  EXPECT_EQ(Edit(board).Cells[2].Value, 4);
  board.Form_KeyDown(keys::Letter('Z'), modifiers::Ctrl);
  EXPECT_EQ(Edit(board).Cells[2].Value, 0);
  board.Form_KeyDown(keys::Letter('C'), modifiers::Ctrl);
  EXPECT_EQ(host.clipboard, kPuzzle);
}

TEST_F(Commands, RightClickSelectsAndOpensTheCellMenu) {
  board.picGrid_MouseUp(30, MouseButton::Right);
  EXPECT_EQ(Edit(board).SelCell, 30);
  EXPECT_EQ(host.switchCaption, "Switch to Pencil tool");
  board.SwitchTool();
  board.picGrid_MouseUp(30, MouseButton::Right);
  EXPECT_EQ(host.switchCaption, "Switch to Pen tool");
  EXPECT_EQ(host.windows, (std::vector<HostWindow>{HostWindow::CellMenu, HostWindow::CellMenu}));
  board.picGrid_MouseUp(31, MouseButton::Middle);
  EXPECT_EQ(Edit(board).SelCell, 30);
}

// A paste refreshes the status panel and repaints the window once; a window
// the board opens first shows the board as it is.
TEST_F(Commands, OneRedrawPerEventAndBeforeAnyWindow) {
  host.clipboard = std::string(kPuzzle);
  host.redraws = 0;
  board.Form_KeyDown(keys::Letter('V'), modifiers::Ctrl);
  EXPECT_EQ(host.redraws, 1);
  host.redraws = 0;
  board.picGrid_MouseUp(30, MouseButton::Right);  // selects, then opens the cell menu
  EXPECT_EQ(host.windows, std::vector<HostWindow>{HostWindow::CellMenu});
  EXPECT_EQ(host.redraws, 1);
  host.redraws = 0;
  board.Execute(Command::Hint);
  board.Execute(Command::Hint);  // the second level colours the cell
  EXPECT_EQ(host.redraws, 2);
}

// Enter on a cell with two marks writes nothing but leaves an undo point:
// the window still hears that Undo is now enabled.
TEST_F(Commands, AnUndoPointAloneReachesTheWindow) {
  Edit(board).Cells[2].Marks = DigitBit(1) | DigitBit(4);
  host.redraws = 0;
  EXPECT_FALSE(board.FillSingleMark(2));
  EXPECT_TRUE(board.Controls().Undo);
  EXPECT_EQ(host.redraws, 1);
}

}  // namespace
}  // namespace tavimoro
