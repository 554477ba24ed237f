// The exhaustive searches: Validate decides whether a puzzle is proper and
// knows its solution; TrialPropagate follows the hidden singles that a trial
// digit forces, looking for a contradiction (used by the forcing chains).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/fixed_text.h"
#include "engine/puzzle_state.h"

namespace tavimoro {

inline constexpr std::string_view kMultipleSolutions = "Invalid puzzle - multiple solutions";
inline constexpr std::string_view kRulesViolated = "Invalid puzzle - basic rules violated";
inline constexpr std::string_view kTookTooLong = "Invalid puzzle - took too long";
inline constexpr std::string_view kNoSolution = "Invalid puzzle - no solution";
inline constexpr int kValidateStepLimit = 20000;

// "" when the puzzle has exactly one solution, otherwise one of the four
// messages above. limitSteps gives up after kValidateStepLimit iterations;
// allowFewGivens accepts 1 given instead of 17; unless keepPuzzle, a unique
// solution is written into state.Grid (the other fields keep their entry
// values). On any message the state is unchanged.
std::string_view Validate(PuzzleState& state, bool limitSteps, bool allowFewGivens, bool keepPuzzle);

using ChainText = FixedText<1023>;
using SinglesTable = std::array<std::uint8_t, 81>;  // cell -> digit, 0 = none

// 0: a contradiction (trace set); 1: at least one hidden single recorded in
// singles; -1: neither. Reads the candidate fields, which must be fresh.
int FindContradictionOrSingles(const PuzzleState& state, SinglesTable& singles, ChainText& trace);

// Places digit in cell and follows the resulting hidden singles up to
// maxDepth (unbounded when maxDepth <= 0), only those of the same digit when
// sameDigitOnly. Returns "" when no contradiction was found (state restored),
// else the chain: one "depth,cell,digit" line per placement, then the
// "DONE: ..." line, joined by CR LF (state keeps the chain's placements).
ChainText TrialPropagate(PuzzleState& state, int cell, int digit, int maxDepth, int depth,
                         bool sameDigitOnly);

}  // namespace tavimoro
