// Patterns that take two single-digit chains at once, the templates of a
// digit, and the bent wings of four or more cells. The finders have the
// rungs' contract (pattern_steps.h): they read the state and fill `step`
// for the first instance they accept, or leave it untouched.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::steps {

// dual_patterns.cpp: two 2-String Kites, or two Empty Rectangles, that
// share their block's cells; the step takes the eliminations of both.
bool FindDualTwoStringKite(const PuzzleState& s, StepRecord& step);
bool FindDualEmptyRectangle(const PuzzleState& s, StepRecord& step);

}  // namespace tavimoro::steps
