// FindNextStep: the ladder of human techniques, cheapest first, as the
// technique registry lists its rungs.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/technique_registry.h"

namespace tavimoro {

// A limit above every rung: the whole ladder is tried.
inline constexpr int kNoTechniqueLimit = 29;

// The first instance of the cheapest rung up to maxTechnique (Naked Single
// is always tried). Kind 0 when nothing was found. Reads the state only.
StepRecord FindNextStep(const PuzzleState& state, int maxTechnique);

}  // namespace tavimoro
