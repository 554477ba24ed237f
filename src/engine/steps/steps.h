// The rungs of the step finder's ladder. Each Find function reads the state,
// and when it accepts an instance fills `step` for that one instance and
// returns true; otherwise it leaves `step` untouched and returns false.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::steps {

// singles.cpp
bool FindNakedSingle(const PuzzleState& s, StepRecord& step);   // rung 0
bool FindHiddenSingle(const PuzzleState& s, StepRecord& step);  // rung 1

// naked_subsets.cpp: rung 2, and rungs 4 and 6 with size 3 and 4
bool FindNakedPair(const PuzzleState& s, StepRecord& step);
bool FindNakedSubset(const PuzzleState& s, StepRecord& step, int size);

// omission.cpp: rung 3, claiming and pointing
bool FindOmission(const PuzzleState& s, StepRecord& step);

// hidden_subsets.cpp: rung 5, and rungs 7 and 8 with size 3 and 4
bool FindHiddenPair(const PuzzleState& s, StepRecord& step);
bool FindHiddenSubset(const PuzzleState& s, StepRecord& step, int size);

// uniqueness.cpp: rungs 9, 12 and 15
bool FindBugType1(const PuzzleState& s, StepRecord& step);
bool FindUniqueRectangle(const PuzzleState& s, StepRecord& step);
bool FindBugType2(const PuzzleState& s, StepRecord& step);

// fish.cpp: rungs 10 and 11
bool FindXWing(const PuzzleState& s, StepRecord& step);
bool FindSwordfish(const PuzzleState& s, StepRecord& step);

// wings.cpp: rungs 13 and 14
bool FindXYWing(const PuzzleState& s, StepRecord& step);
bool FindXYZWing(const PuzzleState& s, StepRecord& step);

// chains.cpp: rungs 16 and 17. The list of tries is built by rung 16 and
// read again by rung 17 within one FindNextStep call.
struct ChainTries {
  struct Try {
    std::uint8_t cell, digit;
  };
  std::array<Try, 729> list{};
  int count = 0;
  bool built = false;
};
bool FindForcingChainType1(const PuzzleState& s, StepRecord& step, ChainTries& tries);
bool FindForcingChainType2(const PuzzleState& s, StepRecord& step, ChainTries& tries);

}  // namespace tavimoro::steps
