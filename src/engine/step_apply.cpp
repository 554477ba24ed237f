#include "engine/step_apply.h"

namespace tavimoro {

bool StepProgresses(const PuzzleState& state, const StepRecord& step) {
  if (step.Kind == kPlaceValue)
    return step.Cell >= 0 && step.Cell < 81 && step.Value >= 1 && state.Grid[step.Cell] == 0;
  if (step.Kind != kEliminate) return false;
  for (int c = 0; c < 81; ++c)
    if (step.EliminateMask[c] & state.CandMask[c]) return true;
  return false;
}

void ApplyStep(PuzzleState& state, const StepRecord& step) {
  if (step.Kind == kPlaceValue) {
    PlaceDigit(state, step.Cell, step.Value);
    return;
  }
  for (int c = 0; c < 81; ++c) DropCandidates(state, c, step.EliminateMask[c]);
}

}  // namespace tavimoro
