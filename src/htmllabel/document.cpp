// Parser of the HTML subset: text in, classified element list and tree out.
// Every step works on byte strings; only numeric references produce
// multi-byte UTF-8.
#include "htmllabel/document.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tavimoro::html {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ToUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Upper(c);
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = s.find(from, pos);
    if (hit == std::string::npos) break;
    out.append(s, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(s, pos, std::string::npos);
  s = std::move(out);
}

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Windows-1252 codes 128..159 as Unicode; 0 where the code page has a gap.
constexpr std::array<unsigned, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendCharacterCode(std::string& out, int code) {
  if (code == 9 || code == 10 || code == 13) {
    out += ' ';
  } else if (code < 32 || code == 127) {
    // control characters have no glyph
  } else if (code < 128) {
    out += static_cast<char>(code);
  } else if (code < 160) {
    if (const unsigned u = kCp1252High[code - 128]; u != 0) AppendUtf8(out, u);
  } else if (code < 256) {
    AppendUtf8(out, static_cast<unsigned>(code));
  }
}

// The leading number of a value the way a lenient reader takes it: blanks,
// an optional sign, digits and an optional fraction; 0 when there is none.
double LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  double value = 0;
  while (i < s.size() && IsDigit(s[i])) value = std::min(value * 10 + (s[i++] - '0'), 1e9);
  if (i < s.size() && s[i] == '.') {
    double scale = 0.1;
    for (++i; i < s.size() && IsDigit(s[i]); ++i, scale /= 10) value += (s[i] - '0') * scale;
  }
  return negative ? -value : value;
}

int LeadingInteger(std::string_view s) { return static_cast<int>(std::clamp(LeadingNumber(s), -1e6, 1e6)); }

