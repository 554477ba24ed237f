// The window's side of settings faults: names stored in another code page
// load and delete through the library, and failed writes are told once.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/form1.h"
#include "app/load_game_dialog.h"
#include "app/settings_failure_notice.h"
#include "app/startup.h"
#include "board/board.h"
#include "board/recording_host.h"
#include "dialog_driver.h"
#include "settings/settings.h"

using namespace tavimoro;
using namespace tavimoro::app;

class StoreFaultsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini_;

 private slots:
  void init() { ini_ = dir_.filePath("Tavimoro.ini").toStdString(); }

  void namesInAnotherCodePageLoadAndDelete() {
    const std::string latin =
        "Caf\xe9 \xab"
        "1\xbb";
    std::ofstream(ini_, std::ios::binary | std::ios::trunc) << "[SavedGames]\n"
                                                            << latin << "=[1|T|]\nplain=[2|T|]\n";
    std::string applied;
    LoadGameDialog library(ini_, [&](const std::string& record) {
      applied = record;
      return true;
    });
    QVERIFY(Shown(&library));
    QCOMPARE(library.combo()->count(), 2);
    QCOMPARE(library.combo()->itemText(0), QString::fromUtf8("Caf\u00e9 \u00ab1\u00bb"));
    library.loadSelected();
    QCOMPARE(applied, std::string("[1|T|]"));

    LoadGameDialog again(ini_, {});
    QVERIFY(Shown(&again));
    BoxAnswerer answers({QMessageBox::Yes});
    again.deleteSelected();
    QCOMPARE(answers.titles, QStringList{"Confirm Deletion"});
    QCOMPARE(ReadSettingKeys("SavedGames", ini_), std::vector<std::string>{"plain"});
    QCOMPARE(again.combo()->count(), 1);
  }

  // A last entry cut short while it was saved is listed as damaged, says
  // so when opened, and can be deleted; a whole one without its final line
  // break is not damaged.
  void tornLastEntryIsListedAsDamagedAndDeletable() {
    std::string whole;
    for (int i = 0; i < 81; ++i) whole += "[0|F|]";
    std::ofstream(ini_, std::ios::binary | std::ios::trunc)
        << "[SavedGames]\nwhole=" << whole << "\ncut=[1|T|][2|T|][3|F";
    LoadGameDialog library(ini_, [](const std::string&) { return true; });
    QVERIFY(Shown(&library));
    QCOMPARE(library.combo()->itemText(1), QStringLiteral("cut (damaged)"));
    library.combo()->setCurrentIndex(1);
    {
      BoxAnswerer answers;
      library.loadSelected();
      QCOMPARE(answers.texts.size(), 1);
      QVERIFY(answers.texts[0].contains("damaged"));
    }
    BoxAnswerer answers({QMessageBox::Yes});
    library.deleteSelected();
    QCOMPARE(ReadSettingKeys("SavedGames", ini_), std::vector<std::string>{"whole"});
    std::ofstream(ini_, std::ios::binary | std::ios::trunc) << "[SavedGames]\nwhole=" << whole;
    library.refreshList();
    QCOMPARE(library.combo()->itemText(0), QStringLiteral("whole"));
  }

  // Quitting before a board is in place (during the update wait) keeps the
  // stored time; a close with the board makes one write, not one per key.
  void quittingKeepsTheTimeWithoutABoardAndWritesOnce() {
    const std::string givens(81, '.');
    std::ofstream(ini_, std::ios::trunc) << "[Options]\nWizard=N\nCheckVer=N\n[Data]\nLastTime=500\n"
                                         << "LastTimeGivens=" << givens << "\n";
    int writes = 0;
    SetWriteInterruptionForTesting([&writes](WriteStage stage) {
      writes += stage == WriteStage::Locked ? 1 : 0;
      return false;
    });
    {
      Form1 early(ini_);
      Startup startup(&early, early.board(), ini_);
      early.show();
      early.close();
      QCOMPARE(ReadSetting("Data", "LastTime", ini_), std::string("500"));
    }
    Form1 window(ini_);
    Startup startup(&window, window.board(), ini_);
    startup.firstActivation();
    window.show();
    QCoreApplication::processEvents();
    writes = 0;
    window.close();
    QCoreApplication::processEvents();
    SetWriteInterruptionForTesting({});
    QCOMPARE(writes, 1);
    QCOMPARE(ReadSetting("Data", "LastTool", ini_), std::string("1"));
    QVERIFY(!HasUnsavedSettings(ini_));
  }

  // The failures of one moment make one notice; a failure after it was
  // closed makes another.
  void failedWritesAreGatheredInOneNoticeAndLaterOnesToldAgain() {
    std::ofstream(ini_, std::ios::trunc) << "[Options]\nWizard=Y\n";
    ::chmod(ini_.c_str(), 0444);
    QWidget window;
    window.show();
    ShowSettingsFailuresOnce(&window);
    BoxAnswerer answers;
    QVERIFY(!WriteSetting("Options", "Wizard", "N", ini_));
    QVERIFY(!WriteSetting("Options", "CheckVer", "N", ini_));
    QTRY_COMPARE(answers.titles.size(), 1);
    QVERIFY(answers.texts[0].startsWith("Your settings could not be saved.\n\nThe settings file \""));
    QVERIFY(answers.texts[0].contains("is read-only"));
    QCOMPARE(ReadSetting("Options", "Wizard", ini_), std::string("N"));  // kept for this run
    QVERIFY(!WriteSetting("Options", "ShowAnalysis", "Y", ini_));
    QTRY_COMPARE(answers.titles.size(), 2);
    SetWriteFailureHandler({});
    ::chmod(ini_.c_str(), 0644);
    QVERIFY(WriteUnsavedSettings(ini_).ok());
  }

  // Closing with changes that cannot be written asks what becomes of them:
  // Cancel keeps the window open, Retry tries again, Discard closes.
  void closingWithUnwrittenChangesAsks() {
    std::ofstream(ini_, std::ios::trunc) << "[Options]\nWizard=N\nCheckVer=N\n";
    Form1 window(ini_);
    Startup startup(&window, window.board(), ini_);
    startup.firstActivation();
    window.show();
    ::chmod(ini_.c_str(), 0444);
    {
      BoxAnswerer answers({QMessageBox::Cancel});
      window.close();
      QCOMPARE(answers.titles.size(), 1);
      QVERIFY(answers.texts[0].contains("could not be saved"));
      QVERIFY(window.isVisible());
    }
    BoxAnswerer answers({QMessageBox::Retry, QMessageBox::Discard});
    window.close();
    QCOMPARE(answers.titles.size(), 2);
    QVERIFY(!window.isVisible());
    ::chmod(ini_.c_str(), 0644);
    QVERIFY(WriteUnsavedSettings(ini_).ok());
  }

  // Another copy holds the lock (or hangs holding it): storing the board on
  // the way out gives up after a moment and the board stays in memory.
  void exitWaitsOnlyAMomentForAHeldLock() {
    std::ofstream(ini_, std::ios::trunc) << "[Data]\nLastTool=1\n";
    const int held = ::open((ini_ + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
    QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);  // a second open file conflicts like a process
    testing::RecordingHost host;
    Board board(host);
    board.imgPen_Click();
    QElapsedTimer clock;
    clock.start();
    StoreLastBoard(board, ini_);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(ReadSetting("Data", "LastTool", ini_), std::string("0"));  // kept in memory
    ::close(held);
    QVERIFY(WriteSetting("Options", "Wizard", "N", ini_));
    std::ifstream in(ini_);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QVERIFY2(text.find("LastTool=0") != std::string::npos, text.c_str());
  }
};

QTEST_MAIN(StoreFaultsTest)
#include "store_faults_test.moc"
