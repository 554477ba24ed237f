#include "app/svg_art.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace tavimoro::app {

QSvgRenderer* SvgIcon(const QString& name) {
  static QHash<QString, QSvgRenderer*> cache;
  QSvgRenderer*& renderer = cache[name];
  if (!renderer) renderer = new QSvgRenderer(QStringLiteral(":/icons/%1.svg").arg(name));
  return renderer;
}

QPixmap SvgPixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio) {
  QPixmap pixmap(logicalSize * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  SvgIcon(name)->render(&painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)));
  return pixmap;
}

QCursor ToolCursor(int tool, qreal devicePixelRatio) {
  const QPixmap pixmap =
      SvgPixmap(tool == 1 ? "pencil-cursor" : "pen-cursor", QSize(32, 32), devicePixelRatio);
  return QCursor(pixmap, 3, 29);
}

}  // namespace tavimoro::app
