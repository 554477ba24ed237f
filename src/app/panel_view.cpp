#include "app/panel_view.h"

#include <QPainter>

namespace tavimoro::app {

PanelView::PanelView(QWidget* parent) : QWidget(parent) {}

void PanelView::setDocumentHTML(const QString& html) {
  html_ = html;
  update();
}

void PanelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  QString plain;
  bool inTag = false;
  for (QChar ch : html_) {
    if (ch == QLatin1Char('<')) inTag = true;
    else if (ch == QLatin1Char('>')) inTag = false;
    else if (!inTag) plain += ch;
  }
  painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::TextWordWrap, plain);
}

}  // namespace tavimoro::app
