// What each hint form says, read from the step itself. A form is shared by
// several techniques, so each view derives what it states from the step's
// cells and house numbers (a house's kind from its number, the houses a
// subset works in from where its cells lie and where candidates go), never
// from the form: a form reused by a new technique then words what that
// step did. The form's wording reads only its view.
#pragma once

#include <vector>

#include "engine/step_record.h"

namespace tavimoro {

// A naked or hidden subset: its cells, and the houses it works in. For a
// naked subset, the one house of its cells holding every cell that loses a
// candidate (a block before a column before a row), or else each house of
// its cells in which some cell loses one; for a hidden subset, the house
// its digits are confined to.
struct SubsetMeaning {
  std::vector<int> houses;
  std::vector<int> cells;
};
SubsetMeaning NakedSubsetMeaning(const StepRecord& step);
SubsetMeaning HiddenSubsetMeaning(const StepRecord& step);

// Locked candidates: the line and the block the digit is locked in, and
// whether the line's places are confined to the block (claiming) or the
// block's to the line (pointing). -1 houses when the step names none.
struct OmissionMeaning {
  int line = -1, block = -1;
  bool claiming = false;
};
OmissionMeaning OmissionMeaningOf(const StepRecord& step);

// A Sue de Coq: the line and the block it lies where they cross (each
// known by its kind, not by the order the finder recorded them in), its
// core cells there, and its partners in the rest of each.
struct SueDeCoqMeaning {
  int line = -1, block = -1;
  std::vector<int> core, linePartners, blockPartners;
};
SueDeCoqMeaning SueDeCoqMeaningOf(const StepRecord& step);

// A fish: its base and cover houses, whether all are rows and columns (one
// kind on each side) rather than a mix with blocks, and its fin cells.
struct FishMeaning {
  std::vector<int> bases, covers;
  bool linesOnly = true;
  std::vector<int> fins;
};
FishMeaning FishMeaningOf(const StepRecord& step);

// A rectangle (unique, hidden or avoidable): its two rows and two columns,
// each known by its kind whichever side the finder recorded it on, and its
// four corners in cell order. Empty when the step names no such rectangle.
struct RectangleMeaning {
  std::vector<int> rows, columns, corners;
  // The corner in row `r` and column `c` (0 or 1 each).
  int Corner(int r, int c) const { return 9 * HouseNum(rows[r]) + HouseNum(columns[c]) - 10; }
};
RectangleMeaning RectangleMeaningOf(const StepRecord& step);

// A wing: its pivot cell (-1 when the step names none) and its pincers.
struct WingMeaning {
  int pivot = -1;
  std::vector<int> pincers;
};
WingMeaning WingMeaningOf(const StepRecord& step);

}  // namespace tavimoro
