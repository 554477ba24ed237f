// Layout against fixed metrics: every character of a font of size s is
// round(0.6 s) pixels wide, one more when bold; ascent round(s), descent
// round(s / 4). At the default 10 points a character is 6 pixels wide (7
// bold), a line is 10 + 3 + 4 spacing = 17 pixels high, the margin is 4 and
// an indent step is 12.
#include "htmllabel/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tavimoro::html {
namespace {

class FakeMeasurer : public TextMeasurer {
 public:
  FontMetrics Metrics(const Font& f) override {
    return {static_cast<int>(std::lround(f.Size)), static_cast<int>(std::lround(f.Size / 4))};
  }
  int TextWidth(const Font& f, std::string_view text) override {
    int points = 0;
    for (unsigned char c : text) points += (c & 0xC0) != 0x80;  // UTF-8 lead bytes only
    return points * (static_cast<int>(std::lround(f.Size * 0.6)) + (f.Bold ? 1 : 0));
  }
};

// Records what it is asked to draw, one line per call.
class RecordingPainter : public Painter {
 public:
  void DrawText(const Font&, int x, int y, std::string_view text, Colour) override {
    drawn.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " + std::string(text));
  }
  void DrawLine(int, int, int, int, Colour) override { drawn.push_back("line"); }
  void FillRect(int x, int y, int width, int height, Colour colour) override {
    drawn.push_back("fill " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) +
                    " " + std::to_string(height) + " " + std::to_string(colour));
  }
  std::vector<std::string> drawn;
};

struct Laid {
  Document doc;
  LayoutResult layout;

  std::vector<const DrawOp*> Texts() const {
    std::vector<const DrawOp*> out;
    for (const DrawOp& op : layout.Ops) {
      if (op.Type == DrawOp::kDrawText && op.Text != " ") out.push_back(&op);
    }
    return out;
  }
  const DrawOp& Text(std::string_view text) const {
    for (const DrawOp* op : Texts()) {
      if (op->Text == text) return *op;
    }
    ADD_FAILURE() << "no text " << text;
    static const DrawOp none;
    return none;
  }
  std::vector<std::string> Words() const {
    std::vector<std::string> out;
    for (const DrawOp* op : Texts()) out.push_back(op->Text);
    return out;
  }
  std::vector<const DrawOp*> OfType(DrawOp::Kind kind) const {
    std::vector<const DrawOp*> out;
    for (const DrawOp& op : layout.Ops) {
      if (op.Type == kind) out.push_back(&op);
    }
    return out;
  }
};

Laid Lay(std::string_view html, int width = 300, bool anchors = false) {
  Laid r;
  ParseOptions parse;
  parse.EnableAnchors = anchors;
  parse.BackColor = Rgb(200, 200, 200);
  r.doc = ParseDocument(html, parse);
  LayoutOptions options;
  options.Width = width;
  options.EnableAnchors = anchors;
  FakeMeasurer measurer;
  r.layout = LayoutDocument(r.doc, options, measurer);
  return r;
}

// Where a word lands: first line baseline 14, each further line 17 lower;
// -1 leaves a coordinate unchecked.
struct Placement {
  const char* html;
  int width;
  const char* word;
  int x, y;
};

class WordPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(WordPlacement, LandsAt) {
  const Placement& p = GetParam();
  const Laid r = Lay(p.html, p.width);
  const DrawOp& op = r.Text(p.word);
  EXPECT_EQ(p.x < 0 ? -1 : op.X, p.x);
  EXPECT_EQ(p.y < 0 ? -1 : op.Y, p.y);
}

