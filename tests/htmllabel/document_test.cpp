#include "htmllabel/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavimoro::html {
namespace {

Document Parse(std::string_view html, bool anchors = false, double size = 10) {
  ParseOptions options;
  options.DefaultFontSize = size;
  options.BackColor = Rgb(1, 2, 3);
  options.EnableAnchors = anchors;
  return ParseDocument(html, options);
}

std::vector<int> Types(const Document& d) {
  std::vector<int> types;
  for (const HtmlElement& e : d.Elements) types.push_back(e.Type);
  return types;
}

const HtmlElement* FirstOfType(const Document& d, int type) {
  for (const HtmlElement& e : d.Elements) {
    if (e.Type == type) return &e;
  }
  return nullptr;
}

std::string TextOf(const Document& d) {
  std::string out;
  for (const HtmlElement& e : d.Elements) {
    if (!e.IsTag) out += e.Text + "|";
  }
  return out;
}

TEST(HtmlNormalise, WrapsBareTextInBodyAndHtml) {
  const Document d = Parse("Hello");
  EXPECT_EQ(d.Source, "<HTML><BODY>Hello</BODY></HTML>");
  EXPECT_EQ(Types(d), (std::vector<int>{kUnknownTag, kBody, kText, kBodyEnd, kUnknownTag}));
  EXPECT_EQ(d.BodyStart, 1);
}

TEST(HtmlNormalise, KeepsExistingBodyAndHtmlAnyCase) {
  EXPECT_EQ(NormaliseHtml("<html><body>x</body></html>"), "<html><body>x</body></html>");
  // Only a bare "<HTML>" counts as present.
  EXPECT_EQ(NormaliseHtml("<html lang=en><body>x</body>"), "<HTML><html lang=en><body>x</body></HTML>");
}

TEST(HtmlNormalise, FoldsBlankRunsUpToEightAndLineBreaks) {
  EXPECT_EQ(NormaliseHtml("<BODY>a\r\n\tb        c</BODY><HTML>"), "<BODY>a b c</BODY><HTML>");
  // Three halving passes: nine blanks leave two.
  EXPECT_EQ(NormaliseHtml("<BODY>a         b</BODY><HTML>"), "<BODY>a  b</BODY><HTML>");
}

TEST(HtmlReferences, AmpersandIsDecodedOnlyOnce) {
  const Document d = Parse("a &amp;lt; b &lt;i&gt; &quot;q&quot;");
  EXPECT_EQ(TextOf(d), "a &lt; b <i> \"q\"|");
  EXPECT_EQ(FirstOfType(d, kItalic), nullptr);  // an escaped tag never becomes markup
}

TEST(HtmlReferences, NumericCodes) {
  EXPECT_EQ(DecodeNumericReferences("&#65;&#066;"), "AB");
  EXPECT_EQ(DecodeNumericReferences("x&#1234;y"), "xy");  // four digits produce nothing
  EXPECT_EQ(DecodeNumericReferences("&#300;"), "");       // above 255 has no character
  EXPECT_EQ(DecodeNumericReferences("&#150;&#128;"), "\xE2\x80\x93\xE2\x82\xAC");  // en dash, euro sign
  EXPECT_EQ(DecodeNumericReferences("&#233;&#169;"), "\xC3\xA9\xC2\xA9");
  EXPECT_EQ(DecodeNumericReferences("&#129;&#0;&#7;"), "");  // gaps and control codes
  EXPECT_EQ(DecodeNumericReferences("a&#9;b&#10;c"), "a b c");
  EXPECT_EQ(DecodeNumericReferences("&#65 no end"), "&#65 no end");  // no ";" after it
  EXPECT_EQ(DecodeNumericReferences("&#x41;"), "&#x41;");            // hexadecimal is not supported
  EXPECT_EQ(Parse("&deg;&eacute;&nbsp;").Elements[2].Text, "\xC2\xB0\xC3\xA9&nbsp;");
}

TEST(HtmlSplit, CommentIsOneElementEvenWithGreaterThan) {
  const Document d = Parse("a<!-- x > y -->b");
  ASSERT_EQ(Types(d), (std::vector<int>{kUnknownTag, kBody, kText, kComment, kText, kBodyEnd, kUnknownTag}));
  EXPECT_EQ(d.Elements[3].Text, "<!-- x > y -->");
}

TEST(HtmlSplit, UnclosedTagIsSkippedAndTrailingTextDropped) {
  const Document d = Parse("<HTML><BODY>a <b</BODY>");
  // "<b</BODY>" runs to the next ">", so it is one unknown tag.
  EXPECT_EQ(TextOf(d), "a |");
  EXPECT_EQ(d.Elements.back().Text, "<b</BODY>");
  EXPECT_EQ(Parse("<HTML><BODY>x</BODY> tail").Elements.size(), 4u);
  EXPECT_EQ(TextOf(Parse("<HTML><BODY>x <")), "x |");
}

TEST(HtmlSplit, JoinedFlagComesFromTheCharacterBeforeThePrecedingTag) {
  const Document d = Parse("<b>bold</b>text and <i>x</i> y");
  std::vector<std::pair<std::string, bool>> runs;
  for (const HtmlElement& e : d.Elements) {
    if (!e.IsTag) runs.emplace_back(e.Text, e.Joined);
  }
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_TRUE(runs[1].second);   // "text" continues "bold"
  EXPECT_FALSE(runs[2].second);  // "x" follows a blank
  EXPECT_TRUE(runs[3].second);   // " y" follows "x" (its own blank separates it)
}

TEST(HtmlTags, TagIdIsTheUpperCaseNameUpToTheFirstBlank) {
  EXPECT_EQ(TagId("<font color=red>"), "FONT");
  EXPECT_EQ(TagId("<br>"), "BR");
  EXPECT_EQ(TagId("</Td>"), "/TD");
  EXPECT_EQ(TagId("< b>"), "");
  EXPECT_EQ(TagId("<!-- c -->"), "!--");
  EXPECT_EQ(TagId("<>"), "");
  EXPECT_EQ(TagId(""), "");
}

TEST(HtmlTags, ClassificationAndDefaults) {
  const Document d = Parse(
      "<h3>x</h3><strong>s</strong><noframes><table><tr><th>c</th></tr></table><img src=a>"
      "<blink>");
  EXPECT_EQ(FirstOfType(d, kHeading)->FontSize, 10 + 1.2 * 4);
  EXPECT_NE(FirstOfType(d, kHeadingEnd), nullptr);
  EXPECT_NE(FirstOfType(d, kBold), nullptr);  // STRONG
  const HtmlElement* table = FirstOfType(d, kTable);
  EXPECT_TRUE(table->Width.Fraction && table->Width.Value == 1.0);
  EXPECT_EQ(FirstOfType(d, kCell)->VerticalAlign, kAlignTop);  // TH
  EXPECT_EQ(FirstOfType(d, kImage)->Source, "a");
  EXPECT_EQ(d.Elements[d.BodyStart].Text, "<noframes>");  // the last BODY or NOFRAMES
  EXPECT_EQ(d.Elements.back().Type, kUnknownTag);
}

TEST(HtmlAttributes, QuotedUnquotedAndUnterminated) {
  auto attrs = [](std::string_view tag) {
    std::string out;
    for (const auto& a : ExtractTagAttributes(tag)) out += a.Name + "=" + a.Value + ";";
    return out;
  };
  EXPECT_EQ(attrs("<a href='x y.html' title=\"Go there\" name=top>"),
            "HREF=x y.html;TITLE=Go there;NAME=top;");
  EXPECT_EQ(attrs("<a href='never closed>"), "HREF=never closed;");
  EXPECT_EQ(attrs("<td width = 40 align=>"), "WIDTH=40;ALIGN=;");
  EXPECT_EQ(attrs("<br>"), "");
  EXPECT_EQ(attrs("<td nowrap>"), "");
}

TEST(HtmlAttributes, ColoursHexAndTheSixteenNames) {
  EXPECT_EQ(ParseColour("FF0000"), Rgb(255, 0, 0));
  EXPECT_EQ(ParseColour("#646464"), Rgb(100, 100, 100));
  EXPECT_EQ(ParseColour("Teal"), Rgb(0, 128, 128));
  EXPECT_EQ(ParseColour("orange"), kBlack);
  EXPECT_EQ(ParseColour(""), kBlack);
  EXPECT_EQ(ParseColour("F0"), Rgb(0xF0, 0, 0));  // short values fill from the red end
}

TEST(HtmlAttributes, FontSizes) {
  const Document d = Parse(
      "<font size=+2>a</font><font size=5>b</font><font size=-1>c</font>"
      "<font size=big>d</font><h1>e</h1><big>f</big><small>g</small>");
  std::vector<double> sizes;
  for (const HtmlElement& e : d.Elements) {
    if (e.Type == kFont || e.Type == kHeading || e.Type == kBig || e.Type == kSmall)
      sizes.push_back(e.FontSize);
  }
  ASSERT_EQ(sizes.size(), 7u);
  EXPECT_DOUBLE_EQ(sizes[0], 12.4);
  EXPECT_DOUBLE_EQ(sizes[1], 12.4);
  EXPECT_DOUBLE_EQ(sizes[2], 8.8);
  EXPECT_DOUBLE_EQ(sizes[3], 10);  // not a number: the default stays
  EXPECT_DOUBLE_EQ(sizes[4], 17.2);
  EXPECT_DOUBLE_EQ(sizes[5], 11);
  EXPECT_DOUBLE_EQ(sizes[6], 9);
}

TEST(HtmlAttributes, DocumentWideEffects) {
  const Document d = Parse(
      "<body bgcolor=navy text=#00FF00 link=red background=paper.png>"
      "<font face='Arial, Helvetica'>x</font><td bgcolor=yellow valign=bottom width=30px>"
      "<img width=50% height=20>");
  EXPECT_EQ(d.BackgroundColour, Rgb(0, 0, 128));
  EXPECT_TRUE(d.BodySetBackground);
  EXPECT_EQ(d.TextColour, Rgb(0, 255, 0));
  EXPECT_EQ(d.LinkColour, Rgb(255, 0, 0));
  EXPECT_EQ(d.BackgroundImage, "paper.png");
  const HtmlElement* font = FirstOfType(d, kFont);
  EXPECT_EQ(font->Face, "Arial");
  EXPECT_EQ(font->TextColour, Rgb(0, 255, 0));  // FONT starts with the document text colour
  const HtmlElement* td = FirstOfType(d, kCell);
  EXPECT_TRUE(td->HasBackground && td->Background == Rgb(255, 255, 0));
  EXPECT_EQ(td->VerticalAlign, kAlignBottom);
  EXPECT_TRUE(!td->Width.Fraction && td->Width.Value == 30);
  const HtmlElement* img = FirstOfType(d, kImage);
  EXPECT_TRUE(img->Width.Fraction && img->Width.Value == 0.5 && img->Height.Value == 20);

  const Document plain = Parse("x");
  EXPECT_EQ(plain.BackgroundColour, Rgb(1, 2, 3));
  EXPECT_FALSE(plain.BodySetBackground);
  EXPECT_EQ(plain.LinkColour, kDefaultLinkColour);
}

TEST(HtmlRepair, ParagraphsGainClosers) {
  const Document d = Parse("<p>one<p>two</p><p>three<table></table><p>four");
  std::vector<std::string> tags;
  for (const HtmlElement& e : d.Elements) {
    if (e.Type == kParagraph || e.Type == kParagraphEnd || e.Type == kTable) tags.push_back(e.Text);
  }
  EXPECT_EQ(tags, (std::vector<std::string>{"<p>", "</P>", "<p>", "</p>", "<p>", "</P>", "<table>", "<p>"}));
}

TEST(HtmlRepair, RowsAndCellsSkipNestedTables) {
  const Document d = Parse("<table><tr><td>a<td>b<table><tr><td>in</table><tr><td>c</table>");
  std::string shape;
  for (const HtmlElement& e : d.Elements) {
    switch (e.Type) {
      case kTable:
        shape += "T";
        break;
      case kTableEnd:
        shape += "t";
        break;
      case kRow:
        shape += "R";
        break;
      case kRowEnd:
        shape += "r";
        break;
      case kCell:
        shape += "D";
        break;
      case kCellEnd:
        shape += "d";
        break;
      default:
        break;
    }
  }
  EXPECT_EQ(shape, "TRDdDTRDdrtdrRDdrt");
}

TEST(HtmlTree, ClosersEndTheInnermostOpenElementWhateverItsName) {
  const Document d = Parse("<b><i>x</b>y</i>");
  // HTML BODY B I x /B y /I /BODY /HTML
  const auto& e = d.Elements;
  ASSERT_EQ(e.size(), 10u);
  EXPECT_EQ(e[0].Children, (std::vector<int>{1, 9}));  // the root keeps collecting
  EXPECT_EQ(e[3].Parent, 2);
  EXPECT_EQ(e[5].Parent, 3);  // /B closes the I
  EXPECT_EQ(e[3].Extent, 5);
  EXPECT_EQ(e[6].Parent, 2);  // y is in B
  EXPECT_EQ(e[7].Parent, 2);  // /I closes the B
  EXPECT_EQ(e[2].Extent, 7);
  EXPECT_EQ(e[8].Parent, 1);
  EXPECT_EQ(e[6].Position, 1);
}

TEST(HtmlTree, LinkListPointsAtAnchorsAfterRepairs) {
  const Document d = Parse("<p>one<p><a href='x'>two</a><a name=n>three</a>", true);
  ASSERT_EQ(d.Links.size(), 2u);
  for (int index : d.Links) EXPECT_EQ(d.Elements[index].Type, kAnchor);
  EXPECT_EQ(d.Elements[d.Links[0]].Target, "x");
  EXPECT_EQ(FindAnchor(d, "n"), d.Links[1]);
  EXPECT_EQ(FindAnchor(d, "missing"), -1);
  EXPECT_TRUE(Parse("<a href='x'>two</a>", false).Links.empty());
}

TEST(HtmlTree, DocumentTitle) {
  EXPECT_EQ(DocumentTitle(Parse("no title")), "Unknown");
  EXPECT_EQ(DocumentTitle(Parse("<html><head><title>Tips &amp; Tricks</title></head><body>x</body></html>")),
            "Tips & Tricks");
  EXPECT_EQ(DocumentTitle(Document{}), "Unknown");
}

// The documents the program shows.
TEST(HtmlRealFragments, HintWithLinks) {
  const Document d = Parse(
      "<b>HINT:</b> Look for a <a href='http://h/help/techniques.html#b1'>Hidden Single</a>"
      " on the number 7.<br><br>Click \"Hint\" again for more...",
      true);
  EXPECT_EQ(Types(d), (std::vector<int>{kUnknownTag, kBody, kBold, kText, kBoldEnd, kText, kAnchor, kText,
                                        kAnchorEnd, kText, kBreak, kBreak, kText, kBodyEnd, kUnknownTag}));
  ASSERT_EQ(d.Links.size(), 1u);
  EXPECT_EQ(d.Elements[d.Links[0]].Target, "http://h/help/techniques.html#b1");
}

TEST(HtmlRealFragments, WellFormedTablesNeedNoRepair) {
  const Document d = Parse(
      "<b>Rating</b><font size=3><table width=\"95%\" border=0><tr><td><a href='t#b0'>Naked Single</a> "
      "(3)</td>"
      "<td><a href='t#b1'>Hidden Single</a></td></tr></table></font><br><center>40 unsolved cells."
      "<font size=2><table width=\"100%\" border=1><tr><td><b>P</b> - Switch tools</td><td><b>H</b> - Get "
      "Hint</td>"
      "</tr><tr><td colspan=2><b>Any number, twice rapidly</b> - Fill an unsolved cell</td></tr></table>",
      true);
  std::vector<int> spans;
  int rows = 0;
  for (const HtmlElement& e : d.Elements) {
    if (e.Type == kCell) spans.push_back(e.ColSpan);
    rows += e.Type == kRow;
    EXPECT_NE(e.Text, "</TD>");  // nothing was inserted
    EXPECT_NE(e.Text, "</TR>");
  }
  EXPECT_EQ(spans, (std::vector<int>{1, 1, 1, 1, 2}));
  EXPECT_EQ(rows, 3);
  // TABLE > TR > TD > A, and the unclosed FONT holds the second table.
  const HtmlElement& a = d.Elements[d.Links[0]];
  EXPECT_EQ(d.Elements[a.Parent].Type, kCell);
  EXPECT_EQ(d.Elements[d.Elements[a.Parent].Parent].Type, kRow);
  const HtmlElement& lastTable = *std::find_if(d.Elements.rbegin(), d.Elements.rend(),
                                               [](const HtmlElement& e) { return e.Type == kTable; });
  EXPECT_EQ(d.Elements[lastTable.Parent].Type, kFont);
}

}  // namespace
}  // namespace tavimoro::html
