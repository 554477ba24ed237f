// Technique ids: the ladder's rungs in the order FindNextStep tries them,
// easiest first, then the rating of a puzzle the ladder cannot finish. The
// numbers are those the rating, the trace and the help anchors print, so the
// ladder's order is also the order of difficulty. Everything else known
// about a technique is in its row of the registry (technique_registry.h).
#pragma once

#include <cstdint>

namespace tavimoro {

enum class TechniqueId : std::uint8_t {
  NakedSingle,
  HiddenSingle,
  NakedPair,
  Omission,
  NakedTriplet,
  HiddenPair,
  NakedQuad,
  HiddenTriplet,
  HiddenQuad,
  BugType1,
  XWing,
  Swordfish,
  UniqueRectangle1,
  XYWing,
  XYZWing,
  BugType2,
  ForcingChain1,
  ForcingChain2,
  ComplexForcingChains,  // not a rung: the rating of a puzzle the ladder cannot finish
};

constexpr int Index(TechniqueId id) { return static_cast<int>(id); }

// The rungs are the ids before the stuck rating; a table per technique
// (counts, ticks) has one entry per id. Techniques beyond the ladder take
// ids after the stuck rating, and the count grows with them.
inline constexpr TechniqueId kStuckRating = TechniqueId::ComplexForcingChains;
inline constexpr int kLadderRungCount = Index(kStuckRating);
inline constexpr int kTechniqueCount = Index(kStuckRating) + 1;

}  // namespace tavimoro
