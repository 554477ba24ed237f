// The generator dialog's practice choice: Custom's "Hardest step" combo
// lists "Any" and every technique with a finder, in the registry's order;
// "Any" keeps the usual generation; a technique runs the practice generator
// on the worker with its attempts and Cancel, is stored by name only where
// the other custom choices are, and a technique too rare to turn up is
// reported instead of generating on.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fstream>
#include <thread>

#include "app/generate_dialog.h"
#include "dialog_driver.h"
#include "engine/cancel.h"
#include "engine/extended_solve.h"
#include "engine/technique_registry.h"
#include "settings/settings.h"

using namespace tavimoro;
using namespace tavimoro::app;

namespace {

constexpr int kCustom = 6;
const std::string kPuzzle =
    ".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2....";

// Records what the dialog asked the practice generator for and answers as
// told: a puzzle, giving up, or waiting for Cancel.
struct FakePractice {
  enum class Ending { Puzzle, GiveUp, WaitForCancel };
  Ending ending = Ending::Puzzle;
  std::atomic<int> calls{0};
  std::atomic<int> technique{-2};
  std::atomic<bool> forceOne{false};

  PracticeFunction function() {
    return [this](int t, bool one, const GenerationProgress& progress) {
      ++calls;
      technique = t;
      forceOne = one;
      progress(5);
      progress(10);
      switch (ending) {
        case Ending::Puzzle:
          return PracticeResult{kPuzzle, 10, false};
        case Ending::GiveUp:
          return PracticeResult{"", kPracticeAttemptLimit, true};
        case Ending::WaitForCancel:
          while (!GenerationCancelled) std::this_thread::sleep_for(std::chrono::milliseconds(1));
          GenerationCancelled = false;
          return PracticeResult{"", 12, false};
      }
      return PracticeResult{};
    };
  }
};

// Counts the usual generations.
struct CountingGenerator {
  std::atomic<int> calls{0};
  GenerateFunction function() {
    return [this](const GenerationRequest&, const GenerationProgress&) {
      ++calls;
      return Generated{kPuzzle, 1};
    };
  }
};

int ComboIndexOf(const QComboBox* combo, std::string_view name) {
  return combo->findText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace

class PracticeChoiceTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini_;

  void writeIni(const std::string& text) {
    std::ofstream(ini_, std::ios::trunc) << "[GenerationSettings]\n" << text;
  }
  std::string read(const std::string& key) { return ReadSetting("GenerationSettings", key, ini_); }
  static void choose(GenerateDialog& dialog, std::string_view name) {
    dialog.optLevel(kCustom)->click();
    const int index = ComboIndexOf(dialog.cboHardest(), name);
    QVERIFY(index > 0);
    dialog.cboHardest()->setCurrentIndex(index);
  }

 private slots:
  void init() {
    ini_ = dir_.filePath("Tavimoro.ini").toStdString();
    std::ofstream(ini_, std::ios::trunc);
    GenerationCancelled = false;
  }

  void comboListsAnyThenTheTechniquesInOrder() {
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    const QComboBox* combo = dialog.cboHardest();
    QCOMPARE(combo->itemText(0), QString("Any"));
    QCOMPARE(combo->itemData(0).toInt(), -1);
    int item = 1;
    for (const TechniqueRow& row : TechniqueRows()) {
      if (!PracticeCanMake(row)) continue;
      const int id = Index(row.id);
      if (id < kTechniqueRows)  // named as its check boxes are
        QCOMPARE("Allowed: " + combo->itemText(item), dialog.chkAllowed(id)->accessibleName());
      else
        QCOMPARE(combo->itemText(item).toStdString(), std::string(row.name));
      QCOMPARE(combo->itemData(item).toInt(), id);
      ++item;
    }
    QCOMPARE(combo->count(), item);
    dialog.cboHardest()->showPopup();
    QVERIFY(combo->view()->height() <= 20 * combo->view()->sizeHintForRow(0));
    dialog.cboHardest()->hidePopup();
    QVERIFY(combo->count() > kTechniqueRows);  // the techniques beyond the ladder too
    // Entered digits are what an avoidable rectangle rests on; a new puzzle has none.
    QCOMPARE(combo->findText(QString::fromLatin1(Technique(TechniqueId::AvoidableRectangle1).name.data())),
             -1);
  }

  void comboFollowsTheLevelAndDisablesWhatPracticeIgnores() {
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    for (int level = 0; level < kCustom; ++level) {
      dialog.optLevel(level)->click();
      QVERIFY(!dialog.cboHardest()->isEnabled());
      QCOMPARE(dialog.practiceTechnique(), -1);
    }
    dialog.optLevel(kCustom)->click();
    QVERIFY(dialog.cboHardest()->isEnabled());
    QCOMPARE(dialog.cboHardest()->currentIndex(), 0);
    QVERIFY(dialog.chkRequired(5)->isEnabled() && dialog.optSymmetry(0)->isEnabled());
    dialog.chkRequired(10)->click();
    dialog.chkRequired(12)->click();
    QVERIFY(!dialog.requiredWarning().isEmpty());

    choose(dialog, "X-Wing");
    QCOMPARE(dialog.practiceTechnique(), Index(TechniqueId::XWing));
    QVERIFY(dialog.requiredWarning().isEmpty());
    for (int t = 0; t < kTechniqueRows; ++t)
      QVERIFY(!dialog.chkAllowed(t)->isEnabled() && !dialog.chkRequired(t)->isEnabled());
    for (int i = 0; i < 3; ++i)
      QVERIFY(!dialog.optSymmetry(i)->isEnabled() && !dialog.optNumHints(i)->isEnabled());
    QVERIFY(dialog.chkForceOne()->isEnabled());

    dialog.cboHardest()->setCurrentIndex(0);
    QVERIFY(dialog.chkRequired(5)->isEnabled() && dialog.optSymmetry(0)->isEnabled());
    QCOMPARE(dialog.chkForceOne()->isEnabled(), dialog.symmetryChoice() == 2);
    QVERIFY(!dialog.requiredWarning().isEmpty());

    choose(dialog, "X-Wing");
    dialog.optLevel(2)->click();
    QCOMPARE(dialog.cboHardest()->currentIndex(), 0);
    QVERIFY(dialog.optSymmetry(0)->isEnabled());
  }

  void storedChoice_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing stored") << ""
                                    << "Any";
    QTest::newRow("empty") << "Hardest=\n"
                           << "Any";
    QTest::newRow("a technique") << "Hardest=Swordfish\n"
                                 << "Swordfish";
    QTest::newRow("letter case aside") << "Hardest=x wing\n"
                                       << "X-Wing";
    QTest::newRow("beyond the ladder") << "Hardest=Skyscraper\n"
                                       << "Skyscraper";
    QTest::newRow("no such technique") << "Hardest=Flying Pig\n"
                                       << "Any";
    QTest::newRow("a number") << "Hardest=12\n"
                              << "Any";
  }
  void storedChoice() {
    QFETCH(QString, ini);
    QFETCH(QString, shown);
    writeIni(ini.toStdString());
    GenerateDialog dialog(ini_, {});
    QVERIFY(Shown(&dialog));
    QCOMPARE(dialog.cboHardest()->currentText(), QString("Any"));
    dialog.optLevel(kCustom)->click();
    QCOMPARE(dialog.cboHardest()->currentText(), shown);
  }