INSTANTIATE_TEST_SUITE_P(
    Text, WordPlacement,
    ::testing::Values(
        // 42 pixels for text: two words of 18 fit exactly, the third wraps.
        Placement{"aaa bbb ccc", 50, "aaa", 4, 14}, Placement{"aaa bbb ccc", 50, "bbb", 28, 14},
        Placement{"aaa bbb ccc", 50, "ccc", 4, 31},
        // Joined runs continue the word; a blank before a tag separates.
        Placement{"foo<b>bar</b> baz", 300, "bar", 22, 14},
        Placement{"foo<b>bar</b> baz", 300, "baz", 49, 14}, Placement{"foo <b>bar</b>", 300, "bar", 28, -1},
        Placement{"Click <a href='x'>here</a>.", 300, ".", 64, -1},
        // A glued fragment carries its whole word to the next line.
        Placement{"aa bbb<b>cc</b>", 44, "aa", 4, 14}, Placement{"aa bbb<b>cc</b>", 44, "bbb", 4, 31},
        Placement{"aa bbb<b>cc</b>", 44, "cc", 22, 31},
        // A no-break space joins, the plain blank breaks.
        Placement{"a&nbsp;b c", 26,
                  "a\xC2\xA0"
                  "b",
                  4, 14},
        Placement{"a&nbsp;b c", 26, "c", 4, 31},
        // Aligned lines move as a whole (92 wide, line 30 wide); P starts a new line.
        Placement{"<center>ab cd</center>", 100, "ab", 35, 14},
        Placement{"<center>ab cd</center>", 100, "cd", 53, 14},
        Placement{"<p align=right>ab", 100, "ab", 84, 31},
        Placement{"<div align=center>x</div>y", 100, "y", 4, -1},
        // Sizes share a baseline: 14.8 points has ascent 15, descent 4.
        Placement{"<font size=7>Big</font>small more<br>next", 300, "Big", 4, 19},
        Placement{"<font size=7>Big</font>small more<br>next", 300, "small", 31, 19},
        Placement{"<font size=7>Big</font>small more<br>next", 300, "next", 4, 37},
        // One indent step per list level; the first LI starts a new line too.
        Placement{"<ul><li>a<ul><li>b<ul><li>c</ul></ul></ul>d", 300, "a", 16, -1},
        Placement{"<ul><li>a<ul><li>b<ul><li>c</ul></ul></ul>d", 300, "b", 28, -1},
        Placement{"<ul><li>a<ul><li>b<ul><li>c</ul></ul></ul>d", 300, "c", 40, 14 + 3 * 17},
        // An image reserves its box and spacing.
        Placement{"<img width=50 height=20>x", 300, "x", 58, 28}));

TEST(LayoutText, WrappedTextSetsTheSurface) {
  const Laid r = Lay("aaa bbb ccc", 50);
  EXPECT_EQ(r.layout.Height, 4 + 2 * 17 + 4);
  EXPECT_EQ(r.layout.Width, 50);
}

TEST(LayoutFont, ClosingFontResetsTheWholeFont) {
  Laid r = Lay("<b><font color=red>x</font>y</b>");
  EXPECT_EQ(r.Text("x").Ink, Rgb(255, 0, 0));
  EXPECT_TRUE(r.Text("x").TextFont.Bold);
  EXPECT_FALSE(r.Text("y").TextFont.Bold);
  EXPECT_EQ(r.Text("y").Ink, kBlack);
  r = Lay("<font color=red face=Courier>a <b>b</b></font> c");
  EXPECT_EQ(r.Text("c").Ink, kBlack);
  EXPECT_EQ(r.Text("c").TextFont.Face, "MS Sans Serif");
  EXPECT_EQ(r.Text("a").TextFont.Face, "Courier");
}

TEST(LayoutFont, HeadingsAndBigEndTheLine) {
  const Laid r = Lay("a<big>b</big>c<h1>Title</h1>d");
  EXPECT_EQ(r.Text("b").Y, r.Text("a").Y);
  EXPECT_GT(r.Text("c").Y, r.Text("b").Y);
  EXPECT_DOUBLE_EQ(r.Text("b").TextFont.Size, 11);
  EXPECT_GT(r.Text("Title").Y, r.Text("c").Y);  // a heading never overdraws the line before it
  EXPECT_EQ(r.Text("Title").X, 4);
  EXPECT_TRUE(r.Text("Title").TextFont.Bold);
  EXPECT_DOUBLE_EQ(r.Text("d").TextFont.Size, 10);
  EXPECT_FALSE(r.Text("d").TextFont.Bold);
}

