#include <array>

#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

using S = const PuzzleState&;
using R = StepRecord&;

constexpr std::array<PatternTechniqueEntry, 23> kPatterns{{
    {kSkyscraper, "Skyscraper", 4.0, FindSkyscraper},
    {kTwoStringKite, "2-String Kite", 4.1, FindTwoStringKite},
    {kTurbotFish, "Turbot Fish", 4.2, FindTurbotFish},
    {kEmptyRectangle, "Empty Rectangle", 4.3, FindEmptyRectangle},
    {kSimpleColouring, "Simple Colouring", 4.4, FindSimpleColouring},
    {kWWing, "W Wing", 4.4, FindWWing},
    {kRemotePair, "Remote Pair", 4.5, FindRemotePair},
    {kUniqueRectangle2, "Unique Rectangle type 2", 4.5,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle2); }},
    {kUniqueRectangle3, "Unique Rectangle type 3", 4.6,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle3); }},
    {kUniqueRectangle4, "Unique Rectangle type 4", 4.5,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle4); }},
    {kUniqueRectangle5, "Unique Rectangle type 5", 4.6,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle5); }},
    {kUniqueRectangle6, "Unique Rectangle type 6", 4.6,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle6); }},
    {kHiddenRectangle, "Hidden Rectangle", 4.7, FindHiddenRectangle},
    {kBugPlusN, "BUG+n", 5.8, FindBugPlusN},
    {kJellyfish, "Jellyfish", 5.2, FindJellyfish},
    {kFinnedXWing, "Finned X Wing", 4.8, [](S s, R r) { return FindFinnedFish(s, r, 2, false); }},
    {kSashimiXWing, "Sashimi X Wing", 4.9, [](S s, R r) { return FindFinnedFish(s, r, 2, true); }},
    {kFinnedSwordfish, "Finned Swordfish", 5.0, [](S s, R r) { return FindFinnedFish(s, r, 3, false); }},
    {kSashimiSwordfish, "Sashimi Swordfish", 5.1, [](S s, R r) { return FindFinnedFish(s, r, 3, true); }},
    {kFinnedJellyfish, "Finned Jellyfish", 5.4, [](S s, R r) { return FindFinnedFish(s, r, 4, false); }},
    {kSashimiJellyfish, "Sashimi Jellyfish", 5.5, [](S s, R r) { return FindFinnedFish(s, r, 4, true); }},
    {kMultiColouring, "Multi-Colouring", 5.6, FindMultiColouring},
    {kSueDeCoq, "Sue de Coq", 5.7, FindSueDeCoq},
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
