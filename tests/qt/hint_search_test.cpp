// The window's search for the hint's step beyond the ladder: the panel says
// it is searching while the search runs, then shows the hint the board
// answered at once would show; clicks while it runs start no more searches;
// an answer for a position changed meanwhile is dropped; the analysis
// grows its part beyond the ladder the same way; closing and
// destroying the window while a search runs neither crashes nor applies it.
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/extended_search.h"
#include "app/form1.h"
#include "board/hint_composer.h"
#include "board/scripted_host.h"
#include "board/status_composer.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

using namespace tavimoro;
using namespace tavimoro::app;

namespace {

// A search that waits for the test to let it go, and counts its runs.
struct Gate {
  std::atomic<bool> open{false};
  std::atomic<int> runs{0};
  ExtendedSearch::Searcher searcher() {
    return [this](const PuzzleState& state, SearchOptions options) {
      ++runs;
      while (!open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return FindExtendedStep(state, options);
    };
  }
};

}  // namespace

class HintSearchTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<Form1> form_;
  std::unique_ptr<Gate> gate_;
  PuzzleState stuck_;

  Board& board() { return form_->board(); }
  void hint() { QTest::keyClick(form_.get(), Qt::Key_H); }
  // The panel the board answered at once shows after `clicks` hint clicks.
  std::string syncHint(int clicks) {
    ScriptedHost host;
    host.ticks[Command::Extended] = true;
    Board sync(host);
    sync.PaintPuzzle(PuzzleToString(stuck_), tavimoro::testing::PencilText(stuck_));
    for (int i = 0; i < clicks; ++i) sync.ShowHint();
    return host.panel;
  }
  bool panelHas(const char* text) { return form_->PanelHtml().find(text) != std::string::npos; }

 private slots:
  void initTestCase() { stuck_ = tavimoro::testing::LadderStuckState(); }
  void init() {
    form_ = std::make_unique<Form1>((dir_.path() + "/Tavimoro.ini").toStdString());
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    gate_ = std::make_unique<Gate>();
    form_->extendedSearch()->setSearcher(gate_->searcher());
    form_->extendedSearch()->setSlowAfter(0);
    form_->SetOption(Command::Extended, true);
    board().PaintPuzzle(PuzzleToString(stuck_), tavimoro::testing::PencilText(stuck_));
  }
  void cleanup() {
    if (gate_) gate_->open = true;
    form_.reset();
  }

  void panelSaysSearchingThenShowsTheHint() {
    const std::string before = form_->PanelHtml();
    hint();
    QCOMPARE(form_->PanelHtml(), before);
    QTRY_VERIFY(panelHas("Searching for the next step"));
    QVERIFY(form_->extendedSearch()->busy());
    gate_->open = true;
    QTRY_VERIFY(panelHas("<b>HINT:</b>"));
    QVERIFY(!form_->extendedSearch()->busy());
    for (int level = 1; level <= 3; ++level) {
      if (level > 1) hint();  // the step found is reused: shown at once
      const std::string shown = form_->PanelHtml();
      form_->SetPanelHtml(syncHint(level));
      QCOMPARE(shown, form_->PanelHtml());
    }
    QVERIFY(panelHas("ApplyLastHint"));
    QCOMPARE(gate_->runs.load(), 1);
    QCOMPARE(board().LastHint().Kind, FindExtendedStep(stuck_).Kind);
  }

  void answerForAChangedPositionIsDropped() {
    hint();
    QTRY_VERIFY(panelHas("Searching for the next step"));
    board().ClearAllMarks();
    const std::string changed = form_->PanelHtml();
    // A new search for the changed position waits for the running one;
    // repeated requests replace the waiting one instead of piling up.
    board().PaintPuzzle(PuzzleToString(stuck_), tavimoro::testing::PencilText(stuck_));
    hint();
    board().PaintPuzzle(tavimoro::testing::kLadderStuckPuzzle);
    board().FillAllMarks();
    hint();
    hint();
    gate_->open = true;
    QTRY_VERIFY(!form_->extendedSearch()->busy());
    QVERIFY(gate_->runs.load() <= 2);
    QVERIFY(!panelHas("Searching for the next step"));
    QVERIFY(form_->PanelHtml() != changed);
  }

  void analysisGrowsItsPartBeyondTheLadder() {
    form_->extendedSearch()->setAnalyser(
        [gate = gate_.get()](const PuzzleState& state, SearchOptions options) {
          ++gate->runs;
          while (!gate->open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
          return ExtendedAnalysis(state, options);
        });
    form_->onPanelLink("RefreshWithAnal");
    QVERIFY(panelHas("unsolved cells"));
    QVERIFY(!panelHas("Beyond the ladder"));
    QTRY_VERIFY(panelHas("Searching beyond the ladder"));
    QVERIFY(panelHas("unsolved cells"));
    gate_->open = true;
    QTRY_VERIFY(panelHas("Beyond the ladder"));
    QVERIFY(!panelHas("Searching beyond the ladder"));
    QCOMPARE(gate_->runs.load(), 1);
  }

  void closingWhileSearchingNeitherCrashesNorApplies() {
    hint();
    QTRY_VERIFY(form_->extendedSearch()->busy());
    form_->close();
    std::thread release([gate = gate_.get()] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      gate->open = true;
    });
    const std::string panel = form_->PanelHtml();
    QTest::qWait(100);
    QCOMPARE(form_->PanelHtml(), panel);
    hint();
    form_.reset();
    release.join();
    QTest::qWait(20);
  }

  void destroyingWhileSearchingWaitsForTheSearch() {
    hint();
    QTRY_VERIFY(form_->extendedSearch()->busy());
    std::thread release([gate = gate_.get()] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      gate->open = true;
    });
    form_.reset();
    release.join();
    QTest::qWait(20);
  }
};

QTEST_MAIN(HintSearchTest)
#include "hint_search_test.moc"
