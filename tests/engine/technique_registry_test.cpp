// The registry against what depends on it: every technique's anchor must
// open a section of the help page with its number and name, the page's index
// must list the techniques in registry order, and every technique must have
// data cases that it finds and that it must not. A row added or renamed
// without its help section or its cases fails here.
#include "engine/technique_registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "common/extended_cases.h"

namespace tavimoro {
namespace {

std::string HelpPage() {
  std::ifstream in(std::string(TAVIMORO_SOURCE_DIR) + "/data/help/techniques.html");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(TechniqueRegistry, HelpPageIndexAndSectionsFollowTheRows) {
  const std::string page = HelpPage();
  ASSERT_FALSE(page.empty());
  std::size_t indexAt = 0;
  for (const TechniqueRow& row : TechniqueRows()) {
    const std::string name(row.name), anchor(row.anchor);
    ASSERT_TRUE(anchor.starts_with("#")) << anchor;
    const std::string entry = "<li><a href=\"" + anchor + "\">" + name + "</a></li>";
    const std::size_t at = page.find(entry, indexAt);
    EXPECT_NE(at, std::string::npos) << "index entry, in order: " << entry;
    if (at != std::string::npos) indexAt = at;
    const std::string section = "<section id=\"" + anchor.substr(1) + "\"><h2><span class=\"num\">" +
                                std::to_string(Index(row.id)) + "</span>" + name + "</h2>";
    const std::size_t sectionAt = page.find(section);
    EXPECT_NE(sectionAt, std::string::npos) << section;
    // A section that states a difficulty score states the registry's.
    const std::size_t end = page.find("</section>", sectionAt);
    const std::size_t scoreAt = page.find("difficulty score ", sectionAt);
    if (sectionAt != std::string::npos && scoreAt < end) {
      char expected[16];
      std::snprintf(expected, sizeof expected, "%.1f", row.score);
      EXPECT_EQ(page.substr(scoreAt + 17, std::strlen(expected)), expected) << name;
    }
  }
}

TEST(TechniqueRegistry, LookUpsStayInsideTheTable) {
  EXPECT_EQ(Technique(TechniqueId::Swordfish).name, "Swordfish");
  EXPECT_EQ(TechniqueFromNumber(Index(kStuckRating)), kStuckRating);
  EXPECT_EQ(TechniqueFromNumber(kTechniqueRowCount), std::nullopt);
  EXPECT_EQ(TechniqueFromNumber(-1), std::nullopt);
  EXPECT_EQ(LadderRungs().size(), static_cast<std::size_t>(kLadderRungCount));
  EXPECT_EQ(LadderRungs().back().id, TechniqueId::ForcingChain2);
}

TEST(TechniqueRegistry, EveryTechniqueButTheStuckRatingHasAFinderAndATraceLabel) {
  for (const TechniqueRow& row : TechniqueRows()) {
    EXPECT_EQ(row.find == nullptr, row.id == kStuckRating) << row.name;
    // The hidden single's trace is a sentence of its own.
    EXPECT_EQ(row.trace.empty(), row.find == nullptr || row.id == TechniqueId::HiddenSingle) << row.name;
    for (std::string_view label : row.traceVariants)
      EXPECT_TRUE(label.empty() || label.find(':') == std::string_view::npos) << label;
    EXPECT_EQ(row.trace.find(':'), std::string_view::npos) << row.name;
  }
}

TEST(TechniqueRegistry, EveryTechniqueHasACaseToFindAndOneToPassOver) {
  std::map<std::string, std::pair<int, int>> cases;  // name -> (to find, to pass over)
  for (const char* file : {"ladder_cases.txt", "extended_cases.txt"})
    for (const testing::Case& c : testing::ReadCases(file)) {
      auto& [found, passed] = cases[c.technique];
      ++(c.expected == "x" ? passed : found);
    }
  for (const TechniqueRow& row : TechniqueRows()) {
    if (row.find == nullptr) continue;
    const auto [found, passed] = cases[std::string(row.name)];
    EXPECT_GT(found, 0) << row.name << " has no case to find";
    EXPECT_GT(passed, 0) << row.name << " has no case to pass over";
  }
}

}  // namespace
}  // namespace tavimoro
