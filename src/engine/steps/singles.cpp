// Rungs 0 and 1. Both find their cell or house from the counts alone and
// read single candidates only for the one they report.
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {

bool FindNakedSingle(const PuzzleState& s, StepRecord& step) {
  for (int c = 0; c < 81; ++c) {
    if (s.CandCount[c] != 1 || s.Grid[c] != 0) continue;
    const int d = MaskDigit(s.CandMask[c]);
    step.Kind = kPlaceValue;
    step.Cell = c;
    step.Value = d;
    step.Technique = TechniqueId::NakedSingle;
    StartTrace(step.Text, TechniqueId::NakedSingle);
    step.Text << d << " is the only possible value for this cell.";
    return true;
  }
  return false;
}

// Blocks before columns before rows; within a house type by digit, then by
// house number.
bool FindHiddenSingle(const PuzzleState& s, StepRecord& step) {
  for (int type = 2; type >= 0; --type) {
    for (int d = 1; d <= 9; ++d) {
      for (int h = 9 * type; h < 9 * type + 9; ++h) {
        if (s.HouseCandCount(h, d) != 1) continue;
        for (int c : CellsOfHouse(h)) {
          if (!s.Cand(c, d)) continue;
          step.Kind = kPlaceValue;
          step.Cell = c;
          step.Value = d;
          step.Technique = TechniqueId::HiddenSingle;
          step.Meaning.House = h;
          step.Text.Clear();
          step.Text << "It contains the only " << d << " in its " << HouseTypeName(type) << ".";
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
