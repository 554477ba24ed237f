#include "app/puzzle_clock.h"

#include <algorithm>

#include "settings/settings_schema.h"

namespace tavimoro::app {

PuzzleClock::PuzzleClock(QWidget* parent, std::function<qint64()> now)
    : QLabel(parent), now_(std::move(now)) {
  if (!now_) {
    steady_.start();
    now_ = [this] { return steady_.elapsed(); };
  }
  setObjectName(QStringLiteral("lblTimer"));
  setAccessibleName(QStringLiteral("Time on this puzzle"));
  setStyleSheet(QStringLiteral("QLabel { color: white; font-weight: bold; }"));
  tick_.setInterval(500);
  connect(&tick_, &QTimer::timeout, this, &PuzzleClock::update);
  setText(Format(0));
  hide();
}

qint64 PuzzleClock::elapsedMs() const { return banked_ + (runningSince_ >= 0 ? now_() - runningSince_ : 0); }

QString PuzzleClock::Format(qint64 ms) {
  const qint64 seconds = ms / 1000;
  const qint64 h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  if (h > 0)
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
  return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

// Banks the running time, then runs again if it should.
void PuzzleClock::update() {
  banked_ = elapsedMs();
  runningSince_ = shouldRun() ? now_() : -1;
  if (runningSince_ >= 0 && !tick_.isActive()) tick_.start();
  if (runningSince_ < 0) tick_.stop();
  setText(Format(banked_));
}

void PuzzleClock::follow(const QString& givens, bool full) {
  if (givens != givens_) {
    banked_ = resumePending_ && givens == resumeGivens_ ? resumeMs_ : 0;
    runningSince_ = -1;
    givens_ = givens;
    // The stored time is for the first puzzle of the run: the board is
    // empty only until the start puts the last board back.
    if (givens == resumeGivens_ || givens.count(QLatin1Char('.')) < givens.size()) resumePending_ = false;
  }
  full_ = full;
  update();
}

void PuzzleClock::setPaused(bool paused) {
  paused_ = paused;
  update();
}

void PuzzleClock::setShown(bool shown) {
  setVisible(shown);
  update();
}

void PuzzleClock::store(const std::string& iniPath) const {
  // No board yet, or not yet the stored one: the stored time stays.
  if (resumePending_ || givens_.isEmpty()) return;
  const Settings settings(iniPath);
  settings.Set(setting::LastTime,
               static_cast<int>(std::min<qint64>(elapsedMs() / 1000, setting::LastTime.high)));
  settings.Set(setting::LastTimeGivens, givens_.toStdString());
}

void PuzzleClock::restore(const std::string& iniPath) {
  const Settings settings(iniPath);
  resumeMs_ = settings.Get(setting::LastTime) * qint64{1000};
  resumeGivens_ = QString::fromStdString(settings.Get(setting::LastTimeGivens));
  resumePending_ = resumeMs_ > 0;
}

}  // namespace tavimoro::app
