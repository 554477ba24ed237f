// Practice by technique: random puzzles until one whose hardest step is the
// technique asked for, or until a fixed number of attempts says that such
// puzzles are too rare to be found this way.
#pragma once

#include <functional>
#include <string>

#include "engine/puzzle_state.h"
#include "generator/generate.h"

namespace tavimoro {

// The hardest technique a full solve of the puzzle uses (any numbering the
// caller likes), or -1 when the solve does not finish.
using HardestTechnique = std::function<int(const PuzzleState& puzzle)>;

inline constexpr long kPracticeAttemptLimit = 1000;

// The technique of the hardest step (by score) of the extended solve: the
// ladder's steps while it finds any, else the easiest step beyond it. The
// id's index, or -1 when the solve does not finish.
int HardestStepTechnique(const PuzzleState& puzzle);

struct PracticeResult {
  std::string Puzzle;  // 81 characters, "" when none was found
  long Attempts = 0;
  bool GaveUp = false;  // the attempt limit was reached without success
};

// Makes random minimal puzzles (with a clue in every house when forceOne)
// until hardestOf gives `technique`. Stops empty-handed after maxAttempts,
// when progress (told the attempts every fifth one) returns false, or when
// GenerationCancelled is set (which it clears).
PracticeResult GenerateForPractice(int technique, const HardestTechnique& hardestOf, bool forceOne,
                                   long maxAttempts = kPracticeAttemptLimit,
                                   const GenerationProgress& progress = {});

}  // namespace tavimoro
