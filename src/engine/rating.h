// Logical solve and difficulty rating.
#pragma once

#include <array>
#include <functional>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

using TechniqueCounts = std::array<int, 19>;  // uses per technique 0..18

// Solves a copy step by step with FindNextStep(maxTechnique) and returns the
// hardest technique used, or 18 when the ladder got stuck (counts[18] = 1).
// The state must have fresh candidates; it is not changed. A grid without
// an empty cell rates 0 with all counts 0.
int Rate(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique);

// The same solve, calling onStep with every step it applies (placements and
// eliminations, in order) before applying it.
int Rate(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique,
         const std::function<void(const StepRecord&)>& onStep);

// The highest technique a level 0..5 admits; -1 for the custom level 6; 0
// for any other level.
int LevelMaxTechnique(int level);

// The lowest level 0..5 whose LevelMaxTechnique is at least the rating.
int LevelOfRating(int rating);

// Fills cells by the last-cell-of-a-house and hidden-single patterns only;
// returns how many it filled. The state is left with those cells filled and
// fresh candidates.
int SolveWithSingles(PuzzleState& state);

}  // namespace tavimoro
