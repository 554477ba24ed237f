#include "engine/extended_solve.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "engine/ladder.h"
#include "engine/step_finder.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro {
namespace {

// The ladder's scores on the community's scale, rung by rung, then the
// rating of a puzzle the ladder cannot finish.
constexpr std::array<double, 19> kLadderScores = {2.3, 1.2, 3.0, 2.6, 3.6, 3.4, 5.0, 4.0, 5.4, 5.6,
                                                  3.2, 3.8, 4.5, 4.2, 4.4, 5.7, 6.6, 7.5, 9.0};

// True when the step changes the state: a placement of a digit, or the
// removal of at least one candidate.
bool Progresses(const PuzzleState& s, const StepRecord& step) {
  if (step.Kind == kPlaceValue) return step.Cell >= 0 && step.Value >= 1;
  if (step.Kind != kEliminate) return false;
  for (int c = 0; c < 81; ++c)
    if (step.EliminateMask[c] & s.CandMask[c]) return true;
  return false;
}

void Apply(const StepRecord& step, PuzzleState& s, ExclusionTable& removed) {
  if (step.Kind == kPlaceValue) {
    s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
  } else {
    for (int c = 0; c < 81; ++c) removed.Mask[c] = static_cast<std::uint16_t>(removed.Mask[c] | step.EliminateMask[c]);
  }
  CalcCandidates(s, removed);
}

}  // namespace

int TechniqueTotal() { return kComplexForcingChains + 1 + static_cast<int>(steps::PatternTechniques().size()); }

std::string_view TechniqueLabel(int technique) {
  if (technique >= 0 && technique <= kComplexForcingChains) return Techniques()[technique].name;
  for (const auto& t : steps::PatternTechniques())
    if (t.number == technique) return t.name;
  return {};
}

std::string TechniqueAnchor(int technique) {
  if (technique >= 0 && technique <= kComplexForcingChains) return std::string(Techniques()[technique].anchor);
  for (const auto& t : steps::PatternTechniques())
    if (t.number == technique) return std::string(t.anchor);
  return {};
}

int TechniqueFromName(std::string_view name) {
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (int t = 0; t < TechniqueTotal(); ++t)
    if (same(TechniqueLabel(t), name)) return t;
  return -1;
}

bool FindWithTechnique(const PuzzleState& state, int technique, StepRecord& step) {
  if (technique >= 0 && technique < kComplexForcingChains) {
    StepContext context;
    return Techniques()[technique].find(state, step, context);
  }
  for (const auto& t : steps::PatternTechniques())
    if (t.number == technique) return t.find(state, step);
  return false;
}

double TechniqueScore(int technique) {
  if (technique >= 0 && technique < static_cast<int>(kLadderScores.size())) return kLadderScores[technique];
  for (const auto& t : steps::PatternTechniques())
    if (t.number == technique) return t.score;
  return 0;
}

StepRecord FindExtendedStep(const PuzzleState& state) {
  const auto techniques = steps::PatternTechniques();
  // Techniques in order of score, the table's order among equal scores.
  std::array<int, 64> order{};
  const int n = static_cast<int>(std::min<std::size_t>(techniques.size(), order.size()));
  for (int i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.begin() + n,
                   [&](int a, int b) { return techniques[a].score < techniques[b].score; });
  StepRecord best;
  for (int i = 0; i < n;) {
    // All techniques of one score; the shortest chain among them wins.
    const double score = techniques[order[i]].score;
    for (; i < n && techniques[order[i]].score == score; ++i) {
      StepRecord step;
      if (!techniques[order[i]].find(state, step)) continue;
      if (best.Kind == kNoStep || step.Meaning.NodeCount < best.Meaning.NodeCount) best = step;
    }
    if (best.Kind != kNoStep) return best;
  }
  return best;
}

ExtendedSolve SolveExtended(const PuzzleState& state, int maxTechnique,
                            const std::function<void(const StepRecord&)>& onStep) {
  ExtendedSolve result;
  if (std::find(state.Grid.begin(), state.Grid.end(), 0) == state.Grid.end()) {
    result.solved = true;
    return result;
  }
  PuzzleState s = state;
  ExclusionTable removed;
  for (int c = 0; c < 81; ++c) removed.Mask[c] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[c]);
  CalcCandidates(s, removed);
  bool ladderStuck = false;
  double hardestScore = -1;
  auto use = [&](const StepRecord& step) {
    const double score = TechniqueScore(step.Technique);
    if (score > hardestScore) {
      hardestScore = score;
      result.hardest = step.Technique;
    }
    if (onStep) onStep(step);
    Apply(step, s, removed);
  };
  for (;;) {
    const StepRecord step = FindNextStep(s, maxTechnique);
    if (!ladderStuck) {
      // Counted exactly as Rate counts.
      if (step.Technique > 0 || step.Kind == kPlaceValue) ++result.counts[step.Technique];
      if (Progresses(s, step)) result.rating = std::max(result.rating, step.Technique);
    }
    if (Progresses(s, step)) {
      use(step);
    } else {
      if (!ladderStuck) {
        ladderStuck = true;
        result.rating = kComplexForcingChains;
        result.counts[kComplexForcingChains] = 1;
      }
      const StepRecord extended = FindExtendedStep(s);
      if (!Progresses(s, extended)) break;
      use(extended);
    }
    if (s.FilledCount >= 81) break;
  }
  result.solved = s.FilledCount >= 81;
  if (!result.solved) {
    result.hardest = kComplexForcingChains;
    hardestScore = std::max(hardestScore, kLadderScores[kComplexForcingChains]);
  }
  result.score = std::max(hardestScore, 0.0);
  return result;
}

}  // namespace tavimoro