TEST(LayoutHidden, ScriptStyleAndHeadTextAreNotDrawn) {
  EXPECT_EQ(Lay("a<script>var x;</script>b<style>p {}</style>c").Words(),
            (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Lay("<html><head><title>T</title></head><body>x</body></html>").Words(),
            (std::vector<std::string>{"x"}));
}

TEST(LayoutLists, OrderedListsNumberFromOneAtEveryLevel) {
  const Laid r = Lay("<ol><li>a<li>b<ol><li>c</ol><li>d</ol>");
  EXPECT_EQ(r.Words(), (std::vector<std::string>{"1.", "a", "2.", "b", "1.", "c", "3.", "d"}));
  EXPECT_EQ(r.Texts()[1]->X, 4 + 12 + 12 + 6);
}

TEST(LayoutLists, ASeventeenthLevelKeepsTheSixteenthIndent) {
  std::string html;
  for (int i = 0; i < 17; ++i) html += "<ul><li>L" + std::to_string(i + 1);
  for (int i = 0; i < 17; ++i) html += "</ul>";
  html += "<li>out";
  const Laid r = Lay(html, 600);
  EXPECT_EQ(r.Text("L16").X, 4 + 16 * 12);
  EXPECT_EQ(r.Text("L17").X, 4 + 16 * 12);
  EXPECT_EQ(r.Text("out").X, 4);  // every level is undone
}

TEST(LayoutLinks, DisabledAnchorsDrawPlainText) {
  const Laid r = Lay("<a href='x'>link</a>", 300, false);
  EXPECT_EQ(r.Text("link").Ink, kBlack);
  EXPECT_FALSE(r.Text("link").TextFont.Underline);
  EXPECT_TRUE(r.layout.LinkAreas.empty());
}

TEST(LayoutLinks, EnabledAnchorsColourUnderlineAndRecordAreas) {
  const Laid r = Lay("go <a href='x'>two words</a> after <a name=n>plain</a>", 300, true);
  EXPECT_EQ(r.Text("two").Ink, kDefaultLinkColour);
  EXPECT_TRUE(r.Text("two").TextFont.Underline);
  EXPECT_EQ(r.Text("after").Ink, kBlack);
  EXPECT_FALSE(r.Text("after").TextFont.Underline);
  EXPECT_EQ(r.Text("plain").Ink, kBlack);    // an anchor without a target is no link
  ASSERT_EQ(r.layout.LinkAreas.size(), 1u);  // one area across both words
  const Rect& area = r.layout.LinkAreas[0].Area;
  EXPECT_EQ(area.X, 4 + 18);
  EXPECT_EQ(area.Width, 9 * 6);
  EXPECT_EQ(LinkAt(r.layout, area.X + 30, area.Y + 2), 0);
  EXPECT_EQ(LinkAt(r.layout, 5, area.Y + 2), -1);
  const int anchor = FindAnchor(r.doc, "n");
  EXPECT_EQ(r.layout.ElementTops[anchor], 4);
}

TEST(LayoutBlocks, RuleSpansTheMarginsInTheCurrentColour) {
  const Laid r = Lay("a<font color=blue><hr></font>b", 100);
  const auto lines = r.OfType(DrawOp::kDrawLine);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->X, 4);
  EXPECT_EQ(lines[0]->X2, 95);
  EXPECT_EQ(lines[0]->Ink, Rgb(0, 0, 255));
  EXPECT_GT(lines[0]->Y, 4 + 13);  // below the text line before it
  EXPECT_GT(r.Text("b").Y - 10, lines[0]->Y);
}

TEST(LayoutBlocks, ImageReservesItsBoxAndSpacing) {
  const Laid r = Lay("<img width=50 height=20 alt='pic'>x");
  ASSERT_EQ(r.layout.ImageAreas.size(), 1u);
  EXPECT_EQ(ImageAt(r.layout, 4 + 2 + 10, 4 + 2 + 10), r.layout.ImageAreas[0].Element);
  EXPECT_EQ(r.doc.Elements[r.layout.ImageAreas[0].Element].Tooltip, "pic");
}

TEST(LayoutTables, ColumnsTakeTheirPreferredWidthsAndShareTheRest) {
  const Laid r =
      Lay("<table width=200 cellspacing=0 cellpadding=0><tr><td>a</td><td>bbbbbbbbb</td></tr></table>");
  // Preferred widths 6 and 54; the remaining 140 pixels go 14 and 126.
  EXPECT_EQ(r.Text("a").X, 4);
  EXPECT_EQ(r.Text("bbbbbbbbb").X, 4 + 20);
}

