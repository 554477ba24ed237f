#include "generator/practice.h"

#include <algorithm>
#include <vector>

#include "engine/cancel.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"

namespace tavimoro {

int HardestStepTechnique(const PuzzleState& puzzle) {
  std::vector<const TechniqueRow*> extension;
  for (const TechniqueRow& row : ExtensionRows()) extension.push_back(&row);
  std::stable_sort(extension.begin(), extension.end(),
                   [](const TechniqueRow* a, const TechniqueRow* b) { return a->score < b->score; });
  PuzzleState s = puzzle;
  ExclusionTable removed;
  for (int c = 0; c < 81; ++c) removed.Mask[c] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[c]);
  int hardest = -1;
  double hardestScore = -1;
  while (s.FilledCount < 81) {
    StepRecord step = FindNextStep(s, kNoTechniqueLimit);
    if (step.Kind == kNoStep) {
      StepContext context;
      for (const TechniqueRow* row : extension)
        if (row->find(s, step, context)) break;
      if (step.Kind == kNoStep) return -1;
    }
    const TechniqueRow& used = Technique(step.Technique);
    if (used.score > hardestScore) {
      hardestScore = used.score;
      hardest = Index(step.Technique);
    }
    if (step.Kind == kPlaceValue) {
      s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
    } else {
      for (int c = 0; c < 81; ++c) removed.Mask[c] |= step.EliminateMask[c];
    }
    CalcCandidates(s, removed);
  }
  return hardest;
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
