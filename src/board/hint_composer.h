// The hint panel's texts: ShowHint escalates one level per call and reads the
// level back from the panel's current text (a refreshed panel starts over),
// so it keeps no state of its own besides the board's LastHint and
// CellColors. Every text is built here; the window only shows it. The board
// runs it (Board::ShowHint) and it writes through the board's named
// operations (Select, Highlight, SetLastHint, SetPanel).
#pragma once

#include <string>
#include <string_view>

#include "board/phrases.h"
#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

class Board;

// The Hint action (toolbar button 7, the H key). In order: applies the hint
// on the panel when it offers "ApplyLastHint"; an invalid puzzle shows the
// analysis panel instead; a wrong pencil mark is reported first; with some
// empty cells unmarked, the visual clues (open single, visual elimination);
// with every cell marked, the next step of the ladder from the user's marks.
void ShowHint(Board& board);

// The hint of that level for a technique step (or "no further hint" for
// Kind 0), as ShowHint ends; Board::ExtendedStepFound shows a step searched
// for elsewhere through it.
void ShowStepHint(Board& board, const StepRecord& step, int level);

// A "SubProof ..." link of a nested net's hint: the sub-proof its node path
// leads to, with a link back and the apply link; an empty path shows the
// whole proof again.
void ShowSubProof(Board& board, std::string_view path);

// The panel while the step beyond the ladder is searched for.
std::string SearchingText();

// Case-sensitive match where "*" stands for any run of characters (the only
// wildcard the panel patterns use).
bool LikePattern(std::string_view text, std::string_view pattern);

// The three levels of a technique hint for a step that places a value,
// exposed for the tests. Level 3 does not end with the apply link.
std::string PlacementHintText(const StepRecord& step, int level);

// The three levels of a technique hint for a step that removes candidates,
// exposed for the tests. Level 3 describes the step fully; it does not end
// with the apply link. `position`, when given, is the position the step was
// found in, for the few texts that name candidates the record does not carry.
std::string EliminationHintText(const StepRecord& step, int level, const PuzzleState* position = nullptr);

// "a" or "an" for a technique name.
std::string_view ArticleFor(std::string_view name);

}  // namespace tavimoro
