// Start-up and shutdown from prepared settings files: the start actions,
// the wizard and its check box, the saved-puzzle library, and the board
// kept on close and on SIGTERM.
#include "app/startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>

#include "app/help_pages.h"
#include "app/load_game_dialog.h"
#include "app/wizard_dialog.h"
#include "board/board.h"
#include "board/recording_host.h"
#include "dialog_driver.h"
#include "settings/settings.h"
#include "settings/settings_schema.h"

using namespace tavimoro;
using namespace tavimoro::app;
using tavimoro::testing::kPuzzle;
using tavimoro::testing::RecordingHost;

namespace {

std::string RecordWithEmptyTail() {
  std::string s = "[5|T|][0|F|129][7|F|]";
  for (int i = 3; i < 81; ++i) s += "[0|F|]";
  return s;
}

const std::string kRecord = RecordWithEmptyTail();

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini_;

  void writeIni(const std::string& text) { std::ofstream(ini_, std::ios::trunc) << text; }
  std::string read(const char* section, const char* key) { return ReadSetting(section, key, ini_); }

 private slots:
  void init() {
    ini_ = dir_.filePath("Tavimoro.ini").toStdString();
    writeIni("");
    qputenv("TAVIMORO_SERVER", "http://127.0.0.1:1");
  }

