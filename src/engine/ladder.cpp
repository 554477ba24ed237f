#include "engine/ladder.h"

#include <array>
#include <string>

#include "engine/step_finder.h"

namespace tavimoro {
namespace {

using namespace steps;

constexpr std::array<Technique, kTechniqueCount + 1> kLadder{{
    {0, "Naked Single", "#b0",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindNakedSingle(s, r); }},
    {1, "Hidden Single", "#b1",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindHiddenSingle(s, r); }},
    {2, "Naked Pair", "#b2",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindNakedPair(s, r); }},
    {3, "Omission", "#b3",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindOmission(s, r); }},
    {4, "Naked Triplet", "#b4",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindNakedSubset(s, r, 3); }},
    {5, "Hidden Pair", "#b5",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindHiddenPair(s, r); }},
    {6, "Naked Quad", "#b6",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindNakedSubset(s, r, 4); }},
    {7, "Hidden Triplet", "#b7",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindHiddenSubset(s, r, 3); }},
    {8, "Hidden Quad", "#b8",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindHiddenSubset(s, r, 4); }},
    {9, "BUG type 1", "#b9",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindBugType1(s, r); }},
    {10, "X Wing", "#b10",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindXWing(s, r); }},
    {11, "Swordfish", "#b11",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindSwordfish(s, r); }},
    {12, "Unique Rectangle type 1", "#b12",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindUniqueRectangle(s, r); }},
    {13, "XY Wing", "#b13",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindXYWing(s, r); }},
    {14, "XYZ Wing", "#b14",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindXYZWing(s, r); }},
    {15, "BUG type 2", "#b15",
     [](const PuzzleState& s, StepRecord& r, StepContext&) { return FindBugType2(s, r); }},
    {16, "Forcing Chain Type 1", "#b16",
     [](const PuzzleState& s, StepRecord& r, StepContext& c) { return FindForcingChainType1(s, r, c.Tries()); }},
    {17, "Forcing Chain Type 2", "#b17",
     [](const PuzzleState& s, StepRecord& r, StepContext& c) { return FindForcingChainType2(s, r, c.Tries()); }},
    {kComplexForcingChains, "Complex Forcing Chains", "#b18", nullptr},
}};

constexpr bool NumberedInOrder() {
  for (std::size_t n = 0; n < kLadder.size(); ++n)
    if (kLadder[n].number != static_cast<int>(n)) return false;
  return true;
}
constexpr bool EveryRungHasAFinder() {
  for (int n = 0; n < kTechniqueCount; ++n)
    if (kLadder[n].find == nullptr) return false;
  return true;
}
static_assert(NumberedInOrder());
static_assert(EveryRungHasAFinder());

std::string& HelpBaseStore() {
  static std::string base(kMakerHelpBase);
  return base;
}

}  // namespace

std::span<const Technique> Techniques() { return kLadder; }

StepRecord FindNextStep(const PuzzleState& state, int maxTechnique) {
  StepRecord step;
  StepContext context;
  // Naked Single is tried whatever the limit.
  for (int n = 0; n < kTechniqueCount; ++n) {
    if (n > 0 && maxTechnique < n) break;
    if (kLadder[n].find(state, step, context)) break;
  }
  return step;
}

void SetHelpBase(std::string base) { HelpBaseStore() = std::move(base); }

const std::string& HelpBase() { return HelpBaseStore(); }

std::string TechniquesPageAddress() { return HelpBase() + "techniques.html"; }

std::string TechniqueName(int technique, bool asLink) {
  if (technique < 0 || technique > kComplexForcingChains) return {};
  const Technique& t = kLadder[technique];
  std::string name(t.name);
  if (!asLink) return name;
  return "<a href='" + TechniquesPageAddress() + std::string(t.anchor) + "'>" + name + "</a>";
}

}  // namespace tavimoro
