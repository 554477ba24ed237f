#include "app/window_edges.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tavimoro::app {

namespace {

constexpr int kGrip = 6;  // pixels from an edge that take a resize

Qt::CursorShape ShapeFor(Qt::Edges edges) {
  const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (horizontal && vertical) {
    const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

WindowEdges::WindowEdges(QWidget* window) : QObject(window), window_(window) {
  if (QWindow* handle = window->windowHandle()) handle->installEventFilter(this);
}

Qt::Edges WindowEdges::edgesAt(QPoint position) const {
  Qt::Edges edges;
  if (window_->isMaximized() || window_->isFullScreen()) return edges;
  // The corners take a wider grip, being the usual place to take hold.
  const int corner = 3 * kGrip;
  const int w = window_->width(), h = window_->height();
  const QPoint p = position;
  if (p.x() < kGrip || (p.x() < corner && (p.y() < kGrip || p.y() >= h - kGrip))) edges |= Qt::LeftEdge;
  if (p.x() >= w - kGrip || (p.x() >= w - corner && (p.y() < kGrip || p.y() >= h - kGrip)))
    edges |= Qt::RightEdge;
  if (p.y() < kGrip || (p.y() < corner && (p.x() < kGrip || p.x() >= w - kGrip))) edges |= Qt::TopEdge;
  if (p.y() >= h - kGrip || (p.y() >= h - corner && (p.x() < kGrip || p.x() >= w - kGrip)))
    edges |= Qt::BottomEdge;
  return edges;
}

bool WindowEdges::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      return press(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
      auto* move = static_cast<QMouseEvent*>(event);
      if (pressed_ && move->buttons().testFlag(Qt::LeftButton)) {
        // Motion with the button held reaching us means that no window
        // manager is resizing (a resizing one holds the pointer).
        follow(move->globalPosition().toPoint());
        return true;
      }
      pressed_ = {};
      if (move->buttons() == Qt::NoButton) showShape(move->position().toPoint());
      break;
    }
    case QEvent::MouseButtonRelease:
      if (pressed_) {
        pressed_ = {};
        return true;
      }
      break;
    case QEvent::Leave:
      showShape(QPoint(window_->width() / 2, window_->height() / 2));
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool WindowEdges::press(QMouseEvent* event) {
  const Qt::Edges edges = edgesAt(event->position().toPoint());
  pressed_ = event->button() == Qt::LeftButton ? edges : Qt::Edges();
  if (!pressed_) return false;
  pressedAt_ = event->globalPosition().toPoint();
  startRect_ = window_->geometry();
  window_->windowHandle()->startSystemResize(edges);
  return true;
}

void WindowEdges::follow(QPoint globalPosition) {
  const QPoint delta = globalPosition - pressedAt_;
  QRect rect = startRect_;
  const QSize least = window_->minimumSize();
  if (pressed_ & Qt::LeftEdge)
    rect.setLeft(std::min(rect.left() + delta.x(), rect.right() + 1 - least.width()));
  if (pressed_ & Qt::RightEdge)
    rect.setRight(std::max(rect.right() + delta.x(), rect.left() + least.width() - 1));
  if (pressed_ & Qt::TopEdge)
    rect.setTop(std::min(rect.top() + delta.y(), rect.bottom() + 1 - least.height()));
  if (pressed_ & Qt::BottomEdge)
    rect.setBottom(std::max(rect.bottom() + delta.y(), rect.top() + least.height() - 1));
  window_->setGeometry(rect);
}

void WindowEdges::showShape(QPoint position) {
  if (const Qt::Edges edges = edgesAt(position)) {
    window_->windowHandle()->setCursor(ShapeFor(edges));
    shapeShown_ = true;
  } else if (shapeShown_) {
    // Back to the shape of the widget there (the board's tool, a link's hand).
    const QWidget* under = window_->childAt(position);
    window_->windowHandle()->setCursor(under ? under->cursor() : window_->cursor());
    shapeShown_ = false;
  }
}

}  // namespace tavimoro::app
