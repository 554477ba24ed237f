// FocusReturn: gives the keyboard back to the main window whenever one of
// its dialogs or menus closes. A window manager does this on its own; on a
// display without one, the focus stays with the closed window and the board
// takes no keys until it is clicked.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tavimoro::app {

class FocusReturn : public QObject {
  Q_OBJECT

 public:
  // Watches every window of the application; focusTarget (the board's
  // widget, in the main window) gets the keys back.
  explicit FocusReturn(QWidget* focusTarget);

  // Gives the focus to the dialog still open (a box over a dialog), else to
  // the focus target when its window is shown and not minimised.
  void restore();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> target_;
};

}  // namespace tavimoro::app
