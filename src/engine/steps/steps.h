// The finders of the ladder's rungs (the registry says which rung each is).
// Each Find function reads the state, and when it accepts an instance fills
// `step` for that one instance, its meaning block included, and returns
// true; otherwise it leaves `step` untouched and returns false.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::steps {

// singles.cpp
bool FindNakedSingle(const PuzzleState& s, StepRecord& step);
bool FindHiddenSingle(const PuzzleState& s, StepRecord& step);

// naked_subsets.cpp: the pair, and the triplet and quad with size 3 and 4
bool FindNakedPair(const PuzzleState& s, StepRecord& step);
bool FindNakedSubset(const PuzzleState& s, StepRecord& step, int size);

// omission.cpp: claiming and pointing
bool FindOmission(const PuzzleState& s, StepRecord& step);

// hidden_subsets.cpp: the pair, and the triplet and quad with size 3 and 4
bool FindHiddenPair(const PuzzleState& s, StepRecord& step);
bool FindHiddenSubset(const PuzzleState& s, StepRecord& step, int size);

// uniqueness.cpp: BUG types 1 and 2, unique rectangle
bool FindBugType1(const PuzzleState& s, StepRecord& step);
bool FindUniqueRectangle(const PuzzleState& s, StepRecord& step);
bool FindBugType2(const PuzzleState& s, StepRecord& step);

// fish.cpp
bool FindXWing(const PuzzleState& s, StepRecord& step);
bool FindSwordfish(const PuzzleState& s, StepRecord& step);

// wings.cpp
bool FindXYWing(const PuzzleState& s, StepRecord& step);
bool FindXYZWing(const PuzzleState& s, StepRecord& step);

// chains.cpp. The list of tries is built by Type 1 and read again by Type 2
// within one FindNextStep call.
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
