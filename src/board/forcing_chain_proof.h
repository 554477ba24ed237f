// The numbered proof of a ladder forcing chain: the supposed placement, each
// single it forces with the house or cell that forces it, and the line that
// states the contradiction, in the form of the nets' proofs.
#pragma once

#include <string>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

// The proof lines of a Forcing Chain Type 1 or 2 step found on `state`
// (HTML, each line ending in "<br>"); "" for any other step, or when the
// chain does not follow from the state.
std::string ForcingChainProof(const PuzzleState& state, const StepRecord& step);

}  // namespace tavimoro
