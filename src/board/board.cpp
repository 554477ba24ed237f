// Undo and the operations that change cells or the whole board. Each one
// pushes the board before changing it and ends with a redraw, so the window
// and the undo stack always follow the cells.
#include "board/board.h"

#include <algorithm>

#include "engine/validate.h"

namespace tavimoro {
namespace {

constexpr std::string_view kDiscardQuestion = "Are you sure you would like to discard the current puzzle?";

}  // namespace

void Board::SetUndoEnabled(bool enabled) {
  Controls.Undo = enabled;
  host_.UndoEnabled(enabled);
}

void Board::PushUndo() {
  std::string s = GetAllGrid();
  if (s == UndoStack[0]) return;
  std::move_backward(UndoStack.begin(), UndoStack.end() - 1, UndoStack.end());
  UndoStack[0] = std::move(s);
  SetUndoEnabled(true);
}

void Board::UndoLast() {
  if (UndoStack[0].empty()) return;
  const std::string current = GetAllGrid();
  auto pop = [this] {
    std::move(UndoStack.begin() + 1, UndoStack.end(), UndoStack.begin());
    UndoStack.back().clear();
  };
  while (!UndoStack[0].empty() && UndoStack[0] == current) pop();
  if (UndoStack[0].empty()) {
    SetUndoEnabled(false);
    return;
  }
  const std::string entry = UndoStack[0];
  PaintPuzzle(entry, {}, false);
  pop();
  if (UndoStack[0].empty()) SetUndoEnabled(false);
}

void Board::RedrawGrid(bool withStatus) {
  bool anyMarks = false;
  for (const CellRec& cell : Cells) {
    if (cell.Value < 1 && cell.Marks != 0) anyMarks = true;
  }
  Controls.RemoveMarks = anyMarks;
  Controls.CopyPencil = anyMarks;
  Controls.PmCell = Cells[SelCell].Value < 1 && Cells[SelCell].Marks == 0;
  host_.Redraw(withStatus);
}

void Board::RemovePeerMarks(int cell) {
  const int v = Cells[cell].Value;
  if (v < 1 || v > 9) return;
  for (int j = 0; j < 81; ++j) {
    if (Cells[j].Value == 0 && CellsShareHouse(j, cell)) Cells[j].SetPencil(v, false);
  }
}

bool Board::FillSingleMark(int cell) {
  CellRec& c = Cells[cell];
  if (c.Value != 0 || c.Given) return false;
  PushUndo();
  if (BitCount(c.Marks) != 1) return false;
  c.Value = static_cast<std::int16_t>(MaskDigit(c.Marks));
  if (AutoRemove()) RemovePeerMarks(cell);
  RedrawGrid(true);
  return true;
}

PuzzleState Board::GetEngineGrid(bool withCandidates) const {
  PuzzleState state;
  for (int i = 0; i < 81; ++i) {
    state.Grid[i] = static_cast<std::uint8_t>(std::clamp<int>(Cells[i].Value, 0, 9));
  }
  if (withCandidates) CalcCandidates(state);
  return state;
}

void Board::SolveCell(int cell) {
  PushUndo();
  PuzzleState solved = GetEngineGrid(true);
  std::string_view message = Validate(solved, false, false, false);
  const bool oneCell = cell >= 0 && cell <= 80;
  if (!message.empty() && oneCell) {
    // The user's own wrong digit in this cell must not block solving it.
    PuzzleState without = GetEngineGrid(false);
    without.Grid[cell] = 0;
    CalcCandidates(without);
    if (Validate(without, false, false, false).empty()) {
      message = {};
      solved = without;
    }
  }
  if (!message.empty()) {
    host_.Message(kProgramTitle, message);
    return;
  }
  if (oneCell) {
    if (Cells[cell].Given) return;
    Cells[cell].Value = solved.Grid[cell];
    if (AutoRemove()) RemovePeerMarks(cell);
  } else {
    for (int i = 0; i < 81; ++i) {
      if (Cells[i].Value != 0) continue;
      Cells[i].Marks = 0;
      Cells[i].SetPencil(solved.Grid[i], true);
    }
  }
  RedrawGrid(true);
}

void Board::ClearThisCell() {
  if (Cells[SelCell].Given) {
    host_.Beep();
    return;
  }
  PushUndo();
  Cells[SelCell].Value = 0;
  Cells[SelCell].Marks = 0;
  RedrawGrid(true);
}

void Board::PencilMarkOneCell(int cell, bool pushUndo) {
  if (cell == -1) cell = SelCell;
  if (cell < 0 || cell > 80) return;
  if (CellHasPencilMarks(cell) || Cells[cell].Value != 0) return;
  if (pushUndo) PushUndo();
  const PuzzleState state = PuzzleFromString(GetGrid(true));
  Cells[cell].Marks = state.CandMask[cell];
  RedrawGrid(false);
}

void Board::PencilMarkEntire(int houseType, int cell) {
  if (houseType < 0 || houseType > 2) return;
  if (cell == -1) cell = SelCell;
  if (cell < 0 || cell > 80) return;
  PushUndo();
  for (int i : CellsOfHouse(HouseOf(cell, houseType))) PencilMarkOneCell(i, false);
}

void Board::FillAllMarks() {
  PushUndo();
  int wrongCell = 0;
  std::string msg;
  const bool allRight = PencilCheck(wrongCell, msg, true) == kMarksRight;
  PuzzleState state = GetEngineGrid(true);
  const PuzzleState candidates = state;
  if (!Validate(state, false, false, false).empty()) return;
  for (int i = 0; i < 81; ++i) {
    CellRec& c = Cells[i];
    if (c.Value != 0) continue;
    if (c.Marks == 0) {
      c.Marks = candidates.CandMask[i];
    } else if (!allRight) {
      for (int d = 1; d <= 9; ++d) {
        const bool placed = candidates.HouseHas(HouseOf(i, 0), d) || candidates.HouseHas(HouseOf(i, 1), d) ||
                            candidates.HouseHas(HouseOf(i, 2), d);
        if (c.Pencil(d) && placed) c.SetPencil(d, false);
        if (!c.Pencil(d) && state.Grid[i] == d) c.SetPencil(d, true);
      }
    }
  }
  imgPencil_Click();
  RedrawGrid(true);
}

void Board::ClearAllMarks() {
  PushUndo();
  for (CellRec& c : Cells) c.Marks = 0;
  RedrawGrid(true);
}

void Board::ClearBoard() {
  PushUndo();
  if (host_.Ask("Confirm", kDiscardQuestion) == Answer::Yes) {
    Cells.fill(CellRec{});
    RedrawGrid(true);
    imgPen_Click();
  } else {
    RedrawGrid(false);
  }
}

void Board::ShowSolution() {
  if (host_.Ask("Confirm", "Are you sure you would like to show the solution to the current puzzle?") != Answer::Yes)
    return;
  PushUndo();
  SolveCell(-1);
}

bool Board::PuzzleInProgress() const {
  const std::string g = GetGrid(true);
  return g != std::string(81, '.') && g.find('.') != std::string::npos;
}

void Board::LoadDialog() {
  RedrawGrid(true);
  if (PuzzleInProgress() && host_.Ask("Confirm", kDiscardQuestion) != Answer::Yes) return;
  ClearCellColors();
  host_.Show(HostWindow::SavedPuzzleList);
}

void Board::SaveDialog() {
  ClearCellColors();
  RedrawGrid(true);
  std::string name;
  for (;;) {
    name = host_.Input("Enter a name for this puzzle", "Saving Puzzle");
    if (name.empty()) {
      host_.Message(kProgramTitle, "Puzzle save canceled");
      return;
    }
    const std::string problem = host_.SaveNameProblem(name);
    if (problem.empty()) break;
    host_.Message(kProgramTitle, problem);
  }
  const std::string data = GetAllGrid();
  if (data.empty()) return;
  if (host_.StoreSavedPuzzle(name, data, false) == SaveResult::NameTaken &&
      host_.Ask("Confirm", name + " already exists. Overwrite?") == Answer::Yes)
    host_.StoreSavedPuzzle(name, data, true);
}

void Board::NewPuzzle() {
  if (PuzzleInProgress() && host_.Ask("Confirm", kDiscardQuestion) != Answer::Yes) return;
  RedrawGrid(true);
  host_.Show(HostWindow::GeneratorDialog);
  imgPen_Click();
}

}  // namespace tavimoro
