// Validate's two searches against each other on arbitrary grids: the band
// solver (no step limit) must agree with the counted search wherever the
// latter decides within its limit, and write back the same solution. Bytes
// 1..81 give the cells (a byte's value mod 10 as the digit); a digit that
// would repeat in a house is left out unless byte 0 asks for the raw grid,
// so most inputs are searchable puzzles rather than broken ones. A trial
// placement then checks that TrialPropagate restores what it does not keep.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/validate.h"

using namespace tavimoro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool raw = data[0] & 1;
  const bool allowFewGivens = data[0] & 2;
  PuzzleState s;
  std::array<int, 27> used{};
  for (std::size_t c = 0; c < 81 && c + 1 < size; ++c) {
    const int d = data[c + 1] % 10;
    if (d == 0) continue;
    const int bit = DigitBit(d);
    const int cell = static_cast<int>(c);
    const bool repeats =
        ((used[HouseOf(cell, 0)] | used[HouseOf(cell, 1)] | used[HouseOf(cell, 2)]) & bit) != 0;
    if (repeats && !raw) continue;
    for (int t = 0; t < 3; ++t) used[HouseOf(cell, t)] |= bit;
    s.Grid[c] = static_cast<std::uint8_t>(d);
  }
  CalcCandidates(s);

  PuzzleState fast = s, counted = s;
  const auto fastVerdict = Validate(fast, false, allowFewGivens, false);
  const auto countedVerdict = Validate(counted, true, allowFewGivens, false);
  if (countedVerdict != kTookTooLong && (countedVerdict != fastVerdict || counted.Grid != fast.Grid))
    std::abort();

  for (int cell = 0; cell < 81; ++cell) {
    if (s.Grid[cell] != 0 || s.CandCount[cell] == 0) continue;
    int first = 0, second = 0;
    FirstTwoCandidates(s, cell, first, second);
    PuzzleState trial = s;
    const ChainText chain = TrialPropagate(trial, cell, first, 3, 1, false);
    if (chain.empty() && trial.Grid != s.Grid) std::abort();
    if (!chain.empty() && trial.Grid[cell] != first) std::abort();
    break;
  }
  return 0;
}
