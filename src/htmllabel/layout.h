// Layout of a parsed document into a display list.
//
// The layout walks the element list once with a small style state and fills
// lines word by word; a line is placed only when it is complete, so that its
// runs share one baseline and centred or right-aligned lines move as a whole.
// Tables are laid out from their cells' minimum and preferred widths, which
// are measured by running the same flow at width 1 and at an unbounded width
// (cached per table, so nested tables cost one measurement each).
//
// Text measurement and drawing go through two small interfaces, so the
// layout runs against fixed metrics in tests and against real fonts in the
// widget. The result is a list of drawing operations in surface coordinates
// plus the areas of links and images, replayed onto any Painter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "htmllabel/document.h"

namespace tavimoro::html {

struct Font {
  std::string Face;
  double Size = 10;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;

  bool operator==(const Font&) const = default;
};

struct FontMetrics {
  int Ascent = 0;
  int Descent = 0;
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual FontMetrics Metrics(const Font& font) = 0;
  // Advance width of UTF-8 text; U+00A0 measures as a blank.
  virtual int TextWidth(const Font& font, std::string_view text) = 0;
};

class Painter {
 public:
  virtual ~Painter() = default;
  virtual void DrawText(const Font& font, int x, int baseline, std::string_view text, Colour colour) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2, Colour colour) = 0;
  virtual void FillRect(int x, int y, int width, int height, Colour colour) = 0;
};

struct Rect {
  int X = 0, Y = 0, Width = 0, Height = 0;
  bool Contains(int x, int y) const { return x >= X && y >= Y && x < X + Width && y < Y + Height; }
};

struct DrawOp {
  enum Kind { kDrawText, kDrawLine, kFillRect };
  Kind Type = kDrawText;
  int X = 0, Y = 0;    // text: pen x and baseline; line: start; fill: top left
  int X2 = 0, Y2 = 0;  // line: end; fill: width and height
  Colour Ink = 0;
  Font TextFont;  // text only
  std::string Text;
};

struct LinkArea {
  int Link = -1;  // index into Document::Links
  Rect Area;
};

struct ImageArea {
  int Element = -1;
  Rect Area;
};

struct LayoutOptions {
  int Width = 300;       // drawing surface width
  int ViewHeight = 200;  // for HEIGHT given in percent
  std::string DefaultFontName = "MS Sans Serif";
  double DefaultFontSize = 10;
  int DefaultPadding = 4;
  int DefaultSpacing = 4;
  bool EnableAnchors = false;
  bool UnderlineLinks = true;
};

struct LayoutResult {
  int Width = 0;   // at least LayoutOptions::Width; more when content overflows
  int Height = 0;  // document height including the bottom margin
  Colour Background = 0;
  std::vector<DrawOp> Ops;
  std::vector<LinkArea> LinkAreas;  // only links with a target, in drawing order
  std::vector<ImageArea> ImageAreas;
  std::vector<int> ElementTops;  // per element: top of the line it starts on, -1 if not laid out
};

LayoutResult LayoutDocument(const Document& document, const LayoutOptions& options, TextMeasurer& measurer);

// Clears the surface to the document background and replays the operations.
void PaintLayout(const LayoutResult& layout, Painter& painter);

// Index into Document::Links of the first link (in list order) whose drawn
// text covers the point, or -1.
int LinkAt(const LayoutResult& layout, int x, int y);

// The element of the image drawn at the point, or -1.
int ImageAt(const LayoutResult& layout, int x, int y);

}  // namespace tavimoro::html
