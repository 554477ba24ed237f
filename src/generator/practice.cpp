#include "generator/practice.h"

#include "engine/cancel.h"

namespace tavimoro {

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
