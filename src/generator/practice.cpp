#include "generator/practice.h"

#include "engine/cancel.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

namespace tavimoro {

int HardestStepTechnique(const PuzzleState& puzzle) {
  const ExtendedSolve solve = SolveExtended(puzzle, kNoTechniqueLimit);
  return solve.solved && solve.hardest ? Index(*solve.hardest) : -1;
}

PracticeResult GenerateForPractice(int technique, const HardestTechnique& hardestOf, bool forceOne,
                                   long maxAttempts, const GenerationProgress& progress) {
  PracticeResult result;
  PuzzleState puzzle;
  while (result.Attempts < maxAttempts) {
    MakeRandomPuzzle(puzzle, forceOne);
    ++result.Attempts;
    if (hardestOf(puzzle) == technique) {
      result.Puzzle = PuzzleToString(puzzle);
      return result;
    }
    if (GenerationCancelled.exchange(false)) return result;
    if (result.Attempts % 5 == 0 && progress && !progress(result.Attempts)) return result;
  }
  result.GaveUp = true;
  return result;
}

}  // namespace tavimoro
