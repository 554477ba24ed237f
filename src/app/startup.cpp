#include "app/startup.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <csignal>

#include "app/help_pages.h"
#include "app/tick_setting.h"
#include "app/update_check.h"
#include "app/wizard_dialog.h"
#include "board/board.h"
#include "engine/step_finder.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

void RestoreLastBoard(Board& board, const std::string& iniPath) {
  const Settings settings(iniPath);
  board.PaintPuzzle(settings.Get(setting::LastGrid), "", false);
  if (settings.Get(setting::LastTool) == kPen) {
    board.imgPen_Click();
  } else {
    board.imgPencil_Click();
  }
}

void RunStartAction(Board& board, const std::string& action, const std::string& iniPath) {
  if (action == kStartLast) {
    RestoreLastBoard(board, iniPath);
  } else if (action == kStartLoad) {
    board.LoadDialog();
  } else if (action == kStartNew) {
    board.PaintPuzzle("", "", true);
    board.imgBut_Click(4);
  } else if (action == kStartExternal) {
    board.PaintPuzzle("", "", true);
    board.imgPen_Click();
    // The help question on entering a puzzle from elsewhere.
    board.Execute(Command::HelpQuestion, 3);
  } else {
    board.PaintPuzzle("", "", false);
    board.imgPen_Click();
  }
}

void OpenStartFile(Board& board, const std::string& path, const std::string& iniPath) {
  RestoreLastBoard(board, iniPath);
  board.OpenPuzzleFile(path);
}

void StoreLastBoard(const Board& board, const std::string& iniPath) {
  // On the way out: a lock held by another copy costs a moment, not a hang.
  const WriteBatch batch(iniPath, kExitLockWait);
  const Settings settings(iniPath, kExitLockWait);
  settings.Set(setting::LastGrid, board.GetAllGrid());
  settings.Set(setting::LastTool, board.CurTool() == kPen ? kPen : kPencil);
}

// Everything stored on the way out (the board here, the window's place and
// clock in its own close) goes in one write: with a large library each
// write rewrites the whole file. It is made once the close is done.
void Startup::gatherExitWrites() {
  if (exitBatch_) return;
  exitBatch_ = std::make_unique<WriteBatch>(iniPath_, kExitLockWait);
  QTimer::singleShot(0, this, [this] { exitBatch_.reset(); });
}

Startup::Startup(QWidget* window, Board& board, std::string iniPath, std::function<void(bool)> rememberTick,
                 std::string puzzleFile)
    : QObject(window),
      window_(window),
      board_(board),
      iniPath_(std::move(iniPath)),
      rememberTick_(std::move(rememberTick)),
      puzzleFile_(std::move(puzzleFile)) {
  // Neither pen nor pencil, so that the first tool chosen takes effect.
  board_.ForgetTool();
  window_->installEventFilter(this);
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    storeBoard();
    exitBatch_.reset();
  });
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { storeBoard(); });
}

bool Startup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    // After the first showing has been painted, not inside it.
    if (event->type() == QEvent::Show && !started_) {
      QTimer::singleShot(0, this, &Startup::firstActivation);
    } else if (event->type() == QEvent::Close) {
      closed_ = true;
      gatherExitWrites();
      storeBoard();
    }
  }
  return QObject::eventFilter(watched, event);
}

void Startup::firstActivation() {
  if (started_) return;
  started_ = true;

  if (Settings(iniPath_).Get(TickSetting(Command::CheckVersion))) {
    board_.SetPanel("Checking for program updates...");
    // The window stays live during the check; the start goes on when it is over.
    StartUpdateCheck(window_, [this](bool ending) {
      if (ending) {
        leaving_ = true;
        return;
      }
      if (leaving_ || closed_) return;
      board_.SetPanel("Checking for program updates...Done");
      runStartAction();
    });
    return;
  }
  runStartAction();
}

void Startup::runStartAction() {
  if (!puzzleFile_.empty()) {
    boardReady_ = true;
    OpenStartFile(board_, puzzleFile_, iniPath_);
    return;
  }
  std::string action = kStartLast;
  if (Settings(iniPath_).Get(TickSetting(Command::ShowWizard))) {
    WizardDialog wizard(iniPath_, rememberTick_, window_);
    wizard.exec();
    action = wizard.startAction();
  }
  // A quit that arrived while the wizard was up ends the start here: the
  // stored board stays as it was.
  if (leaving_ || QCoreApplication::closingDown()) return;
  boardReady_ = true;
  RunStartAction(board_, action, iniPath_);
}

void Startup::storeBoard() {
  if (!boardReady_ || leaving_) return;
  StoreLastBoard(board_, iniPath_);
}

void Startup::quitCleanly() {
  gatherExitWrites();
  storeBoard();
  leaving_ = true;
  QCoreApplication::quit();
}

namespace {

int gSignalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
}

}  // namespace

void QuitCleanlyOnTermination(Startup* receiver) {
  if (gSignalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, receiver);
  QObject::connect(notifier, &QSocketNotifier::activated, receiver, [receiver] {
    char byte;
    [[maybe_unused]] const ssize_t got = ::read(gSignalPipe[0], &byte, 1);
    receiver->quitCleanly();
  });
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace tavimoro::app
