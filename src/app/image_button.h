// ImageButton: a flat toolbar button drawn from an SVG icon. Hovering shows
// its hover picture (a light plate behind the icon); a disabled button is
// drawn faded and takes no clicks.
#pragma once

#include <QAbstractButton>

namespace tavimoro::app {

class ImageButton : public QAbstractButton {
  Q_OBJECT

 public:
  ImageButton(const QString& iconName, const QString& toolTip, QWidget* parent = nullptr);

  void setIconExtent(int pixels);
  // A plate that stays while the button shows the current choice.
  void setLit(bool lit);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QString iconName_;
  int iconExtent_ = 22;
  bool hovered_ = false;
  bool lit_ = false;
};

}  // namespace tavimoro::app
