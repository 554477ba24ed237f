#include "engine/difficulty_score.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/step_apply.h"
#include "engine/steps/net_steps.h"
#include "engine/steps/pattern_steps.h"
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

// The chains, forcing chains and almost locked sets start here: the costly
// searches of the score's solve.
constexpr double kChainFloor = 6.5;

// A unique loop scores more for every two cells beyond the smallest ring,
// as the community's rater has it.
double LoopScore(const TechniqueRow& row, const StepRecord& step) {
  if (row.id != TechniqueId::UniqueLoop) return 0;
  return row.score +
         kLoopScoring.perTwoCells * std::max(0, step.Meaning.NodeCount - kLoopScoring.baseCells) / 2;
}

double OneDecimal(double x) { return std::round(x * 10) / 10; }

// The step the score's solve takes next: the lowest score that any
// technique finds, id order among equal scores. hardest and lastCostly are
// what the solve has paid for so far (0 and none for a fresh position):
// steps that cannot raise the score reached are tried first. Returns the
// row used, nullptr when no technique progresses.
const TechniqueRow* TakeEasiest(const PuzzleState& s, const ScoreOrder& order, double hardest,
                                const TechniqueRow* lastCostly, SearchOptions options, StepRecord& step) {
  const double netFloor = Technique(TechniqueId::ContradictionNet).score;
  const TechniqueRow* used = nullptr;
  StepContext context(options);
  // A fish larger than its row's smallest scores above the row: it waits
  // until the rows below its own score have found nothing.
  StepRecord waiting;
  const TechniqueRow* waitingRow = nullptr;
  double waitingScore = 0;
  auto take = [&](const TechniqueRow* row) {
    StepRecord found;
    if (!row->find(s, found, context) || !StepProgresses(s, found)) return false;
    if (const double own = steps::FishStepScore(found); own > row->score) {
      if (waitingRow == nullptr || own < waitingScore) {
        waiting = found;
        waitingRow = row;
        waitingScore = own;
      }
      return false;
    }
    step = found;
    used = row;
    return true;
  };
  auto takeWaiting = [&] {
    step = waiting;
    used = waitingRow;
  };
  // Before the costly searches, the steps that cannot raise the score
  // reached (any order of them ends at the same score): with a net paid
  // for, every contradiction it covers at once; else the kind of chain
  // that was found last, which often goes on finding.
  const TechniqueRow* triedFirst = nullptr;
  bool costlyReached = false;
  for (int i = 0; i < order.count && used == nullptr; ++i) {
    const TechniqueRow* row = order.rows[i];
    if (waitingRow != nullptr && row->score >= waitingScore) {
      takeWaiting();
      break;
    }
    if (!costlyReached && row->score >= kChainFloor) {
      costlyReached = true;
      if (hardest >= netFloor && steps::FindContradictionBatch(s, hardest, step, context.Contradictions()))
        return &Technique(TechniqueId::ContradictionNet);
      if (lastCostly != nullptr && lastCostly->score <= hardest) {
        triedFirst = lastCostly;
        if (take(lastCostly)) break;
      }
    }
    if (row != triedFirst) take(row);
  }
  if (used == nullptr && waitingRow != nullptr) takeWaiting();
  return used;
}

}  // namespace

StepRecord FindEasiestStep(const PuzzleState& state, SearchOptions options) {
  StepRecord step;
  if (TakeEasiest(state, MakeScoreOrder(), 0, nullptr, options, step) == nullptr) return StepRecord{};
  return step;
}

double UnfinishedScore(double hardest, int cellsLeft) {
  return OneDecimal(std::max(Technique(kStuckRating).score, hardest) + 0.1 * std::clamp(cellsLeft / 5, 0, 9));
}

DifficultyScore ScoreDifficulty(const PuzzleState& state, SearchOptions options) {
  DifficultyScore result;
  PuzzleState s = state;
  ExclusionTable removed;
  for (int c = 0; c < 81; ++c) removed.Mask[c] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[c]);
  CalcCandidates(s, removed);
  const ScoreOrder order = MakeScoreOrder();
  const double netFloor = Technique(TechniqueId::ContradictionNet).score;
  // The chain or almost-locked-set row of the last such step taken.
  const TechniqueRow* lastCostly = nullptr;
  bool stepTaken = false, placed = false;
  while (s.FilledCount < 81) {
    StepRecord step;
    const TechniqueRow* used = TakeEasiest(s, order, result.hardest, lastCostly, options, step);
    if (used == nullptr) break;
    // A net's score grows with its proof within its band, a unique loop's
    // with its length, a fish's with its size.
    const double stepScore = std::max(
        {used->score, steps::NetStepScore(step), LoopScore(*used, step), steps::FishStepScore(step)});
    if (stepScore > result.hardest) {
      result.hardest = stepScore;
      result.hardestTechnique = Index(used->id);
    }
    if (!stepTaken) result.firstStep = stepScore;
    stepTaken = true;
    if (!placed) {
      result.toFirstPlacement = std::max(result.toFirstPlacement, stepScore);
      placed = step.Kind == kPlaceValue;
    }
    if (used->score >= kChainFloor && used->score < netFloor) lastCostly = used;
    ApplyStep(s, step);
  }
  result.solved = s.FilledCount >= 81;
  result.cellsLeft = 81 - s.FilledCount;
  result.score = OneDecimal(result.hardest);
  if (!result.solved) result.score = UnfinishedScore(result.hardest, result.cellsLeft);
  result.firstStep = stepTaken ? OneDecimal(result.firstStep) : result.score;
  result.toFirstPlacement = placed ? OneDecimal(result.toFirstPlacement) : result.score;
  return result;
}

}  // namespace tavimoro
