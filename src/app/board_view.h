// BoardView: the 81 cells, painted with QPainter from a BoardPicture that the
// main window fills on every redraw. The view owns no board state; it turns
// mouse releases into cell signals and knows the geometry (cellRect/cellAt).
//
// Geometry: nine cells per line with a one-pixel gap between neighbours and a
// tenth of a cell extra after the third and sixth row and column, so the
// blocks stand apart. The gaps show the frame colour and read as grid lines.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/step_record.h"

namespace tavimoro::app {

struct CellPicture {
  int value = 0;  // 0 = empty
  bool given = false;
  std::uint16_t marks = 0;   // pencil marks, digit d at bit d - 1
  std::uint32_t colour = 0;  // highlight 0x00BBGGRR, 0 = none
};

struct BoardPicture {
  std::array<CellPicture, 81> cells{};
  int selected = 0;
  bool colourCodedMarks = false;
  bool givensApart = false;     // entered digits in EnteredDigitColour, givens black
  int highlightDigit = 0;       // 1..9: cells holding it or marked with it stand out; 0 none
  std::vector<StepLine> lines;  // lines of the hint on the panel
};

class BoardView : public QWidget {
  Q_OBJECT

 public:
  explicit BoardView(QWidget* parent = nullptr);

  void setPicture(const BoardPicture* picture);  // not owned; repaints
  const BoardPicture* picture() const { return picture_; }
  // The picture has changed: repaints and tells a screen reader about a
  // new selection or a changed selected cell.
  void pictureChanged();

  QRect cellRect(int cell) const;
  int cellAt(QPoint point) const;  // -1 between cells and outside

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  static QColor FromWindowsColour(std::uint32_t bgr);
  static QColor PencilColour(int digit);
  // The colour of a digit the user entered, when givens are drawn apart.
  static QColor EnteredDigitColour() { return QColor(0, 84, 196); }
  // The background of a cell that holds or marks the highlighted digit.
  static QColor DigitHighlightColour() { return QColor(196, 222, 255); }

 signals:
  void cellReleased(int cell, Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Metrics {
    QPoint origin;
    int cell = 0;
    int blockGap = 0;
  };
  Metrics metrics() const;
  int lineOffset(int index, const Metrics& m) const;  // row or column 0..8 -> pixels
  void paintBackground(QPainter& painter, int cell, const QRect& rect) const;
  void paintContent(QPainter& painter, int cell, const QRect& rect) const;
  void paintLines(QPainter& painter) const;
  QPointF linkEnd(int cell, int digit) const;

  const BoardPicture* picture_ = nullptr;
  int spokenCell_ = -1;
  QString spokenText_;
};

}  // namespace tavimoro::app
