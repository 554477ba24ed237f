// Validate runs one of two searches. With the step limit it runs the counted
// search, whose exact iteration count decides "took too long". Without the
// limit only the number of solutions (none, one, two or more) and the unique
// solution matter, so the quicker band solver answers instead. Both write
// back the same grid: a solution is written back only when it is unique.
//
// TrialPropagate keeps one copy of the record per recursion level on the
// stack; the record is small and the chains are shallow.
#include "engine/validate.h"

#include "engine/band_solver.h"
#include "engine/counted_search.h"

namespace tavimoro {
namespace {

using Grid = std::array<std::uint8_t, 81>;

// True when a digit is given twice in a row, column or block.
bool GivenTwice(const Grid& grid) {
  std::array<int, 27> seen{};
  for (int c = 0; c < 81; ++c) {
    if (grid[c] == 0) continue;
    const int bit = DigitBit(grid[c]);
    const int r = HouseOf(c, 0), col = HouseOf(c, 1), b = HouseOf(c, 2);
    if ((seen[r] | seen[col] | seen[b]) & bit) return true;
    seen[r] |= bit;
    seen[col] |= bit;
    seen[b] |= bit;
  }
  return false;
}

// "depth,cell,digit"
ChainText ChainHead(int depth, int cell, int digit) {
  ChainText head;
  head << depth << ',' << cell << ',' << digit;
  return head;
}

}  // namespace

std::string_view Validate(PuzzleState& state, bool limitSteps, bool allowFewGivens, bool keepPuzzle) {
  int givens = 0;
  bool unusual = false;
  for (const int value : state.Grid) {
    givens += value > 0;
    unusual |= value > 9;
  }
  if (givens < (allowFewGivens ? 1 : 17)) return kMultipleSolutions;

  Grid solution{};
  std::string_view verdict;
  if (limitSteps || unusual) {
    long iterations = 0;
    verdict = detail::CountedSearch(state.Grid, limitSteps ? kValidateStepLimit : 0, solution, iterations);
  } else if (GivenTwice(state.Grid)) {
    verdict = kRulesViolated;
  } else {
    const int count = detail::CountSolutionsUpToTwo(state.Grid, solution);
    verdict = count == 0 ? kNoSolution : count == 1 ? std::string_view() : kMultipleSolutions;
  }
  if (verdict.empty() && !keepPuzzle) state.Grid = solution;
  return verdict;
}

int FindContradictionOrSingles(const PuzzleState& state, SinglesTable& singles, ChainText& trace) {
  singles.fill(0);
  for (int c = 0; c < 81; ++c) {
    if (state.Grid[c] == 0 && state.CandCount[c] == 0) {
      trace.Clear();
      trace << "DONE: NOCAND " << c;
      return 0;
    }
  }
  bool found = false;
  for (int h = 0; h < 27; ++h) {
    for (int d = 1; d <= 9; ++d) {
      if (state.HouseHas(h, d)) continue;
      const int count = state.HouseCandCount(h, d);
      if (count == 0) {
        trace.Clear();
        trace << "DONE: BADHOUSE " << h << ',' << d;
        return 0;
      }
      if (count == 1) {
        for (const int c : CellsOfHouse(h)) {
          if (state.Cand(c, d)) {
            singles[c] = static_cast<std::uint8_t>(d);
            found = true;
            break;
          }
        }
        continue;
      }
      int nakedCells[9], n = 0;
      for (const int c : CellsOfHouse(h)) {
        if (state.Cand(c, d) && state.CandCount[c] == 1) nakedCells[n++] = c;
      }
      if (n >= 2) {
        trace.Clear();
        trace << "DONE: HOUSESINGLES " << h << ',' << d;
        for (int k = 0; k < n; ++k) trace << ',' << nakedCells[k];
        return 0;
      }
    }
  }
  return found ? 1 : -1;
}

ChainText TrialPropagate(PuzzleState& state, int cell, int digit, int maxDepth, int depth,
                         bool sameDigitOnly) {
  if (depth > maxDepth && maxDepth >= 1) return {};
  if (cell < 0 || cell > 80 || digit < 1 || digit > 9) return {};

  const PuzzleState entry = state;
  state.Grid[cell] = static_cast<std::uint8_t>(digit);
  CalcCandidates(state, NoExclusions);

  SinglesTable singles;
  ChainText trace;
  const int found = FindContradictionOrSingles(state, singles, trace);
  if (found == 0) {
    ChainText chain = ChainHead(depth, cell, digit);
    chain << "\r\n" << trace.view();
    return chain;
  }
  if (found == 1) {
    for (int c = 0; c < 81; ++c) {
      if (singles[c] == 0 || (sameDigitOnly && singles[c] != digit)) continue;
      const ChainText rest = TrialPropagate(state, c, singles[c], maxDepth, depth + 1, sameDigitOnly);
      if (rest.Contains("DONE")) {
        ChainText chain = ChainHead(depth, cell, digit);
        chain << "\r\n" << rest.view();
        return chain;
      }
    }
  }
  state = entry;
  return {};
}

}  // namespace tavimoro
