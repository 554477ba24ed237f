// StatusLight: the small round lamp beside the panel; black normally, red
// while the board is invalid for a reason other than several solutions.
#pragma once

#include <QColor>
#include <QWidget>

namespace tavimoro::app {

class StatusLight : public QWidget {
  Q_OBJECT

 public:
  explicit StatusLight(QWidget* parent = nullptr);

  void setFillColour(const QColor& colour);
  QColor fillColour() const { return fill_; }

  QSize sizeHint() const override { return {18, 18}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_ = Qt::black;
};

}  // namespace tavimoro::app