  void practiceRunsOnTheWorkerAndIsStored() {
    FakePractice practice;
    CountingGenerator generator;
    QStringList loaded;
    GenerateDialog dialog(
        ini_, [&](const std::string& p) { loaded.append(QString::fromStdString(p)); }, nullptr,
        generator.function(), practice.function());
    QVERIFY(Shown(&dialog));
    choose(dialog, "Swordfish");
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_COMPARE(answers.texts, QStringList{"New Puzzle created"});
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(loaded, QStringList{QString::fromStdString(kPuzzle)});
    QCOMPARE(practice.calls.load(), 1);
    QCOMPARE(practice.technique.load(), Index(TechniqueId::Swordfish));
    QCOMPARE(generator.calls.load(), 0);
    QCOMPARE(read("Hardest"), std::string("Swordfish"));
    QCOMPARE(read("Level"), std::string("6"));
  }

  void anyKeepsTheUsualGeneration() {
    writeIni("Hardest=Swordfish\n");
    FakePractice practice;
    CountingGenerator generator;
    GenerateDialog dialog(ini_, {}, nullptr, generator.function(), practice.function());
    QVERIFY(Shown(&dialog));
    dialog.optLevel(kCustom)->click();
    dialog.cboHardest()->setCurrentIndex(0);
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(generator.calls.load(), 1);
    QCOMPARE(practice.calls.load(), 0);
    QCOMPARE(read("Hardest"), std::string());
  }

