// Keys, clicks on cells, the toolbar, the two tools and panel links. Each
// handler maps the event onto the board operations; none changes a cell by
// itself except digit entry.
#include <cctype>

#include "board/board.h"
#include "board/hint_composer.h"
#include "board/net_proof_text.h"

namespace tavimoro {

void Board::Form_KeyDown(int keyCode, int shift) {
  const InputEvent event(*this);
  ClearCellColors();
  if (shift == modifiers::Ctrl) {
    switch (keyCode) {
      case keys::Letter('C'):
        Execute(Command::Copy);
        break;
      case keys::Letter('S'):
        Execute(Command::Save);
        break;
      case keys::Letter('V'):
        Execute(Command::Paste);
        break;
      case keys::Letter('Z'):
        Execute(Command::Undo);
        break;
      case keys::Letter('Y'):
        Execute(Command::Redo);
        break;
      case keys::Letter('G'):
        Execute(Command::SetGivens);
        break;
      case keys::Home:
        MoveSelection(0);
        break;
      case keys::End:
        MoveSelection(80);
        break;
      default:
        break;
    }
    return;
  }
  if (shift == modifiers::Ctrl + modifiers::Shift && keyCode == keys::Letter('Z')) {
    Execute(Command::Redo);
    return;
  }
  if (shift == modifiers::Shift && keyCode == keys::F10) {
    Execute(Command::CellMenu);
    return;
  }
  if (shift != 0) return;
  const int column = CellCol(state_.selCell);
  // Typing a puzzle in (mnuNextCell), the arrows wrap: left and right into
  // the neighbouring row, up and down to the other end of the column.
  const bool wrap = host_.OptionTicked(Command::NextCell);
  switch (keyCode) {
    case keys::Left:
      if (column > 1 || wrap) MoveSelection((state_.selCell + 80) % 81);
      return;
    case keys::Right:
      if (column < 9 || wrap) MoveSelection((state_.selCell + 1) % 81);
      return;
    case keys::Up:
      if (state_.selCell >= 9 || wrap) MoveSelection((state_.selCell + 72) % 81);
      return;
    case keys::Down:
      if (state_.selCell < 72 || wrap) MoveSelection((state_.selCell + 9) % 81);
      return;
    case keys::Home:
      MoveSelection(state_.selCell - (column - 1));
      return;
    case keys::End:
      MoveSelection(state_.selCell + (9 - column));
      return;
    case keys::Decimal:
    case keys::Period:
    case keys::Space:
      // An empty cell of a puzzle being typed in: cleared, then the next.
      ClearThisCell();
      if (wrap) MoveSelection((state_.selCell + 1) % 81);
      return;
    case keys::Delete:
    case keys::Backspace:
      ClearThisCell();
      return;
    case keys::Letter('P'):
      SwitchTool();
      return;
    case keys::Letter('H'):
      Execute(Command::Hint);
      return;
    case keys::Letter('A'):
      UpdateStatus(true);
      return;
    case keys::Letter('N'):
      Execute(Command::NewPuzzle);
      return;
    case keys::F1:
      Execute(Command::HelpMenu);
      return;
    case keys::F10:
      Execute(Command::OptionsMenu);
      return;
    case keys::Menu:
      Execute(Command::CellMenu);
      return;
    case keys::Enter:
      FillSingleMark(state_.selCell);
      return;
    default:
      break;
  }
  if (keyCode >= keys::Digit0 + 1 && keyCode <= keys::Digit0 + 9) DigitKey(keyCode - keys::Digit0);
  if (keyCode >= keys::Num0 + 1 && keyCode <= keys::Num0 + 9) DigitKey(keyCode - keys::Num0);
}

// Pen: writes the digit. Pencil: toggles the mark, and a second press of the
// same digit on the same cell within kDoublePressMs, after a first press that
// removed an existing mark, writes the digit instead.
void Board::DigitKey(int digit) {
  CellRec& cell = state_.cells[state_.selCell];
  if (cell.Given) {
    host_.Beep();
    return;
  }
  if (state_.curTool == kPencil && cell.Value == 0) {
    const std::int64_t now = host_.Milliseconds();
    const std::int64_t elapsed = now - state_.lastKeyTick;
    if (elapsed >= 0 && elapsed <= kDoublePressMs && state_.lastKeyDigit == digit &&
        state_.lastKeyCell == state_.selCell) {
      cell.Value = static_cast<std::int16_t>(digit);
      if (AutoRemove()) RemovePeerMarks(state_.selCell);
      RedrawGrid(true);
      return;
    }
    if (cell.Pencil(digit)) {
      state_.lastKeyDigit = digit;
      state_.lastKeyCell = state_.selCell;
      state_.lastKeyTick = now;
    }
  }
  PushUndo();
  if (state_.curTool == kPencil) {
    cell.Value = 0;
    cell.SetPencil(digit, !cell.Pencil(digit));
  } else {
    cell.Value = static_cast<std::int16_t>(digit);
    if (AutoRemove()) RemovePeerMarks(state_.selCell);
    // Typing a puzzle in: on to the next cell, after the last the first.
    if (host_.OptionTicked(Command::NextCell)) state_.selCell = (state_.selCell + 1) % 81;
  }
  RedrawGrid(true);
}

void Board::MoveSelection(int cell) {
  if (cell < 0 || cell > 80 || cell == state_.selCell) return;
  state_.selCell = cell;
  RedrawGrid(true);
}

void Board::picGrid_MouseUp(int index, MouseButton button) {
  const InputEvent event(*this);
  if (index < 0 || index > 80) return;
  if (button == MouseButton::Left) {
    if (index == state_.selCell) {
      FillSingleMark(state_.selCell);
    } else {
      state_.selCell = index;
    }
    ClearCellColors();
    RedrawGrid(true);
  } else if (button == MouseButton::Right) {
    if (index != state_.selCell) {
      state_.selCell = index;
      RedrawGrid(true);
    }
    host_.SetSwitchCaption(state_.curTool == kPen ? "Switch to Pencil tool" : "Switch to Pen tool");
    Modal().Show(HostWindow::CellMenu);
  }
}

bool Board::ToolbarEnabled(int index) const {
  const auto command = ToolbarCommand(index);
  return command && Enabled(*command);
}

void Board::imgBut_Click(int index) {
  const InputEvent event(*this);
  if (!ToolbarEnabled(index)) return;
  ClearCellColors();
  Execute(*ToolbarCommand(index));
}

void Board::imgPen_Click() {
  if (state_.curTool == kPen) return;
  state_.curTool = kPen;
  host_.ToolChanged(kPen);
}

void Board::imgPencil_Click() {
  if (state_.curTool == kPencil) return;
  state_.curTool = kPencil;
  host_.ToolChanged(kPencil);
}

void Board::SwitchTool() {
  if (state_.curTool == kPencil) {
    imgPen_Click();
  } else {
    imgPencil_Click();
  }
}

void Board::HyperlinkClick(std::string_view target) {
  const InputEvent event(*this);
  std::string upper(target);
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (upper.starts_with("HTTP://") || upper.starts_with("HTTPS://") || upper.starts_with("FILE://")) {
    host_.OpenUrl(target);
  } else if (upper == "REFRESHWITHANAL") {
    UpdateStatus(true);
  } else if (upper == "APPLYLASTHINT") {
    ApplyLastHint();
  } else if (upper.starts_with("SUBPROOF")) {
    ShowSubProof(*this, target.substr(kSubProofLink.size()));
  }
}

void Board::ApplyLastHint() {
  if (state_.lastHint.Kind == kPlaceValue) {
    const int cell = state_.lastHint.Cell;
    if (cell >= 0 && cell <= 80 && !state_.cells[cell].Given && state_.lastHint.Value >= 1 &&
        state_.lastHint.Value <= 9) {
      PushUndo();
      state_.cells[cell].Value = static_cast<std::int16_t>(state_.lastHint.Value);
      RemovePeerMarks(cell);
    }
  } else if (state_.lastHint.Kind == kEliminate) {
    PushUndo();
    for (int i = 0; i < 81; ++i) {
      state_.cells[i].Marks =
          static_cast<std::uint16_t>(state_.cells[i].Marks & ~state_.lastHint.EliminateMask[i]);
    }
  } else {
    return;
  }
  ClearCellColors();
  RedrawGrid(true);
  state_.lastHint = StepRecord{};
}

// Every key the board knows beyond the classic table, four to a row.
constexpr std::string_view kMoreShortcutRows =
    "<tr>"
    "<td><b>Ctrl+Y</b>, <b>Ctrl+Shift+Z</b> - Redo</td>"
    "<td><b>Ctrl+G</b> - Set as givens</td>"
    "<td><b>D</b> - Highlight the selected digit</td>"
    "<td><b>Enter</b> - Fill in the only pencil mark</td>"
    "</tr>"
    "<tr>"
    "<td><b>Arrows</b> - Move</td>"
    "<td><b>Home</b>, <b>End</b> - Row start, row end</td>"
    "<td><b>Ctrl+Home</b>, <b>Ctrl+End</b> - First, last cell</td>"
    "<td><b>Space</b>, <b>Delete</b> - Clear the cell</td>"
    "</tr>"
    "<tr>"
    "<td><b>F</b> - Fill in all pencil marks</td>"
    "<td><b>R</b> - Remove all pencil marks</td>"
    "<td><b>Ctrl+Delete</b> - Clear the puzzle</td>"
    "<td><b>Ctrl+L</b> - Show the solution</td>"
    "</tr>"
    "<tr>"
    "<td><b>F1</b> - Help menu</td>"
    "<td><b>F10</b> - Options menu</td>"
    "<td><b>Menu</b>, <b>Shift+F10</b> - Cell menu</td>"
    "<td><b>Ctrl+M</b> - Minimize, <b>Ctrl+Q</b> - Exit</td>"
    "</tr>"
    "<tr>"
    "<td><b>Ctrl+O</b> - Open a puzzle file</td>"
    "<td><b>Ctrl+Shift+S</b> - Save a puzzle file</td>"
    "<td><b>Ctrl+Shift+O</b> - Load a saved puzzle</td>"
    "<td><b>Ctrl+P</b> - Print</td>"
    "</tr>";

void Board::ShowShortcuts() {
  const std::string more = host_.ListsEveryKey() ? std::string(kMoreShortcutRows) : std::string();
  SetPanel(
      "<font size=2><table width=\"100%\" border=1>"
      "<tr>"
      "<td><b>P</b> - Switch tools</td>"
      "<td><b>H</b> - Get Hint</td>"
      "<td><b>A</b> - Show Analysis</td>"
      "<td><b>N</b> - New Puzzle</td>"
      "</tr>"
      "<tr>"
      "<td><b>Ctrl+S</b> - Save</td>"
      "<td><b>Ctrl+Z</b> - Undo</td>"
      "<td><b>Ctrl+C</b> - Copy</td>"
      "<td><b>Ctrl+V</b> - Paste</td>"
      "</tr>"
      "<tr>"
      "<td colspan=4><b>Any number, twice rapidly</b> - Fill an unsolved cell with one of its pencil marks "
      "(pencil mode)</td>"
      "</tr>" +
      more + "</table>");
}

void Board::ShowAbout() {
  ClearCellColors();
  RedrawGrid(true);
  Modal().Show(HostWindow::About);
}

}  // namespace tavimoro
