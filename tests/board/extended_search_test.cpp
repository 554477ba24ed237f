// The step beyond the ladder searched for by a host that answers later: the
// board shows the answer as the hint asked for, at the level of the request,
// only while the position and the panel are still those of the request; a
// later answer, an answer for an older request and a second hint click
// while the search runs change nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/hint_composer.h"
#include "board/recording_host.h"
#include "board/status_composer.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

// Keeps every search request and answers none of them.
class DeferringHost : public testing::RecordingHost {
 public:
  struct Request {
    PuzzleState state;
    std::uint64_t ticket;
  };
  std::vector<Request> requests, analyses;
  std::optional<StepRecord> ExtendedStep(const PuzzleState& state, std::uint64_t ticket) override {
    requests.push_back({state, ticket});
    return std::nullopt;
  }
  std::optional<std::string> ExtendedAnalysisText(const PuzzleState& state, std::uint64_t ticket) override {
    analyses.push_back({state, ticket});
    return std::nullopt;
  }
};

class ExtendedSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    stuck = testing::LadderStuckState();
    for (auto* h : {static_cast<testing::RecordingHost*>(&host), &syncHost})
      h->ticks[Command::Extended] = true;
    board.PaintPuzzle(PuzzleToString(stuck), testing::PencilText(stuck));
    syncBoard.PaintPuzzle(PuzzleToString(stuck), testing::PencilText(stuck));
    before = host.panel;
  }
  // The panel after the hint click on the board answered at once.
  std::string SyncHint() {
    syncBoard.ShowHint();
    return syncHost.panel;
  }
  // Answers a request as the window's search would.
  void Answer(const DeferringHost::Request& request) {
    board.ExtendedStepFound(request.ticket, FindExtendedStep(request.state));
  }

  DeferringHost host;
  Board board{host};
  testing::RecordingHost syncHost;
  Board syncBoard{syncHost};
  PuzzleState stuck;
  std::string before;
};

TEST_F(ExtendedSearch, AnswerShowsTheHintAtEachLevelAsAtOnce) {
  board.ShowHint();
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.panel, before);
  EXPECT_TRUE(board.ExtendedSearchPending());
  board.ExtendedSearchSlow(host.requests[0].ticket);
  EXPECT_EQ(host.panel, SearchingText());
  EXPECT_TRUE(board.ExtendedSearchPending());
  const int redraws = host.redraws;
  Answer(host.requests[0]);
  EXPECT_EQ(host.redraws, redraws + 1);
  EXPECT_FALSE(board.ExtendedSearchPending());
  const std::string level1 = SyncHint();
  ASSERT_NE(level1.find("for more..."), std::string::npos) << level1;
  EXPECT_EQ(host.panel, level1);

  // The same position again: the step found is reused, without a search.
  board.ShowHint();
  EXPECT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.panel, SyncHint());
  board.ShowHint();
  EXPECT_EQ(host.panel, SyncHint());
  EXPECT_EQ(board.LastHint().Kind, syncBoard.LastHint().Kind);
  EXPECT_EQ(board.CellColors(), syncBoard.CellColors());
  EXPECT_EQ(board.SelCell(), syncBoard.SelCell());
}

TEST_F(ExtendedSearch, AnswerKeepsTheLevelOfTheRequest) {
  const std::string level1 = SyncHint();
  const std::string level2 = SyncHint();
  board.SetPanel(level1);
  board.ShowHint();
  ASSERT_EQ(host.requests.size(), 1u);
  board.ExtendedSearchSlow(host.requests[0].ticket);
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, level2);
}

TEST_F(ExtendedSearch, SecondClickWhileSearchingStartsNoSearch) {
  board.ShowHint();
  board.ShowHint();
  board.ExtendedSearchSlow(host.requests[0].ticket);
  board.ShowHint();
  board.Execute(Command::Hint);
  EXPECT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.panel, SearchingText());
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, SyncHint());
}

TEST_F(ExtendedSearch, AnswerForAChangedPositionIsDropped) {
  board.ShowHint();
  board.ExtendedSearchSlow(host.requests[0].ticket);
  board.ClearAllMarks();
  const std::string afterChange = host.panel;
  const auto colours = board.CellColors();
  EXPECT_FALSE(board.ExtendedSearchPending());
  board.ExtendedSearchSlow(host.requests[0].ticket);
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, afterChange);
  EXPECT_EQ(board.LastHint().Kind, kNoStep);
  EXPECT_EQ(board.CellColors(), colours);

  // Undo brings the marks back, but the panel is no longer the request's.
  board.UndoLast();
  const std::string afterUndo = host.panel;
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, afterUndo);
}

TEST_F(ExtendedSearch, AnswerAfterANewPuzzleIsDropped) {
  board.ShowHint();
  board.PaintPuzzle(testing::kPuzzle, {}, true);
  const std::string fresh = host.panel;
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, fresh);
}

