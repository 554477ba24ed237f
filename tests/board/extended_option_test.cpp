// "Techniques beyond the ladder" on the board: with the tick off, a position
// the ladder cannot move on keeps its "no further hint" and the analysis its
// ladder-only text; with it on, the hint escalates through the extension's
// step (the technique, then where and which digits, then the picture with
// solid and dashed links and the walked chain) and the analysis names the
// techniques beyond the ladder with the difficulty score.
#include <gtest/gtest.h>

#include <string>

#include "board/hint_composer.h"
#include "board/recording_host.h"
#include "board/status_composer.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

using testing::RecordingHost;

class ExtendedOption : public ::testing::Test {
 protected:
  void SetUp() override {
    stuck = testing::LadderStuckState();
    board.PaintPuzzle(PuzzleToString(stuck), testing::PencilText(stuck));
  }
  std::string Hint() {
    ShowHint(board);
    return host.panel;
  }

  RecordingHost host;
  Board board{host};
  PuzzleState stuck;
};

TEST_F(ExtendedOption, OffKeepsNoFurtherHint) {
  host.ticks[Command::Extended] = false;
  ASSERT_EQ(FindNextStep(stuck, kNoTechniqueLimit).Kind, kNoStep);
  const std::string first = Hint();
  EXPECT_EQ(first.rfind("<b>HINT:</b> <i>No further hint.</i>", 0), 0u) << first;
  EXPECT_EQ(Hint(), first);
  EXPECT_EQ(Hint(), first);
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
  for (std::uint32_t colour : board.CellColors()) EXPECT_EQ(colour, 0u);
}

TEST_F(ExtendedOption, OnEscalatesThroughTheExtendedStep) {
  host.ticks[Command::Extended] = true;
  const std::string name = TechniqueName(TechniqueId::WxyzWing, true);
  EXPECT_EQ(name, "<a href='" + TechniquesPageAddress() + "#wxyz-wing'>WXYZ-Wing</a>");
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for a " + name + "<br><br>Click \"Hint\" again for more...");
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
  const StepRecord step = FindExtendedStep(stuck);
  EXPECT_EQ(Hint(), EliminationHintText(step, 2));
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);

  // The wording is the golden file's; the board adds the apply link.
  const std::string full = Hint();
  EXPECT_EQ(full.rfind(EliminationHintText(step, 3), 0), 0u) << full;
  EXPECT_NE(full.find("Remove the 5 from R4C5. Click <a href='ApplyLastHint'>here</a>"), std::string::npos)
      << full;
  const StepRecord& hint = Edit(board).LastHint;
  ASSERT_EQ(hint.Technique, TechniqueId::WxyzWing);
  EXPECT_TRUE(hint.Eliminate(31, 5));
  EXPECT_EQ(board.CellColors()[31], EliminationColour);
  // The wing's four cells blue; a wing draws no lines.
  for (int cell : {28, 30, 39, 48}) EXPECT_EQ(board.CellColors()[cell], PatternColour) << cell;
  for (const StepLine& line : hint.Lines) EXPECT_TRUE(line.IsEmpty());

  Hint();  // applies
  EXPECT_FALSE(board.Cells()[31].Pencil(5));
  EXPECT_EQ(Edit(board).LastHint.Kind, kNoStep);
}

TEST_F(ExtendedOption, AnalysisNamesTheExtendedTechniquesOnlyWhenTicked) {
  host.ticks[Command::Extended] = false;
  const std::string ladderOnly = BuildAnalysis(board);
  EXPECT_EQ(ladderOnly.find("Beyond the ladder"), std::string::npos) << ladderOnly;
  EXPECT_EQ(ladderOnly.find("Difficulty: ER"), std::string::npos) << ladderOnly;

  host.ticks[Command::Extended] = true;
  const std::string extended = BuildAnalysis(board);
  TechniqueCounts counts{};
  ASSERT_EQ(Rate(GetAnalysisState(board), counts, kNoTechniqueLimit), Index(kStuckRating));
  const std::string table = TechniqueTable(counts);
  const auto at = extended.find(table);
  ASSERT_NE(at, std::string::npos) << extended;
  // The ladder's text, then the extension's part, then the unsolved cells.
  EXPECT_EQ(extended.substr(0, at + table.size()), ladderOnly.substr(0, at + table.size()));
  EXPECT_EQ(extended.substr(extended.find("<br><center>")),
            ladderOnly.substr(ladderOnly.find("<br><center>")));
  EXPECT_NE(extended.find("<b>Beyond the ladder, Complex Forcing Chains can be replaced by these techniques, "
                          "which finish the puzzle:</b>"),
            std::string::npos)
      << extended;
  EXPECT_NE(extended.find(TechniqueName(TechniqueId::WxyzWing, true)), std::string::npos) << extended;
  EXPECT_NE(extended.find("<b>Difficulty: ER "), std::string::npos) << extended;
}

