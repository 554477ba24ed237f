// Techniques beyond the ladder, stages one to four: single-digit patterns,
// small wings, rectangles (unique and avoidable) and the BUG, larger and
// finned fish, colouring and Sue de Coq. Each finder has the rungs'
// contract: it reads the state, and when it accepts an instance fills `step`
// for that one instance (Kind 1 or 2, colours, lines, the Meaning block, a
// trace text) and returns true; otherwise it leaves `step` untouched and
// returns false. Every finder scans in a fixed order, so the same state
// always gives the same step.
#pragma once

#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/technique_id.h"

namespace tavimoro::steps {

// The two colours of a colouring cluster (and of the two sides of a chain).
inline constexpr std::uint32_t FirstColour = PatternColour;
inline constexpr std::uint32_t SecondColour = 0x80FF80;
// The fins of a finned fish.
inline constexpr std::uint32_t FinColour = 0x80C0FF;

// single_digit_patterns.cpp
bool FindSkyscraper(const PuzzleState& s, StepRecord& step);
bool FindTwoStringKite(const PuzzleState& s, StepRecord& step);
bool FindTurbotFish(const PuzzleState& s, StepRecord& step);
bool FindEmptyRectangle(const PuzzleState& s, StepRecord& step);

// colouring.cpp
bool FindSimpleColouring(const PuzzleState& s, StepRecord& step);
bool FindMultiColouring(const PuzzleState& s, StepRecord& step);

// small_wings.cpp
bool FindWWing(const PuzzleState& s, StepRecord& step);
bool FindRemotePair(const PuzzleState& s, StepRecord& step);

// rectangles.cpp: types 2 to 6 and the hidden rectangle, then BUG+n. With
// missingCandidates a corner may have lost one of the rectangle's digits.
bool FindUniqueRectangleType(const PuzzleState& s, StepRecord& step, TechniqueId type,
                             bool missingCandidates);
bool FindHiddenRectangle(const PuzzleState& s, StepRecord& step, bool missingCandidates);
bool FindBugPlusN(const PuzzleState& s, StepRecord& step);

// avoidable_rectangles.cpp: types 1 and 2, on the cells the state marks as
// entered (never where a corner is a given)
bool FindAvoidableRectangle(const PuzzleState& s, StepRecord& step);
bool FindAvoidableRectangle2(const PuzzleState& s, StepRecord& step);

// unique_loops.cpp: rings of six or more cells on two digits, types 1 to 4
bool FindUniqueLoop(const PuzzleState& s, StepRecord& step);

// hidden_subsets.cpp: a hidden triple (size 3) or quadruple (4) in any
// house, where the ladder's rungs look only in crowded ones
bool FindHiddenSubsetAnywhere(const PuzzleState& s, StepRecord& step, int size);

// fish_shapes.cpp: the basic Jellyfish, finned or sashimi fish of size 2 to
// 4, and Franken and Mutant fish, plain or finned, the smallest first. A
// Franken or Mutant step's score grows with its size: FishStepScore gives
// it (0 for any other step).
bool FindJellyfish(const PuzzleState& s, StepRecord& step);
bool FindFinnedFish(const PuzzleState& s, StepRecord& step, int size, bool sashimi);
// `largest`: the largest size searched, 0 for the row's own (Franken 4,
// Mutant 3).
bool FindFrankenFish(const PuzzleState& s, StepRecord& step, bool finned, int largest = 0);
bool FindMutantFish(const PuzzleState& s, StepRecord& step, bool finned, int largest = 0);
double FishStepScore(const StepRecord& step);
// The Franken and Mutant rows one size at a time, for a search that asks
// each size only when its score is reached: the largest size a row takes
// (0 for any other row), a size's score, and the first fish of that size.
int SizedFishRowMaxSize(TechniqueId id);
double SizedFishScore(TechniqueId id, int size);
bool FindSizedFish(const PuzzleState& s, TechniqueId id, int size, StepRecord& step);

// sue_de_coq.cpp
bool FindSueDeCoq(const PuzzleState& s, StepRecord& step);

}  // namespace tavimoro::steps