// True when the whole value is a number: optional sign, digits, optional
// fraction, surrounding blanks allowed.
bool IsNumeric(std::string_view s) {
  s = TrimBlanks(s);
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  bool digits = false, point = false;
  for (char c : s) {
    if (IsDigit(c)) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

Length ParseLength(std::string_view value) {
  value = TrimBlanks(value);
  if (value.find('%') != std::string_view::npos) return {LeadingNumber(value) / 100.0, true};
  if (value.size() >= 2) {
    const std::string tail = ToUpper(value.substr(value.size() - 2));
    if (tail == "PX") value.remove_suffix(2);
  }
  return {std::clamp(LeadingNumber(value), -1e6, 1e6), false};
}

struct TagName {
  std::string_view name;
  int type;
};

constexpr TagName kTagTypes[] = {
    {"HEAD", kHead},
    {"/HEAD", kHeadEnd},
    {"TITLE", kTitle},
    {"/TITLE", kTitleEnd},
    {"BODY", kBody},
    {"NOFRAMES", kBody},
    {"/BODY", kBodyEnd},
    {"/NOFRAMES", kBodyEnd},
    {"!--", kComment},
    {"--", kCommentEnd},
    {"STRONG", kBold},
    {"B", kBold},
    {"/STRONG", kBoldEnd},
    {"/B", kBoldEnd},
    {"EM", kItalic},
    {"I", kItalic},
    {"/EM", kItalicEnd},
    {"/I", kItalicEnd},
    {"U", kUnderline},
    {"/U", kUnderlineEnd},
    {"P", kParagraph},
    {"/P", kParagraphEnd},
    {"DIV", kDiv},
    {"/DIV", kDivEnd},
    {"BR", kBreak},
    {"HR", kRule},
    {"UL", kUnorderedList},
    {"/UL", kUnorderedListEnd},
    {"OL", kOrderedList},
    {"/OL", kOrderedListEnd},
    {"LI", kListItem},
    {"TABLE", kTable},
    {"/TABLE", kTableEnd},
    {"THEAD", kTableHead},
    {"/THEAD", kTableHeadEnd},
    {"TBODY", kTableBody},
    {"/TBODY", kTableBodyEnd},
    {"TFOOT", kTableFoot},
    {"/TFOOT", kTableFootEnd},
    {"TR", kRow},
    {"/TR", kRowEnd},
    {"TD", kCell},
    {"TH", kCell},
    {"/TD", kCellEnd},
    {"/TH", kCellEnd},
    {"FONT", kFont},
    {"/FONT", kFontEnd},
    {"A", kAnchor},
    {"/A", kAnchorEnd},
    {"IMG", kImage},
    {"BLOCKQUOTE", kBlockQuote},
    {"/BLOCKQUOTE", kBlockQuoteEnd},
    {"BIG", kBig},
    {"/BIG", kBigEnd},
    {"SMALL", kSmall},
    {"/SMALL", kSmallEnd},
    {"CENTER", kCenter},
    {"/CENTER", kCenterEnd},
    {"SUB", kSub},
    {"/SUB", kSubEnd},
    {"SUP", kSup},
    {"/SUP", kSupEnd},
    {"FORM", kForm},
    {"/FORM", kFormEnd},
    {"SCRIPT", kScript},
    {"/SCRIPT", kScriptEnd},
    {"STYLE", kStyle},
    {"/STYLE", kStyleEnd},
};

// 1..6 for H1..H6 (or their closers when `closer`), else 0.
int HeadingLevel(std::string_view id, bool closer) {
  if (closer) {
    if (id.empty() || id.front() != '/') return 0;
    id.remove_prefix(1);
  }
  if (id.size() == 2 && id[0] == 'H' && id[1] >= '1' && id[1] <= '6') return id[1] - '0';
  return 0;
}

int TypeOfTag(std::string_view id) {
  for (const TagName& t : kTagTypes) {
    if (t.name == id) return t.type;
  }
  if (HeadingLevel(id, false) != 0) return kHeading;
  if (HeadingLevel(id, true) != 0) return kHeadingEnd;
  return kUnknownTag;
}

struct NamedColour {
  std::string_view name;
  Colour colour;
};

constexpr NamedColour kColourNames[] = {
    {"black", Rgb(0, 0, 0)},       {"green", Rgb(0, 128, 0)},    {"silver", Rgb(192, 192, 192)},
    {"lime", Rgb(0, 255, 0)},      {"gray", Rgb(128, 128, 128)}, {"olive", Rgb(128, 128, 0)},
    {"white", Rgb(255, 255, 255)}, {"yellow", Rgb(255, 255, 0)}, {"maroon", Rgb(128, 0, 0)},
    {"navy", Rgb(0, 0, 128)},      {"red", Rgb(255, 0, 0)},      {"blue", Rgb(0, 0, 255)},
    {"purple", Rgb(128, 0, 128)},  {"teal", Rgb(0, 128, 128)},   {"fuchsia", Rgb(255, 0, 255)},
    {"aqua", Rgb(0, 255, 255)},
};

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  c = Upper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Classifier {
  Document& doc;
  const ParseOptions& options;

  void ApplyAttribute(HtmlElement& e, const Attribute& a) {
    const std::string& n = a.Name;
    const std::string& v = a.Value;
    if (n == "ALIGN") {
      const std::string u = ToUpper(v);
      if (u == "CENTER") e.AlignCentre = true;
      if (u == "RIGHT") e.AlignRight = true;
    } else if (n == "ALT" || n == "TITLE") {
      e.Tooltip = v;
    } else if (n == "BACKGROUND") {
      doc.BackgroundImage = v;
    } else if (n == "BGCOLOR") {
      if (e.Type == kBody) {
        doc.BackgroundColour = ParseColour(v);
        doc.BodySetBackground = true;
      } else {
        e.Background = ParseColour(v);
        e.HasBackground = true;
      }
    } else if (n == "BORDER") {
      e.Border = LeadingInteger(v);
    } else if (n == "CELLPADDING") {
      e.CellPadding = LeadingInteger(v);
    } else if (n == "CELLSPACING") {
      e.CellSpacing = LeadingInteger(v);
    } else if (n == "COLSPAN") {
      e.ColSpan = LeadingInteger(v);
    } else if (n == "COLOR") {
      e.TextColour = ParseColour(v);
    } else if (n == "FACE") {
      e.Face = std::string(TrimBlanks(std::string_view(v).substr(0, v.find(','))));
    } else if (n == "HEIGHT") {
      e.Height = ParseLength(v);
    } else if (n == "HREF") {
      e.Target = v;
    } else if (n == "HSPACE") {
      e.HSpace = LeadingInteger(v);
    } else if (n == "VSPACE") {
      e.VSpace = LeadingInteger(v);
    } else if (n == "ID" || n == "NAME") {
      e.Name = v;
    } else if (n == "LINK") {
      doc.LinkColour = ParseColour(v);
    } else if (n == "SIZE") {
      if (IsNumeric(v)) {
        const std::string_view t = TrimBlanks(v);
        const bool relative = t.front() == '+' || t.front() == '-';
        const double steps = LeadingNumber(t) - (relative ? 0 : 3);
        e.FontSize = options.DefaultFontSize + 1.2 * steps;
      }
    } else if (n == "SRC") {
      e.Source = v;
    } else if (n == "TEXT") {
      doc.TextColour = ParseColour(v);
    } else if (n == "VALIGN") {
      const std::string u = ToUpper(v);
      if (u == "CENTER") e.VerticalAlign = kAlignMiddle;
      if (u == "BOTTOM") e.VerticalAlign = kAlignBottom;
    } else if (n == "WIDTH") {
      e.Width = ParseLength(v);
    }
  }

  void Classify(HtmlElement& e) {
    if (!e.IsTag) {
      e.Type = kText;
      e.Text = DecodeNumericReferences(e.Text);
      return;
    }
    const std::string id = TagId(e.Text);
    e.Type = TypeOfTag(id);
    switch (e.Type) {
      case kCell:
        e.ColSpan = 1;
        e.Width = {1.0, true};
        e.VerticalAlign = kAlignTop;
        break;
      case kTable:
        e.CellPadding = 2;
        e.CellSpacing = 2;
        e.Width = {1.0, true};
        break;
      case kImage:
        e.HSpace = 2;
        e.VSpace = 2;
        break;
      case kFont:
        e.TextColour = doc.TextColour;
        e.FontSize = options.DefaultFontSize;
        break;
      case kHeading:
        e.FontSize = options.DefaultFontSize + 1.2 * (7 - HeadingLevel(id, false));
        break;
      case kBig:
        e.FontSize = options.DefaultFontSize + 1;
        break;
      case kSmall:
        e.FontSize = options.DefaultFontSize - 1;
        break;
      default:
        break;
    }
    for (const Attribute& a : ExtractTagAttributes(e.Text)) ApplyAttribute(e, a);
  }
};

std::vector<HtmlElement> Split(const std::string& s) {
  std::vector<HtmlElement> out;
  bool joined = false;
  std::size_t p = 0;
  while (true) {
    const std::size_t open = s.find('<', p);
    if (open == std::string::npos) break;
    std::size_t end;
    if (s.compare(open, 4, "<!--") == 0) {
      const std::size_t close = s.find("-->", open + 4);
      end = close == std::string::npos ? close : close + 2;
    } else {
      end = s.find('>', open + 1);
    }
    if (end == std::string::npos) {
      p = open + 1;
      continue;
    }
    HtmlElement tag;
    tag.Text = s.substr(open, end - open + 1);
    tag.IsTag = true;
    out.push_back(std::move(tag));
    if (open > 0) joined = s[open - 1] != ' ';
    const std::size_t next = s.find('<', end + 1);
    if (next == std::string::npos) break;
    std::string_view run(s.data() + end + 1, next - end - 1);
    if (!TrimBlanks(run).empty()) {
      HtmlElement text;
      text.Text = std::string(run);
      text.Joined = joined;
      out.push_back(std::move(text));
    }
    p = next;
  }
  return out;
}

HtmlElement MakeCloser(const char* text, int type) {
  HtmlElement e;
  e.Text = text;
  e.IsTag = true;
  e.Type = type;
  return e;
}

// Inserts `closer` before the first element after each opener that belongs to
// a new sibling, unless a proper closer comes first. Nested tables are
// skipped when `skipTables`.
template <typename IsEnd, typename NeedsCloser>
void RepairPass(std::vector<HtmlElement>& list, int openType, const char* closerText, int closerType,
                bool skipTables, IsEnd isEnd, NeedsCloser needsCloser) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].Type != openType) continue;
    int depth = 0;
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      const int t = list[j].Type;
      if (skipTables && t == kTable) {
        ++depth;
        continue;
      }
      if (skipTables && t == kTableEnd && depth > 0) {
        --depth;
        continue;
      }
      if (depth > 0) continue;
      if (isEnd(t)) break;
      if (needsCloser(t)) {
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), MakeCloser(closerText, closerType));
        break;
      }
    }
  }
}

