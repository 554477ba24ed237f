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
};

}  // namespace tavimoro
