// Taking a found step on a state with fresh candidates, as the solves do.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

// True when the step changes the state: a digit for an empty cell, or the
// removal of at least one candidate the state still has.
bool StepProgresses(const PuzzleState& state, const StepRecord& step);

// Places the step's digit or drops its eliminations, keeping the candidates
// fresh (PlaceDigit, DropCandidates).
void ApplyStep(PuzzleState& state, const StepRecord& step);

}  // namespace tavimoro
