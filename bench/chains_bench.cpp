// The forcing-chain rungs on top1465, one thread: the rung as built (lean
// propagation board) against the same search written plainly on
// TrialPropagate with a fresh copy of the state for every try. Two sets of
// positions: the start positions (a chain is usually found among the first
// tries) and the positions where the ladder gets stuck (every try is
// followed and fails). Items per second are positions searched per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/corpus.h"
#include "common/stuck_position.h"
#include "engine/step_finder.h"
#include "engine/steps/steps.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

std::vector<PuzzleState> Positions(bool stuck) {
  if (stuck) return testing::LadderStuckPositions("top1465.txt");
  std::vector<PuzzleState> states;
  for (const auto& line : testing::CorpusLines("top1465.txt")) states.push_back(PuzzleFromString(line));
  return states;
}

bool PlainChain(const PuzzleState& s, bool type1) {
  PuzzleState solved = s;
  Validate(solved, false, false, false);
  for (int n = 2; n <= 9; ++n) {
    for (int c = 0; c < 81; ++c) {
      if (s.CandCount[c] != n) continue;
      for (int d = 1; d <= 9; ++d) {
        if (!s.Cand(c, d) || solved.Grid[c] == d) continue;
        PuzzleState trial = s;
        if (!TrialPropagate(trial, c, d, type1 ? 2 : 3, 1, type1).empty()) return true;
      }
    }
  }
  return false;
}

void ForcingChain(benchmark::State& state, bool type1, bool lean, bool stuck) {
  const auto positions = Positions(stuck);
  if (positions.empty()) {
    state.SkipWithError("collection not found: top1465.txt");
    return;
  }
  int found = 0;
  for (auto _ : state) {
    found = 0;
    for (const auto& s : positions) {
      if (lean) {
        StepRecord step;
        steps::ChainTries tries;
        found += type1 ? steps::FindForcingChainType1(s, step, tries)
                       : steps::FindForcingChainType2(s, step, tries);
      } else {
        found += PlainChain(s, type1);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
  state.counters["found"] = found;
}

BENCHMARK_CAPTURE(ForcingChain, start_type1_lean, true, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, start_type1_plain, true, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, start_type2_lean, false, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, start_type2_plain, false, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, stuck_type1_lean, true, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, stuck_type1_plain, true, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, stuck_type2_lean, false, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForcingChain, stuck_type2_plain, false, false, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimoro
