// The status panel: whether the board is empty, solved or invalid (with the
// wrong entry marked pink), or the offer of an analysis / the analysis
// itself; it also sets the Clear, Solution and Hint controls and the status
// light. Toolkit-free; the board runs it (Board::UpdateStatus, and every
// redraw with status) and it writes through the board's named operations.
#pragma once

#include <span>
#include <string>

#include "engine/puzzle_state.h"
#include "engine/rating.h"
#include "engine/search_options.h"

namespace tavimoro {

class Board;

// Rewrites the panel. With withAnalysis, or while "Always show analysis" is
// ticked, a valid unsolved board shows BuildAnalysis (after "Analyzing...").
void UpdateStatus(Board& board, bool withAnalysis);

// The engine state of the values, the user's marks taken as eliminations
// when PencilCheck trusts them: all marks right and complete, every empty
// cell excludes what it has no mark for; right but incomplete, only the
// marked cells do; otherwise nothing is excluded.
PuzzleState GetAnalysisState(const Board& board);

// Difficulty, the techniques needed (three to a row when more than three),
// the techniques beyond the ladder when it gets stuck and the option is
// ticked, the unsolved cells and how far singles alone get.
std::string BuildAnalysis(const Board& board);
// BuildAnalysis in its three parts: the head (rating and techniques), the
// part beyond the ladder ("" when it has none) and the tail (unsolved
// cells); withExtended says whether the part beyond the ladder belongs in.
struct AnalysisParts {
  std::string head, tail;
  bool withExtended = false;
  PuzzleState state;
};
AnalysisParts AnalysisPartsOf(const Board& board);
// The placeholder for the part beyond the ladder while it is worked out.
std::string AnalysisSearchingText();

// The analysis's technique table: every technique used, ascending, as a
// link with " (n)" when used twice or more; up to three in one row, more
// wrap into rows of three.
std::string TechniqueTable(const TechniqueCounts& counts);
// The same table for counts indexed from technique number firstTechnique.
std::string TechniqueTable(std::span<const int> counts, int firstTechnique);

// Where the ladder gets stuck: the techniques beyond it that the solve goes
// on with, with their counts, whether they finish it, and the difficulty
// score. Appended to the analysis while "Techniques beyond the ladder" is
// ticked.
std::string ExtendedAnalysis(const PuzzleState& state, SearchOptions options = {});

// The lowest cell holding an entered digit whose removal makes the puzzle
// valid; -1 when no single entry explains the error.
int FindWrongEntry(const Board& board);
// Colours that cell pink and redraws without status; false when none.
bool MarkWrongEntry(Board& board);

// "Beginner" .. "Genius" for the levels 0..5 of the generator; "" otherwise.
std::string LevelCaption(int level);

}  // namespace tavimoro
