// Puzzles written into the tests (so that they run without the shared
// collections), and a field-by-field comparison of two records.
#pragma once

#include "engine/puzzle_state.h"

namespace tavimoro::testing {

// A solved grid, and the same grid with five cells of its first row open:
// singles alone finish it.
inline constexpr const char* kSolvedGrid =
    "123456789456789123789123456214365897365897214897214365531642978642978531978531642";
inline constexpr const char* kSinglesOnly =
    "1.3.5.7.9456789123789123456214365897365897214897214365531642978642978531978531642";
// The first puzzle of top1465: techniques up to 8 get stuck after a few steps.
inline constexpr const char* kTop1465First =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
// Two 17-clue puzzles with their solutions: the counted search needs more
// than its step limit for kSlow17, far fewer for kEasy17.
inline constexpr const char* kSlow17 =
    ".................1.....2.3...2...4....3.5......46....7.5.1......8.....2..9.76....";
inline constexpr const char* kSlow17Solution =
    "139547862725386941648912735562871493973254618814639257456128379387495126291763584";
inline constexpr const char* kEasy17 =
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...";
inline constexpr const char* kEasy17Solution =
    "953168742862734951417952836746893125281645397395271468138529674574386219629417583";

inline bool SameRecord(const PuzzleState& a, const PuzzleState& b) {
  return a.FilledCount == b.FilledCount && a.Grid == b.Grid && a.HouseHasMask == b.HouseHasMask &&
         a.EmptyCount == b.EmptyCount && a.CandCount == b.CandCount && a.CandMask == b.CandMask &&
         a.HouseDigitCount == b.HouseDigitCount;
}

}  // namespace tavimoro::testing
