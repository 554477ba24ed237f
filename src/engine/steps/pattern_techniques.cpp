#include <array>

#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

using S = const PuzzleState&;
using R = StepRecord&;

constexpr std::array<PatternTechniqueEntry, 23> kPatterns{{
    {kSkyscraper, "Skyscraper", FindSkyscraper},
    {kTwoStringKite, "2-String Kite", FindTwoStringKite},
    {kTurbotFish, "Turbot Fish", FindTurbotFish},
    {kEmptyRectangle, "Empty Rectangle", FindEmptyRectangle},
    {kSimpleColouring, "Simple Colouring", FindSimpleColouring},
    {kWWing, "W Wing", FindWWing},
    {kRemotePair, "Remote Pair", FindRemotePair},
    {kUniqueRectangle2, "Unique Rectangle type 2",
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle2); }},
    {kUniqueRectangle3, "Unique Rectangle type 3",
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle3); }},
    {kUniqueRectangle4, "Unique Rectangle type 4",
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle4); }},
    {kUniqueRectangle5, "Unique Rectangle type 5",
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle5); }},
    {kUniqueRectangle6, "Unique Rectangle type 6",
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle6); }},
    {kHiddenRectangle, "Hidden Rectangle", FindHiddenRectangle},
    {kBugPlusN, "BUG+n", FindBugPlusN},
    {kJellyfish, "Jellyfish", FindJellyfish},
    {kFinnedXWing, "Finned X Wing", [](S s, R r) { return FindFinnedFish(s, r, 2, false); }},
    {kSashimiXWing, "Sashimi X Wing", [](S s, R r) { return FindFinnedFish(s, r, 2, true); }},
    {kFinnedSwordfish, "Finned Swordfish", [](S s, R r) { return FindFinnedFish(s, r, 3, false); }},
    {kSashimiSwordfish, "Sashimi Swordfish", [](S s, R r) { return FindFinnedFish(s, r, 3, true); }},
    {kFinnedJellyfish, "Finned Jellyfish", [](S s, R r) { return FindFinnedFish(s, r, 4, false); }},
    {kSashimiJellyfish, "Sashimi Jellyfish", [](S s, R r) { return FindFinnedFish(s, r, 4, true); }},
    {kMultiColouring, "Multi-Colouring", FindMultiColouring},
    {kSueDeCoq, "Sue de Coq", FindSueDeCoq},
}};

constexpr bool NumberedInOrder() {
  for (std::size_t i = 0; i < kPatterns.size(); ++i)
    if (kPatterns[i].number != kSkyscraper + static_cast<int>(i)) return false;
  return true;
}
static_assert(NumberedInOrder());

}  // namespace

std::span<const PatternTechniqueEntry> PatternTechniques() { return kPatterns; }

}  // namespace tavimoro::steps
