#include "app/status_light.h"

#include <QPainter>
#include <QRadialGradient>

namespace tavimoro::app {

StatusLight::StatusLight(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void StatusLight::setFillColour(const QColor& colour) {
  if (fill_ == colour) return;
  fill_ = colour;
  update();
}

void StatusLight::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF lamp = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  QRadialGradient shine(lamp.center() - QPointF(lamp.width() / 5, lamp.height() / 5), lamp.width() / 1.6);
  shine.setColorAt(0, fill_.value() < 40 ? QColor(110, 110, 110) : fill_.lighter(140));
  shine.setColorAt(1, fill_);
  painter.setBrush(shine);
  painter.setPen(QPen(QColor(0x2b, 0x34, 0x40), 1));
  painter.drawEllipse(lamp);
}

}  // namespace tavimoro::app