void BuildHierarchy(std::vector<HtmlElement>& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    HtmlElement& e = list[i];
    e.Index = static_cast<int>(i);
    e.Parent = -1;
    e.Position = 0;
    e.Children.clear();
    e.Extent = -1;
  }
  if (list.empty()) return;
  // The root keeps collecting after a stray closer, so that no element is
  // left outside the tree.
  std::vector<int> open{0};
  const int last = static_cast<int>(list.size()) - 1;
  for (int i = 1; i <= last; ++i) {
    HtmlElement& parent = list[open.back()];
    list[i].Parent = parent.Index;
    list[i].Position = static_cast<int>(parent.Children.size());
    parent.Children.push_back(i);
    if (IsContainerOpen(list[i].Type)) {
      open.push_back(i);
    } else if (IsContainerClose(list[i].Type) && open.size() > 1) {
      list[open.back()].Extent = i;
      open.pop_back();
    }
  }
  for (int index : open) list[index].Extent = last;
}

}  // namespace

bool IsContainerOpen(int type) {
  switch (type) {
    case kHead:
    case kTitle:
    case kBody:
    case kBold:
    case kItalic:
    case kUnderline:
    case kParagraph:
    case kDiv:
    case kUnorderedList:
    case kOrderedList:
    case kTable:
    case kRow:
    case kCell:
    case kFont:
    case kAnchor:
    case kBlockQuote:
    case kHeading:
    case kBig:
    case kSmall:
    case kCenter:
      return true;
    default:
      return false;
  }
}

