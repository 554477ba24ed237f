// Hints are worded from what a step means, never from its trace text: for
// real steps of every technique the solve of hard puzzles meets, blanking
// the text leaves every hint level unchanged, and each technique gets its
// own explanation rather than the generic one (its finder filled the
// meaning the wording needs).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "board/hint_composer.h"
#include "common/corpus.h"
#include "engine/rating.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

constexpr std::string_view kGenericExplanation = "The blue cells form the pattern";

std::string AllLevels(const StepRecord& step) {
  std::string text;
  for (int level = 1; level <= 3; ++level)
    text +=
        (step.Kind == kPlaceValue ? PlacementHintText(step, level) : EliminationHintText(step, level)) + "\n";
  return text;
}

TEST(HintMeaning, HintsDoNotDependOnTheTraceText) {
  const auto lines = testing::CorpusLines("top1465.txt");
  TAVIMORO_REQUIRE_CORPUS(lines, "top1465.txt");
  // The first step of each technique met, solving puzzles in order.
  std::map<int, StepRecord> firstOf;
  for (std::size_t i = 0; i < lines.size() && firstOf.size() < static_cast<std::size_t>(kLadderRungCount);
       i += 3) {
    TechniqueCounts counts{};
    Rate(PuzzleFromString(lines[i]), counts, kNoTechniqueLimit,
         [&](const StepRecord& step) { firstOf.try_emplace(Index(step.Technique), step); });
  }
  for (TechniqueId id :
       {TechniqueId::HiddenSingle, TechniqueId::NakedPair, TechniqueId::Omission, TechniqueId::HiddenPair,
        TechniqueId::HiddenTriplet, TechniqueId::XWing, TechniqueId::Swordfish, TechniqueId::XYWing,
        TechniqueId::XYZWing, TechniqueId::ForcingChain1, TechniqueId::ForcingChain2}) {
    EXPECT_TRUE(firstOf.contains(Index(id))) << TechniqueName(id, false) << " never met";
  }

  for (const auto& [technique, step] : firstOf) {
    const std::string name = TechniqueName(static_cast<TechniqueId>(technique), false);
    const std::string withText = AllLevels(step);
    StepRecord blank = step;
    blank.Text.Clear();
    EXPECT_EQ(AllLevels(blank), withText) << name;
    if (step.Kind == kEliminate) {
      EXPECT_EQ(withText.find(kGenericExplanation), std::string::npos) << name << "\n" << withText;
    }
  }
}

}  // namespace
}  // namespace tavimoro
