// Start-up and shutdown around the main window.
//
// At the window's first showing: the optional update check, the optional
// start-up wizard and the chosen start action (last board, saved puzzle,
// new puzzle, a puzzle from elsewhere, blank grid). At the end of the run,
// however it comes (the window closed, the session ending, SIGTERM turned
// into a clean quit), the board and the tool are stored once the start
// action has put a board in place; before that the stored board is the one
// worth keeping, and after the update check's "download" answer nothing is
// stored at all.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "settings/settings.h"

class QWidget;

namespace tavimoro {
class Board;
}

namespace tavimoro::app {

// Loads "LastGrid" (only a record string, starting with "["; anything else
// gives the sample puzzle) without an undo point, then the tool from
// "LastTool": empty or "1" the pencil, any other value the pen.
void RestoreLastBoard(Board& board, const std::string& iniPath);

// Performs a start action of the wizard on the board.
void RunStartAction(Board& board, const std::string& action, const std::string& iniPath);

// A puzzle file named on the command line, in place of the wizard and its
// start action: the last board is restored first, so that a file that
// cannot be opened leaves it in place and Undo goes back to it.
void OpenStartFile(Board& board, const std::string& path, const std::string& iniPath);

// Writes "LastGrid" and "LastTool" ("0" pen, "1" pencil), waiting at most
// kExitLockWait for another copy's lock.
void StoreLastBoard(const Board& board, const std::string& iniPath);

class Startup : public QObject {
  Q_OBJECT

 public:
  // window: the main window, watched for its first showing and its close.
  // rememberTick sets the options menu's wizard tick from the wizard;
  // puzzleFile, when not empty, is opened instead of the start action.
  Startup(QWidget* window, Board& board, std::string iniPath, std::function<void(bool)> rememberTick = {},
          std::string puzzleFile = {});

  // The once-per-run work of the first showing; later calls do nothing.
  // With the update check on, the wizard and the start action follow when
  // the check is over, not before this returns.
  void firstActivation();
  // Stores the board unless there is nothing to store yet (see above).
  void storeBoard();
  bool boardReady() const { return boardReady_; }

 public slots:
  // A termination signal or the session's end: store, then quit through Qt.
  void quitCleanly();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The wizard (when it is on) and the chosen start action.
  void runStartAction();
  void gatherExitWrites();

  QWidget* window_;
  Board& board_;
  std::string iniPath_;
  std::function<void(bool)> rememberTick_;
  std::string puzzleFile_;
  bool started_ = false;
  bool boardReady_ = false;
  bool leaving_ = false;
  bool closed_ = false;  // the window was closed before the start was done
  std::unique_ptr<WriteBatch> exitBatch_;
};

// Turns SIGTERM, SIGINT and SIGHUP into a queued call of receiver's
// quitCleanly on the window thread (a self-pipe read by a socket notifier,
// so that the handler itself only writes one byte).
void QuitCleanlyOnTermination(Startup* receiver);

}  // namespace tavimoro::app
