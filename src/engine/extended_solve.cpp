#include "engine/extended_solve.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "engine/difficulty_score.h"
#include "engine/step_apply.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"

namespace tavimoro {

std::optional<TechniqueId> TechniqueFromName(std::string_view name) {
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (const TechniqueRow& row : TechniqueRows())
    if (same(row.name, name)) return row.id;
  return std::nullopt;
}

bool FindWithTechnique(const PuzzleState& state, TechniqueId technique, StepRecord& step,
                       SearchOptions options) {
  if (Index(technique) >= kTechniqueRowCount) return false;
  const TechniqueRow& row = Technique(technique);
  if (row.find == nullptr) return false;
  StepContext context(options);
  return row.find(state, step, context);
}

StepRecord FindExtendedStep(const PuzzleState& state, SearchOptions options) {
  const auto rows = ExtensionRows();
  // The rows in order of score, id order among equal scores.
  std::array<int, kTechniqueRowCount> order{};
  const int n = static_cast<int>(rows.size());
  for (int i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.begin() + n,
                   [&](int a, int b) { return rows[a].score < rows[b].score; });
  StepContext context(options);
  StepRecord best;
  for (int i = 0; i < n;) {
    // All techniques of one score; the shortest chain among them wins.
    const double score = rows[order[i]].score;
    for (; i < n && rows[order[i]].score == score; ++i) {
      StepRecord step;
      if (rows[order[i]].find == nullptr || !rows[order[i]].find(state, step, context)) continue;
      if (best.Kind == kNoStep || step.Meaning.NodeCount < best.Meaning.NodeCount) best = step;
    }
    if (best.Kind != kNoStep) return best;
  }
  return best;
}

ExtendedSolve SolveExtended(const PuzzleState& state, int maxTechnique,
                            const std::function<void(const StepRecord&)>& onStep, SearchOptions options) {
  ExtendedSolve result;
  if (std::find(state.Grid.begin(), state.Grid.end(), 0) == state.Grid.end()) {
    result.solved = true;
    return result;
  }
  if (!onStep) {
    // Nobody follows the steps: the ladder's rating and counts are Rate's,
    // and whether the puzzle is solved comes from the score's own solve,
    // which goes as far as any order of the same techniques can.
    result.rating = Rate(state, result.counts, maxTechnique);
    const DifficultyScore difficulty = ScoreDifficulty(state, options);
    result.solved = difficulty.solved;
    result.hardest = result.solved ? TechniqueFromNumber(difficulty.hardestTechnique) : kStuckRating;
    result.score = difficulty.score;
    result.toFirstPlacement = difficulty.toFirstPlacement;
    result.firstStep = difficulty.firstStep;
    return result;
  }
  // As Rate does: candidates the caller removed stay removed.
  PuzzleState s = state;
  ExclusionTable removed;
  for (int c = 0; c < 81; ++c) removed.Mask[c] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[c]);
  CalcCandidates(s, removed);
  bool ladderStuck = false;
  auto use = [&](const StepRecord& step) {
    if (onStep) onStep(step);
    ApplyStep(s, step);
  };
  for (;;) {
    const StepRecord step = FindNextStep(s, maxTechnique);
    const int technique = Index(step.Technique);
    if (!ladderStuck) {
      // Counted exactly as Rate counts.
      if (technique > 0 || step.Kind == kPlaceValue) ++result.counts[technique];
      if (StepProgresses(s, step)) result.rating = std::max(result.rating, technique);
    }
    if (StepProgresses(s, step)) {
      use(step);
    } else {
      if (!ladderStuck) {
        ladderStuck = true;
        result.rating = Index(kStuckRating);
        result.counts[Index(kStuckRating)] = 1;
      }
      const StepRecord extended = FindExtendedStep(s, options);
      if (!StepProgresses(s, extended)) break;
      use(extended);
    }
    if (s.FilledCount >= 81) break;
  }
  result.solved = s.FilledCount >= 81;
  // The hardest technique and the score come from the easiest-first solve,
  // so that they agree; the walk above keeps the ladder's order.
  const DifficultyScore difficulty = ScoreDifficulty(state, options);
  result.hardest = result.solved ? TechniqueFromNumber(difficulty.hardestTechnique) : kStuckRating;
  result.score = difficulty.score;
  result.toFirstPlacement = difficulty.toFirstPlacement;
  result.firstStep = difficulty.firstStep;
  // Rarely, the two orders end apart (uniqueness steps depend on the path):
  // a walk left unfinished scores as unfinished.
  if (!result.solved)
    result.score = std::max(result.score, UnfinishedScore(difficulty.hardest, 81 - s.FilledCount));
  return result;
}

}  // namespace tavimoro
