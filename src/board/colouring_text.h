// The words of Simple Colouring and Multi-Colouring: the cells of each
// colour of a cluster, named as well as drawn, and how the colours lead to
// the removal (a colour that wraps, a cell trapped between both colours, or
// two clusters joined where their cells see each other).
#pragma once

#include <string>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

// " in the cluster of R1C1, R1C5 and R4C2 (a colour wrap)" for the second
// level; empty when the step is no colouring or cannot be told this way.
std::string ColouringWhere(const StepRecord& step, const PuzzleState* position);
// The third level's argument; empty when it cannot be told (Multi-Colouring
// needs `position` to split its two clusters).
std::string ColouringText(const StepRecord& step, const PuzzleState* position);

}  // namespace tavimoro
