#include "app/print_puzzle.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/centered_message_box.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

namespace {

const QColor kApartColour(110, 110, 110);

bool IsDigit(const QString& text, int i) {
  return i < text.size() && text.at(i) >= QLatin1Char('1') && text.at(i) <= QLatin1Char('9');
}

}  // namespace

EnteredDigits ReadEnteredDigits(const std::string& iniPath) {
  return static_cast<EnteredDigits>(Settings(iniPath).Get(setting::PrintEntries));
}

void StoreEnteredDigits(EnteredDigits choice, const std::string& iniPath) {
  Settings(iniPath).Set(setting::PrintEntries, static_cast<int>(choice));
}

void PaintPuzzle(QPainter& painter, const QRect& page, const PrintedBoard& board, EnteredDigits entered) {
  painter.setRenderHint(QPainter::Antialiasing);
  const int side = std::min(page.width(), page.height()) * 8 / 10;
  const double cell = side / 9.0;
  const QRectF grid(page.left() + (page.width() - side) / 2.0, page.top() + page.height() / 6.0, side, side);

  QFont title = painter.font();
  title.setPixelSize(static_cast<int>(cell * 0.45));
  painter.setFont(title);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(grid.left(), grid.top() - cell, grid.width(), cell * 0.8),
                   Qt::AlignLeft | Qt::AlignBottom, kProgramTitle);

  QFont digits = painter.font();
  digits.setPixelSize(static_cast<int>(cell * 0.6));
  QFont apart = digits;
  apart.setItalic(true);
  for (int i = 0; i < 81; ++i) {
    const bool given = IsDigit(board.givens, i);
    const bool mine = !given && IsDigit(board.entered, i);
    if (!given && (!mine || entered == EnteredDigits::LeftOut)) continue;
    const bool drawnApart = mine && entered == EnteredDigits::Apart;
    painter.setFont(drawnApart ? apart : digits);
    painter.setPen(drawnApart ? kApartColour : QColor(Qt::black));
    const QRectF box(grid.left() + (i % 9) * cell, grid.top() + (i / 9) * cell, cell, cell);
    painter.drawText(box, Qt::AlignCenter, QString(given ? board.givens.at(i) : board.entered.at(i)));
  }
  for (int k = 0; k <= 9; ++k) {
    const double width = k % 3 == 0 ? cell / 18 : cell / 60;
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap));
    const double offset = k * cell;
    painter.drawLine(QPointF(grid.left(), grid.top() + offset), QPointF(grid.right(), grid.top() + offset));
    painter.drawLine(QPointF(grid.left() + offset, grid.top()), QPointF(grid.left() + offset, grid.bottom()));
  }
}

void PaintPuzzlePage(QPagedPaintDevice& device, const PrintedBoard& board, EnteredDigits entered) {
  QPainter painter(&device);
  PaintPuzzle(painter, painter.viewport(), board, entered);
}

bool PrintPuzzle(QWidget* parent, const PrintedBoard& board, const std::string& iniPath) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(kProgramTitle);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print Puzzle"));

  auto* page = new QWidget;
  page->setWindowTitle(QStringLiteral("Puzzle"));
  auto* choice = new QComboBox(page);
  choice->addItems({QStringLiteral("Like the givens"), QStringLiteral("Apart, in grey italics"),
                    QStringLiteral("Leave them out")});
  choice->setCurrentIndex(static_cast<int>(ReadEnteredDigits(iniPath)));
  choice->setAccessibleName(QStringLiteral("Digits you entered"));
  auto* form = new QFormLayout(page);
  form->addRow(QStringLiteral("Digits you entered:"), choice);
  dialog.setOptionTabs({page});

  if (dialog.exec() != QDialog::Accepted) return false;
  const auto entered = static_cast<EnteredDigits>(choice->currentIndex());
  StoreEnteredDigits(entered, iniPath);
  PaintPuzzlePage(printer, board, entered);
  return true;
}

}  // namespace tavimoro::app
