// BoardState: what the board holds, apart from the board's controller
// (Board, board.h) that changes it: the cells with their digits and marks,
// the selection and the tool, the undo and redo histories, the hint shown
// and its highlights, the last pencil-mode key press and the enabled states
// of the controls. Plain data; only Board writes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/step_record.h"

namespace tavimoro {

struct CellRec {
  std::int16_t Value = 0;   // 0 empty, 1..9 the digit shown
  bool Given = false;       // a digit of the puzzle itself; only whole-board loads change it
  std::uint16_t Marks = 0;  // pencil marks, digit d at bit d - 1

  bool Pencil(int digit) const { return (Marks >> (digit - 1)) & 1; }
  void SetPencil(int digit, bool on) {
    const auto bit = static_cast<std::uint16_t>(1u << (digit - 1));
    Marks = on ? static_cast<std::uint16_t>(Marks | bit) : static_cast<std::uint16_t>(Marks & ~bit);
  }
  bool operator==(const CellRec&) const = default;
};

inline constexpr int kPen = 0;
inline constexpr int kPencil = 1;
inline constexpr int kUndoDepth = 101;
inline constexpr std::int64_t kDoublePressMs = 300;  // inclusive

// Colours written into CellColors, Windows order 0x00BBGGRR.
inline constexpr std::uint32_t HintCellColour = 0xFFFF80;    // RGB(128, 255, 255)
inline constexpr std::uint32_t WrongEntryColour = 0xFFC0FF;  // RGB(255, 192, 255)

// Enabled states of the controls that follow the board. RedrawGrid sets
// RemoveMarks, CopyPencil and PmCell; the status panel sets Clear, Solution
// and Hint; the undo stack sets Undo. A disabled command does nothing.
struct BoardControls {
  bool Clear = true;         // toolbar 5
  bool Solution = true;      // toolbar 6
  bool Hint = true;          // toolbar 7 (and the H key)
  bool RemoveMarks = false;  // toolbar 3
  bool Undo = false;         // mnuUndo
  bool CopyPencil = false;   // mnuCopyPencil
  bool PmCell = true;        // mnuPMCell
};

struct BoardState {
  std::array<CellRec, 81> cells{};
  int selCell = 0;
  int curTool = kPen;
  std::array<std::string, kUndoDepth> undoStack{};  // newest at 0, "" = no entry
  std::vector<std::string> redoStack;               // newest at the back
  std::string redoFrom;                             // the board the redo history belongs to
  StepRecord lastHint{};
  std::array<std::uint32_t, 81> cellColors{};
  std::vector<StepLine> lines;  // drawn with the highlights
  int lastKeyDigit = 0;         // the last pencil-mode digit press that hit a mark
  int lastKeyCell = 0;
  std::int64_t lastKeyTick = 0;
  BoardControls controls{};
};

}  // namespace tavimoro
