// Undo and the operations that change cells or the whole board. Each one
// pushes the board before changing it and ends with a redraw, so the window
// and the undo stack always follow the cells.
#include "board/board.h"

#include <algorithm>

#include "board/status_composer.h"
#include "engine/validate.h"

namespace tavimoro {

void Board::SetUndoEnabled(bool enabled) {
  state_.controls.Undo = enabled;
  NoteChange();
}

void Board::PushUndo() {
  std::string s = GetAllGrid();
  if (s == state_.undoStack[0]) return;
  std::move_backward(state_.undoStack.begin(), state_.undoStack.end() - 1, state_.undoStack.end());
  state_.undoStack[0] = std::move(s);
  SetUndoEnabled(true);
}

void Board::UndoLast() {
  if (state_.undoStack[0].empty()) return;
  const std::string current = GetAllGrid();
  auto pop = [this] {
    std::move(state_.undoStack.begin() + 1, state_.undoStack.end(), state_.undoStack.begin());
    state_.undoStack.back().clear();
  };
  while (!state_.undoStack[0].empty() && state_.undoStack[0] == current) pop();
  if (state_.undoStack[0].empty()) {
    SetUndoEnabled(false);
    return;
  }
  const std::string entry = state_.undoStack[0];
  // The board before this undo is the next redo, as long as nothing else
  // changes the board in between (state_.redoFrom tells).
  if (state_.redoFrom != current) state_.redoStack.clear();
  state_.redoStack.push_back(current);
  if (state_.redoStack.size() > static_cast<std::size_t>(kUndoDepth))
    state_.redoStack.erase(state_.redoStack.begin());
  PaintPuzzle(entry, {}, false);
  state_.redoFrom = GetAllGrid();
  pop();
  if (state_.undoStack[0].empty()) SetUndoEnabled(false);
}

bool Board::CanRedo() const { return !state_.redoStack.empty() && state_.redoFrom == GetAllGrid(); }

void Board::RedoLast() {
  if (!CanRedo()) {
    state_.redoStack.clear();
    return;
  }
  PushUndo();
  const std::string entry = state_.redoStack.back();
  state_.redoStack.pop_back();
  PaintPuzzle(entry, {}, false);
  state_.redoFrom = GetAllGrid();
}

void Board::SetAsGivens() {
  PushUndo();
  for (CellRec& cell : state_.cells) {
    if (cell.Value >= 1 && cell.Value <= 9) cell.Given = true;
  }
  RedrawGrid(true);
}

void Board::RedrawGrid(bool withStatus) {
  const InputEvent event(*this);
  bool anyMarks = false;
  for (const CellRec& cell : state_.cells) {
    if (cell.Value < 1 && cell.Marks != 0) anyMarks = true;
  }
  state_.controls.RemoveMarks = anyMarks;
  state_.controls.CopyPencil = anyMarks;
  state_.controls.PmCell = state_.cells[state_.selCell].Value < 1 && state_.cells[state_.selCell].Marks == 0;
  if (withStatus) tavimoro::UpdateStatus(*this, false);
  NoteChange();
}

void Board::Select(int cell) {
  if (cell < 0 || cell > 80) return;
  state_.selCell = cell;
  NoteChange();
}

void Board::Highlight(int cell, std::uint32_t colour) {
  if (cell < 0 || cell > 80) return;
  state_.cellColors[cell] = colour;
  NoteChange();
}

void Board::SetStatusControls(bool clear, bool solutionAndHint) {
  state_.controls.Clear = clear;
  state_.controls.Solution = solutionAndHint;
  state_.controls.Hint = solutionAndHint;
}

void Board::RemovePeerMarks(int cell) {
  const int v = state_.cells[cell].Value;
  if (v < 1 || v > 9) return;
  for (int j = 0; j < 81; ++j) {
    if (state_.cells[j].Value == 0 && CellsShareHouse(j, cell)) state_.cells[j].SetPencil(v, false);
  }
}

bool Board::FillSingleMark(int cell) {
  CellRec& c = state_.cells[cell];
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
    state.Grid[i] = static_cast<std::uint8_t>(std::clamp<int>(state_.cells[i].Value, 0, 9));
  }
  if (withCandidates) CalcCandidates(state);
  return state;
}

