#include "app/print_puzzle.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/centered_message_box.h"

namespace tavimoro::app {

void PaintPuzzlePage(QPagedPaintDevice& device, const QString& puzzle) {
  QPainter painter(&device);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect page = painter.viewport();
  const int side = std::min(page.width(), page.height()) * 8 / 10;
  const double cell = side / 9.0;
  const QRectF grid((page.width() - side) / 2.0, page.height() / 6.0, side, side);

  QFont title = painter.font();
  title.setPixelSize(static_cast<int>(cell * 0.45));
  painter.setFont(title);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(grid.left(), grid.top() - cell, grid.width(), cell * 0.8),
                   Qt::AlignLeft | Qt::AlignBottom, kProgramTitle);

  QFont digits = painter.font();
  digits.setPixelSize(static_cast<int>(cell * 0.6));
  painter.setFont(digits);
  for (int i = 0; i < 81 && i < puzzle.size(); ++i) {
    const QChar ch = puzzle.at(i);
    if (ch < QLatin1Char('1') || ch > QLatin1Char('9')) continue;
    const QRectF box(grid.left() + (i % 9) * cell, grid.top() + (i / 9) * cell, cell, cell);
    painter.drawText(box, Qt::AlignCenter, QString(ch));
  }
  for (int k = 0; k <= 9; ++k) {
    const double width = k % 3 == 0 ? cell / 18 : cell / 60;
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap));
    const double offset = k * cell;
    painter.drawLine(QPointF(grid.left(), grid.top() + offset), QPointF(grid.right(), grid.top() + offset));
    painter.drawLine(QPointF(grid.left() + offset, grid.top()), QPointF(grid.left() + offset, grid.bottom()));
  }
}

bool PrintPuzzle(QWidget* parent, const QString& puzzle) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(kProgramTitle);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print Puzzle"));
  if (dialog.exec() != QDialog::Accepted) return false;
  PaintPuzzlePage(printer, puzzle);
  return true;
}

}  // namespace tavimoro::app
