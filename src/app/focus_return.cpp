#include "app/focus_return.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWindow>

namespace tavimoro::app {

FocusReturn::FocusReturn(QWidget* focusTarget) : QObject(focusTarget), target_(focusTarget) {
  qApp->installEventFilter(this);
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    auto* closing = static_cast<QWidget*>(watched);
    // Our dialogs and menus close on the user's own answer, given while the
    // program has the keyboard (the widget layer may already have let go of
    // the activation when the hide arrives, so that is not asked).
    const bool dialogOrMenu = qobject_cast<QDialog*>(closing) || qobject_cast<QMenu*>(closing);
    if (closing->isWindow() && dialogOrMenu && target_ && closing != target_->window()) {
      // After the closing window has gone and any modal loop has returned.
      QTimer::singleShot(0, this, &FocusReturn::restore);
    }
  }
  return QObject::eventFilter(watched, event);
}

void FocusReturn::restore() {
  if (!target_ || QApplication::activePopupWidget()) return;
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (!modal->isActiveWindow()) modal->activateWindow();
    return;
  }
  QWidget* window = target_->window();
  if (!window->isVisible() || window->isMinimized()) return;
  if (!window->isActiveWindow() || QGuiApplication::focusWindow() != window->windowHandle()) {
    window->activateWindow();
  }
  target_->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace tavimoro::app