TEST_F(ExtendedOption, AnalysisOfALadderPuzzleIsUnchangedByTheTick) {
  board.PaintPuzzle(testing::kPuzzle);
  host.ticks[Command::Extended] = false;
  const std::string off = BuildAnalysis(board);
  host.ticks[Command::Extended] = true;
  EXPECT_EQ(BuildAnalysis(board), off);
}

// "Easiest step first": where the ladder's next rung is a forcing chain, a
// Skyscraper scores lower and is the step shown; the analysis says so.
TEST_F(ExtendedOption, EasiestFirstTakesTheSkyscraperBeforeTheForcingChain) {
  const std::string line =
      "819...3.....751...5.7.3.....7..4..263...9.......1...43.6.2....4....8.5..........."
      "|||46|26|246||57|57|246|234|2346||||24|89|89||24||89||89|246|16|12|19||158|358||358|189||||248|"
      "12468|68||2678|178|1578|1578|269|2589|2568||267|25678|789|||179||1358||17|3579|178|13789||12479|"
      "2349|1234|3469||34679||13679|1279|12479|234589|123458|34569|167|345679|26|136789|12789|";
  board.PaintPuzzle(line.substr(0, 81), line.substr(81));
  const PuzzleState state = GetAnalysisState(board);
  ASSERT_EQ(FindNextStep(state, kNoTechniqueLimit).Technique, TechniqueId::ForcingChain1);
  host.ticks[Command::Extended] = true;
  EXPECT_EQ(BuildAnalysis(board).find("Easiest step first"), std::string::npos);

  host.ticks[Command::Easiest] = true;
  EXPECT_EQ(Hint(), "<b>HINT:</b> Look for a " + TechniqueName(TechniqueId::Skyscraper, true) +
                        "<br><br>Click \"Hint\" again for more...");
  Hint();
  Hint();
  EXPECT_EQ(Edit(board).LastHint.Technique, TechniqueId::Skyscraper);
  EXPECT_NE(BuildAnalysis(board).find("\"Easiest step first\" is on"), std::string::npos);
}

// Where a forcing chain is still the easiest step, its last level lists the
// chain of forced placements and the contradiction; with the option off the
// ladder's text stays as it was.
TEST_F(ExtendedOption, EasiestForcingChainShowsItsPlacements) {
  board.PaintPuzzle(
      "........1....12..3134.56...4.3..126.67....31.81236...5...17...6..6...15..416.....",
      "25|268|5789|4789|349|378|56|4789||59|689|789|4789|||56|4789|||||789|||789|2789|279||59||57|89|||"
      "|78|||59|245|24|89|||48||||||47|479|79||2359|2589|589|||3459|489|2389||379|289||289|2349|389|||4"
      "79|23579||||2389|359|789|23789|279|");
  host.ticks[Command::Extended] = true;
  host.ticks[Command::Easiest] = true;
  Hint();
  Hint();
  const std::string full = Hint();
  ASSERT_EQ(Edit(board).LastHint.Technique, TechniqueId::ForcingChain2);
  EXPECT_NE(
      full.find("<br><br>1. Suppose R9C6 is 3.<br>2. Then R8C1 is 3 (the only place left for 3 in row 8)."),
      std::string::npos)
      << full;
  EXPECT_NE(full.find("4. So row 9 has no place left for 5: a contradiction.<br>"), std::string::npos)
      << full;
  EXPECT_EQ(full.find("Suppose"), full.rfind("Suppose"));
  EXPECT_EQ(full.find("5. "), std::string::npos) << full;
}

// A rectangle's level 3 names its four corners, so that each can be checked.
}  // namespace
}  // namespace tavimoro
