// The third level of the pattern techniques beyond the ladder: chains of
// single-digit patterns and colouring, the uniqueness patterns, finned and
// sashimi fish, BUG+n and Sue de Coq. Each reads the meaning its finder
// records and names every cell and house its argument uses.
#pragma once

#include <string>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

// The reasoned walk of a single-digit pattern or a colouring, or for a
// colour that wraps, the two cells of one colour that share a house.
std::string ChainPatternText(const StepRecord& step);
// " in row 1, column 1 and row 4": the houses (or cells) of the chain's
// links in order, for the second level.
std::string ChainPatternWhere(const StepRecord& step);
// A dual kite or empty rectangle: the block both chains run through, then
// each chain walked with the cells it takes the digit from.
std::string TwoChainsText(const StepRecord& step);
// `position`, when given, is the position the step was found in: a naked
// subset the roof forms is then named with its digits.
std::string UniquenessText(const StepRecord& step, const PuzzleState* position = nullptr);
// Aligned pair or triple exclusion: the base cells, the cells that rule
// ways of filling them out, with their candidates, and what no way uses.
std::string AlignedExclusionText(const StepRecord& step);
// A bent wing: its cells and digits, the digit that is not confined, and
// the cells that hold it.
std::string BentWingText(const StepRecord& step);
// Template Set and Template Delete: what a template is, how many fit, and
// the cell every one of them uses or the cells none of them uses.
std::string TemplateText(const StepRecord& step);
std::string FinnedFishText(const StepRecord& step);
std::string BugPlusNText(const StepRecord& step);
std::string SueDeCoqText(const StepRecord& step);
// An ALS-XY-Wing's chain told as a wing: the pivot set, then the two
// pincers, then the walk from one pincer through the pivot to the other.
std::string AlsWingText(const StepRecord& step);

}  // namespace tavimoro
