#include "engine/difficulty_score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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
  auto take = [&](const TechniqueRow* row) {
    StepRecord found;
    if (!row->find(s, found, context) || !StepProgresses(s, found)) return false;
    step = found;
    used = row;
    return true;
  };
  // A Franken or Mutant fish larger than its row's smallest scores above
  // the row, so each size is asked only when its score is reached: the
  // rows below it have found nothing by then, and most positions never get
  // that far. Asks of equal score go in row order, before the rows of that
  // score.
  struct SizedAsk {
    const TechniqueRow* row;
    int size;
    double score;
    int order;
  };
  std::array<SizedAsk, 8> asks{};
  int askCount = 0;
  auto askSized = [&](const SizedAsk& ask) {
    StepRecord found;
    if (steps::FindSizedFish(s, ask.row->id, ask.size, found)) {
      if (!StepProgresses(s, found)) return false;
      step = found;
      used = ask.row;
      return true;
    }
    if (ask.size < steps::SizedFishRowMaxSize(ask.row->id) && askCount < static_cast<int>(asks.size()))
      asks[askCount++] = {ask.row, ask.size + 1, steps::SizedFishScore(ask.row->id, ask.size + 1), ask.order};
    return false;
  };
  // Runs the waiting asks of scores up to `score`, lowest score first.
  auto runAsks = [&](double score) {
    while (askCount > 0) {
      int next = 0;
      for (int i = 1; i < askCount; ++i)
        if (asks[i].score < asks[next].score ||
            (asks[i].score == asks[next].score && asks[i].order < asks[next].order))
          next = i;
      if (asks[next].score > score) return false;
      const SizedAsk ask = asks[next];
      asks[next] = asks[--askCount];
      if (askSized(ask)) return true;
    }
    return false;
  };
  // Before the costly searches, the steps that cannot raise the score
  // reached (any order of them ends at the same score): with a net paid
  // for, every contradiction it covers at once; else the kind of chain
  // that was found last, which often goes on finding.
  const TechniqueRow* triedFirst = nullptr;
  bool costlyReached = false;
  for (int i = 0; i < order.count && used == nullptr; ++i) {
    const TechniqueRow* row = order.rows[i];
    if (runAsks(row->score)) break;
    if (!costlyReached && row->score >= kChainFloor) {
      costlyReached = true;
      if (hardest >= netFloor && steps::FindContradictionBatch(s, hardest, step, context.Contradictions()))
        return &Technique(TechniqueId::ContradictionNet);
      if (lastCostly != nullptr && lastCostly->score <= hardest) {
        triedFirst = lastCostly;
        if (take(lastCostly)) break;
      }
    }
    if (row == triedFirst) continue;
    if (steps::SizedFishRowMaxSize(row->id) > 0) {
      askSized({row, 2, row->score, i});
    } else {
      take(row);
    }
  }
  if (used == nullptr) runAsks(std::numeric_limits<double>::infinity());
  return used;
}

}  // namespace

StepRecord FindEasiestStep(const PuzzleState& state, SearchOptions options) {
  StepRecord step;
  if (TakeEasiest(state, MakeScoreOrder(), 0, nullptr, options, step) == nullptr) return StepRecord{};
  return step;
}

double UnfinishedScore(double hardest, int cellsLeft) {
  const UnfinishedScoring& u = kUnfinishedScoring;
  return OneDecimal(std::max(Technique(kStuckRating).score, hardest) +
                    u.perCells * std::clamp(cellsLeft / u.cells, 0, u.maxSteps));
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
