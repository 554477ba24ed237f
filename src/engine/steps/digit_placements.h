// Whether a digit's candidates leave anything for a pattern of that digit
// alone to remove. A placement of a digit is nine cells, one in every row,
// column and block, each holding it or open to it. What a fish, a chain of
// one digit or a colouring removes lies in no placement, so where every
// candidate lies in one, none of them finds anything for that digit.
#pragma once

#include "engine/puzzle_state.h"

namespace tavimoro::steps {

// True when every candidate of d lies in some placement of d.
bool EveryCandidatePlaceable(const PuzzleState& s, int d);

}  // namespace tavimoro::steps
