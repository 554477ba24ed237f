#include "app/focus_return.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QTimer>

namespace tavimoro::app {

FocusReturn::FocusReturn(QWidget* focusTarget) : QObject(focusTarget), target_(focusTarget) {
  qApp->installEventFilter(this);
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    auto* closing = static_cast<QWidget*>(watched);
    const bool dialogOrMenu = qobject_cast<QDialog*>(closing) || qobject_cast<QMenu*>(closing);
    const bool heldFocus = closing->isActiveWindow() || QApplication::activePopupWidget() == closing;
    if (closing->isWindow() && dialogOrMenu && heldFocus && target_ && closing != target_->window()) {
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
  if (!window->isActiveWindow()) window->activateWindow();
  target_->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace tavimoro::app
