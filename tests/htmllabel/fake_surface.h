// Fixed metrics for layout tests: every character (code point) of a font of
// size s is round(0.6 s) pixels wide, one more when bold; ascent round(s),
// descent round(s / 4). The painter records what it is asked to draw.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "htmllabel/layout.h"

namespace tavimoro::html::testing {

class FakeMeasurer : public TextMeasurer {
 public:
  static int CharWidth(const Font& f) { return static_cast<int>(std::lround(f.Size * 0.6)) + (f.Bold ? 1 : 0); }

  FontMetrics Metrics(const Font& f) override {
    return {static_cast<int>(std::lround(f.Size)), static_cast<int>(std::lround(f.Size / 4))};
  }
  int TextWidth(const Font& f, std::string_view text) override {
    int points = 0;
    for (unsigned char c : text) {
      if ((c & 0xC0) != 0x80) ++points;  // count UTF-8 lead bytes only
    }
    return points * CharWidth(f);
  }
};

struct Drawn {
  std::string kind;  // "text", "line", "fill"
  Font font;
  int x = 0, y = 0, x2 = 0, y2 = 0;
  std::string text;
  Colour colour = 0;
};

class RecordingPainter : public Painter {
 public:
  void DrawText(const Font& font, int x, int baseline, std::string_view text, Colour colour) override {
    drawn.push_back({"text", font, x, baseline, 0, 0, std::string(text), colour});
  }
  void DrawLine(int x1, int y1, int x2, int y2, Colour colour) override {
    drawn.push_back({"line", {}, x1, y1, x2, y2, {}, colour});
  }
  void FillRect(int x, int y, int width, int height, Colour colour) override {
    drawn.push_back({"fill", {}, x, y, width, height, {}, colour});
  }

  std::vector<Drawn> drawn;
};

}  // namespace tavimoro::html::testing
