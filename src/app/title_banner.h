// TitleBanner: the main window's own title bar (the window has no system
// frame). It paints the product name on a gradient, holds the toolbar, and
// pressing on it drags the window.
#pragma once

#include <QPoint>
#include <QWidget>

namespace tavimoro::app {

class TitleBanner : public QWidget {
  Q_OBJECT

 public:
  explicit TitleBanner(const QString& title, QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString title_;
  QPoint dragOffset_;  // press point relative to the window, during a manual drag
  bool dragging_ = false;
};

}  // namespace tavimoro::app
