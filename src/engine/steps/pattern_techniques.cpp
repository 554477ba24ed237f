#include <array>

#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

using S = const PuzzleState&;
using R = StepRecord&;

constexpr std::array<PatternTechniqueEntry, 23> kPatterns{{
    {kSkyscraper, "Skyscraper", "#skyscraper", 4.0, FindSkyscraper},
    {kTwoStringKite, "2-String Kite", "#two-string-kite", 4.1, FindTwoStringKite},
    {kTurbotFish, "Turbot Fish", "#turbot-fish", 4.2, FindTurbotFish},
    {kEmptyRectangle, "Empty Rectangle", "#empty-rectangle", 4.3, FindEmptyRectangle},
    {kSimpleColouring, "Simple Colouring", "#simple-colouring", 4.4, FindSimpleColouring},
    {kWWing, "W Wing", "#w-wing", 4.4, FindWWing},
    {kRemotePair, "Remote Pair", "#remote-pair", 4.5, FindRemotePair},
    {kUniqueRectangle2, "Unique Rectangle type 2", "#unique-rectangle-2", 4.5,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle2); }},
    {kUniqueRectangle3, "Unique Rectangle type 3", "#unique-rectangle-3", 4.6,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle3); }},
    {kUniqueRectangle4, "Unique Rectangle type 4", "#unique-rectangle-4", 4.5,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle4); }},
    {kUniqueRectangle5, "Unique Rectangle type 5", "#unique-rectangle-5", 4.6,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle5); }},
    {kUniqueRectangle6, "Unique Rectangle type 6", "#unique-rectangle-6", 4.6,
     [](S s, R r) { return FindUniqueRectangleType(s, r, kUniqueRectangle6); }},
    {kHiddenRectangle, "Hidden Rectangle", "#hidden-rectangle", 4.7, FindHiddenRectangle},
    {kBugPlusN, "BUG+n", "#bug-plus-n", 5.8, FindBugPlusN},
    {kJellyfish, "Jellyfish", "#jellyfish", 5.2, FindJellyfish},
    {kFinnedXWing, "Finned X Wing", "#finned-x-wing", 4.8, [](S s, R r) { return FindFinnedFish(s, r, 2, false); }},
    {kSashimiXWing, "Sashimi X Wing", "#sashimi-x-wing", 4.9, [](S s, R r) { return FindFinnedFish(s, r, 2, true); }},
    {kFinnedSwordfish, "Finned Swordfish", "#finned-swordfish", 5.0, [](S s, R r) { return FindFinnedFish(s, r, 3, false); }},
    {kSashimiSwordfish, "Sashimi Swordfish", "#sashimi-swordfish", 5.1, [](S s, R r) { return FindFinnedFish(s, r, 3, true); }},
    {kFinnedJellyfish, "Finned Jellyfish", "#finned-jellyfish", 5.4, [](S s, R r) { return FindFinnedFish(s, r, 4, false); }},
    {kSashimiJellyfish, "Sashimi Jellyfish", "#sashimi-jellyfish", 5.5, [](S s, R r) { return FindFinnedFish(s, r, 4, true); }},
    {kMultiColouring, "Multi-Colouring", "#multi-colouring", 5.6, FindMultiColouring},
    {kSueDeCoq, "Sue de Coq", "#sue-de-coq", 5.7, FindSueDeCoq},
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
