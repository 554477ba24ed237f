// The generator dialog: choices restored from the settings, the enabled
// states of every level, the warnings, the keys it saves, what it asks the
// generator for, and a generation on the worker thread seen from the
// window: attempts, Cancel, and the finished puzzle.
#include "app/generate_dialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <mutex>
#include <thread>

#include "dialog_driver.h"
#include "engine/cancel.h"
#include "engine/step_finder.h"
#include "engine/validate.h"
#include "settings/settings.h"

using namespace tavimoro;
using namespace tavimoro::app;

namespace {

constexpr std::array<int, 6> kLevelTop = {1, 4, 7, 13, 17, 18};
const std::string kPuzzle =
    ".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2....";

// Records what the dialog asked for and answers with a set puzzle.
struct FakeGenerator {
  std::mutex lock;
  GenerationRequest request;
  int calls = 0;
  std::string puzzle = kPuzzle;
  bool waitForCancel = false;

  GenerateFunction function() {
    return [this](const GenerationRequest& r, const GenerationProgress& progress) {
      {
        std::lock_guard guard(lock);
        request = r;
        ++calls;
      }
      progress(5);
      progress(10);
      if (waitForCancel) {
        while (!GenerationCancelled) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        GenerationCancelled = false;
        return Generated{"", 12};
      }
      return Generated{puzzle, 10};
    };
  }
};

}  // namespace

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

class GenerateDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini_;

  void writeIni(const std::string& text) {
    std::ofstream(ini_, std::ios::trunc) << "[GenerationSettings]\n" << text;
  }
  std::string read(const std::string& key) { return ReadSetting("GenerationSettings", key, ini_); }

 private slots:
  void init() {
    ini_ = dir_.filePath("Tavimoro.ini").toStdString();
    std::ofstream(ini_, std::ios::trunc);
  }

  void storedChoices_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("clues");
    QTest::addColumn<bool>("forceOne");
    QTest::addColumn<int>("symmetry");
    QTest::newRow("nothing stored") << "" << 2 << true << 0;
    QTest::newRow("more, off, none") << "NumStartingClues=0\nForceOne=0\nSymmetry=2\nLevel=4\n"
                                     << 0 << false << 2;
    QTest::newRow("less, partial") << "NumStartingClues= 1\nForceOne=1\nSymmetry=1\n" << 1 << true << 1;
    QTest::newRow("bad values") << "NumStartingClues=x\nForceOne=no\nSymmetry=7\n" << 2 << true << 0;
    QTest::newRow("negative symmetry") << "Symmetry=-1\n" << 2 << true << 0;
  }
  void storedChoices() {
    QFETCH(QString, ini);
    QFETCH(int, clues);
    QFETCH(bool, forceOne);
    QFETCH(int, symmetry);
    writeIni(ini.toStdString());
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    QVERIFY(dialog.optLevel(0)->isChecked());
    QCOMPARE(dialog.clueChoice(), clues);
    QVERIFY(dialog.optNumHints(clues)->isChecked());
    QCOMPARE(dialog.chkForceOne()->isChecked(), forceOne);
    QCOMPARE(dialog.symmetryChoice(), symmetry);
    QCOMPARE(dialog.optNumHints(0)->isEnabled(), symmetry == 2);
    QCOMPARE(dialog.chkForceOne()->isEnabled(), symmetry == 2);
    QVERIFY(dialog.attemptsFrame()->isHidden() && dialog.lblNumPro()->isHidden());
  }

  void fixedLevelsTickTheirTechniquesOnly() {
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    for (int level = 0; level < 6; ++level) {
      dialog.optLevel(level)->click();
      QCOMPARE(dialog.level(), level);
      for (int t = 0; t < kTechniqueRows; ++t) {
        QCOMPARE(dialog.chkAllowed(t)->isChecked(), t <= kLevelTop[level]);
        QVERIFY(!dialog.chkAllowed(t)->isEnabled());
        QVERIFY(!dialog.chkRequired(t)->isChecked());
        QVERIFY(!dialog.chkRequired(t)->isEnabled());
      }
      QCOMPARE(dialog.optLevel(5)->styleSheet().contains("#CC0000"), level != 5);
    }
  }

  void customRestoresSavedTicksAndLinksTheColumns() {
    writeIni("CheckAllowed_1=0\nCheckAllowed_4=1\nCheckAllowed_5=x\nCheckRequired_0=1\nCheckRequired_10=1\n");
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    dialog.optLevel(6)->click();
    QVERIFY(!dialog.optLevel(5)->styleSheet().contains("background-color"));  // no pill beside Custom
    // The singles are always allowed; "x" is no tick.
    QVERIFY(dialog.chkAllowed(0)->isChecked() && dialog.chkAllowed(1)->isChecked());
    QVERIFY(!dialog.chkAllowed(0)->isEnabled() && !dialog.chkAllowed(1)->isEnabled());
    QVERIFY(dialog.chkAllowed(4)->isChecked() && !dialog.chkAllowed(5)->isChecked());
    QVERIFY(dialog.chkAllowed(2)->isEnabled() && dialog.chkRequired(0)->isEnabled());
    QVERIFY(dialog.chkRequired(0)->isChecked() && dialog.chkRequired(10)->isChecked());

    dialog.chkRequired(7)->click();
    QVERIFY(dialog.chkAllowed(7)->isChecked());
    dialog.chkAllowed(7)->click();
    QVERIFY(!dialog.chkRequired(7)->isChecked());
  }

  void warnings_data() {
    QTest::addColumn<QList<int>>("required");
    QTest::addColumn<QString>("warning");
    const QString subsets =
        "Requiring triplets or quads may cause puzzle generation to take awhile. Continue?";
    const QString advanced =
        "Requiring more than one advanced technique may cause puzzle generation to take awhile. Continue?";
    QTest::newRow("omission alone") << QList<int>{3} << "";
    QTest::newRow("naked quad alone") << QList<int>{6} << subsets;
    QTest::newRow("hidden quad among others") << QList<int>{3, 8, 10} << subsets;
    QTest::newRow("two advanced") << QList<int>{4, 10} << advanced;
    QTest::newRow("pair is not counted") << QList<int>{2, 3} << "";
  }
  void warnings() {
    QFETCH(QList<int>, required);
    QFETCH(QString, warning);
    FakeGenerator fake;
    GenerateDialog dialog(ini_, {}, nullptr, fake.function());
    QVERIFY(Shown(&dialog));
    dialog.optLevel(6)->click();
    for (int t : required) dialog.chkRequired(t)->click();
    QCOMPARE(dialog.requiredWarning(), warning);
    if (warning.isEmpty()) return;
    BoxAnswerer answers({QMessageBox::No});
    dialog.cmdGenerate()->click();
    QCOMPARE(answers.titles, QStringList{"WARNING"});
    QCOMPARE(answers.texts, QStringList{warning});
    QVERIFY(!dialog.generating());
    QCOMPARE(read("Level"), std::string());
    QCOMPARE(fake.calls, 0);
  }

  // "keys" lists the settings after a generation as key=value; an empty
  // value means the key is not written.
  void generateSavesTheChoices_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("required");
    QTest::addColumn<QString>("keys");
    QTest::newRow("fixed level")
        << 2 << -1 << "Level=2 NumStartingClues=2 ForceOne=1 Symmetry=0 CheckAllowed_1= CheckRequired_0=";
    QTest::newRow("custom")
        << 6 << 5
        << "Level=6 CheckAllowed_1=1 CheckAllowed_5=1 CheckRequired_5=1 CheckAllowed_18=0 "
           "CheckRequired_18=0 CheckRequired_0=";
  }
  void generateSavesTheChoices() {
    QFETCH(int, level);
    QFETCH(int, required);
    QFETCH(QString, keys);
    FakeGenerator fake;
    GenerateDialog dialog(ini_, {}, nullptr, fake.function());
    QVERIFY(Shown(&dialog));
    dialog.optLevel(level)->click();
    if (required >= 0) dialog.chkRequired(required)->click();
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_VERIFY(!dialog.isVisible());
    for (const QString& pair : keys.split(' ')) {
      const QStringList kv = pair.split('=');
      QCOMPARE(QString::fromStdString(read(kv[0].toStdString())), kv[1]);
    }
  }

  void requestFollowsTheSymmetry_data() {
    QTest::addColumn<int>("symmetry");
    QTest::addColumn<int>("clues");
    QTest::addColumn<int>("passedClues");
    QTest::addColumn<int>("passedSymmetry");
    QTest::newRow("full ignores the clue choice") << 0 << 0 << 2 << 2;
    QTest::newRow("partial ignores the clue choice") << 1 << 1 << 2 << 1;
    QTest::newRow("none passes it") << 2 << 0 << 0 << 0;
  }
  void requestFollowsTheSymmetry() {
    QFETCH(int, symmetry);
    QFETCH(int, clues);
    QFETCH(int, passedClues);
    QFETCH(int, passedSymmetry);
    writeIni("numpro=3\nminvis=40abc\n");
    FakeGenerator fake;
    GenerateDialog dialog(ini_, {}, nullptr, fake.function());
    QVERIFY(Shown(&dialog));
    dialog.optSymmetry(2)->click();
    dialog.optNumHints(clues)->click();
    dialog.chkForceOne()->click();
    dialog.optSymmetry(symmetry)->click();
    dialog.optLevel(3)->click();
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_COMPARE(fake.calls, 1);
    std::lock_guard guard(fake.lock);
    QCOMPARE(fake.request.level, GeneratorLevel::Pro);
    QCOMPARE(static_cast<int>(fake.request.clueChoice), passedClues);
    QCOMPARE(static_cast<int>(fake.request.symmetry), passedSymmetry);
    QCOMPARE(fake.request.forceOne, false);
    QCOMPARE(fake.request.allowed[13], 1);
    QCOMPARE(fake.request.allowed[14], 0);
    QCOMPARE(fake.request.settings.numpro, 3);
    QCOMPARE(fake.request.settings.minvis, 40);
    QVERIFY(dialog.lblNumPro()->isVisibleTo(&dialog));
    QCOMPARE(dialog.lblNumPro()->text(), QString("3"));
  }

  // Hand-edited tuning beyond what any puzzle reaches would search forever.
  void storedTuningComesDownToTheLevelsLimits() {
    writeIni("numpro=32767\nminvis=32767\n");
    FakeGenerator fake;
    GenerateDialog dialog(ini_, {}, nullptr, fake.function());
    QVERIFY(Shown(&dialog));
    QCOMPARE(dialog.lblNumPro()->text(), QString::number(kMaxNumpro));
    dialog.optLevel(2)->click();
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_COMPARE(fake.calls, 1);
    std::lock_guard guard(fake.lock);
    QCOMPARE(fake.request.settings.numpro, kMaxNumpro);
    QCOMPARE(fake.request.settings.minvis, kMaxMinvis[2]);
  }

  void generationEnds_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("box");
    QTest::newRow("finished: the puzzle goes to the board") << false << "New Puzzle created";
    QTest::newRow("cancelled: the dialog stays") << true << "Puzzle generation canceled";
  }
  void generationEnds() {
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    FakeGenerator fake;
    fake.waitForCancel = cancel;
    QStringList shown;
    GenerateDialog dialog(
        ini_, [&](const std::string& p) { shown.append(QString::fromStdString(p)); }, nullptr,
        fake.function());
    QVERIFY(Shown(&dialog));
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    if (cancel) {
      QVERIFY(dialog.generating() && !dialog.cmdGenerate()->isEnabled() && !dialog.frame(1)->isEnabled());
      QCOMPARE(dialog.cmdCancel()->text(), QString("Cancel"));
      QTRY_COMPARE(dialog.lblAttempts()->text(), QString("10"));
      dialog.cmdCancel()->click();
    }
    QTRY_COMPARE(answers.texts, QStringList{box});
    QTRY_VERIFY(!dialog.generating());
    QTRY_COMPARE(dialog.isVisible(), cancel);
    QCOMPARE(shown, cancel ? QStringList() : QStringList{QString::fromStdString(kPuzzle)});
    if (cancel) {
      QCOMPARE(dialog.cmdCancel()->text(), QString("Close"));
      QVERIFY(dialog.attemptsFrame()->isHidden() && dialog.frame(1)->isEnabled() &&
              dialog.cmdGenerate()->isEnabled());
    } else {
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QVERIFY(!GenerationCancelled);
  }

  void closingWhileGeneratingCancelsInstead() {
    FakeGenerator fake;
    fake.waitForCancel = true;
    auto dialog = std::make_unique<GenerateDialog>(ini_, nullptr, nullptr, fake.function());
    QVERIFY(Shown(dialog.get()));
    dialog->cmdGenerate()->click();
    dialog->reject();
    QVERIFY(dialog->isVisible());
    dialog.reset();  // joins the worker
    QVERIFY(!GenerationCancelled);
  }

  void realGeneratorHandsOverAProperBeginnerPuzzle() {
    QStringList shown;
    GenerateDialog dialog(ini_, [&](const std::string& p) { shown.append(QString::fromStdString(p)); });
    dialog.show();
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 120000);
    QCOMPARE(answers.texts, QStringList{"New Puzzle created"});
    QCOMPARE(shown.size(), 1);
    PuzzleState state;
    for (int cell = 0; cell < 81; ++cell) {
      const QChar c = shown[0][cell];
      state.Grid[cell] = static_cast<std::uint8_t>(c.isDigit() ? c.digitValue() : 0);
    }
    QCOMPARE(std::string(Validate(state, false, true, true)), std::string());
  }

  void techniqueLabelsOpenTheirAnchor() {
    SetHelpBase("file:///opt/tavimoro/help/");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    QCOMPARE(dialog.lblHintType(12)->text(), QString("Uniq. Rectangle 1"));
    QTest::mouseClick(dialog.lblHintType(12), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl("file:///opt/tavimoro/help/techniques.html#b12")});
  }
};

QTEST_MAIN(GenerateDialogTest)
#include "generate_dialog_test.moc"
