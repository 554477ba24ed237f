// The techniques beyond the ladder, joined to it. FindExtendedStep is asked
// only where the ladder finds nothing; SolveExtended solves as Rate does and,
// where the ladder is stuck, goes on with the extension.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/rating.h"
#include "engine/search_options.h"
#include "engine/step_record.h"
#include "engine/technique_id.h"

namespace tavimoro {

// The easiest step of the techniques after the ladder: the lowest
// difficulty score, then the shortest chain, then the techniques' fixed
// order. Kind 0 when none finds anything. Reads the state only.
StepRecord FindExtendedStep(const PuzzleState& state, SearchOptions options = {});

// The technique of that name (letter case aside); nullopt when none has it.
std::optional<TechniqueId> TechniqueFromName(std::string_view name);
// Tries one technique alone; false (step untouched) when it finds nothing
// or has no finder.
bool FindWithTechnique(const PuzzleState& state, TechniqueId technique, StepRecord& step,
                       SearchOptions options = {});

struct ExtendedSolve {
  int rating = 0;            // Rate's rating: the stuck rating when the ladder got stuck
  TechniqueCounts counts{};  // Rate's counts, up to where the ladder got stuck
  // The technique of the highest score that the score's easiest-first solve
  // (difficulty_score.h) used (none for a grid already full); the stuck
  // rating when unsolved.
  std::optional<TechniqueId> hardest;
  double score = 0;             // the difficulty score (difficulty_score.h), from its own easiest-first solve
  double toFirstPlacement = 0;  // that solve's highest score up to its first placement
  double firstStep = 0;         // the score of that solve's first step
  bool solved = false;          // every cell filled
};

// Solves a copy of the state: the ladder's steps (up to maxTechnique) while
// it finds any, else the extension's; onStep is called with every step
// before it is applied. Without onStep the walk is left out: the rating and
// counts are Rate's and "solved" is the score's solve's. The state must have
// fresh candidates. The options reach the extension's steps and the score.
ExtendedSolve SolveExtended(const PuzzleState& state, int maxTechnique,
                            const std::function<void(const StepRecord&)>& onStep = {},
                            SearchOptions options = {});

}  // namespace tavimoro