  void aFixedLevelLeavesTheStoredChoiceAlone() {
    writeIni("Hardest=Swordfish\n");
    FakePractice practice;
    CountingGenerator generator;
    GenerateDialog dialog(ini_, {}, nullptr, generator.function(), practice.function());
    QVERIFY(Shown(&dialog));
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(generator.calls.load(), 1);
    QCOMPARE(practice.calls.load(), 0);
    QCOMPARE(read("Hardest"), std::string("Swordfish"));
  }

  void tooRareIsToldAndTheDialogStays() {
    FakePractice practice;
    practice.ending = FakePractice::Ending::GiveUp;
    GenerateDialog dialog(ini_, {}, nullptr, {}, practice.function());
    QVERIFY(Shown(&dialog));
    choose(dialog, "Death Blossom");
    QSignalSpy finished(&dialog, &GenerateDialog::generationFinished);
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_COMPARE(answers.texts.size(), 1);
    QVERIFY2(answers.texts[0].contains("Death Blossom") && answers.texts[0].contains("too rare") &&
                 answers.texts[0].contains(QString::number(kPracticeAttemptLimit)),
             qPrintable(answers.texts[0]));
    QTRY_VERIFY(!dialog.generating());
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].toString(), QString());
    QVERIFY(dialog.cmdGenerate()->isEnabled() && dialog.attemptsFrame()->isHidden());
    QCOMPARE(dialog.cboHardest()->currentText(), QString("Death Blossom"));
  }

  void cancelStopsPractice() {
    FakePractice practice;
    practice.ending = FakePractice::Ending::WaitForCancel;
    GenerateDialog dialog(ini_, {}, nullptr, {}, practice.function());
    QVERIFY(Shown(&dialog));
    choose(dialog, "X-Wing");
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QVERIFY(dialog.generating() && !dialog.frame(2)->isEnabled());
    QTRY_COMPARE(dialog.lblAttempts()->text(), QString("10"));
    dialog.cmdCancel()->click();
    QTRY_COMPARE(answers.texts, QStringList{"Puzzle generation canceled"});
    QTRY_VERIFY(!dialog.generating());
    QVERIFY(dialog.isVisible() && dialog.cboHardest()->isEnabled());
    QVERIFY(!GenerationCancelled);
  }

  void realPracticeHandsOverAPuzzleOfThatHardestStep() {
    QStringList loaded;
    GenerateDialog dialog(ini_, [&](const std::string& p) { loaded.append(QString::fromStdString(p)); });
    QVERIFY(Shown(&dialog));
    choose(dialog, "Hidden Single");
    BoxAnswerer answers;
    dialog.cmdGenerate()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.generating(), 120000);
    QCOMPARE(answers.texts, QStringList{"New Puzzle created"});
    QCOMPARE(loaded.size(), 1);
    QCOMPARE(HardestStepTechnique(PuzzleFromString(loaded[0].toStdString())),
             Index(TechniqueId::HiddenSingle));
  }
};

QTEST_MAIN(PracticeChoiceTest)
#include "practice_choice_test.moc"
