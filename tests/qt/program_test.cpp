// The real program, run offscreen with its own settings file and ended by
// SIGTERM: a quit through Qt that keeps the board, and keeps the stored one
// when the start had not got as far as loading a board.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>

#include "settings/settings.h"

namespace {

// Marks written out of order and an unusual tool value: a program that
// stored its board writes them back in its own form.
std::string LooseRecord() {
  std::string record = "[5|T|][0|F|921]";
  for (int i = 2; i < 81; ++i) record += "[0|F|]";
  return record;
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  std::string runAndTerminate(const std::string& options) {
    const std::string ini = dir_.filePath("Tavimoro.ini").toStdString();
    std::ofstream(ini, std::ios::trunc)
        << "[Options]\nCheckVer=N\n"
        << options << "[Data]\nLastGrid=" << LooseRecord() << "\nLastTool=7\n";
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(TAVIMORO_BINARY_DIR "/tavimoro", {"--ini", QString::fromStdString(ini)});
    if (!program.waitForStarted()) return "not started";
    QTest::qWait(1500);
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    if (!program.waitForFinished(10000)) {
      program.kill();
      return "still running";
    }
    if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) return "crashed";
    return ini;
  }

 private slots:
  void sigtermKeepsTheBoardAndTool() {
    const std::string ini = runAndTerminate("Wizard=N\n");
    std::string expected = "[5|T|][0|F|129]";
    for (int i = 2; i < 81; ++i) expected += "[0|F|]";
    QCOMPARE(tavimoro::ReadSetting("Data", "LastGrid", ini), expected);
    QCOMPARE(tavimoro::ReadSetting("Data", "LastTool", ini), std::string("0"));
  }

  void sigtermDuringTheWizardLeavesTheStoredBoard() {
    const std::string ini = runAndTerminate("");
    QCOMPARE(tavimoro::ReadSetting("Data", "LastGrid", ini), LooseRecord());
    QCOMPARE(tavimoro::ReadSetting("Data", "LastTool", ini), std::string("7"));
  }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
