// A position where the ladder is stuck, for the tests of what comes after it.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "common/corpus.h"
#include "engine/step_apply.h"
#include "engine/step_finder.h"

namespace tavimoro::testing {

// The ladder gets stuck on this puzzle after 35 steps; the extension's first
// step there is a W-Wing on 5 and 8.
inline constexpr std::string_view kLadderStuckPuzzle =
    "...4..97..7..21.4....9.7..24.7.....639.....572.....4.87..1.2....1.39..6..35..6...";

// The puzzle solved by the ladder as far as it goes.
inline PuzzleState LadderStuckState(std::string_view puzzle = kLadderStuckPuzzle) {
  PuzzleState s = PuzzleFromString(puzzle);
  for (;;) {
    const StepRecord step = FindNextStep(s, kNoTechniqueLimit);
    if (!StepProgresses(s, step)) return s;
    ApplyStep(s, step);
  }
}

// Where the ladder gets stuck on each of the collection's first `limit`
// puzzles; the puzzles it solves are left out. Empty without the collection.
inline std::vector<PuzzleState> LadderStuckPositions(
    const std::string& collection, std::size_t limit = std::numeric_limits<std::size_t>::max()) {
  std::vector<PuzzleState> positions;
  const auto lines = CorpusLines(collection);
  for (std::size_t i = 0; i < lines.size() && i < limit; ++i) {
    const PuzzleState s = LadderStuckState(lines[i]);
    if (s.FilledCount < 81) positions.push_back(s);
  }
  return positions;
}

// The position's candidates as the pencil-mark text: 81 groups, each ending
// in "|", empty for a filled cell.
inline std::string PencilText(const PuzzleState& s) {
  std::string text;
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] == 0)
      for (int d = 1; d <= 9; ++d)
        if (s.Cand(c, d)) text += static_cast<char>('0' + d);
    text += '|';
  }
  return text;
}

}  // namespace tavimoro::testing
