#include "app/board_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/board_accessible.h"

namespace tavimoro::app {

namespace {

constexpr int kCellGap = 1;
const QColor kFrameColour(0x2b, 0x34, 0x40);
const QColor kSelectionColour(255, 255, 128);

// Pencil mark positions from the original layout, in twips of a box whose
// free width is 487.5 and free height 422.5 (the mark's own size excluded).
constexpr double kMarkX[3] = {39.0 / 487.5, 260.0 / 487.5, 1.0};
constexpr double kMarkY[3] = {0.0, 208.0 / 422.5, 1.0};

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BoardView::setPicture(const BoardPicture* picture) {
  picture_ = picture;
  update();
}

void BoardView::pictureChanged() {
  update();
  if (!picture_ || !QAccessible::isActive()) return;
  const int cell = picture_->selected;
  const QString text = CellSpeech(picture_->cells[cell], cell);
  if (cell != spokenCell_) {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(cell);
    QAccessible::updateAccessibility(&focus);
  } else if (text != spokenText_) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    changed.setChild(cell);
    QAccessible::updateAccessibility(&changed);
  }
  spokenCell_ = cell;
  spokenText_ = text;
}

QColor BoardView::FromWindowsColour(std::uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QColor BoardView::PencilColour(int digit) {
  static const QColor colours[9] = {QColor(255, 0, 0),     QColor(0, 102, 221), QColor(51, 153, 0),
                                    QColor(100, 100, 100), QColor(255, 153, 0), QColor(153, 102, 0),
                                    QColor(102, 0, 102),   QColor(255, 0, 255), QColor(0, 0, 0)};
  return colours[std::clamp(digit, 1, 9) - 1];
}

BoardView::Metrics BoardView::metrics() const {
  const QRect area = contentsRect().adjusted(2, 2, -2, -2);
  const int side = std::min(area.width(), area.height());
  // side = 9 cells + 8 gaps + 2 block gaps of a tenth of a cell each.
  Metrics m;
  m.cell = std::max(8, static_cast<int>((side - 8 * kCellGap) / 9.2));
  m.blockGap = std::max(2, m.cell / 10);
  const int total = 9 * m.cell + 8 * kCellGap + 2 * m.blockGap;
  m.origin = QPoint(area.left() + (area.width() - total) / 2, area.top() + (area.height() - total) / 2);
  return m;
}

int BoardView::lineOffset(int index, const Metrics& m) const {
  return index * (m.cell + kCellGap) + (index >= 3 ? m.blockGap : 0) + (index >= 6 ? m.blockGap : 0);
}

QRect BoardView::cellRect(int cell) const {
  if (cell < 0 || cell > 80) return {};
  const Metrics m = metrics();
  return QRect(m.origin.x() + lineOffset(cell % 9, m), m.origin.y() + lineOffset(cell / 9, m), m.cell,
               m.cell);
}

int BoardView::cellAt(QPoint point) const {
  const Metrics m = metrics();
  int row = -1, col = -1;
  for (int i = 0; i < 9; ++i) {
    const int start = lineOffset(i, m);
    if (point.x() - m.origin.x() >= start && point.x() - m.origin.x() < start + m.cell) col = i;
    if (point.y() - m.origin.y() >= start && point.y() - m.origin.y() < start + m.cell) row = i;
  }
  return row < 0 || col < 0 ? -1 : 9 * row + col;
}

QSize BoardView::sizeHint() const { return {480, 480}; }
QSize BoardView::minimumSizeHint() const { return {300, 300}; }

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QRect frame = cellRect(0).united(cellRect(80)).adjusted(-2, -2, 2, 2);
  QPainterPath outline;
  outline.addRoundedRect(QRectF(frame).adjusted(-1, -1, 1, 1), 4, 4);
  painter.fillPath(outline, kFrameColour);
  // Backgrounds, then the hint's lines, then the digits: a line never hides
  // a digit or a mark.
  for (int cell = 0; cell < 81; ++cell) paintBackground(painter, cell, cellRect(cell));
  paintLines(painter);
  for (int cell = 0; cell < 81; ++cell) paintContent(painter, cell, cellRect(cell));
}

void BoardView::paintBackground(QPainter& painter, int cell, const QRect& rect) const {
  QColor background = Qt::white;
  if (picture_ && picture_->cells[cell].colour > 0) {
    background = FromWindowsColour(picture_->cells[cell].colour);
  } else if (picture_ && picture_->selected == cell) {
    background = kSelectionColour;
  } else if (picture_ && picture_->highlightDigit >= 1 && picture_->highlightDigit <= 9) {
    const CellPicture& pic = picture_->cells[cell];
    const int digit = picture_->highlightDigit;
    const bool holds = pic.value == digit || (pic.value == 0 && ((pic.marks >> (digit - 1)) & 1));
    if (holds) background = DigitHighlightColour();
  }
  painter.fillRect(rect, background);
}

void BoardView::paintContent(QPainter& painter, int cell, const QRect& rect) const {
  if (!picture_) return;
  const CellPicture& pic = picture_->cells[cell];
  const bool colourCoded = picture_->colourCodedMarks;
  if (pic.value >= 1 && pic.value <= 9) {
    QFont font = painter.font();
    font.setPixelSize(std::max(6, rect.height() * 62 / 100));
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(picture_->givensApart && !pic.given ? EnteredDigitColour() : QColor(Qt::black));
    painter.drawText(rect, Qt::AlignCenter, QString::number(pic.value));
    return;
  }
  if (pic.marks == 0) return;
  QFont font = painter.font();
  font.setPixelSize(std::max(5, rect.height() * 27 / 100));
  font.setBold(colourCoded);
  painter.setFont(font);
  const QFontMetrics fm(font);
  const int inset = std::max(1, rect.width() / 16);
  const QRect inner = rect.adjusted(inset, inset / 2, -inset, -inset / 2);
  for (int d = 1; d <= 9; ++d) {
    if (!((pic.marks >> (d - 1)) & 1)) continue;
    const QString text = QString::number(d);
    const int w = fm.horizontalAdvance(text), h = fm.height();
    const int x = inner.left() + static_cast<int>(kMarkX[(d - 1) % 3] * (inner.width() - w));
    const int y = inner.top() + static_cast<int>(kMarkY[(d - 1) / 3] * (inner.height() - h));
    painter.setPen(colourCoded ? PencilColour(d) : QColor(100, 100, 100));
    painter.drawText(QRect(x, y, w, h), Qt::AlignCenter, text);
  }
}

// Where a link meets a cell: the centre of the digit's pencil mark while the
// cell shows marks (placed as paintContent places them), else the centre.
QPointF BoardView::linkEnd(int cell, int digit) const {
  const QRect rect = cellRect(cell);
  const CellPicture& pic = picture_->cells[cell];
  if (digit < 1 || digit > 9 || pic.value != 0 || pic.marks == 0) return QRectF(rect).center();
  QFont font = this->font();
  font.setPixelSize(std::max(5, rect.height() * 27 / 100));
  const QFontMetrics fm(font);
  const int inset = std::max(1, rect.width() / 16);
  const QRect inner = rect.adjusted(inset, inset / 2, -inset, -inset / 2);
  const int w = fm.horizontalAdvance(QString::number(digit)), h = fm.height();
  const double x = inner.left() + kMarkX[(digit - 1) % 3] * (inner.width() - w) + w / 2.0;
  const double y = inner.top() + kMarkY[(digit - 1) / 3] * (inner.height() - h) + h / 2.0;
  return {x, y};
}

void BoardView::paintLines(QPainter& painter) const {
  if (!picture_) return;
  const int scale = std::max(1, cellRect(0).width() / 24);
  painter.setBrush(Qt::NoBrush);
  for (const StepLine& line : picture_->lines) {
    if (line.IsEmpty() || line.FromCell < 0 || line.FromCell > 80 || line.ToCell < 0 || line.ToCell > 80)
      continue;
    QColor colour = FromWindowsColour(line.Colour);
    colour.setAlpha(170);
    QPen pen(colour, std::max(1, line.Width) * scale);
    pen.setCapStyle(Qt::RoundCap);
    if (line.Dashed) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    const QPointF from = linkEnd(line.FromCell, line.FromDigit), to = linkEnd(line.ToCell, line.ToDigit);
    if (line.FromCell != line.ToCell) {
      painter.drawLine(from, to);
      continue;
    }
    // Two candidates of one cell: a short arc bowed off the straight line,
    // so that it does not run through the mark between them.
    const QPointF middle = (from + to) / 2, along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const double lift = length > 0 ? std::max(0.3, cellRect(0).width() / 7.0 / length) : 0.0;
    const QPointF bow = QPointF(-along.y(), along.x()) * lift;
    QPainterPath arc(from);
    arc.quadTo(middle + bow, to);
    painter.drawPath(arc);
  }
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
  const int cell = cellAt(event->position().toPoint());
  if (cell >= 0) emit cellReleased(cell, event->button());
}

}  // namespace tavimoro::app