bool IsContainerClose(int type) {
  switch (type) {
    case kHeadEnd:
    case kTitleEnd:
    case kBodyEnd:
    case kBoldEnd:
    case kItalicEnd:
    case kUnderlineEnd:
    case kParagraphEnd:
    case kDivEnd:
    case kUnorderedListEnd:
    case kOrderedListEnd:
    case kTableEnd:
    case kRowEnd:
    case kCellEnd:
    case kFontEnd:
    case kAnchorEnd:
    case kBlockQuoteEnd:
    case kHeadingEnd:
    case kBigEnd:
    case kSmallEnd:
    case kCenterEnd:
      return true;
    default:
      return false;
  }
}

std::string NormaliseHtml(std::string_view html) {
  std::string s(html);
  if (ToUpper(s).find("<BODY") == std::string::npos) s = "<BODY>" + s + "</BODY>";
  if (ToUpper(s).find("<HTML>") == std::string::npos) s = "<HTML>" + s + "</HTML>";
  for (char& c : s) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  // "&amp;" comes after the references that produce markup characters, so
  // "&amp;lt;" stays a literal "&lt;".
  static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
      {"&lt;", "&#060;"},     {"&gt;", "&#062;"},     {"&quot;", "&#034;"},   {"&copy;", "&#169;"},
      {"&deg;", "&#176;"},    {"&amp;", "&#038;"},    {"&middot;", "&#183;"}, {"&agrave;", "&#224;"},
      {"&aacute;", "&#225;"}, {"&egrave;", "&#232;"}, {"&eacute;", "&#233;"}, {"&euml;", "&#235;"},
  };
  if (s.find('&') != std::string::npos) {
    for (const auto& [from, to] : kNamed) ReplaceAll(s, from, to);
  }
  for (char& c : s) {
    if (c == '\t') c = ' ';
  }
  for (int pass = 0; pass < 3; ++pass) ReplaceAll(s, "  ", " ");
  return s;
}

std::string TagId(std::string_view tag) {
  const std::size_t open = tag.find('<');
  const std::size_t start = open == std::string_view::npos ? 0 : open + 1;
  const std::size_t blank = tag.find(' ', start);
  if (blank != std::string_view::npos) return ToUpper(tag.substr(start, blank - start));
  std::string_view t = TrimBlanks(tag);
  if (!t.empty() && t.front() == '<') t.remove_prefix(1);
  if (!t.empty() && t.back() == '>') t.remove_suffix(1);
  return ToUpper(t);
}

