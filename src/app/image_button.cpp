#include "app/image_button.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include "app/svg_art.h"

namespace tavimoro::app {

ImageButton::ImageButton(const QString& iconName, const QString& toolTip, QWidget* parent)
    : QAbstractButton(parent), iconName_(iconName) {
  setToolTip(toolTip);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
}

void ImageButton::setIconExtent(int pixels) {
  iconExtent_ = pixels;
  updateGeometry();
}

void ImageButton::setLit(bool lit) {
  lit_ = lit;
  update();
}

QSize ImageButton::sizeHint() const { return {iconExtent_ + 14, iconExtent_ + 14}; }

void ImageButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF plate = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  if (isEnabled() && (hovered_ || lit_)) {
    QPainterPath path;
    path.addRoundedRect(plate, 6, 6);
    const bool down = isDown();
    painter.fillPath(path, QColor(255, 255, 255, down ? 90 : hovered_ ? 60 : 38));
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    painter.drawPath(path);
  }
  if (!isEnabled()) painter.setOpacity(0.3);
  const QRectF iconRect((width() - iconExtent_) / 2.0, (height() - iconExtent_) / 2.0, iconExtent_,
                        iconExtent_);
  SvgIcon(iconName_)->render(&painter, iconRect);
}

}  // namespace tavimoro::app
