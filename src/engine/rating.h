// Logical solve and difficulty rating.
#pragma once

#include <array>
#include <functional>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/technique_id.h"

namespace tavimoro {

using TechniqueCounts = std::array<int, kTechniqueCount>;  // uses per technique id

// Difficulty levels 0..5, shown as 1/6..6/6; each technique row names the
// level of a puzzle that it rates.
inline constexpr int kLevelCount = 6;

// Solves a copy step by step with FindNextStep(maxTechnique) and returns the
// hardest technique used, or the stuck rating when the ladder got stuck
// (counted once).
// The state must have fresh candidates; it is not changed. A grid without
// an empty cell rates 0 with all counts 0.
int Rate(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique);

// The same solve, calling onStep with every step it applies (placements and
// eliminations, in order) before applying it.
int Rate(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique,
         const std::function<void(const StepRecord&)>& onStep);

// The highest technique a level 0..5 admits; -1 for the custom level
// (kLevelCount); 0 for any other level.
int LevelMaxTechnique(int level);

// The lowest level 0..5 whose LevelMaxTechnique is at least the rating.
int LevelOfRating(int rating);

// Fills cells by the last-cell-of-a-house and hidden-single patterns only;
// returns how many it filled. The state is left with those cells filled and
// fresh candidates.
int SolveWithSingles(PuzzleState& state);

}  // namespace tavimoro