std::vector<Attribute> ExtractTagAttributes(std::string_view tag) {
  std::vector<Attribute> out;
  std::size_t p = tag.find(' ');
  if (p == std::string_view::npos) return out;
  // The value of the last attribute ends before the closing ">".
  const std::size_t tagEnd = (!tag.empty() && tag.back() == '>') ? tag.size() - 1 : tag.size();
  while (p < tag.size()) {
    const std::size_t eq = tag.find('=', p);
    if (eq == std::string_view::npos) break;
    std::string name;
    for (char c : TrimBlanks(tag.substr(p, eq - p))) {
      if (c != '\t') name += Upper(c);
    }
    std::size_t q = eq + 1;
    while (q < tag.size() && tag[q] == ' ') ++q;
    const char delimiter = (q < tag.size() && (tag[q] == '"' || tag[q] == '\'')) ? tag[q] : ' ';
    const std::size_t searchFrom = delimiter == ' ' ? q : q + 1;
    std::size_t end = searchFrom <= tagEnd ? tag.find(delimiter, searchFrom) : std::string_view::npos;
    if (end == std::string_view::npos || end > tagEnd) end = std::max(q, tagEnd);
    std::string_view value = TrimBlanks(tag.substr(std::min(q, tag.size()), end - std::min(q, end)));
    if (!value.empty() && value.front() == delimiter) value = TrimBlanks(value.substr(1));
    out.push_back({std::move(name), std::string(value)});
    p = end + 1;
  }
  return out;
}

std::string DecodeNumericReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const bool hasReferences = text.find("&#") != std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    if (hasReferences && text.compare(i, 2, "&#") == 0 && text.find(';', i + 2) != std::string_view::npos) {
      std::size_t j = i + 2;
      while (j < text.size() && IsDigit(text[j])) ++j;
      const std::size_t digits = j - (i + 2);
      if (digits > 0) {
        if (digits <= 3) {
          int code = 0;
          for (std::size_t k = i + 2; k < j; ++k) code = code * 10 + (text[k] - '0');
          AppendCharacterCode(out, code);
        }
        if (j < text.size() && text[j] == ';') ++j;
        i = j;
        continue;
      }
    }
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += ' ';
      i += 2;
      continue;
    }
    out += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    ++i;
  }
  return out;
}

Colour ParseColour(std::string_view value) {
  std::string v;
  for (char c : value) {
    if (c != '#') v += c;
  }
  const bool hex =
      !v.empty() && v.size() <= 8 && std::all_of(v.begin(), v.end(), [](char c) { return HexDigit(c) >= 0; });
  if (hex) {
    auto pair = [&](std::size_t at) {
      int n = 0;
      for (std::size_t k = at; k < at + 2 && k < v.size(); ++k) n = n * 16 + HexDigit(v[k]);
      return n;
    };
    return Rgb(pair(0), pair(2), pair(4));
  }
  std::string lower;
  for (char c : v) lower += Lower(c);
  for (const NamedColour& n : kColourNames) {
    if (n.name == lower) return n.colour;
  }
  return kBlack;
}

Document ParseDocument(std::string_view html, const ParseOptions& options) {
  Document doc;
  doc.Source = NormaliseHtml(html);
  doc.TextColour = kBlack;
  doc.LinkColour = kDefaultLinkColour;
  doc.BackgroundColour = options.BackColor;
  doc.Elements = Split(doc.Source);

  Classifier classifier{doc, options};
  for (HtmlElement& e : doc.Elements) classifier.Classify(e);

  auto& list = doc.Elements;
  RepairPass(
      list, kParagraph, "</P>", kParagraphEnd, false, [](int t) { return t == kParagraphEnd; },
      [](int t) { return t == kParagraph || t == kTable || t == kCellEnd; });
  RepairPass(
      list, kRow, "</TR>", kRowEnd, true, [](int t) { return t == kRowEnd; },
      [](int t) { return t == kRow || t == kTableEnd; });
  RepairPass(
      list, kCell, "</TD>", kCellEnd, true, [](int t) { return t == kCellEnd; },
      [](int t) { return t == kCell || t == kRowEnd || t == kTableEnd; });

  // Indexes are taken after the repairs, which move elements.
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].Type == kBody) doc.BodyStart = static_cast<int>(i);
    if (options.EnableAnchors && list[i].Type == kAnchor) doc.Links.push_back(static_cast<int>(i));
  }
  BuildHierarchy(list);
  return doc;
}

std::string DocumentTitle(const Document& document) {
  const auto& list = document.Elements;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].Type != kTitle) continue;
    if (i + 1 >= list.size()) break;
    return list[i + 1].IsTag ? std::string() : list[i + 1].Text;
  }
  return "Unknown";
}

int FindAnchor(const Document& document, std::string_view name) {
  for (const HtmlElement& e : document.Elements) {
    if (!e.Name.empty() && e.Name == name) return e.Index;
  }
  return -1;
}

}  // namespace tavimoro::html
