// WindowEdges: resizing a frameless window from its edges and corners. It
// watches the mouse events of the window's native window before its widgets
// see them: within a few pixels of an edge the pointer shows the resize
// shape, and a press there hands the resize to the window manager
// (QWindow::startSystemResize). Where no window manager takes it (none
// running, or one that ignores the request and leaves the motion events
// with us), the window follows the mouse itself, never below its minimum
// size.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace tavimoro::app {

class WindowEdges : public QObject {
  Q_OBJECT

 public:
  // Watches window, which must have its native window (call once shown).
  explicit WindowEdges(QWidget* window);

  // The edges within reach of a point of the window's own coordinates.
  Qt::Edges edgesAt(QPoint position) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool press(QMouseEvent* event);
  void follow(QPoint globalPosition);
  // The resize shape at an edge, else the shape of what is under position.
  void showShape(QPoint position);

  QWidget* window_;
  Qt::Edges pressed_;  // the edges being dragged, none between drags
  QPoint pressedAt_;   // global position of the press
  QRect startRect_;    // the window's geometry at the press
  bool shapeShown_ = false;
};

}  // namespace tavimoro::app
