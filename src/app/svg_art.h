// The program's pictures are SVG files compiled into the resources
// (":/icons/<name>.svg"); they are rendered at the device pixel ratio of the
// screen they appear on, so they stay sharp at any scale.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

class QSvgRenderer;

namespace tavimoro::app {

// The shared renderer of ":/icons/<name>.svg" (never null; invalid when the
// file is missing, which draws nothing).
QSvgRenderer* SvgIcon(const QString& name);

// The icon rendered into a pixmap of the given logical size.
QPixmap SvgPixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio);

// The pen (tool 0) or pencil (tool 1) cell cursor, 32 logical pixels, hot
// spot at the writing tip in the lower left corner.
QCursor ToolCursor(int tool, qreal devicePixelRatio);

}  // namespace tavimoro::app
