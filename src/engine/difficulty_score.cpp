#include "engine/difficulty_score.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/steps/net_steps.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

bool Progresses(const PuzzleState& s, const StepRecord& step) {
  if (step.Kind == kPlaceValue) return step.Cell >= 0 && step.Value >= 1 && s.Grid[step.Cell] == 0;
  if (step.Kind != kEliminate) return false;
  for (int c = 0; c < 81; ++c)
    if (step.EliminateMask[c] & s.CandMask[c]) return true;
  return false;
}

void Apply(const StepRecord& step, PuzzleState& s) {
  if (step.Kind == kPlaceValue) {
    PlaceDigit(s, step.Cell, step.Value);
    return;
  }
  for (int c = 0; c < 81; ++c) DropCandidates(s, c, step.EliminateMask[c]);
}

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
      if (order.rows[i]->find(s, found, context) && Progresses(s, found)) {
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
    Apply(step, s);
  }
  result.solved = s.FilledCount >= 81;
  result.cellsLeft = 81 - s.FilledCount;
  result.score = OneDecimal(result.hardest);
  if (!result.solved) result.score = UnfinishedScore(result.hardest, result.cellsLeft);
  return result;
}

}  // namespace tavimoro
