// QFont and QFontMetrics are built once per distinct font of a layout and
// kept for the label's lifetime; documents use only a handful of fonts.
#include "htmllabel/widget/qt_surface.h"

#include <QPainter>
#include <cmath>

namespace tavimoro {

QColor ToQColor(html::Colour colour) {
  return QColor(html::RedOf(colour), html::GreenOf(colour), html::BlueOf(colour));
}

html::Colour FromQColor(const QColor& colour) {
  return html::Rgb(colour.red(), colour.green(), colour.blue());
}

QString ResolveFontFamily(const QString& face) {
  const QString key = face.trimmed().toLower();
  if (key.isEmpty() || key == "ms sans serif" || key == "microsoft sans serif" || key == "arial" ||
      key == "helvetica" || key == "tahoma" || key == "verdana" || key == "sans-serif") {
    return QStringLiteral("Liberation Sans");
  }
  if (key == "times new roman" || key == "times" || key == "serif") return QStringLiteral("Liberation Serif");
  if (key == "courier new" || key == "courier" || key == "monospace")
    return QStringLiteral("Liberation Mono");
  return face.trimmed();
}

QtTextMeasurer::Entry& QtTextMeasurer::Lookup(const html::Font& font) {
  for (Entry& e : cache_) {
    if (e.key == font) return e;
  }
  QFont q(ResolveFontFamily(QString::fromStdString(font.Face)));
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
  q.setBold(font.Bold);
  q.setItalic(font.Italic);
  q.setUnderline(font.Underline);
  cache_.push_back({font, q, QFontMetrics(q)});
  return cache_.back();
}

const QFont& QtTextMeasurer::Resolve(const html::Font& font) { return Lookup(font).font; }

html::FontMetrics QtTextMeasurer::Metrics(const html::Font& font) {
  const QFontMetrics& m = Lookup(font).metrics;
  return {m.ascent(), m.descent()};
}

int QtTextMeasurer::TextWidth(const html::Font& font, std::string_view text) {
  return Lookup(font).metrics.horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtPainter::DrawText(const html::Font& font, int x, int baseline, std::string_view text,
                         html::Colour colour) {
  painter_.setFont(fonts_.Resolve(font));
  painter_.setPen(ToQColor(colour));
  painter_.drawText(QPoint(x, baseline), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtPainter::DrawLine(int x1, int y1, int x2, int y2, html::Colour colour) {
  painter_.setPen(QPen(ToQColor(colour), 0));
  painter_.drawLine(x1, y1, x2, y2);
}

void QtPainter::FillRect(int x, int y, int width, int height, html::Colour colour) {
  painter_.fillRect(x, y, width, height, ToQColor(colour));
}

}  // namespace tavimoro
