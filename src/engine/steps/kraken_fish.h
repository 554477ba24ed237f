// Kraken fish: a finned fish whose fins the plain fish argument cannot
// handle, joined to forcing nets. Either no fin holds the digit, and the
// fish removes it from the rest of its cover lines, or some fin does; when
// the net of every fin removes the same cover candidate too (or runs into
// a contradiction), that candidate goes whichever way it is.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/technique_id.h"

namespace tavimoro::steps {

// Rows over columns and columns over rows, sizes 2 to 4, at most four fins,
// smallest size first, then by digit. Fills the step (the fish's lines and
// cells, and per fin the net that removes the candidates, as a forcing
// net's proof with one branch per fin) and returns true, or returns false
// and leaves the step.
bool FindKrakenFish(const PuzzleState& s, StepRecord& step);

}  // namespace tavimoro::steps
