// Parser and layout of the hint panel on arbitrary bytes: no crash, no
// sanitizer report, no runaway time. The first two bytes pick the options
// (anchors, font size, surface width); the rest is the document.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "htmllabel/document.h"
#include "htmllabel/layout.h"
#include "htmllabel/method_call.h"

namespace {

using namespace tavimoro::html;

// Widths grow with size and byte count, so wrapping and tables are exercised.
class ByteMeasurer : public TextMeasurer {
 public:
  FontMetrics Metrics(const Font& f) override {
    return {static_cast<int>(f.Size), static_cast<int>(f.Size) / 4};
  }
  int TextWidth(const Font& f, std::string_view text) override {
    return static_cast<int>(text.size()) * (static_cast<int>(f.Size * 0.6) + (f.Bold ? 1 : 0));
  }
};

class NullPainter : public Painter {
 public:
  void DrawText(const Font&, int, int, std::string_view, Colour) override {}
  void DrawLine(int, int, int, int, Colour) override {}
  void FillRect(int, int, int, int, Colour) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view html(reinterpret_cast<const char*>(data) + 2, size - 2);
  ParseOptions parse;
  parse.EnableAnchors = data[0] & 1;
  parse.DefaultFontSize = 4 + (data[0] >> 1) % 20;
  const Document doc = ParseDocument(html, parse);

  LayoutOptions layout;
  layout.Width = 1 + data[1] * 4;
  layout.EnableAnchors = parse.EnableAnchors;
  layout.DefaultFontSize = parse.DefaultFontSize;
  ByteMeasurer measurer;
  const LayoutResult result = LayoutDocument(doc, layout, measurer);
  NullPainter painter;
  PaintLayout(result, painter);
  LinkAt(result, result.Width / 2, result.Height / 2);

  DocumentTitle(doc);
  for (const HtmlElement& e : doc.Elements) {
    if (!e.Target.empty()) ParseMethodCall(e.Target);
  }
  return 0;
}
