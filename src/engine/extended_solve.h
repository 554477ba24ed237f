// The techniques beyond the ladder, joined to it. FindExtendedStep is asked
// only where the ladder finds nothing; SolveExtended solves as Rate does and,
// where the ladder is stuck, goes on with the extension.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/rating.h"
#include "engine/search_options.h"
#include "engine/step_record.h"

namespace tavimoro {

// The easiest step of the techniques after the ladder: the lowest
// difficulty score, then the shortest chain, then the techniques' fixed
// order. Kind 0 when none finds anything. Reads the state only.
StepRecord FindExtendedStep(const PuzzleState& state, SearchOptions options = {});

// The registry's techniques by number: the ladder's rungs, the stuck
// rating, then the techniques beyond the ladder.
int TechniqueTotal();  // numbers run 0..TechniqueTotal() - 1
// The difficulty score of a technique number; 0 for a number without one.
double TechniqueScore(int technique);
// The name of a technique number ("" for none) and its help anchor.
std::string_view TechniqueLabel(int technique);
std::string TechniqueAnchor(int technique);
// The number of the technique of that name (letter case aside); -1 when
// none has it.
int TechniqueFromName(std::string_view name);
// Tries one technique alone; false (step untouched) when it finds nothing
// or has no finder.
bool FindWithTechnique(const PuzzleState& state, int technique, StepRecord& step, SearchOptions options = {});

struct ExtendedSolve {
  int rating = 0;            // Rate's rating: the stuck rating when the ladder got stuck
  TechniqueCounts counts{};  // Rate's counts, up to where the ladder got stuck
  // The technique of the highest score that the score's easiest-first solve
  // (difficulty_score.h) used (-1: none); the stuck rating when unsolved.
  int hardest = -1;
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
