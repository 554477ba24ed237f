// Start-up and shutdown from prepared settings files: the start actions,
// the wizard and its check box, the saved-puzzle library, and the board
// kept on close and on SIGTERM.
#include <QComboBox>
#include <QDir>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>

#include "app/help_pages.h"
#include "app/load_game_dialog.h"
#include "app/settings/settings.h"
#include "app/startup.h"
#include "app/wizard_dialog.h"
#include "board/board.h"
#include "box_answerer.h"
#include "recording_host.h"

using namespace tavimoro;
using namespace tavimoro::app;

namespace {

std::string RepeatEmpty(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "[0|F|]";
  return s;
}

const std::string kRecord = "[5|T|][0|F|129][7|F|]" + RepeatEmpty(78);

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini_;

  void writeIni(const std::string& text) {
    std::ofstream(ini_, std::ios::trunc) << text;
  }
  std::string read(const char* section, const char* key) { return ReadSetting(section, key, ini_); }

 private slots:
  void init() {
    ini_ = dir_.filePath("Tavimoro.ini").toStdString();
    writeIni("");
    qputenv("TAVIMORO_SERVER", "http://127.0.0.1:1");
  }

  void lastBoard_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("sample");
    QTest::addColumn<int>("tool");
    QTest::newRow("record, pen") << QString::fromStdString("[Data]\nLastGrid=" + kRecord + "\nLastTool=0\n")
                                 << false << kPen;
    QTest::newRow("nothing stored") << QString() << true << kPencil;
    QTest::newRow("puzzle line instead of a record")
        << QString("[Data]\nLastGrid=%1\nLastTool=1\n").arg(QString(81, '5')) << true << kPencil;
    QTest::newRow("other tool value means pen") << QString("[Data]\nLastTool=x\n") << true << kPen;
    QTest::newRow("empty tool means pencil") << QString("[Data]\nLastTool=\n") << true << kPencil;
  }
  void lastBoard() {
    QFETCH(QString, ini);
    QFETCH(bool, sample);
    QFETCH(int, tool);
    writeIni(ini.toStdString());
    RecordingHost host;
    Board board(host);
    board.CurTool = -1;
    RunStartAction(board, kStartLast, ini_);
    if (sample) {
      QCOMPARE(board.GetGrid(true), std::string(kSamplePuzzle));
      QVERIFY(board.Cells[1].Given);
    } else {
      QCOMPARE(board.GetAllGrid(), kRecord);
      QVERIFY(board.Cells[0].Given);
      QVERIFY(!board.Cells[2].Given);
    }
    QCOMPARE(board.CurTool, tool);
    QCOMPARE(host.tool, tool);
    QCOMPARE(board.UndoStack[0], std::string());
  }

  void blankGridHasPenAndNoUndo() {
    RecordingHost host;
    Board board(host);
    board.PaintPuzzle(kSamplePuzzle);
    board.CurTool = -1;
    RunStartAction(board, kStartBlank, ini_);
    QCOMPARE(board.GetGrid(true), std::string(81, '.'));
    QCOMPARE(board.CurTool, kPen);
    QCOMPARE(board.UndoStack[0], std::string());
  }

  void externalOpensTheHelpAndLeavesAnUndoPoint() {
    RecordingHost host;
    Board board(host);
    board.CurTool = -1;
    RunStartAction(board, kStartExternal, ini_);
    QCOMPARE(board.CurTool, kPen);
    QVERIFY(!board.UndoStack[0].empty());
    QCOMPARE(host.urls.size(), std::size_t{1});
    QVERIFY(host.urls[0].ends_with("helpfile.html#external"));
  }

  void newAndLoadOpenTheirDialogs() {
    RecordingHost host;
    Board board(host);
    board.CurTool = -1;
    RunStartAction(board, kStartNew, ini_);
    QCOMPARE(host.shown, std::vector<HostWindow>{HostWindow::GeneratorDialog});
    RecordingHost other;
    Board second(other);
    second.CurTool = -1;
    RunStartAction(second, kStartLoad, ini_);
    QCOMPARE(other.shown, std::vector<HostWindow>{HostWindow::SavedPuzzleList});
    QCOMPARE(second.CurTool, -1);
  }

  void wizardCheckBoxWritesTheOption() {
    bool tick = true;
    WizardDialog wizard(ini_, [&](bool on) { tick = on; });
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    QTest::mouseClick(wizard.check1(), Qt::LeftButton);
    QCOMPARE(read("Options", "Wizard"), std::string("N"));
    QVERIFY(!tick);
    QTest::mouseClick(wizard.check1(), Qt::LeftButton);
    QCOMPARE(read("Options", "Wizard"), std::string("Y"));
    QVERIFY(tick);
  }

  void wizardChoices_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("action");
    QTest::newRow("last") << 0 << "last";
    QTest::newRow("external") << 1 << "external";
    QTest::newRow("new") << 2 << "new";
    QTest::newRow("load") << 3 << "load";
    QTest::newRow("blank") << 4 << "";
    QTest::newRow("Close button") << -1 << "last";
  }
  void wizardChoices() {
    QFETCH(int, option);
    QFETCH(QString, action);
    WizardDialog wizard(ini_, {});
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    QTest::mouseClick(option < 0 ? static_cast<QWidget*>(wizard.cmdClose()) : wizard.lblOptions(option),
                      Qt::LeftButton);
    QVERIFY(!wizard.isVisible());
    QCOMPARE(QString::fromStdString(wizard.startAction()), action);
  }

  void wizardClosedOtherwiseGivesABlankGrid() {
    WizardDialog wizard(ini_, {});
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    wizard.reject();
    QCOMPARE(wizard.startAction(), std::string());
  }

  void firstShowingRunsTheWizardAndTheChosenAction() {
    writeIni("[Options]\nCheckVer=N\n[Data]\nLastGrid=" + kRecord + "\n");
    RecordingHost host;
    Board board(host);
    QWidget window;
    Startup startup(&window, board, ini_);
    QTimer chooser;
    connect(&chooser, &QTimer::timeout, [&] {
      if (auto* wizard = qobject_cast<WizardDialog*>(QApplication::activeModalWidget())) {
        QTest::mouseClick(wizard->lblOptions(4), Qt::LeftButton);
      }
    });
    chooser.start(10);
    window.show();
    QTRY_VERIFY(startup.boardReady());
    QCOMPARE(board.GetGrid(true), std::string(81, '.'));
    QCOMPARE(board.CurTool, kPen);
  }

  void updateCheckRunsFirstAndEndsWithDone() {
    writeIni("[Options]\nWizard=N\n");
    RecordingHost host;
    Board board(host);
    QWidget window;
    Startup startup(&window, board, ini_);
    startup.firstActivation();
    QCOMPARE(host.panel, std::string("Checking for program updates...Done"));
    QCOMPARE(board.GetGrid(true), std::string(kSamplePuzzle));
  }

  void closeStoresBoardAndToolOnlyOnceABoardIsInPlace() {
    writeIni("[Options]\nWizard=N\nCheckVer=N\n[Data]\nLastGrid=" + kRecord + "\nLastTool=0\n");
    RecordingHost host;
    Board board(host);
    QWidget window;
    Startup startup(&window, board, ini_);
    startup.storeBoard();  // nothing loaded yet: the stored board stays
    QCOMPARE(read("Data", "LastGrid"), kRecord);

    startup.firstActivation();
    board.Cells[3].Value = 4;
    board.imgPencil_Click();
    window.show();
    window.close();
    QCOMPARE(read("Data", "LastGrid"), board.GetAllGrid());
    QCOMPARE(read("Data", "LastTool"), std::string("1"));
  }

  void sigtermStoresTheBoard() {
    writeIni("[Options]\nWizard=N\nCheckVer=N\n");
    RecordingHost host;
    Board board(host);
    QWidget window;
    Startup startup(&window, board, ini_);
    QuitCleanlyOnTermination(&startup);
    startup.firstActivation();
    board.Cells[80].Value = 9;
    std::raise(SIGTERM);
    QTRY_COMPARE(read("Data", "LastGrid"), board.GetAllGrid());
    QCOMPARE(read("Data", "LastTool"), std::string("1"));
  }

  void helpBaseFindsTheBundledPagesOrTheServer() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("bin");
    QDir(root.path()).mkpath("share/tavimoro/help");
    std::ofstream(root.filePath("share/tavimoro/help/helpfile.html").toStdString()) << "<html></html>";
    const QString bin = root.filePath("bin");
    qunsetenv("TAVIMORO_SERVER");
    const std::string installed = ChooseHelpBase(bin);
    QVERIFY(installed.starts_with("file:///"));
    QVERIFY(installed.ends_with("/share/tavimoro/help/"));

    QDir(bin).mkpath("help");
    std::ofstream(root.filePath("bin/help/helpfile.html").toStdString()) << "<html></html>";
    QVERIFY(ChooseHelpBase(bin).ends_with("/bin/help/"));

    qputenv("TAVIMORO_SERVER", "http://127.0.0.1:8080/");
    QCOMPARE(ChooseHelpBase(bin), std::string("http://127.0.0.1:8080/help/"));
    qunsetenv("TAVIMORO_SERVER");
    QVERIFY(ChooseHelpBase(root.filePath("nowhere")).starts_with("http://"));
  }

  void libraryListsNamesInFileOrder() {
    writeIni("[SavedGames]\nzeta=" + kRecord + "\nalpha=" + kRecord + "\nmid=" + kRecord + "\n");
    LoadGameDialog library(ini_, {});
    QCOMPARE(library.combo()->count(), 3);
    QCOMPARE(library.combo()->itemText(0), QString("zeta"));
    QCOMPARE(library.combo()->itemText(1), QString("alpha"));
    QCOMPARE(library.combo()->itemText(2), QString("mid"));
    QVERIFY(library.combo()->isEnabled() && library.cmdLoad()->isEnabled() && library.cmdDelete()->isEnabled());
  }

  void libraryDeletesOnlyOnYes() {
    writeIni("[SavedGames]\nfirst=" + kRecord + "\nsecond=" + kRecord + "\n");
    LoadGameDialog library(ini_, {});
    library.show();
    QVERIFY(QTest::qWaitForWindowExposed(&library));
    {
      BoxAnswerer answers({QMessageBox::No, QMessageBox::Cancel});
      library.deleteSelected();
      library.deleteSelected();
      QCOMPARE(answers.titles, QStringList({"Confirm Deletion", "Confirm Deletion"}));
      QCOMPARE(answers.texts[0], QString("Are you sure you want to delete the saved puzzle\nfirst?"));
    }
    QCOMPARE(library.combo()->count(), 2);
    {
      BoxAnswerer answers({QMessageBox::Yes, QMessageBox::Yes});
      library.deleteSelected();
      QCOMPARE(ReadSettingKeys(kSavedGamesSection, ini_), std::vector<std::string>{"second"});
      QVERIFY(library.isVisible());
      library.deleteSelected();
    }
    QCOMPARE(library.combo()->count(), 1);
    QCOMPARE(library.combo()->currentText(), QString("(No saved puzzles found)"));
    QVERIFY(!library.combo()->isEnabled() && !library.cmdLoad()->isEnabled() && !library.cmdDelete()->isEnabled());
  }

  void libraryLoads() {
    writeIni("[SavedGames]\nmine=" + kRecord + "\nbroken=oops\n");
    std::vector<std::string> applied;
    auto apply = [&](const std::string& text) {
      applied.push_back(text);
      return text.starts_with("[");
    };
    {
      LoadGameDialog library(ini_, apply);
      BoxAnswerer answers;
      library.loadSelected();
      QVERIFY(answers.texts.isEmpty());
      QCOMPARE(library.result(), int(QDialog::Accepted));
      QCOMPARE(applied, std::vector<std::string>{kRecord});
    }
    for (const QString& name : {QString("broken"), QString("not saved")}) {
      LoadGameDialog library(ini_, apply);
      library.combo()->setEditText(name);
      BoxAnswerer answers;
      library.loadSelected();
      QCOMPARE(answers.texts, QStringList{"An error occurred"});
      QCOMPARE(library.result(), int(QDialog::Accepted));
    }
    QCOMPARE(applied.size(), std::size_t{2});  // the unknown name never reaches the board
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
