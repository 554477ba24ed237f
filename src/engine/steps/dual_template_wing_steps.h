// Patterns that take two single-digit chains at once, the templates of a
// digit, and the bent wings of four or more cells. The finders have the
// rungs' contract (pattern_steps.h): they read the state and fill `step`
// for the first instance they accept, or leave it untouched.
#pragma once

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::steps {

// dual_patterns.cpp: two 2-String Kites, or two Empty Rectangles, that
// share their block's cells; the step takes the eliminations of both.
bool FindDualTwoStringKite(const PuzzleState& s, StepRecord& step);
bool FindDualEmptyRectangle(const PuzzleState& s, StepRecord& step);

// templates.cpp: a template is one way of placing all nine of a digit, one
// in every row, column and block. Of the templates that fit the placed
// digits and the candidates, Template Set places the digit in a cell that
// every one of them uses, and Template Delete removes it from the cells
// that none of them uses.
bool FindTemplateSet(const PuzzleState& s, StepRecord& step);
bool FindTemplateDelete(const PuzzleState& s, StepRecord& step);

// bent_wings.cpp: `size` cells (4 to 9) of two houses that cross, holding
// `size` digits, all but one of them confined to cells that see each
// other; the other digit goes from the cells that see all its places in
// the set.
bool FindBentWing(const PuzzleState& s, StepRecord& step, int size);

// aligned_exclusion.cpp: two (three) unsolved cells; a way of filling them
// that repeats a digit in cells that see each other, or takes every
// candidate of a cell that sees them, is ruled out, and a candidate no
// remaining way uses goes. The base cells are the step's blue cells; the
// cells that ruled ways out are its meaning's one-cell sets (Als).
bool FindAlignedPairExclusion(const PuzzleState& s, StepRecord& step);
bool FindAlignedTripleExclusion(const PuzzleState& s, StepRecord& step);

}  // namespace tavimoro::steps
