// What the search beyond the ladder may lean on. The defaults are the
// extended search's own; the ladder reads none of them, so its steps never
// depend on them.
#pragma once

namespace tavimoro {

struct SearchOptions {
  // Uniqueness patterns whose corners have already lost one of the two
  // digits: such a rectangle could still be completed into the swappable
  // pattern, so it is as deadly as a full one.
  bool missingCandidates = true;
  // The largest Franken and Mutant fish searched; 0 for the rows' own
  // limits (Franken 4, Mutant 3), which keep a search cheap enough to ask
  // at every position. A check of single cases may go up to 7.
  int largestCrossFish = 0;
};

}  // namespace tavimoro
