// The difficulty score of a puzzle: one number on the scale the solving
// community rates puzzles by (about 1.2 hidden singles, 2.3 naked singles,
// 3 to 4.5 subsets, fish and wings, 6.5 to 7.5 chains, 8 to 9 nets, 10 to
// 12 nets that need inner nets).
//
// The ladder's order teaches (a Naked Pair is shown before an Omission), but
// a rating must not charge a puzzle for a hard step where an easier one was
// there to take: the score comes from its own solve that always takes the
// step of the lowest score any technique finds, ladder and extension alike,
// and is the highest score that solve needed. A puzzle that solve does not
// finish scores from the stuck rating's score (or its hardest step's, if
// higher) upwards, a tenth more for
// every five cells left empty (at most 0.9 more): on the calibration set,
// how much is left where every technique gives up orders those puzzles
// better than anything else the solve knows.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/search_options.h"
#include "engine/step_record.h"

namespace tavimoro {

struct DifficultyScore {
  double score = 0;  // one decimal
  // The score of the first step the solve takes, and the highest score up
  // to and including its first placement (one decimal each; the score
  // itself when the solve takes no step or places nothing).
  double firstStep = 0;
  double toFirstPlacement = 0;
  double hardest = 0;         // the highest score of a step taken (0: none)
  int hardestTechnique = -1;  // the first technique taken at that score
  bool solved = false;        // the solve filled every cell
  int cellsLeft = 0;          // empty cells where it stopped
};

// The score of a puzzle that a solve leaves with cellsLeft empty cells, the
// hardest step it took scoring hardest.
double UnfinishedScore(double hardest, int cellsLeft);

// The first step the score's solve would take: the lowest score that any
// technique finds, ladder and extension alike, id order among equal scores.
// Kind 0 when nothing progresses. Reads the state only.
StepRecord FindEasiestStep(const PuzzleState& state, SearchOptions options = {});

// Scores a copy of the state; candidates the caller removed stay removed.
// The state must have fresh candidates.
DifficultyScore ScoreDifficulty(const PuzzleState& state, SearchOptions options = {});

}  // namespace tavimoro
