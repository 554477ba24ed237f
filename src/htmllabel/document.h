// The hint panel's HTML subset as a flat element list.
//
// A document is cut into tag and text elements in document order; each tag
// is classified once into an ElementType and carries the effect of its
// attributes as plain fields. The tree is kept as indexes beside the list
// (parent, children, extent) so that the list stays the one source of truth
// and layout can walk it front to back with a small style state.
//
// Text is UTF-8. Named references are rewritten to numeric ones before the
// split, so an escaped "&lt;" never becomes markup; numeric references are
// decoded only inside text elements, codes 128..255 through the Windows-1252
// table and anything above 255 dropped.
//
// Colours are 0x00BBGGRR values (red in the low byte), the order in which
// the rest of the program stores them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro::html {

using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kDefaultLinkColour = 0xFF0000;  // blue in 0x00BBGGRR

// Element type codes; opening tags are even where a closer exists.
enum ElementType : int {
  kText = 0,
  kUnknownTag = 1,
  kHead = 2,
  kHeadEnd = 3,
  kTitle = 4,
  kTitleEnd = 5,
  kBody = 6,
  kBodyEnd = 7,
  kComment = 8,
  kCommentEnd = 9,
  kBold = 10,
  kBoldEnd = 11,
  kItalic = 12,
  kItalicEnd = 13,
  kUnderline = 14,
  kUnderlineEnd = 15,
  kParagraph = 16,
  kParagraphEnd = 17,
  kDiv = 18,
  kDivEnd = 19,
  kBreak = 20,
  kRule = 21,
  kUnorderedList = 22,
  kUnorderedListEnd = 23,
  kOrderedList = 24,
  kOrderedListEnd = 25,
  kListItem = 26,
  kTable = 27,
  kTableEnd = 28,
  kTableHead = 29,
  kTableHeadEnd = 30,
  kTableBody = 31,
  kTableBodyEnd = 32,
  kTableFoot = 33,
  kTableFootEnd = 34,
  kRow = 35,
  kRowEnd = 36,
  kCell = 37,
  kCellEnd = 38,
  kFont = 39,
  kFontEnd = 40,
  kAnchor = 41,
  kAnchorEnd = 42,
  kImage = 43,
  kBlockQuote = 44,
  kBlockQuoteEnd = 45,
  kHeading = 46,
  kHeadingEnd = 47,
  kBig = 48,
  kBigEnd = 49,
  kSmall = 50,
  kSmallEnd = 51,
  kCenter = 52,
  kCenterEnd = 53,
  kSub = 54,
  kSubEnd = 55,
  kSup = 56,
  kSupEnd = 57,
  kForm = 58,
  kFormEnd = 59,
  kScript = 60,
  kScriptEnd = 61,
  kStyle = 62,
  kStyleEnd = 63,
};

// A WIDTH or HEIGHT: pixels, or a share of the available space.
struct Length {
  double Value = 0;
  bool Fraction = false;  // Value is a share (1.0 = all) rather than pixels
};

// Vertical alignment codes of table cells.
inline constexpr int kAlignTop = 3;
inline constexpr int kAlignMiddle = 4;
inline constexpr int kAlignBottom = 5;

struct HtmlElement {
  std::string Text;  // raw tag text with "<" and ">", or the decoded text run
  bool IsTag = false;
  int Type = kText;
  std::string Name;     // anchor name (ID or NAME)
  bool Joined = false;  // text run continues the word before its preceding tag
  bool HasBackground = false;
  std::string Face;
  double FontSize = 0;  // points; 0 where the tag sets no size
  Colour TextColour = kBlack;
  std::string Target;   // HREF
  std::string Tooltip;  // ALT or TITLE
  std::string Source;   // SRC
  bool AlignCentre = false;
  bool AlignRight = false;
  Length Width, Height;
  int HSpace = 0, VSpace = 0;
  int Border = 0, CellPadding = 0, CellSpacing = 0, ColSpan = 0;
  int VerticalAlign = 0;
  Colour Background = kBlack;
  int Index = 0, Parent = -1, Position = 0;
  std::vector<int> Children;
  int Extent = -1;  // for an opening tag: the index where its content ended
};

struct ParseOptions {
  double DefaultFontSize = 10;
  Colour BackColor = Rgb(240, 240, 240);
  bool EnableAnchors = false;
};

struct Document {
  std::string Source;  // the normalised text (what DocumentHTML returns)
  std::vector<HtmlElement> Elements;
  Colour TextColour = kBlack;
  Colour LinkColour = kDefaultLinkColour;
  Colour BackgroundColour = 0;
  bool BodySetBackground = false;  // BODY or NOFRAMES carried BGCOLOR
  std::string BackgroundImage;
  int BodyStart = -1;      // index of the last BODY or NOFRAMES element, -1 if none
  std::vector<int> Links;  // indexes of the A elements (empty unless anchors are enabled)
};

struct Attribute {
  std::string Name;   // upper case
  std::string Value;  // as written, trimmed, quotes removed
};

// Runs the whole pipeline: normalise, split, classify, list links, repair
// missing closing tags, build the tree. Never fails; malformed markup yields
// unknown tags or is skipped.
Document ParseDocument(std::string_view html, const ParseOptions& options);

// Wrapping in BODY and HTML, line breaks and tabs to blanks, named references
// to numeric ones, runs of up to eight blanks folded to one.
std::string NormaliseHtml(std::string_view html);

// Upper-case tag name: the characters after "<" up to the first blank, or the
// whole trimmed tag between "<" and ">" when it has no blank.
std::string TagId(std::string_view tag);

// Attributes of one tag in the order written; empty when the tag has no blank.
// An unterminated quoted value runs to the end of the tag.
std::vector<Attribute> ExtractTagAttributes(std::string_view tag);

// Decodes "&#n;" references of at most three digits; larger codes produce
// nothing. Line feeds, carriage returns and tabs become blanks.
std::string DecodeNumericReferences(std::string_view text);

// "#RRGGBB", "RRGGBB" or one of the sixteen colour names; anything else is
// black.
Colour ParseColour(std::string_view value);

// The text of the element after the first TITLE; "Unknown" when there is no
// title, "" when the title is empty.
std::string DocumentTitle(const Document& document);

// Index of the first element whose anchor name is `name`, or -1.
int FindAnchor(const Document& document, std::string_view name);

// Opening tags that hold children in the tree, and the closers that end the
// innermost open one (closers are not matched by name).
bool IsContainerOpen(int type);
bool IsContainerClose(int type);

}  // namespace tavimoro::html