TEST_F(ExtendedSearch, OnlyTheNewestRequestIsAnswered) {
  board.ShowHint();
  board.UpdateStatus(true);  // the analysis's search comes between
  const std::string analysis = host.panel;
  board.ShowHint();
  ASSERT_EQ(host.requests.size(), 2u);
  EXPECT_NE(host.requests[0].ticket, host.requests[1].ticket);
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, analysis);
  Answer(host.requests[1]);
  EXPECT_EQ(host.panel, SyncHint());
  // An answer that comes twice is shown once.
  board.SetPanel("after");
  Answer(host.requests[1]);
  EXPECT_EQ(host.panel, "after");
}

TEST_F(ExtendedSearch, AnalysisGrowsItsPartBeyondTheLadderWhenItComes) {
  syncBoard.UpdateStatus(true);
  const std::string whole = syncHost.panel;
  const std::string beyond = "<b>Beyond the ladder";
  ASSERT_NE(whole.find(beyond), std::string::npos) << whole;

  board.UpdateStatus(true);
  ASSERT_EQ(host.analyses.size(), 1u);
  EXPECT_TRUE(host.requests.empty());
  EXPECT_EQ(host.panel.find(beyond), std::string::npos);
  EXPECT_NE(host.panel.find("unsolved cells"), std::string::npos);
  board.ExtendedSearchSlow(host.analyses[0].ticket);
  EXPECT_NE(host.panel.find(AnalysisSearchingText()), std::string::npos) << host.panel;
  EXPECT_NE(host.panel.find("unsolved cells"), std::string::npos);
  // An answer meant for the hint does not fill the analysis.
  Answer(host.analyses[0]);
  EXPECT_NE(host.panel.find(AnalysisSearchingText()), std::string::npos);
  board.ExtendedAnalysisFound(host.analyses[0].ticket, ExtendedAnalysis(host.analyses[0].state));
  EXPECT_EQ(host.panel, whole);

  // The same position again: the part found is reused at once.
  board.UpdateStatus(false);
  board.UpdateStatus(true);
  EXPECT_EQ(host.analyses.size(), 1u);
  EXPECT_EQ(host.panel, whole);
}

TEST_F(ExtendedSearch, AskingAgainForThePositionSearchedGoesOnWithThatSearch) {
  board.UpdateStatus(true);
  board.UpdateStatus(false);
  board.UpdateStatus(true);
  ASSERT_EQ(host.analyses.size(), 1u);
  board.ExtendedSearchSlow(host.analyses[0].ticket);
  board.UpdateStatus(true);
  EXPECT_EQ(host.analyses.size(), 1u);
  EXPECT_NE(host.panel.find(AnalysisSearchingText()), std::string::npos) << host.panel;
  board.ExtendedAnalysisFound(host.analyses[0].ticket, ExtendedAnalysis(host.analyses[0].state));
  syncBoard.UpdateStatus(true);
  EXPECT_EQ(host.panel, syncHost.panel);

  // The hint asked again from another panel takes that panel's level.
  const std::string level1 = SyncHint();
  board.ShowHint();
  ASSERT_EQ(host.requests.size(), 1u);
  board.ExtendedSearchSlow(host.requests[0].ticket);
  board.SetPanel(level1);
  board.ShowHint();
  EXPECT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.panel, SearchingText());
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, SyncHint());
}

TEST_F(ExtendedSearch, AnalysisForAChangedPositionIsDropped) {
  board.UpdateStatus(true);
  ASSERT_EQ(host.analyses.size(), 1u);
  board.ClearAllMarks();
  const std::string changed = host.panel;
  board.ExtendedAnalysisFound(host.analyses[0].ticket, "beyond");
  EXPECT_EQ(host.panel, changed);
}

TEST_F(ExtendedSearch, HintWhileAnalysingAsksAnewAndDropsTheAnalysis) {
  board.UpdateStatus(true);
  ASSERT_EQ(host.analyses.size(), 1u);
  board.ShowHint();
  ASSERT_EQ(host.requests.size(), 1u);
  const std::string panel = host.panel;
  board.ExtendedAnalysisFound(host.analyses[0].ticket, "beyond");
  EXPECT_EQ(host.panel, panel);
  Answer(host.requests[0]);
  EXPECT_EQ(host.panel, SyncHint());
}

TEST_F(ExtendedSearch, AnAnswerAtOnceLeavesNothingPending) {
  syncBoard.ShowHint();
  EXPECT_FALSE(syncBoard.ExtendedSearchPending());
  EXPECT_NE(syncHost.panel.find("<b>HINT:</b>"), std::string::npos);
}

}  // namespace
}  // namespace tavimoro