TEST(LayoutTables, NarrowTablesFallBackToMinimumWidths) {
  const Laid r =
      Lay("<table width=10 cellspacing=0 cellpadding=0><tr><td>aaa bb</td><td>c</td></tr></table>");
  EXPECT_EQ(r.Text("bb").X, 4);
  EXPECT_EQ(r.Text("bb").Y, r.Text("aaa").Y + 17);
  EXPECT_EQ(r.Text("c").X, 4 + 18);
  EXPECT_EQ(r.Text("c").Y, r.Text("aaa").Y);
}

TEST(LayoutTables, ColspanCoversItsColumnsAndBordersFrameEachCell) {
  const Laid r =
      Lay("<table width=100 border=1 cellspacing=2 cellpadding=3><tr><td>a</td><td>b</td></tr>"
          "<tr><td colspan=2>c</td></tr></table>",
          300);
  const auto lines = r.OfType(DrawOp::kDrawLine);
  ASSERT_EQ(lines.size(), 12u);  // four sides of three cells
  // Cell content sits inside spacing, frame and padding.
  EXPECT_EQ(r.Text("a").X, 4 + 2 + 1 + 3);
  const DrawOp* spanTop = lines[8];
  EXPECT_EQ(spanTop->X, 4 + 2);
  EXPECT_EQ(spanTop->X2, 4 + 100 - 2 - 1);  // right edge of the second column
  EXPECT_EQ(r.Text("c").Y, r.Text("a").Y + 17 + 2 * 4 + 2);
}

TEST(LayoutTables, CellBackgroundAndVerticalAlignment) {
  const Laid r =
      Lay("<table cellspacing=0 cellpadding=0><tr><td>a<br>b</td>"
          "<td valign=bottom bgcolor=red>c</td><td valign=center>m<td>t</td></tr></table>");
  EXPECT_EQ(r.Text("c").Y, r.Text("b").Y);
  EXPECT_EQ(r.Text("t").Y, r.Text("a").Y);
  EXPECT_EQ(r.Text("m").Y, r.Text("a").Y + 17 / 2);
  const auto fills = r.OfType(DrawOp::kFillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->Ink, Rgb(255, 0, 0));
  EXPECT_EQ(fills[0]->Y2, 2 * 17);
}

TEST(LayoutTables, CellsKeepTheFontAroundTheTableAndRestoreIt) {
  const Laid r = Lay("<font size=2><table><tr><td><b>P</b> - x</td></tr></table>after");
  EXPECT_DOUBLE_EQ(r.Text("P").TextFont.Size, 8.8);
  EXPECT_TRUE(r.Text("P").TextFont.Bold);
  EXPECT_DOUBLE_EQ(r.Text("after").TextFont.Size, 8.8);
  EXPECT_GT(r.Text("after").Y, r.Text("P").Y);
}

TEST(LayoutTables, OverflowWidensTheSurface) {
  const Laid r = Lay("<table><tr><td>aaaaaaaaaaaaaaaaaaaa</td></tr></table>", 60);
  EXPECT_GT(r.layout.Width, 60);
  const Laid word = Lay("bbbbbbbbbbbbbbbbbbbb", 60);
  EXPECT_EQ(word.layout.Width, 4 + 20 * 6 + 4);
}

TEST(LayoutTables, UnclosedAndNestedTablesStillLayOut) {
  const Laid r = Lay("<table><tr><td>a<table><tr><td>in<td>side</table><td>b<tr><td>c");
  EXPECT_EQ(r.Words(), (std::vector<std::string>{"a", "in", "side", "b", "c"}));
  EXPECT_GT(r.Text("side").X, r.Text("in").X);
  EXPECT_GT(r.Text("b").X, r.Text("side").X);
  EXPECT_GT(r.Text("c").Y, r.Text("side").Y);
}

TEST(LayoutPaint, BackgroundFirstThenOperations) {
  const Laid r = Lay("<body bgcolor=yellow>x");
  RecordingPainter painter;
  PaintLayout(r.layout, painter);
  EXPECT_EQ(painter.drawn, (std::vector<std::string>{"fill 0 0 300 " + std::to_string(r.layout.Height) + " " +
                                                         std::to_string(Rgb(255, 255, 0)),
                                                     "text 4 14 x"}));
}

}  // namespace
}  // namespace tavimoro::html