  // "grid" is what the board shows afterwards: the stored record, the
  // sample puzzle, a blank grid, the board left as it was (empty), or
  // anything ("-").
  void startActions_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("undoPoint");
    QTest::addColumn<int>("window");
    const QString record = QString::fromStdString("[Data]\nLastGrid=" + kRecord + "\nLastTool=0\n");
    QTest::newRow("last: record, pen") << kStartLast << record << "record" << kPen << false << -1;
    QTest::newRow("last: nothing stored") << kStartLast << ""
                                          << "sample" << kPencil << false << -1;
    QTest::newRow("last: a puzzle line is no record")
        << kStartLast << QString("[Data]\nLastGrid=%1\nLastTool=1\n").arg(QString(81, '5')) << "sample"
        << kPencil << false << -1;
    QTest::newRow("last: other tool means pen") << kStartLast << "[Data]\nLastTool=x\n"
                                                << "sample" << kPen << false << -1;
    QTest::newRow("last: empty tool means pencil") << kStartLast << "[Data]\nLastTool=\n"
                                                   << "sample" << kPencil << false << -1;
    QTest::newRow("blank") << kStartBlank << record << "blank" << kPen << false << -1;
    QTest::newRow("external opens the help") << kStartExternal << record << "-" << kPen << true << -1;
    QTest::newRow("new") << kStartNew << record << "blank" << kPen << true
                         << int(HostWindow::GeneratorDialog);
    QTest::newRow("load") << kStartLoad << record << "" << -1 << false << int(HostWindow::SavedPuzzleList);
  }
  void startActions() {
    QFETCH(QString, action);
    QFETCH(QString, ini);
    QFETCH(QString, grid);
    QFETCH(int, tool);
    QFETCH(bool, undoPoint);
    QFETCH(int, window);
    writeIni(ini.toStdString());
    RecordingHost host;
    Board board(host);
    if (action == kStartBlank) board.PaintPuzzle(kPuzzle);  // a board in progress is cleared
    const std::string before = board.GetAllGrid();
    Edit(board).CurTool = -1;
    RunStartAction(board, action.toStdString(), ini_);
    if (grid == "record") QCOMPARE(board.GetAllGrid(), kRecord);
    if (grid == "sample") QVERIFY(board.GetGrid(true) == kSamplePuzzle && Edit(board).Cells[1].Given);
    if (grid == "blank") QCOMPARE(board.GetGrid(true), std::string(81, '.'));
    if (grid == "") QCOMPARE(board.GetAllGrid(), before);
    QCOMPARE(Edit(board).CurTool, tool);
    if (tool >= 0) QCOMPARE(Edit(board).UndoStack[0].empty(), !undoPoint);
    QCOMPARE(host.windows,
             window < 0 ? std::vector<HostWindow>{} : std::vector<HostWindow>{HostWindow(window)});
    const bool external = action == kStartExternal;
    QCOMPARE(host.urls.size(), std::size_t(external));
    if (external) QVERIFY(host.urls[0].ends_with("helpfile.html#external"));
  }

  // A file named on the command line: its puzzle over the last board, which
  // stays (and is reported) when the file holds none.
  void startFile_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("opened");
    QTest::newRow("puzzle line") << QString::fromLatin1(kPuzzle.data(), int(kPuzzle.size())) << true;
    QTest::newRow("no puzzle") << "nothing to see" << false;
  }
  void startFile() {
    QFETCH(QString, text);
    QFETCH(bool, opened);
    writeIni("[Data]\nLastGrid=" + kRecord + "\nLastTool=0\n");
    const std::string path = dir_.filePath("start.txt").toStdString();
    std::ofstream(path, std::ios::trunc) << text.toStdString();
    RecordingHost host;
    Board board(host);
    OpenStartFile(board, path, ini_);
    QCOMPARE(board.GetAllGrid() == kRecord, !opened);
    if (opened) QCOMPARE(board.GetGrid(true), std::string(kPuzzle));
    if (opened) QCOMPARE(Edit(board).UndoStack[0], kRecord);
    QCOMPARE(host.messages.size(), std::size_t(opened ? 0 : 1));
  }

  void wizardCheckBoxWritesTheOption() {
    bool tick = true;
    WizardDialog wizard(ini_, [&](bool on) { tick = on; });
    QVERIFY(Shown(&wizard));
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
    QTest::newRow("closed otherwise") << -2 << "";
  }
  void wizardChoices() {
    QFETCH(int, option);
    QFETCH(QString, action);
    WizardDialog wizard(ini_, {});
    QVERIFY(Shown(&wizard));
    if (option == -2) {
      wizard.reject();
    } else {
      QTest::mouseClick(option < 0 ? static_cast<QWidget*>(wizard.cmdClose()) : wizard.lblOptions(option),
                        Qt::LeftButton);
    }
    QVERIFY(!wizard.isVisible());
    QCOMPARE(QString::fromStdString(wizard.startAction()), action);
  }

  void firstShowingRunsTheWizardAndTheChosenAction() {
    writeIni("[Options]\nCheckVer=N\n[Data]\nLastGrid=" + kRecord + "\n");
    RecordingHost host;
    Board board(host);
    QWidget window;
    Startup startup(&window, board, ini_);
    QTimer chooser;
    connect(&chooser, &QTimer::timeout, [&] {
      if (auto* wizard = qobject_cast<WizardDialog*>(QApplication::activeModalWidget()))
        QTest::mouseClick(wizard->lblOptions(4), Qt::LeftButton);
    });
    chooser.start(10);
    window.show();
    QTRY_VERIFY(startup.boardReady());
    QCOMPARE(board.GetGrid(true), std::string(81, '.'));
    QCOMPARE(Edit(board).CurTool, kPen);
  }

  // The panel reports the check, then the restored board's status.
  void updateCheckRunsFirstAndEndsWithDone() {
    writeIni("[Options]\nWizard=N\n");
    struct PanelHistory : RecordingHost {
      std::vector<std::string> shown;
      void SetPanelHtml(std::string_view html) override {
        RecordingHost::SetPanelHtml(html);
        shown.emplace_back(html);
      }
    } host;
    Board board(host);
    QWidget window;
    Startup startup(&window, board, ini_);
    startup.firstActivation();
    QCOMPARE(host.shown.size(), std::size_t(1));  // the check runs on beside the window
    QCOMPARE(host.shown[0], std::string("Checking for program updates..."));
    QTRY_COMPARE(host.shown.size(), std::size_t(3));
    QCOMPARE(host.shown[1], std::string("Checking for program updates...Done"));
    QVERIFY(host.shown[2].find("to see an analysis of this puzzle") != std::string::npos);
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
    Edit(board).Cells[3].Value = 4;
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
    Edit(board).Cells[80].Value = 9;
    std::raise(SIGTERM);
    QTRY_COMPARE(read("Data", "LastGrid"), board.GetAllGrid());
    QCOMPARE(read("Data", "LastTool"), std::string("1"));
  }

  void helpBaseFindsTheBundledPagesOrTheServer() {
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    QDir(root.path()).mkpath("share/tavimoro/help");
    QDir(bin).mkpath(".");
    std::ofstream(root.filePath("share/tavimoro/help/helpfile.html").toStdString()) << "<html></html>";
    qunsetenv("TAVIMORO_SERVER");
    const std::string installed = ChooseHelpBase(bin);
    QVERIFY(installed.starts_with("file:///") && installed.ends_with("/share/tavimoro/help/"));

    QDir(bin).mkpath("help");
    std::ofstream(root.filePath("bin/help/helpfile.html").toStdString()) << "<html></html>";
    QVERIFY(ChooseHelpBase(bin).ends_with("/bin/help/"));

    qputenv("TAVIMORO_SERVER", "http://127.0.0.1:8080/");
    QCOMPARE(ChooseHelpBase(bin), std::string("http://127.0.0.1:8080/help/"));
    qunsetenv("TAVIMORO_SERVER");
    QVERIFY(ChooseHelpBase(root.filePath("nowhere")).starts_with("http://"));
  }

  void libraryListsInFileOrderAndDeletesOnlyOnYes() {
    writeIni("[SavedGames]\nzeta=" + kRecord + "\nalpha=" + kRecord + "\n");
    LoadGameDialog library(ini_, {});
    QVERIFY(Shown(&library));
    QCOMPARE(library.combo()->count(), 2);
    QCOMPARE(library.combo()->itemText(0), QString("zeta"));
    QCOMPARE(library.combo()->itemText(1), QString("alpha"));
    QVERIFY(library.combo()->isEnabled() && library.cmdLoad()->isEnabled() &&
            library.cmdDelete()->isEnabled());
    {
      BoxAnswerer answers({QMessageBox::No, QMessageBox::Cancel});
      library.deleteSelected();
      library.deleteSelected();
      QCOMPARE(answers.titles, QStringList({"Confirm Deletion", "Confirm Deletion"}));
      QCOMPARE(answers.texts[0], QString("Are you sure you want to delete the saved puzzle\nzeta?"));
    }
    QCOMPARE(library.combo()->count(), 2);
    {
      BoxAnswerer answers({QMessageBox::Yes, QMessageBox::Yes});
      library.deleteSelected();
      QCOMPARE(Settings(ini_).Names(setting::SavedGames), std::vector<std::string>{"alpha"});
      QVERIFY(library.isVisible());
      library.deleteSelected();
    }
    QCOMPARE(library.combo()->count(), 1);
    QCOMPARE(library.combo()->currentText(), QString("(No saved puzzles found)"));
    QVERIFY(!library.combo()->isEnabled() && !library.cmdLoad()->isEnabled() &&
            !library.cmdDelete()->isEnabled());
  }

  void libraryLoads_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reaches");
    QTest::addColumn<QString>("box");
    QTest::newRow("good record") << "mine" << QString::fromStdString(kRecord) << "";
    QTest::newRow("broken record") << "broken"
                                   << "oops"
                                   << "An error occurred";
    QTest::newRow("not saved") << "not saved"
                               << ""
                               << "An error occurred";
  }
  void libraryLoads() {
    QFETCH(QString, name);
    QFETCH(QString, reaches);
    QFETCH(QString, box);
    writeIni("[SavedGames]\nmine=" + kRecord + "\nbroken=oops\n");
    QStringList applied;
    LoadGameDialog library(ini_, [&](const std::string& text) {
      applied << QString::fromStdString(text);
      return text.starts_with("[");
    });
    library.combo()->setEditText(name);
    BoxAnswerer answers;
    library.loadSelected();
    QCOMPARE(answers.texts, box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(applied, reaches.isEmpty() ? QStringList() : QStringList{reaches});
    QCOMPARE(library.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
