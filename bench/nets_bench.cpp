// The forcing nets on the first positions of forum_hardest.txt where the
// ladder is stuck (the first 100 puzzles), one thread: the whole net rung
// sequence as the hint asks it, and the level-0 contradiction search alone.
// Items per second are positions searched per second.
//
// NetSolve solves every fourth puzzle of forum_hardest.txt with the ladder
// and then the nets, and reports the CPU time per puzzle (median and 90th
// percentile, in seconds) and the share of stuck positions whose net search
// took under a second.
//
// HintSearch walks the same puzzles as the hint does (the ladder, then the
// easiest step beyond it) and times every position's search: the 99th
// percentile, the slowest and the share under a second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "common/corpus.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"
#include "engine/step_apply.h"
#include "engine/step_finder.h"
#include "engine/steps/net_steps.h"

namespace tavimoro {
namespace {

template <bool (*Find)(const PuzzleState&, StepRecord&)>
void NetSearch(benchmark::State& bench) {
  const auto states = testing::LadderStuckPositions("forum_hardest.txt", 100);
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

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void NetSolve(benchmark::State& bench) {
  const auto lines = testing::CorpusLines("forum_hardest.txt");
  if (lines.empty()) {
    bench.SkipWithError("forum_hardest.txt not found");
    return;
  }
  std::vector<double> puzzleTimes, stepTimes;
  for (auto _ : bench) {
    puzzleTimes.clear();
    stepTimes.clear();
    for (std::size_t i = 0; i < lines.size(); i += 4) {
      const double start = ThreadSeconds();
      PuzzleState s = PuzzleFromString(lines[i]);
      ExclusionTable exclusions;
      while (s.FilledCount < 81) {
        StepRecord step = FindNextStep(s, kNoTechniqueLimit);
        if (step.Kind == kNoStep) {
          const double stepStart = ThreadSeconds();
          if (!steps::FindForcingNetStep(s, step)) break;
          stepTimes.push_back(ThreadSeconds() - stepStart);
        }
        if (step.Kind == kPlaceValue) s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
        for (int c = 0; c < 81; ++c) exclusions.Mask[c] |= step.EliminateMask[c];
        CalcCandidates(s, exclusions);
      }
      puzzleTimes.push_back(ThreadSeconds() - start);
    }
  }
  std::sort(puzzleTimes.begin(), puzzleTimes.end());
  bench.counters["puzzles"] = static_cast<double>(puzzleTimes.size());
  bench.counters["median_s"] = puzzleTimes[puzzleTimes.size() / 2];
  bench.counters["p90_s"] = puzzleTimes[puzzleTimes.size() * 9 / 10];
  bench.counters["max_s"] = puzzleTimes.back();
  const auto quick = std::count_if(stepTimes.begin(), stepTimes.end(), [](double t) { return t < 1.0; });
  bench.counters["steps"] = static_cast<double>(stepTimes.size());
  bench.counters["steps_under_1s"] =
      static_cast<double>(quick) / static_cast<double>(std::max<std::size_t>(stepTimes.size(), 1));
}

void HintSearch(benchmark::State& bench) {
  const auto lines = testing::CorpusLines("forum_hardest.txt");
  if (lines.empty()) {
    bench.SkipWithError("forum_hardest.txt not found");
    return;
  }
  std::vector<double> times;
  for (auto _ : bench) {
    times.clear();
    for (std::size_t i = 0; i < lines.size(); i += 4) {
      PuzzleState s = PuzzleFromString(lines[i]);
      while (s.FilledCount < 81) {
        const double start = ThreadSeconds();
        StepRecord step = FindNextStep(s, kNoTechniqueLimit);
        if (step.Kind == kNoStep) step = FindExtendedStep(s);
        times.push_back(ThreadSeconds() - start);
        if (!StepProgresses(s, step)) break;
        ApplyStep(s, step);
      }
    }
  }
  std::sort(times.begin(), times.end());
  bench.counters["positions"] = static_cast<double>(times.size());
  bench.counters["p99_s"] = times[times.size() * 99 / 100];
  bench.counters["max_s"] = times.back();
  const auto quick = std::count_if(times.begin(), times.end(), [](double t) { return t < 1.0; });
  bench.counters["under_1s"] = static_cast<double>(quick) / static_cast<double>(times.size());
}

BENCHMARK(HintSearch)->Name("HintSearch/forum_hardest_every_4th")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(NetSolve)->Name("NetSolve/forum_hardest_every_4th")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(NetSearch<steps::FindForcingNetStep>)
    ->Name("ForcingNetStep/forum_hardest")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(NetSearch<steps::FindContradictionNet>)
    ->Name("ContradictionNet/forum_hardest")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimoro
