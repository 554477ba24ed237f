// Forcing nets: the rungs after the almost locked sets, easiest first, and
// the stated trial that follows them. Each Find function reads the state and,
// when it accepts an instance, fills `step` and returns true; otherwise it
// leaves `step` untouched and returns false.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/technique_id.h"

namespace tavimoro::steps {

// The deepest nested level searches at most this many propagation runs per
// call before it gives up (and the trial answers): a few seconds at most.
inline constexpr long long kDoublyNestedRunLimit = 150000;

// What the contradiction batch learns at one position, for the contradiction
// net searched after it at the same position: per candidate (cell * 9 +
// digit - 1), the implications of its net's contradiction, 0 for none.
struct KnownContradictions {
  bool complete = false;  // every candidate of the position was tried
  std::array<std::uint16_t, 729> size{};
};

// One assumption that ends in a contradiction.
bool FindContradictionNet(const PuzzleState& s, StepRecord& step);
// The same, reading what a batch at this position learnt (when complete).
bool FindContradictionNet(const PuzzleState& s, StepRecord& step, const KnownContradictions& known);
// Every candidate of a cell forces the same.
bool FindCellNet(const PuzzleState& s, StepRecord& step);
// Every place of a digit in a house forces the same.
bool FindUnitNet(const PuzzleState& s, StepRecord& step);
// Any of them, with nets one level down (two for the doubly nested).
bool FindNestedNet(const PuzzleState& s, StepRecord& step);
bool FindDoublyNestedNet(const PuzzleState& s, StepRecord& step);
// An assumption shown to leave no solution.
bool FindTrial(const PuzzleState& s, StepRecord& step);

// The inner net behind node `node` of a nested net's meaning (a candidate
// removed by a net of its own): the supposition that the candidate holds,
// run one level below on the net's start position plus the facts listed
// before the node in its branch. Filled as a contradiction net (a nested
// net when it is itself nested) with its own start position; false when
// the node is no such candidate or the supposition does not break down
// there (a proof listed in part can lack what it needs).
bool FindInnerNet(const StepRecord& outer, int node, StepRecord& inner);

// The difficulty of one net step on the forum's scale: a net of the plain
// rules scores its technique's score (the band's floor) raised for each
// doubling of its proof; a nested net scores by the inferences of its proof
// and of the inner nets it needs together, at least its floor; a trial
// scores above every net. The figures are the registry's (kNetScoring in
// technique_registry.h). 0 for any other step.
double NetStepScore(const StepRecord& step);

// Every candidate whose assumption leads to a contradiction (level 0) with a
// proof that scores at most maxScore, removed in one step without a proof
// to show; false when there is none. For the difficulty score's solve, which
// may take at once every step of a score it has already paid for.
bool FindContradictionBatch(const PuzzleState& s, double maxScore, StepRecord& step);
// The same, recording every contradiction it meets in `known`.
bool FindContradictionBatch(const PuzzleState& s, double maxScore, StepRecord& step,
                            KnownContradictions& known);

// Every rung above in order, the first that finds a step.
bool FindForcingNetStep(const PuzzleState& s, StepRecord& step);

}  // namespace tavimoro::steps
