// Techniques beyond the ladder built on chains of inferences and on almost
// locked sets (their rows are in the technique registry). Each Find function reads the state and, when it
// accepts an instance, fills `step` for that one instance (the shortest chain it knows, then the first in its
// fixed scan order) and returns true; otherwise it leaves `step` untouched and returns false.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::steps {

// chains_aic.cpp: one link graph of candidates (grouped nodes and almost
// locked sets where the technique admits them), searched breadth first.
bool FindXChain(const PuzzleState& s, StepRecord& step);
bool FindXYChain(const PuzzleState& s, StepRecord& step);
bool FindContinuousNiceLoop(const PuzzleState& s, StepRecord& step);
bool FindDiscontinuousNiceLoop(const PuzzleState& s, StepRecord& step);
bool FindAlternatingInferenceChain(const PuzzleState& s, StepRecord& step);
bool FindGroupedContinuousNiceLoop(const PuzzleState& s, StepRecord& step);
bool FindGroupedDiscontinuousNiceLoop(const PuzzleState& s, StepRecord& step);
bool FindGroupedAlternatingInferenceChain(const PuzzleState& s, StepRecord& step);
bool FindAlsChain(const PuzzleState& s, StepRecord& step);
// The grouped forms again, each chain passing through at least one almost
// locked set.
bool FindGroupedContinuousNiceLoopAls(const PuzzleState& s, StepRecord& step);
bool FindGroupedDiscontinuousNiceLoopAls(const PuzzleState& s, StepRecord& step);
bool FindGroupedAlternatingInferenceChainAls(const PuzzleState& s, StepRecord& step);

// als.cpp. ALS-XZ and ALS-XY-Wing fill the Meaning as the chains they are
// (z in A = x in A - x in B = z in B, and the same through a pivot set);
// Death Blossom sets Pivot to the stem and lists its nodes in threes, one
// three per stem digit d: d in the stem - d in the petal = z in the petal
// (the link after each three joins nothing).
bool FindAlsXZ(const PuzzleState& s, StepRecord& step);
bool FindAlsXYWing(const PuzzleState& s, StepRecord& step);
bool FindDeathBlossom(const PuzzleState& s, StepRecord& step);

}  // namespace tavimoro::steps
