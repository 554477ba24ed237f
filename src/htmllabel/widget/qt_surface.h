// The layout's measuring and drawing interfaces over Qt fonts and QPainter.
//
// Sizes are points at 96 dots per inch turned into whole pixels, so that a
// layout measured here matches what is drawn on any paint device. The
// classic face names of the documents map to installed metric twins.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <deque>

#include "htmllabel/layout.h"

class QPainter;

namespace tavimoro {

QColor ToQColor(html::Colour colour);
html::Colour FromQColor(const QColor& colour);

// The family to ask for in place of a face name that documents use.
QString ResolveFontFamily(const QString& face);

class QtTextMeasurer : public html::TextMeasurer {
 public:
  html::FontMetrics Metrics(const html::Font& font) override;
  int TextWidth(const html::Font& font, std::string_view text) override;
  const QFont& Resolve(const html::Font& font);

 private:
  struct Entry {
    html::Font key;
    QFont font;
    QFontMetrics metrics;
  };
  Entry& Lookup(const html::Font& font);
  std::deque<Entry> cache_;  // stable addresses: callers keep references
};

class QtPainter : public html::Painter {
 public:
  QtPainter(QPainter& painter, QtTextMeasurer& fonts) : painter_(painter), fonts_(fonts) {}
  void DrawText(const html::Font& font, int x, int baseline, std::string_view text,
                html::Colour colour) override;
  void DrawLine(int x1, int y1, int x2, int y2, html::Colour colour) override;
  void FillRect(int x, int y, int width, int height, html::Colour colour) override;

 private:
  QPainter& painter_;
  QtTextMeasurer& fonts_;
};

}  // namespace tavimoro
