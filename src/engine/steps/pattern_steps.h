// Techniques beyond the ladder, stages one to four: single-digit patterns,
// small wings, rectangles and the BUG, larger and finned fish, colouring and
// Sue de Coq. Each finder has the rungs' contract: it reads the state, and
// when it accepts an instance fills `step` for that one instance (Kind 1 or
// 2, colours, lines, the Meaning block, a trace text) and returns true;
// otherwise it leaves `step` untouched and returns false. Every finder scans
// in a fixed order, so the same state always gives the same step.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::steps {

// Technique numbers of this group, after the ladder's 0..18.
enum PatternTechnique : int {
  kSkyscraper = 19,
  kTwoStringKite,
  kTurbotFish,
  kEmptyRectangle,
  kSimpleColouring,
  kWWing,
  kRemotePair,
  kUniqueRectangle2,
  kUniqueRectangle3,
  kUniqueRectangle4,
  kUniqueRectangle5,
  kUniqueRectangle6,
  kHiddenRectangle,
  kBugPlusN,
  kJellyfish,
  kFinnedXWing,
  kSashimiXWing,
  kFinnedSwordfish,
  kSashimiSwordfish,
  kFinnedJellyfish,
  kSashimiJellyfish,
  kMultiColouring,
  kSueDeCoq,
};

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

// rectangles.cpp: types 2 to 6 and the hidden rectangle, then BUG+n
bool FindUniqueRectangleType(const PuzzleState& s, StepRecord& step, int technique);
bool FindHiddenRectangle(const PuzzleState& s, StepRecord& step);
bool FindBugPlusN(const PuzzleState& s, StepRecord& step);

// finned_fish.cpp: the basic Jellyfish, and finned or sashimi fish of size
// 2 to 4
bool FindJellyfish(const PuzzleState& s, StepRecord& step);
bool FindFinnedFish(const PuzzleState& s, StepRecord& step, int size, bool sashimi);

// sue_de_coq.cpp
bool FindSueDeCoq(const PuzzleState& s, StepRecord& step);

// The techniques of this group in the order they are tried, easiest first.
struct PatternTechniqueEntry {
  int number;
  std::string_view name;
  std::string_view anchor;  // fragment on the techniques help page
  double score;             // difficulty on the community's 1..10 scale
  bool (*find)(const PuzzleState& s, StepRecord& step);
};
std::span<const PatternTechniqueEntry> PatternTechniques();

}  // namespace tavimoro::steps
