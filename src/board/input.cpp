// Keys, clicks on cells, the toolbar, the two tools and panel links. Each
// handler maps the event onto the board operations; none changes a cell by
// itself except digit entry.
#include <cctype>

#include "board/board.h"

namespace tavimoro {

void Board::Form_KeyDown(int keyCode, int shift) {
  const InputEvent event(*this);
  ClearCellColors();
  if (shift == modifiers::Ctrl) {
    switch (keyCode) {
      case keys::Letter('C'): Execute(Command::Copy); break;
      case keys::Letter('S'): Execute(Command::Save); break;
      case keys::Letter('V'): Execute(Command::Paste); break;
      case keys::Letter('Z'): Execute(Command::Undo); break;
      default: break;
    }
    return;
  }
  if (shift != 0) return;
  const int column = CellCol(SelCell);
  switch (keyCode) {
    case keys::Left:
      if (column > 1) {
        --SelCell;
        RedrawGrid(true);
      }
      return;
    case keys::Right:
      if (column < 9) {
        ++SelCell;
        RedrawGrid(true);
      }
      return;
    case keys::Up:
      if (SelCell >= 9) {
        SelCell -= 9;
        RedrawGrid(true);
      }
      return;
    case keys::Down:
      if (SelCell < 72) {
        SelCell += 9;
        RedrawGrid(true);
      }
      return;
    case keys::Decimal:
    case keys::Period:
    case keys::Space:
    case keys::Delete:
    case keys::Backspace: ClearThisCell(); return;
    case keys::Letter('P'): SwitchTool(); return;
    case keys::Letter('H'): Execute(Command::Hint); return;
    case keys::Letter('A'): UpdateStatus(true); return;
    case keys::Letter('N'): Execute(Command::NewPuzzle); return;
    case keys::Enter: FillSingleMark(SelCell); return;
    default: break;
  }
  if (keyCode >= keys::Digit0 + 1 && keyCode <= keys::Digit0 + 9) DigitKey(keyCode - keys::Digit0);
  if (keyCode >= keys::Num0 + 1 && keyCode <= keys::Num0 + 9) DigitKey(keyCode - keys::Num0);
}

// Pen: writes the digit. Pencil: toggles the mark, and a second press of the
// same digit on the same cell within kDoublePressMs, after a first press that
// removed an existing mark, writes the digit instead.
void Board::DigitKey(int digit) {
  CellRec& cell = Cells[SelCell];
  if (cell.Given) {
    host_.Beep();
    return;
  }
  if (CurTool == kPencil && cell.Value == 0) {
    const std::int64_t now = host_.Milliseconds();
    const std::int64_t elapsed = now - LastKeyTick;
    if (elapsed >= 0 && elapsed <= kDoublePressMs && LastKeyDigit == digit && LastKeyCell == SelCell) {
      cell.Value = static_cast<std::int16_t>(digit);
      if (AutoRemove()) RemovePeerMarks(SelCell);
      RedrawGrid(true);
      return;
    }
    if (cell.Pencil(digit)) {
      LastKeyDigit = digit;
      LastKeyCell = SelCell;
      LastKeyTick = now;
    }
  }
  PushUndo();
  if (CurTool == kPencil) {
    cell.Value = 0;
    cell.SetPencil(digit, !cell.Pencil(digit));
  } else {
    cell.Value = static_cast<std::int16_t>(digit);
    if (AutoRemove()) RemovePeerMarks(SelCell);
  }
  RedrawGrid(true);
}

void Board::picGrid_MouseUp(int index, MouseButton button) {
  const InputEvent event(*this);
  if (index < 0 || index > 80) return;
  if (button == MouseButton::Left) {
    if (index == SelCell) {
      FillSingleMark(SelCell);
    } else {
      SelCell = index;
    }
    ClearCellColors();
    RedrawGrid(true);
  } else if (button == MouseButton::Right) {
    if (index != SelCell) {
      SelCell = index;
      RedrawGrid(true);
    }
    host_.SetSwitchCaption(CurTool == kPen ? "Switch to Pencil tool" : "Switch to Pen tool");
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
  if (CurTool == kPen) return;
  CurTool = kPen;
  host_.ToolChanged(kPen);
}

void Board::imgPencil_Click() {
  if (CurTool == kPencil) return;
  CurTool = kPencil;
  host_.ToolChanged(kPencil);
}

void Board::SwitchTool() {
  if (CurTool == kPencil) {
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
  }
}

void Board::ApplyLastHint() {
  if (LastHint.Kind == kPlaceValue) {
    const int cell = LastHint.Cell;
    if (cell >= 0 && cell <= 80 && !Cells[cell].Given && LastHint.Value >= 1 && LastHint.Value <= 9) {
      PushUndo();
      Cells[cell].Value = static_cast<std::int16_t>(LastHint.Value);
      RemovePeerMarks(cell);
    }
  } else if (LastHint.Kind == kEliminate) {
    PushUndo();
    for (int i = 0; i < 81; ++i) {
      Cells[i].Marks = static_cast<std::uint16_t>(Cells[i].Marks & ~LastHint.EliminateMask[i]);
    }
  } else {
    return;
  }
  ClearCellColors();
  RedrawGrid(true);
  LastHint = StepRecord{};
}

void Board::ShowShortcuts() {
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
      "</tr>"
      "</table>");
}

void Board::ShowAbout() {
  ClearCellColors();
  RedrawGrid(true);
  Modal().Show(HostWindow::About);
}

}  // namespace tavimoro
