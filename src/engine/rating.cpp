// The logical solve: apply the easiest step the ladder offers until the grid
// is full or the ladder is exhausted. Rather than recompute every candidate
// with an exclusion table of the eliminations after each step, the solve
// updates only what the step touches (a placement: the cell and its 20
// peers). The state stays equal to what CalcCandidates with that table would
// give, at a fraction of the cost; a solve takes some sixty steps.
#include "engine/rating.h"

#include <algorithm>

#include "engine/step_finder.h"

namespace tavimoro {
namespace {

template <typename OnStep>
int Solve(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique, OnStep&& onStep) {
  counts.fill(0);
  if (std::find(state.Grid.begin(), state.Grid.end(), 0) == state.Grid.end()) return 0;
  PuzzleState s = state;
  // Candidates the caller has already removed stay removed; recomputing
  // once also makes a stale caller state consistent.
  ExclusionTable exclusions;
  for (int c = 0; c < 81; ++c) exclusions.Mask[c] = static_cast<std::uint16_t>(kAllDigits & ~s.CandMask[c]);
  CalcCandidates(s, exclusions);
  int hardest = 0;
  for (;;) {
    const StepRecord step = FindNextStep(s, maxTechnique);
    const int technique = Index(step.Technique);
    if (technique > 0 || step.Kind == kPlaceValue) ++counts[technique];
    if (step.Kind == kPlaceValue && step.Cell >= 0 && step.Value >= 1) {
      hardest = std::max(hardest, technique);
      onStep(step);
      PlaceDigit(s, step.Cell, step.Value);
      if (s.FilledCount >= 81) return hardest;
    } else if (step.Kind == kEliminate) {
      hardest = std::max(hardest, technique);
      onStep(step);
      bool removed = false;
      for (int c = 0; c < 81; ++c) {
        if (step.EliminateMask[c] == 0) continue;
        removed |= (step.EliminateMask[c] & s.CandMask[c]) != 0;
        DropCandidates(s, c, step.EliminateMask[c]);
      }
      // A step that removes nothing would repeat for ever: count it as stuck.
      if (!removed) break;
    } else {
      break;
    }
  }
  counts[Index(kStuckRating)] = 1;
  return Index(kStuckRating);
}

}  // namespace

int Rate(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique) {
  return Solve(state, counts, maxTechnique, [](const StepRecord&) {});
}

int Rate(const PuzzleState& state, TechniqueCounts& counts, int maxTechnique,
         const std::function<void(const StepRecord&)>& onStep) {
  return Solve(state, counts, maxTechnique, onStep);
}

int LevelMaxTechnique(int level) {
  if (level == kLevelCount) return -1;  // the custom level has no band
  // The bands are runs of the ladder's rows and the stuck rating.
  int highest = 0;
  for (const TechniqueRow& row : TechniqueRows().first(Index(kStuckRating) + 1))
    if (row.level == level) highest = Index(row.id);
  return highest;
}

int LevelOfRating(int rating) {
  const auto id = TechniqueFromNumber(rating);
  return id ? Technique(*id).level : rating < 0 ? 0 : kLevelCount - 1;
}

int SolveWithSingles(PuzzleState& state) {
  int filled = 0;
  auto place = [&](int cell, int digit) {
    PlaceDigit(state, cell, digit);
    ++filled;
  };
  CalcCandidates(state, NoExclusions);
  for (;;) {
    if (state.FilledCount >= 81) return filled;
    bool placed = false;
    // The last empty cell of a house.
    for (int h = 0; h < 27 && !placed; ++h) {
      if (state.EmptyCount[h] != 1) continue;
      for (int c : CellsOfHouse(h)) {
        if (state.Grid[c] != 0) continue;
        if (state.CandMask[c] != 0) {
          place(c, MaskDigit(LowestBit(state.CandMask[c])));
          placed = true;
        }
        break;
      }
    }
    // A digit with one place left in a house.
    for (int h = 0; h < 27 && !placed; ++h) {
      for (int d = 1; d <= 9 && !placed; ++d) {
        if (state.HouseCandCount(h, d) != 1) continue;
        for (int c : CellsOfHouse(h)) {
          if (state.Cand(c, d)) {
            place(c, d);
            placed = true;
            break;
          }
        }
      }
    }
    if (!placed) return filled;
  }
}

}  // namespace tavimoro
