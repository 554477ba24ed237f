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
    // A menu of ours is open only while the program has the keyboard. For a
    // dialog, the widget layer may have let go of the activation already;
    // the window system's focus window still says where the keys went.
    const bool menu = qobject_cast<QMenu*>(closing) != nullptr;
    const bool heldFocus = closing->isActiveWindow() ||
                           (closing->windowHandle() && QGuiApplication::focusWindow() == closing->windowHandle());
    const bool dialog = qobject_cast<QDialog*>(closing) != nullptr && heldFocus;
    if (closing->isWindow() && (menu || dialog) && target_ && closing != target_->window()) {
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
