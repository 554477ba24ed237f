#include "engine/difficulty_score.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/step_apply.h"
#include "engine/steps/net_steps.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

// Every technique with a finder, by score, id order among equal scores.
struct ScoreOrder {
  std::array<const TechniqueRow*, kTechniqueRowCount> rows{};
  int count = 0;
};

ScoreOrder MakeScoreOrder() {
  ScoreOrder order;
  for (const TechniqueRow& row : TechniqueRows())
    if (row.find != nullptr) order.rows[order.count++] = &row;
  std::stable_sort(order.rows.begin(), order.rows.begin() + order.count,
                   [](const TechniqueRow* a, const TechniqueRow* b) { return a->score < b->score; });
  return order;
}

double OneDecimal(double x) { return std::round(x * 10) / 10; }

}  // namespace

double UnfinishedScore(double hardest, int cellsLeft) {
  return OneDecimal(std::max(Technique(kStuckRating).score, hardest) + 0.1 * std::clamp(cellsLeft / 5, 0, 9));
}

DifficultyScore ScoreDifficulty(const PuzzleState& state) {
  DifficultyScore result;
  PuzzleState s = state;
  ExclusionTable removed;
  for (int c = 0; c < 81; ++c) removed.Mask[c] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[c]);
  CalcCandidates(s, removed);
  const ScoreOrder order = MakeScoreOrder();
  while (s.FilledCount < 81) {
    const TechniqueRow* used = nullptr;
    StepRecord step;
    StepContext context;
    for (int i = 0; i < order.count && used == nullptr; ++i) {
      StepRecord found;
      if (order.rows[i]->find(s, found, context) && StepProgresses(s, found)) {
        step = found;
        used = order.rows[i];
      }
    }
    if (used == nullptr) break;
    // A net's score grows with its proof within its band.
    const double stepScore = std::max(used->score, steps::NetStepScore(step));
    if (stepScore > result.hardest) {
      result.hardest = stepScore;
      result.hardestTechnique = Index(used->id);
    }
    ApplyStep(s, step);
  }
  result.solved = s.FilledCount >= 81;
  result.cellsLeft = 81 - s.FilledCount;
  result.score = OneDecimal(result.hardest);
  if (!result.solved) result.score = UnfinishedScore(result.hardest, result.cellsLeft);
  return result;
}

}  // namespace tavimoro
