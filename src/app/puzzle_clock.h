// PuzzleClock: the optional timer in the status area. It counts the time
// spent on the puzzle on the board: a puzzle with other givens starts it
// from zero, a full board stops it, and it does not run while the window is
// minimised or the timer is hidden. The time is kept with the last board
// ("LastTime" and "LastTimeGivens" in section "Data"), so that the puzzle
// restored at the next start goes on from where it was.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <functional>
#include <string>

namespace tavimoro::app {

class PuzzleClock : public QLabel {
  Q_OBJECT

 public:
  // now: milliseconds from any origin (tests drive it); a steady clock
  // when empty.
  explicit PuzzleClock(QWidget* parent = nullptr, std::function<qint64()> now = {});

  // The board as it now is: its givens (81 characters) and whether every
  // cell holds a digit.
  void follow(const QString& givens, bool full);
  // Minimised or hidden: the clock holds.
  void setPaused(bool paused);
  void setShown(bool shown);

  qint64 elapsedMs() const;
  // "m:ss", or "h:mm:ss" from an hour on.
  static QString Format(qint64 ms);

  // Stores the time and the givens it belongs to; restores it when the
  // same givens are the first the clock follows.
  void store(const std::string& iniPath) const;
  void restore(const std::string& iniPath);

 private:
  bool shouldRun() const { return !paused_ && !full_ && isVisibleTo(parentWidget()); }
  void update();

  std::function<qint64()> now_;
  QElapsedTimer steady_;
  QTimer tick_;
  QString givens_;
  QString resumeGivens_;  // the stored board's givens, until the first follow
  qint64 resumeMs_ = 0;
  qint64 banked_ = 0;  // time before the current run
  qint64 runningSince_ = -1;
  bool paused_ = false;
  bool full_ = false;
  bool resumePending_ = false;
};

}  // namespace tavimoro::app