void Board::MarkEnteredCells(PuzzleState& state) const {
  PuzzleState givens;
  bool anyEntered = false;
  for (int i = 0; i < 81; ++i) {
    if (state_.cells[i].Value < 1 || state_.cells[i].Value > 9) continue;
    if (state_.cells[i].Given)
      givens.Grid[i] = static_cast<std::uint8_t>(state_.cells[i].Value);
    else
      anyEntered = true;
  }
  if (!anyEntered) return;
  CalcCandidates(givens);
  if (!Validate(givens, true, false, true).empty()) return;
  for (int i = 0; i < 81; ++i)
    if (!state_.cells[i].Given && state.Grid[i] != 0 && state.Grid[i] == state_.cells[i].Value)
      state.MarkEntered(i);
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
    Modal().Message(kProgramTitle, message);
    return;
  }
  if (oneCell) {
    if (state_.cells[cell].Given) return;
    state_.cells[cell].Value = solved.Grid[cell];
    if (AutoRemove()) RemovePeerMarks(cell);
  } else {
    for (int i = 0; i < 81; ++i) {
      if (state_.cells[i].Value != 0) continue;
      state_.cells[i].Marks = 0;
      state_.cells[i].SetPencil(solved.Grid[i], true);
    }
  }
  RedrawGrid(true);
}

void Board::ClearThisCell() {
  if (state_.cells[state_.selCell].Given) {
    host_.Beep();
    return;
  }
  PushUndo();
  state_.cells[state_.selCell].Value = 0;
  state_.cells[state_.selCell].Marks = 0;
  RedrawGrid(true);
}

void Board::PencilMarkOneCell(int cell, bool pushUndo) {
  if (cell == -1) cell = state_.selCell;
  if (cell < 0 || cell > 80) return;
  if (CellHasPencilMarks(cell) || state_.cells[cell].Value != 0) return;
  if (pushUndo) PushUndo();
  const PuzzleState state = GetEngineGrid(true);
  state_.cells[cell].Marks = state.CandMask[cell];
  RedrawGrid(false);
}

void Board::PencilMarkEntire(int houseType, int cell) {
  if (houseType < 0 || houseType > 2) return;
  if (cell == -1) cell = state_.selCell;
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
    CellRec& c = state_.cells[i];
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
  for (CellRec& c : state_.cells) c.Marks = 0;
  RedrawGrid(true);
}

void Board::ClearBoard() {
  PushUndo();
  if (Modal().Ask("Confirm", kDiscardQuestion) == Answer::Yes) {
    state_.cells.fill(CellRec{});
    RedrawGrid(true);
    imgPen_Click();
  } else {
    RedrawGrid(false);
  }
}

void Board::ShowSolution() {
  if (Modal().Ask("Confirm", "Are you sure you would like to show the solution to the current puzzle?") !=
      Answer::Yes)
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
  if (PuzzleInProgress() && Modal().Ask("Confirm", kDiscardQuestion) != Answer::Yes) return;
  ClearCellColors();
  Modal().Show(HostWindow::SavedPuzzleList);
}

void Board::SaveDialog() {
  ClearCellColors();
  RedrawGrid(true);
  std::string name;
  for (;;) {
    name = Modal().Input("Enter a name for this puzzle", "Saving Puzzle");
    if (name.empty()) {
      Modal().Message(kProgramTitle, "Puzzle save canceled");
      return;
    }
    const std::string problem = host_.SaveNameProblem(name);
    if (problem.empty()) break;
    Modal().Message(kProgramTitle, problem);
  }
  const std::string data = GetAllGrid();
  if (data.empty()) return;
  if (host_.StoreSavedPuzzle(name, data, false) == SaveResult::NameTaken &&
      Modal().Ask("Confirm", name + " already exists. Overwrite?") == Answer::Yes)
    host_.StoreSavedPuzzle(name, data, true);
}

void Board::NewPuzzle() {
  if (PuzzleInProgress() && Modal().Ask("Confirm", kDiscardQuestion) != Answer::Yes) return;
  RedrawGrid(true);
  Modal().Show(HostWindow::GeneratorDialog);
  imgPen_Click();
}

}  // namespace tavimoro
