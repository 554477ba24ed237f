// Technique ids: the ladder's rungs in the order FindNextStep tries them,
// easiest first, then the rating of a puzzle the ladder cannot finish. The
// numbers are those the rating, the trace and the help anchors print, so the
// ladder's order is also the order of difficulty. A technique added later
// takes the next free number, whatever its difficulty, so that the numbers
// already printed never change; the search beyond the ladder goes by score.
// Everything else known about a technique is in its row of the registry
// (technique_registry.h).
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
  // Beyond the ladder, asked only where it finds nothing.
  Skyscraper,
  TwoStringKite,
  TurbotFish,
  EmptyRectangle,
  SimpleColouring,
  WWing,
  RemotePair,
  UniqueRectangle2,
  UniqueRectangle3,
  UniqueRectangle4,
  UniqueRectangle5,
  UniqueRectangle6,
  HiddenRectangle,
  BugPlusN,
  Jellyfish,
  FinnedXWing,
  SashimiXWing,
  FinnedSwordfish,
  SashimiSwordfish,
  FinnedJellyfish,
  SashimiJellyfish,
  MultiColouring,
  SueDeCoq,
  XChain,
  XYChain,
  ContinuousNiceLoop,
  DiscontinuousNiceLoop,
  Aic,
  GroupedContinuousNiceLoop,
  GroupedDiscontinuousNiceLoop,
  GroupedAic,
  AlsXZ,
  AlsXYWing,
  AlsChain,
  DeathBlossom,
  ContradictionNet,
  CellNet,
  UnitNet,
  NestedNet,
  DoublyNestedNet,
  Trial,
  // Added after the trial; by score they sit among the unique rectangles.
  AvoidableRectangle1,
  AvoidableRectangle2,
  // Grouped chains and loops with almost locked sets as nodes.
  GroupedContinuousNiceLoopAls,
  GroupedDiscontinuousNiceLoopAls,
  GroupedAicAls,
  // Rectangle family and subsets in any house.
  HiddenTriple,
  HiddenQuadruple,
  UniqueLoop,
  // Fish with blocks among their sets (Franken) or any house (Mutant).
  FrankenFish,
  FinnedFrankenFish,
  MutantFish,
  FinnedMutantFish,
  // Dual kites and empty rectangles, templates, bent wings.
  DualTwoStringKite,
  DualEmptyRectangle,
  TemplateSet,
  TemplateDelete,
  WxyzWing,
  VwxyzWing,
  UvwxyzWing,
  TuvwxyzWing,
  StuvwxyzWing,
  RstuvwxyzWing,
  AlignedPairExclusion,
  AlignedTripleExclusion,
  // Kraken fish: finned fish joined to the fins' forcing nets.
  KrakenFish,
};

constexpr int Index(TechniqueId id) { return static_cast<int>(id); }

// The rungs are the ids before the stuck rating. The rating's tables (counts,
// the generator's ticks) have one entry per id up to the stuck rating, so
// that what the rating prints keeps its shape; techniques beyond the ladder
// take the ids after it, and the registry has a row for every id.
inline constexpr TechniqueId kStuckRating = TechniqueId::ComplexForcingChains;
inline constexpr int kLadderRungCount = Index(kStuckRating);
inline constexpr int kTechniqueCount = Index(kStuckRating) + 1;
inline constexpr TechniqueId kLastTechnique = TechniqueId::KrakenFish;
inline constexpr int kTechniqueRowCount = Index(kLastTechnique) + 1;

}  // namespace tavimoro
