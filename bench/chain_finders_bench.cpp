// The chain and almost-locked-set finders on the positions where the ladder
// gets stuck in top1465, one thread. Each finder is run alone on every such
// position, found or not; items per second are positions searched per
// second.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/corpus.h"
#include "common/stuck_position.h"
#include "engine/step_finder.h"
#include "engine/steps/chain_steps.h"

namespace tavimoro {
namespace {

void ChainFinder(benchmark::State& state, bool (*find)(const PuzzleState&, StepRecord&)) {
  static const std::vector<PuzzleState> positions = testing::LadderStuckPositions("top1465.txt");
  if (positions.empty()) {
    state.SkipWithError("collection not found: top1465.txt");
    return;
  }
  int found = 0;
  for (auto _ : state) {
    found = 0;
    for (const auto& s : positions) {
      StepRecord step;
      found += find(s, step);
      benchmark::DoNotOptimize(step);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
  state.counters["found"] = found;
}

BENCHMARK_CAPTURE(ChainFinder, XChain, steps::FindXChain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, XYChain, steps::FindXYChain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, ContinuousNiceLoop, steps::FindContinuousNiceLoop)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, DiscontinuousNiceLoop, steps::FindDiscontinuousNiceLoop)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, Aic, steps::FindAlternatingInferenceChain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, GroupedContinuousNiceLoop, steps::FindGroupedContinuousNiceLoop)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, GroupedDiscontinuousNiceLoop, steps::FindGroupedDiscontinuousNiceLoop)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, GroupedAic, steps::FindGroupedAlternatingInferenceChain)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, AlsXZ, steps::FindAlsXZ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, AlsXYWing, steps::FindAlsXYWing)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, AlsChain, steps::FindAlsChain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChainFinder, DeathBlossom, steps::FindDeathBlossom)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimoro
