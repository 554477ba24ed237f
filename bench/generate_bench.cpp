// What a user waits for in the generator dialog: the time to an accepted
// puzzle per level and symmetry, over the fixed seeds 1..N (one puzzle per
// seed, one thread), reported as the median and 90th percentile with the
// attempt rate. Times are the thread's CPU time, so that other work on a
// shared machine does not inflate them. The two parts of an attempt, building a candidate and rating
// it, are timed apart to show where the time goes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

#include "engine/rating.h"
#include "generator/generate.h"
#include "generator/random.h"

namespace tavimoro {
namespace {

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
  return values[std::max<std::size_t>(rank, 1) - 1];
}

// Arguments: level, symmetry (0 none, 2 full). One iteration per seed.
void BM_GeneratePuzzle(benchmark::State& state) {
  GenerationRequest request;
  request.level = static_cast<GeneratorLevel>(state.range(0));
  request.symmetry = static_cast<Symmetry>(state.range(1));
  request.allowed = LevelAllowedTicks(request.level);
  std::vector<double> seconds;
  long attempts = 0;
  std::uint32_t seed = 0;
  for (auto _ : state) {
    InitGenRand(++seed);
    const double start = ThreadSeconds();
    const Generated generated = GeneratePuzzle(request);
    seconds.push_back(ThreadSeconds() - start);
    attempts += generated.Attempts;
    benchmark::DoNotOptimize(generated.Puzzle.data());
  }
  double total = 0;
  for (double s : seconds) total += s;
  state.counters["attempts"] = static_cast<double>(attempts) / static_cast<double>(seconds.size());
  state.counters["attempts/s"] = static_cast<double>(attempts) / total;
  state.counters["median_ms"] = 1000 * Percentile(seconds, 0.5);
  state.counters["p90_ms"] = 1000 * Percentile(seconds, 0.9);
}

BENCHMARK(BM_GeneratePuzzle)
    ->ArgNames({"level", "symmetry"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 2}})
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_GeneratePuzzle)
    ->ArgNames({"level", "symmetry"})
    ->ArgsProduct({{5}, {0, 2}})
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// Building one candidate: symmetry 0 is MakeRandomPuzzle, 2 MakeSymmetricPuzzle.
void BM_BuildCandidate(benchmark::State& state) {
  const int symmetry = static_cast<int>(state.range(0));
  InitGenRand(1);
  PuzzleState puzzle;
  for (auto _ : state) {
    if (symmetry == 0) {
      MakeRandomPuzzle(puzzle, true);
    } else {
      MakeSymmetricPuzzle(puzzle, true);
    }
    benchmark::DoNotOptimize(puzzle.Grid.data());
  }
}

BENCHMARK(BM_BuildCandidate)->ArgName("symmetry")->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

// Rating a candidate as level L does (the ladder cut at LevelMaxTechnique),
// over a fixed set of 200 built candidates.
void BM_RateCandidate(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const int symmetry = static_cast<int>(state.range(1));
  InitGenRand(1);
  std::vector<PuzzleState> candidates(200);
  for (auto& candidate : candidates) {
    if (symmetry == 0) {
      MakeRandomPuzzle(candidate, true);
    } else {
      MakeSymmetricPuzzle(candidate, true);
    }
  }
  std::size_t next = 0;
  TechniqueCounts counts{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(Rate(candidates[next], counts, LevelMaxTechnique(level)));
    next = (next + 1) % candidates.size();
  }
}

BENCHMARK(BM_RateCandidate)
    ->ArgNames({"level", "symmetry"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavimoro
