// The forcing nets on the first positions of forum_hardest.txt where the
// ladder is stuck (the first 100 puzzles), one thread: the whole net rung
// sequence as the hint asks it, and the level-0 contradiction search alone.
// Items per second are positions searched per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/corpus.h"
#include "engine/step_finder.h"
#include "engine/steps/net_steps.h"

namespace tavimoro {
namespace {

std::vector<PuzzleState> StuckPositions() {
  std::vector<PuzzleState> states;
  const auto lines = testing::CorpusLines("forum_hardest.txt");
  for (std::size_t i = 0; i < lines.size() && i < 100; ++i) {
    PuzzleState s = PuzzleFromString(lines[i]);
    ExclusionTable exclusions;
    for (StepRecord step; (step = FindNextStep(s, kNoTechniqueLimit)).Kind != kNoStep;) {
      if (step.Kind == kPlaceValue) s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
      for (int c = 0; c < 81; ++c) exclusions.Mask[c] |= step.EliminateMask[c];
      CalcCandidates(s, exclusions);
    }
    if (s.FilledCount < 81) states.push_back(s);
  }
  return states;
}

template <bool (*Find)(const PuzzleState&, StepRecord&)>
void NetSearch(benchmark::State& bench) {
  const auto states = StuckPositions();
  if (states.empty()) {
    bench.SkipWithError("forum_hardest.txt not found");
    return;
  }
  for (auto _ : bench) {
    for (const auto& s : states) {
      StepRecord step;
      benchmark::DoNotOptimize(Find(s, step));
    }
  }
  bench.SetItemsProcessed(bench.iterations() * static_cast<long>(states.size()));
}

BENCHMARK(NetSearch<steps::FindForcingNetStep>)->Name("ForcingNetStep/forum_hardest")->Unit(benchmark::kMillisecond);
BENCHMARK(NetSearch<steps::FindContradictionNet>)->Name("ContradictionNet/forum_hardest")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimoro
