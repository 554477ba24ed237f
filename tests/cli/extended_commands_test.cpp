// The commands' --extended, --technique and techniques forms, and puzzle
// lines that carry pencil marks.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/cli_run.h"
#include "common/puzzles.h"

namespace tavimoro {
namespace {

using nlohmann::ordered_json;
using testing::RunCli;

// A position of the first top1465 puzzle where the ladder is stuck, as its
// cells and pencil marks; a Skyscraper on 4 is its easiest step.
const std::string kStuckWithMarks =
    "4...3.......6..8..........1....5..9..8....6...7.2........1927..513...942927.4.1.."
    "|569|1268|5789||15789|25|2567|5679|1237|359|12||127|14579||2357|34579|23678|3569|268|45789"
    "|278|45789|2345|23567||1236|346|1246|378||13678|23||378|123||59|3479|17|13479||12357|3457|"
    "136||59||168|134689|345|1358|3458|68|46|468|||||35|35||||78|678|678|||||||35||35||68|68|";

std::vector<std::string> Keys(const ordered_json& object) {
  std::vector<std::string> keys;
  for (const auto& item : object.items()) keys.push_back(item.key());
  return keys;
}

TEST(ExtendedStep, WhereTheLadderIsStuckGivesTheEasiestPatternWithItsNameLast) {
  EXPECT_EQ(ordered_json::parse(RunCli("step", kStuckWithMarks + "\n").out)["kind"], 0);
  const auto step = ordered_json::parse(RunCli("step --extended", kStuckWithMarks + "\n").out);
  EXPECT_EQ(Keys(step), (std::vector<std::string>{"kind", "technique", "cell", "value", "text", "digits",
                                                  "eliminate", "colours", "lines", "name"}));
  EXPECT_EQ(step["name"], "Skyscraper");
  EXPECT_EQ(step["eliminate"], ordered_json::parse("[[44,4],[50,4]]"));
  // A ladder step keeps its object, with the name added.
  const auto ladder =
      ordered_json::parse(RunCli("step --extended", std::string(testing::kSinglesOnly) + "\n").out);
  EXPECT_EQ(ladder["name"], "Naked Single");
}

// --easiest takes the step of the lowest score where the ladder's next rung
// is a forcing chain; it needs --extended.
TEST(ExtendedStep, EasiestTakesTheSkyscraperBeforeTheLaddersForcingChain) {
  const std::string line =
      "819...3.....751...5.7.3.....7..4..263...9.......1...43.6.2....4....8.5..........."
      "|||46|26|246||57|57|246|234|2346||||24|89|89||24||89||89|246|16|12|19||158|358||358|189||||248|"
      "12468|68||2678|178|1578|1578|269|2589|2568||267|25678|789|||179||1358||17|3579|178|13789||12479|"
      "2349|1234|3469||34679||13679|1279|12479|234589|123458|34569|167|345679|26|136789|12789|\n";
  EXPECT_EQ(ordered_json::parse(RunCli("step --extended", line).out)["name"], "Forcing Chain Type 1");
  const auto easiest = ordered_json::parse(RunCli("step --extended --easiest", line).out);
  EXPECT_EQ(easiest["name"], "Skyscraper");
  EXPECT_EQ(Keys(easiest).back(), "name");
  for (const char* arguments : {"step --easiest", "step --extended --easiest --technique 'W Wing'"})
    EXPECT_EQ(RunCli(arguments, line).status, 2) << arguments;
}

TEST(ExtendedStep, TechniqueTriesOneTechniqueByName) {
  const auto turbot =
      ordered_json::parse(RunCli("step --technique 'Turbot Fish'", kStuckWithMarks + "\n").out);
  EXPECT_EQ(turbot["name"], "Turbot Fish");
  EXPECT_EQ(turbot["kind"], 2);
  const auto none = ordered_json::parse(RunCli("step --technique jellyfish", kStuckWithMarks + "\n").out);
  EXPECT_EQ(none["kind"], 0);
  EXPECT_EQ(none["name"], "");
  const auto unknown = RunCli("step --technique 'No Such Wing'", kStuckWithMarks + "\n");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("No Such Wing"), std::string::npos);
}

// r2c4 of a unique rectangle on 1 and 2 has lost its 1: found unless the
// option is off, which only the extended commands take.
TEST(ExtendedStep, NoMissingCandidatesLeavesCornersThatLostADigit) {
  std::string line(81, '.');
  for (int c = 0; c < 81; ++c)
    line += std::string(c == 0 || c == 3 ? "12" : c == 9 ? "123" : c == 12 ? "23" : "123456789") + "|";
  line += "\n";
  const std::string ur2 = "step --technique 'Unique Rectangle type 2'";
  EXPECT_EQ(ordered_json::parse(RunCli(ur2, line).out)["kind"], 2);
  EXPECT_EQ(ordered_json::parse(RunCli(ur2 + " --no-missing-candidates", line).out)["kind"], 0);
  for (const char* arguments : {"step --no-missing-candidates", "rate --no-missing-candidates"})
    EXPECT_EQ(RunCli(arguments, line).status, 2) << arguments;
}

TEST(ExtendedTrace, EndsWithRateOutputsAndTheExtendedSummary) {
  const auto lines =
      RunCli("trace --extended", kStuckWithMarks + "\n" + testing::kSinglesOnly + "\n").Lines();
  ASSERT_GE(lines.size(), 3u);
  std::vector<ordered_json> summaries;
  for (const auto& line : lines) {
    const auto object = ordered_json::parse(line);
    if (object.contains("rating")) {
      summaries.push_back(object);
    } else {
      EXPECT_EQ(Keys(object).back(), "name");
    }
  }
  ASSERT_EQ(summaries.size(), 2u);
  EXPECT_EQ(Keys(summaries[0]),
            (std::vector<std::string>{"rating", "counts", "hardest", "score", "ep", "ed", "solved"}));
  EXPECT_EQ(summaries[0]["rating"], 18);
  EXPECT_EQ(summaries[0]["counts"].size(), 19u);
  EXPECT_EQ(summaries[1].dump(),
            "{\"rating\":0,\"counts\":[4,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],"
            "\"hardest\":\"Hidden Single\",\"score\":1.2,\"ep\":1.2,\"ed\":1.2,\"solved\":true}");
}

TEST(ExtendedRate, AddsHardestScoreAndSolvedAfterTodaysKeys) {
  const auto result =
      RunCli("rate --extended", std::string(testing::kSolvedGrid) + "\n" + kStuckWithMarks + "\n");
  EXPECT_EQ(result.status, 0);
  const auto lines = result.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "{\"puzzle\":\"" + std::string(testing::kSolvedGrid) +
                "\",\"rating\":0,\"level\":1,\"counts\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],"
                "\"singles\":0,\"hardest\":\"\",\"score\":0.0,\"ep\":0.0,\"ed\":0.0,\"solved\":true}");
  const auto stuck = ordered_json::parse(lines[1]);
  EXPECT_EQ(Keys(stuck), (std::vector<std::string>{"puzzle", "rating", "level", "counts", "singles",
                                                   "hardest", "score", "ep", "ed", "solved"}));
  EXPECT_EQ(stuck["puzzle"], kStuckWithMarks.substr(0, 81));
}

TEST(TechniquesCommand, ListsTheLadderThenTheExtension) {
  const auto result = RunCli("techniques");
  EXPECT_EQ(result.status, 0);
  const auto lines = result.Lines();
  ASSERT_GT(lines.size(), 19u);
  EXPECT_EQ(lines[0], "{\"technique\":0,\"name\":\"Naked Single\",\"anchor\":\"#b0\",\"score\":2.3}");
  EXPECT_EQ(ordered_json::parse(lines[18])["name"], "Complex Forcing Chains");
  EXPECT_EQ(ordered_json::parse(lines[19])["name"], "Skyscraper");
  EXPECT_EQ(RunCli("techniques extra").status, 2);
}

}  // namespace
}  // namespace tavimoro
