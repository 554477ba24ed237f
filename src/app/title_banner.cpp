#include "app/title_banner.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace tavimoro::app {

TitleBanner::TitleBanner(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TitleBanner::sizeHint() const { return {600, 52}; }

void TitleBanner::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
  gradient.setColorAt(0, QColor(0x1f, 0x3b, 0x57));
  gradient.setColorAt(1, QColor(0x2f, 0x6d, 0x8c));
  painter.fillRect(rect(), gradient);

  // A small 3 x 3 emblem before the name.
  const int unit = height() / 8;
  const QPoint emblem(14, (height() - 3 * unit - 2 * (unit / 3)) / 2);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const QRect square(emblem.x() + c * (unit + unit / 3), emblem.y() + r * (unit + unit / 3), unit, unit);
      painter.fillRect(square, (r + c) % 2 ? QColor(255, 255, 255, 120) : QColor(0xff, 0xd8, 0x6b));
    }

  QFont font = painter.font();
  font.setPixelSize(height() * 46 / 100);
  font.setBold(true);
  font.setLetterSpacing(QFont::PercentageSpacing, 104);
  painter.setFont(font);
  painter.setPen(Qt::white);
  const int textLeft = emblem.x() + 3 * unit + 2 * (unit / 3) + 12;
  painter.drawText(QRect(textLeft, 0, width() - textLeft, height()), Qt::AlignVCenter | Qt::AlignLeft,
                   title_);
}

void TitleBanner::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // The window manager moves the window when it can (also on Wayland). One
  // that moves it holds the pointer, so motion still reaching us means that
  // none is (none running, or one that ignored the request): then follow
  // the mouse ourselves.
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
  if (QWindow* handle = window()->windowHandle()) handle->startSystemMove();
}

void TitleBanner::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && event->buttons().testFlag(Qt::LeftButton))
    window()->move(event->globalPosition().toPoint() - dragOffset_);
}

void TitleBanner::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

}  // namespace tavimoro::app
