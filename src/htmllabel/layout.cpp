// Flow layout: one Flow per box (the document body, each table cell), each
// with its own line buffer and block stack, producing a Block of drawing
// operations in its own coordinates that the owner moves into place.
#include "htmllabel/layout.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace tavimoro::html {
namespace {

constexpr int kUnbounded = 1 << 24;  // width of the preferred-width measuring pass
constexpr int kMaxTableDepth = 16;   // deeper tables are laid out as plain flow
constexpr int kMaxListLevels = 16;   // deeper lists keep the last level's indent
constexpr int kMaxColumns = 256;
constexpr Colour kFrameColour = Rgb(128, 128, 128);
constexpr std::string_view kNbsp = "\xC2\xA0";

enum class Mode { kDraw, kMinWidth, kPrefWidth };
enum class Align { kLeft, kCentre, kRight };

DrawOp TextOp(const Font& font, int x, int baseline, std::string text, Colour colour) {
  DrawOp op;
  op.Type = DrawOp::kDrawText;
  op.X = x;
  op.Y = baseline;
  op.Ink = colour;
  op.TextFont = font;
  op.Text = std::move(text);
  return op;
}

double ClampSize(double points) { return std::clamp(points, 1.0, 200.0); }

// Everything a cell inherits from the text around its table.
struct Style {
  Font font;
  Colour colour = kBlack;
  double baseSize = 10;
  bool centred = false;
  bool right = false;
  int link = -1;  // index into Document::Links while inside a link with a target
  bool hidden = false;
};

struct Block {
  std::vector<DrawOp> ops;
  std::vector<LinkArea> links;
  std::vector<ImageArea> images;
  std::vector<std::pair<int, int>> tops;  // element, y
  int height = 0;
  int naturalWidth = 0;  // right edge of the content, before alignment

  void Append(Block&& other, int dx, int dy) {
    for (DrawOp& op : other.ops) {
      op.X += dx;
      op.Y += dy;
      if (op.Type == DrawOp::kDrawLine) {
        op.X2 += dx;
        op.Y2 += dy;
      }
      ops.push_back(std::move(op));
    }
    for (LinkArea& a : other.links) {
      a.Area.X += dx;
      a.Area.Y += dy;
      links.push_back(a);
    }
    for (ImageArea& a : other.images) {
      a.Area.X += dx;
      a.Area.Y += dy;
      images.push_back(a);
    }
    for (auto& [element, y] : other.tops) tops.emplace_back(element, y + dy);
  }
};

struct TableCell {
  int element = -1;
  int begin = 0, end = 0;  // content elements
  int column = 0, span = 1;
};

struct TableRow {
  int element = -1;
  std::vector<TableCell> cells;
};

struct TableShape {
  int end = 0;  // index of the /TABLE, or the end of the range
  std::vector<TableRow> rows;
  int columns = 0;
};

struct TableMeasure {
  std::vector<int> colMin, colPref;
  int minTotal = 0, prefTotal = 0;
};

class Engine;

class Flow {
 public:
  Flow(Engine& engine, Mode mode, int left, int width, Style style, int depth);

  void Run(int begin, int end);
  Block Finish();

 private:
  struct Item {
    bool isBox = false;
    std::string text;
    Font font;
    Colour colour = kBlack;
    int width = 0, ascent = 0, descent = 0;
    int space = 0;  // blank before the item; 0 at a line start or inside a word
    bool breakBefore = false;
    bool spaceUnderlined = false;
    Font spaceFont;
    Colour spaceColour = kBlack;
    int link = -1;
    int image = -1;          // element of an IMG box
    int padX = 0, padY = 0;  // HSPACE and VSPACE around an image
  };
  struct ListLevel {
    bool ordered = false;
    int counter = 0;
    int indentAdded = 0;
  };
  struct PendingSpace {
    bool set = false;
    Font font;
    Colour colour = kBlack;
  };

  int Element(int index);  // processes one element, returns the next index
  void Text(const HtmlElement& e);
  void AddItem(Item item, bool blankBefore);
  void AddWord(std::string word, bool blankBefore);
  void FlushLine();
  void NewLine();
  void LineBreakIfUsed();
  Align CurrentAlign() const;
  int Avail() const { return std::max(1, rightLimit_ - lineStart_); }
  int IndentStep();
  FontMetrics Metrics(const Font& f);
  void SetFontSize(double points);
  Align ClosingAlign(int closer) const;
  int Table(int index, int rangeEnd);
  void Image(const HtmlElement& e, int index);

  Engine& engine_;
  Mode mode_;
  int left_;
  int rightLimit_;
  int depth_;
  Style style_;
  int indent_ = 0;
  std::vector<ListLevel> lists_;
  std::vector<int> quotes_;
  int penY_ = 0;
  std::vector<Item> line_;
  int lineWidth_ = 0;
  int lineStart_ = 0;
  Align lineAlign_ = Align::kLeft;
  PendingSpace pending_;
  int rangeEnd_ = 0;
  Block block_;
};

class Engine {
 public:
  Engine(const Document& document, const LayoutOptions& layoutOptions, TextMeasurer& textMeasurer)
      : doc(document), options(layoutOptions), measurer(textMeasurer), linkOf(document.Elements.size(), -1) {
    for (std::size_t i = 0; i < document.Links.size(); ++i) {
      const int element = document.Links[i];
      if (element >= 0 && element < static_cast<int>(linkOf.size())) linkOf[element] = static_cast<int>(i);
    }
  }

  Font DefaultFont() const {
    Font f;
    f.Face = options.DefaultFontName;
    f.Size = ClampSize(options.DefaultFontSize);
    return f;
  }

  FontMetrics Metrics(const Font& f) {
    FontMetrics m = measurer.Metrics(f);
    m.Ascent = std::max(0, m.Ascent);
    m.Descent = std::max(0, m.Descent);
    return m;
  }
  int Width(const Font& f, std::string_view text) { return std::max(0, measurer.TextWidth(f, text)); }

  TableShape Shape(int index, int rangeEnd) const;
  const TableMeasure& Measure(int index, const TableShape& shape, const Style& style, int depth);
  Style CellStyle(const Style& tableStyle, const TableRow& row, const TableCell& cell) const;

  const Document& doc;
  const LayoutOptions& options;
  TextMeasurer& measurer;
  std::vector<int> linkOf;  // element -> index into Document::Links
  std::map<int, std::unique_ptr<TableMeasure>> measures;
};

Flow::Flow(Engine& engine, Mode mode, int left, int width, Style style, int depth)
    : engine_(engine),
      mode_(mode),
      left_(left),
      rightLimit_(left + std::max(1, width)),
      depth_(depth),
      style_(std::move(style)),
      lineStart_(left) {}

FontMetrics Flow::Metrics(const Font& f) { return engine_.Metrics(f); }

int Flow::IndentStep() { return 2 * engine_.Width(style_.font, "W"); }

void Flow::SetFontSize(double points) { style_.font.Size = ClampSize(points); }

Align Flow::CurrentAlign() const {
  if (style_.centred) return Align::kCentre;
  if (style_.right) return Align::kRight;
  return Align::kLeft;
}

void Flow::Run(int begin, int end) {
  rangeEnd_ = end;
  for (int i = begin; i < end;) i = Element(i);
}

Block Flow::Finish() {
  if (!line_.empty()) FlushLine();
  block_.height = penY_;
  return std::move(block_);
}

void Flow::NewLine() {
  if (line_.empty()) {
    const FontMetrics m = Metrics(style_.font);
    penY_ += m.Ascent + m.Descent + engine_.options.DefaultSpacing;
  } else {
    FlushLine();
  }
  pending_.set = false;
}

void Flow::LineBreakIfUsed() {
  if (!line_.empty()) FlushLine();
  pending_.set = false;
}

void Flow::FlushLine() {
  int ascent = 0, descent = 0;
  for (const Item& it : line_) {
    ascent = std::max(ascent, it.ascent);
    descent = std::max(descent, it.descent);
  }
  const int height = ascent + descent + engine_.options.DefaultSpacing;
  const int slack = Avail() - lineWidth_;
  int x = lineStart_;
  if (slack > 0 && lineAlign_ == Align::kCentre) x += slack / 2;
  if (slack > 0 && lineAlign_ == Align::kRight) x += slack;
  block_.naturalWidth = std::max(block_.naturalWidth, lineStart_ + lineWidth_);
  if (mode_ == Mode::kDraw) {
    const int baseline = penY_ + ascent;
    for (std::size_t k = 0; k < line_.size(); ++k) {
      const Item& it = line_[k];
      if (it.space > 0 && it.spaceUnderlined) {
        block_.ops.push_back(TextOp(it.spaceFont, x, baseline, std::string(1, ' '), it.spaceColour));
      }
      const int itemX = x + it.space;
      if (!it.isBox) {
        block_.ops.push_back(TextOp(it.font, itemX, baseline, it.text, it.colour));
      } else if (it.image >= 0) {
        block_.images.push_back({it.image,
                                 {itemX + it.padX, baseline - it.ascent + it.padY, it.width - 2 * it.padX,
                                  it.ascent - 2 * it.padY}});
      }
      if (it.link >= 0) {
        // Consecutive items of one link share an area that covers the blanks.
        LinkArea* last = block_.links.empty() ? nullptr : &block_.links.back();
        const bool extend =
            k > 0 && line_[k - 1].link == it.link && last && last->Link == it.link && last->Area.Y == penY_;
        if (extend) {
          last->Area.Width = itemX + it.width - last->Area.X;
        } else {
          block_.links.push_back({it.link, {itemX, penY_, it.width, height}});
        }
      }
      x = itemX + it.width;
    }
  }
  penY_ += height;
  line_.clear();
  lineWidth_ = 0;
}

void Flow::AddItem(Item item, bool blankBefore) {
  if (line_.empty()) {
    lineStart_ = left_ + indent_;
    lineAlign_ = CurrentAlign();
  }
  const int avail = mode_ == Mode::kPrefWidth ? kUnbounded : (mode_ == Mode::kMinWidth ? 1 : Avail());
  item.breakBefore = blankBefore;
  if (line_.empty()) item.space = 0;
  if (!line_.empty() && lineWidth_ + item.space + item.width > avail) {
    if (item.breakBefore) {
      FlushLine();
      lineStart_ = left_ + indent_;
      lineAlign_ = CurrentAlign();
      item.space = 0;
    } else {
      // A fragment glued to the word before it: carry that whole word over
      // when the line has an earlier place to break.
      std::size_t wordStart = line_.size();
      while (wordStart > 0 && !line_[wordStart - 1].breakBefore) --wordStart;
      if (wordStart > 1) {
        std::vector<Item> carried(
            std::make_move_iterator(line_.begin() + static_cast<std::ptrdiff_t>(wordStart - 1)),
            std::make_move_iterator(line_.end()));
        line_.resize(wordStart - 1);
        lineWidth_ = 0;
        for (const Item& it : line_) lineWidth_ += it.space + it.width;
        FlushLine();
        lineStart_ = left_ + indent_;
        lineAlign_ = CurrentAlign();
        carried.front().space = 0;
        for (Item& it : carried) {
          lineWidth_ += it.space + it.width;
          line_.push_back(std::move(it));
        }
      }
    }
  }
  lineWidth_ += item.space + item.width;
  line_.push_back(std::move(item));
}

// "&nbsp;" is drawn and measured as a blank that does not break.
std::string WithNbsp(std::string_view word) {
  std::string out;
  out.reserve(word.size());
  for (std::size_t at = 0; at < word.size();) {
    if (word.compare(at, 6, "&nbsp;") == 0) {
      out += kNbsp;
      at += 6;
    } else {
      out += word[at++];
    }
  }
  return out;
}

void Flow::AddWord(std::string word, bool blankBefore) {
  if (word.find('&') != std::string::npos) word = WithNbsp(word);
  Item item;
  item.font = style_.font;
  item.colour = style_.colour;
  item.width = engine_.Width(style_.font, word);
  const FontMetrics m = Metrics(style_.font);
  item.ascent = m.Ascent;
  item.descent = m.Descent;
  item.link = style_.link;
  if (blankBefore) {
    item.space = engine_.Width(pending_.font, " ");
    item.spaceFont = pending_.font;
    item.spaceColour = pending_.colour;
    item.spaceUnderlined = pending_.font.Underline;
  }
  item.text = std::move(word);
  AddItem(std::move(item), blankBefore);
  pending_.set = false;
}

void Flow::Text(const HtmlElement& e) {
  if (style_.hidden) return;
  const std::string& s = e.Text;
  if (!s.empty() && (s.front() == ' ' || !e.Joined)) {
    // A blank already pending from the run before keeps its own font.
    if (!pending_.set) pending_ = {true, style_.font, style_.colour};
  }
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == ' ') {
      if (!pending_.set) pending_ = {true, style_.font, style_.colour};
      ++i;
      continue;
    }
    const std::size_t end = std::min(s.find(' ', i), s.size());
    AddWord(s.substr(i, end - i), pending_.set);
    i = end;
  }
}

void Flow::Image(const HtmlElement& e, int index) {
  auto resolve = [&](const Length& l, int whole) {
    if (!l.Fraction) return static_cast<int>(std::clamp(l.Value, 0.0, 1e5));
    if (mode_ != Mode::kDraw) return 0;  // a share of the width has no natural size
    return static_cast<int>(std::clamp(l.Value * whole, 0.0, 1e5));
  };
  Item item;
  item.isBox = true;
  item.padX = std::clamp(e.HSpace, 0, 10000);
  item.padY = std::clamp(e.VSpace, 0, 10000);
  item.width = resolve(e.Width, Avail()) + 2 * item.padX;
  item.ascent = resolve(e.Height, engine_.options.ViewHeight) + 2 * item.padY;
  item.link = style_.link;
  item.image = index;
  if (pending_.set) item.space = engine_.Width(pending_.font, " ");
  AddItem(std::move(item), true);
  pending_.set = false;
}

Align Flow::ClosingAlign(int closer) const {
  const auto& list = engine_.doc.Elements;
  const int n = static_cast<int>(list.size());
  // The closer hangs below the element it closes; enclosing blocks start above that.
  int start = list[closer].Parent;
  if (start >= 0 && start < n) start = list[start].Parent;
  for (int p = start; p >= 0 && p < n; p = list[p].Parent) {
    if (list[p].Type == kDiv)
      return list[p].AlignCentre ? Align::kCentre : list[p].AlignRight ? Align::kRight : Align::kLeft;
  }
  for (int p = start; p >= 0 && p < n; p = list[p].Parent) {
    if (list[p].Type == kCell)
      return list[p].AlignCentre ? Align::kCentre : list[p].AlignRight ? Align::kRight : Align::kLeft;
  }
  for (int p = start; p >= 0 && p < n; p = list[p].Parent) {
    if (list[p].Type == kCenter) return Align::kCentre;
  }
  return Align::kLeft;
}

int Flow::Element(int index) {
  const HtmlElement& e = engine_.doc.Elements[index];
  if (mode_ == Mode::kDraw) block_.tops.emplace_back(index, penY_);
  if (!e.IsTag) {
    Text(e);
    return index + 1;
  }
  const bool anchors = engine_.options.EnableAnchors;
  switch (e.Type) {
    case kBold:
      style_.font.Bold = true;
      break;
    case kBoldEnd:
      style_.font.Bold = false;
      break;
    case kItalic:
      style_.font.Italic = true;
      break;
    case kItalicEnd:
      style_.font.Italic = false;
      break;
    case kUnderline:
      style_.font.Underline = true;
      break;
    case kUnderlineEnd:
      style_.font.Underline = false;
      break;
    case kParagraph:
    case kDiv:
      NewLine();
      style_.centred = e.AlignCentre;
      style_.right = e.AlignRight && !e.AlignCentre;
      break;
    case kParagraphEnd:
    case kDivEnd: {
      const Align a = ClosingAlign(index);
      style_.centred = a == Align::kCentre;
      style_.right = a == Align::kRight;
      NewLine();
      break;
    }
    case kBreak:
      NewLine();
      break;
    case kRule: {
      LineBreakIfUsed();
      if (mode_ == Mode::kDraw) {
        const int y = penY_ + engine_.options.DefaultSpacing / 2;
        DrawOp op;
        op.Type = DrawOp::kDrawLine;
        op.X = left_;
        op.Y = y;
        op.X2 = rightLimit_ - 1;
        op.Y2 = y;
        op.Ink = style_.colour;
        block_.ops.push_back(std::move(op));
      }
      penY_ += engine_.options.DefaultSpacing + 1;
      break;
    }
    case kUnorderedList:
    case kOrderedList: {
      ListLevel level;
      level.ordered = e.Type == kOrderedList;
      level.indentAdded = static_cast<int>(lists_.size()) < kMaxListLevels ? IndentStep() : 0;
      indent_ += level.indentAdded;
      lists_.push_back(level);
      break;
    }
    case kUnorderedListEnd:
    case kOrderedListEnd:
      if (!lists_.empty()) {
        indent_ -= lists_.back().indentAdded;
        lists_.pop_back();
      }
      break;
    case kListItem:
      NewLine();
      if (!lists_.empty() && lists_.back().ordered) {
        AddWord(std::to_string(++lists_.back().counter) + ".", false);
        pending_ = {true, style_.font, style_.colour};
      }
      break;
    case kBlockQuote:
      NewLine();
      quotes_.push_back(IndentStep());
      indent_ += quotes_.back();
      break;
    case kBlockQuoteEnd:
      NewLine();
      if (!quotes_.empty()) {
        indent_ -= quotes_.back();
        quotes_.pop_back();
      }
      break;
    case kHeading:
      LineBreakIfUsed();
      SetFontSize(e.FontSize);
      style_.font.Bold = true;
      break;
    case kHeadingEnd:
    case kBigEnd:
    case kSmallEnd:
      NewLine();
      SetFontSize(style_.baseSize);
      style_.font.Bold = false;
      break;
    case kBig:
    case kSmall:
      SetFontSize(e.FontSize);
      break;
    case kFont:
      style_.font.Face = e.Face.empty() ? engine_.options.DefaultFontName : e.Face;
      SetFontSize(e.FontSize);
      style_.colour = e.TextColour;
      style_.baseSize = style_.font.Size;
      break;
    case kFontEnd:
      style_.font = engine_.DefaultFont();
      style_.colour = engine_.doc.TextColour;
      style_.baseSize = style_.font.Size;
      break;
    case kAnchor:
      if (anchors && !e.Target.empty()) {
        style_.colour = engine_.doc.LinkColour;
        if (engine_.options.UnderlineLinks) style_.font.Underline = true;
        style_.link = engine_.linkOf[index];
      }
      break;
    case kAnchorEnd:
      if (anchors) {
        style_.font.Underline = false;
        style_.colour = engine_.doc.TextColour;
        style_.link = -1;
      }
      break;
    case kCenter:
      style_.centred = true;
      break;
    case kCenterEnd:
      style_.centred = false;
      break;
    case kScript:
    case kStyle:
      style_.hidden = true;
      break;
    case kScriptEnd:
    case kStyleEnd:
    case kFormEnd:
      style_.hidden = false;
      break;
    case kImage:
      Image(e, index);
      break;
    case kTable:
      if (depth_ < kMaxTableDepth) return Table(index, rangeEnd_);
      break;
    default:
      break;
  }
  return index + 1;
}

TableShape Engine::Shape(int index, int rangeEnd) const {
  const auto& list = doc.Elements;
  TableShape shape;
  shape.end = rangeEnd;
  int depth = 0;
  TableCell* open = nullptr;
  auto closeCell = [&](int at) {
    if (open) open->end = at;
    open = nullptr;
  };
  for (int j = index + 1; j < rangeEnd; ++j) {
    const int t = list[j].Type;
    if (depth > 0) {
      if (t == kTable) ++depth;
      if (t == kTableEnd) --depth;
      continue;
    }
    switch (t) {
      case kTable:
        if (!open) continue;  // a table outside any cell belongs to no cell
        ++depth;
        break;
      case kTableEnd:
        closeCell(j);
        shape.end = j;
        j = rangeEnd;
        break;
      case kRow:
        closeCell(j);
        shape.rows.push_back({j, {}});
        break;
      case kRowEnd:
      case kCellEnd:
        closeCell(j);
        break;
      case kCell: {
        closeCell(j);
        if (shape.rows.empty()) shape.rows.push_back({-1, {}});
        TableCell cell;
        cell.element = j;
        cell.begin = j + 1;
        cell.end = j + 1;
        cell.span = std::clamp(list[j].ColSpan, 1, kMaxColumns);
        shape.rows.back().cells.push_back(cell);
        open = &shape.rows.back().cells.back();
        break;
      }
      default:
        break;
    }
  }
  closeCell(shape.end);
  for (TableRow& row : shape.rows) {
    int column = 0;
    for (TableCell& cell : row.cells) {
      cell.column = std::min(column, kMaxColumns - 1);
      cell.span = std::min(cell.span, kMaxColumns - cell.column);
      column = cell.column + cell.span;
    }
    shape.columns = std::max(shape.columns, column);
  }
  return shape;
}

Style Engine::CellStyle(const Style& tableStyle, const TableRow& row, const TableCell& cell) const {
  Style s = tableStyle;
  const HtmlElement& td = doc.Elements[cell.element];
  const HtmlElement* tr = row.element >= 0 ? &doc.Elements[row.element] : nullptr;
  if (td.AlignCentre || td.AlignRight) {
    s.centred = td.AlignCentre;
    s.right = td.AlignRight && !td.AlignCentre;
  } else if (tr && (tr->AlignCentre || tr->AlignRight)) {
    s.centred = tr->AlignCentre;
    s.right = tr->AlignRight && !tr->AlignCentre;
  }
  return s;
}

struct TableGeometry {
  int spacing = 0, padding = 0, frame = 0;
};

TableGeometry GeometryOf(const HtmlElement& table) {
  TableGeometry g;
  g.spacing = std::clamp(table.CellSpacing, 0, 1000);
  g.padding = std::clamp(table.CellPadding, 0, 1000);
  g.frame = table.Border != 0 ? 1 : 0;
  return g;
}

int PixelWidth(const HtmlElement& e) {
  return e.Width.Fraction ? 0 : static_cast<int>(std::clamp(e.Width.Value, 0.0, 1e5));
}

const TableMeasure& Engine::Measure(int index, const TableShape& shape, const Style& style, int depth) {
  auto& slot = measures[index];
  if (slot) return *slot;
  auto m = std::make_unique<TableMeasure>();
  const TableGeometry g = GeometryOf(doc.Elements[index]);
  const int cols = shape.columns;
  m->colMin.assign(cols, 0);
  m->colPref.assign(cols, 0);
  struct Spanned {
    int column, span, min, pref;
  };
  std::vector<Spanned> spanned;
  const int inset = 2 * (g.padding + g.frame);
  for (const TableRow& row : shape.rows) {
    for (const TableCell& cell : row.cells) {
      const Style cs = CellStyle(style, row, cell);
      Flow minFlow(*this, Mode::kMinWidth, 0, 1, cs, depth + 1);
      minFlow.Run(cell.begin, cell.end);
      Flow prefFlow(*this, Mode::kPrefWidth, 0, kUnbounded, cs, depth + 1);
      prefFlow.Run(cell.begin, cell.end);
      const int min = minFlow.Finish().naturalWidth + inset;
      int pref = std::max(min, prefFlow.Finish().naturalWidth + inset);
      if (const int px = PixelWidth(doc.Elements[cell.element]); px > 0) pref = std::max(min, px);
      if (cell.span == 1) {
        m->colMin[cell.column] = std::max(m->colMin[cell.column], min);
        m->colPref[cell.column] = std::max(m->colPref[cell.column], pref);
      } else {
        spanned.push_back({cell.column, cell.span, min, pref});
      }
    }
  }
  // A spanning cell widens its columns only by what they lack, in
  // proportion to what they already want.
  for (const Spanned& s : spanned) {
    auto widen = [&](std::vector<int>& widths, int need) {
      int have = g.spacing * (s.span - 1), weight = 0;
      for (int c = s.column; c < s.column + s.span; ++c) {
        have += widths[c];
        weight += m->colPref[c];
      }
      int lack = need - have;
      for (int c = s.column; c < s.column + s.span && lack > 0; ++c) {
        const int share = c == s.column + s.span - 1 ? lack
                          : weight > 0
                              ? static_cast<int>(static_cast<long long>(need - have) * m->colPref[c] / weight)
                              : (need - have) / s.span;
        widths[c] += std::min(share, lack);
        lack -= std::min(share, lack);
      }
    };
    widen(m->colMin, s.min);
    widen(m->colPref, s.pref);
  }
  m->minTotal = m->prefTotal = g.spacing * (cols + 1);
  for (int c = 0; c < cols; ++c) {
    m->colPref[c] = std::max(m->colPref[c], m->colMin[c]);
    m->minTotal += m->colMin[c];
    m->prefTotal += m->colPref[c];
  }
  slot = std::move(m);
  return *slot;
}

// Column widths for a table `width` wide: preferred widths plus a share of
// the rest when they fit, otherwise each column between its minimum and its
// preferred width in one common proportion.
std::vector<int> ColumnWidths(const TableMeasure& m, int spacing, int width) {
  const int cols = static_cast<int>(m.colMin.size());
  std::vector<int> w(cols, 0);
  if (cols == 0) return w;
  const long long space = std::max(0, width - spacing * (cols + 1));
  long long minSum = 0, prefSum = 0;
  for (int c = 0; c < cols; ++c) {
    minSum += m.colMin[c];
    prefSum += m.colPref[c];
  }
  if (space >= prefSum) {
    const long long extra = space - prefSum;
    for (int c = 0; c < cols; ++c) {
      w[c] = m.colPref[c] + static_cast<int>(prefSum > 0 ? extra * m.colPref[c] / prefSum : extra / cols);
    }
  } else if (space > minSum) {
    const long long range = prefSum - minSum;
    for (int c = 0; c < cols; ++c) {
      w[c] = m.colMin[c] +
             static_cast<int>(range > 0 ? (space - minSum) * (m.colPref[c] - m.colMin[c]) / range : 0);
    }
  } else {
    for (int c = 0; c < cols; ++c) w[c] = m.colMin[c];
  }
  long long used = 0;
  for (int c = 0; c < cols; ++c) used += w[c];
  if (used < space) w[cols - 1] += static_cast<int>(space - used);
  return w;
}

int Flow::Table(int index, int rangeEnd) {
  LineBreakIfUsed();
  const HtmlElement& table = engine_.doc.Elements[index];
  const TableShape shape = engine_.Shape(index, rangeEnd);
  const int next = std::min(shape.end + 1, rangeEnd);
  if (shape.columns == 0) return next;
  const TableMeasure& m = engine_.Measure(index, shape, style_, depth_);
  const TableGeometry g = GeometryOf(table);
  const int x0 = left_ + indent_;
  const int avail = std::max(1, rightLimit_ - x0);

  if (mode_ != Mode::kDraw) {
    int width = mode_ == Mode::kMinWidth ? m.minTotal : std::max(m.prefTotal, PixelWidth(table));
    block_.naturalWidth = std::max(block_.naturalWidth, x0 + width);
    return next;
  }

  int target = table.Width.Fraction ? static_cast<int>(std::clamp(table.Width.Value, 0.0, 100.0) * avail)
                                    : PixelWidth(table);
  const int width = std::max(target, m.minTotal);
  const std::vector<int> colWidth = ColumnWidths(m, g.spacing, width);
  std::vector<int> colX(colWidth.size() + 1, g.spacing);
  for (std::size_t c = 0; c < colWidth.size(); ++c) colX[c + 1] = colX[c] + colWidth[c] + g.spacing;

  int x = x0;
  const int slack = avail - width;
  if (slack > 0 && (table.AlignCentre || (style_.centred && !table.AlignRight))) x += slack / 2;
  if (slack > 0 && table.AlignRight) x += slack;

  const int inset = g.padding + g.frame;
  Block out;
  int y = g.spacing;
  std::vector<DrawOp> backgrounds, frames;
  for (const TableRow& row : shape.rows) {
    if (row.cells.empty()) continue;
    struct Placed {
      const TableCell* cell;
      Block content;
      int cx, cw;
    };
    std::vector<Placed> placed;
    int rowHeight = 0;
    for (const TableCell& cell : row.cells) {
      const int cx = colX[cell.column];
      const int cw = colX[cell.column + cell.span] - g.spacing - cx;
      Flow flow(engine_, Mode::kDraw, 0, std::max(1, cw - 2 * inset), engine_.CellStyle(style_, row, cell),
                depth_ + 1);
      flow.Run(cell.begin, cell.end);
      Block content = flow.Finish();
      rowHeight = std::max(rowHeight, content.height + 2 * inset);
      placed.push_back({&cell, std::move(content), cx, cw});
    }
    const HtmlElement* tr = row.element >= 0 ? &engine_.doc.Elements[row.element] : nullptr;
    for (Placed& p : placed) {
      const HtmlElement& td = engine_.doc.Elements[p.cell->element];
      const bool hasFill = td.HasBackground || (tr && tr->HasBackground);
      if (hasFill) {
        DrawOp fill;
        fill.Type = DrawOp::kFillRect;
        fill.X = p.cx;
        fill.Y = y;
        fill.X2 = p.cw;
        fill.Y2 = rowHeight;
        fill.Ink = td.HasBackground ? td.Background : tr->Background;
        backgrounds.push_back(fill);
      }
      if (g.frame) {
        const int l = p.cx, t = y, r = p.cx + p.cw - 1, b = y + rowHeight - 1;
        const int lines[4][4] = {{l, t, r, t}, {r, t, r, b}, {l, b, r, b}, {l, t, l, b}};
        for (const auto& ln : lines) {
          DrawOp op;
          op.Type = DrawOp::kDrawLine;
          op.X = ln[0];
          op.Y = ln[1];
          op.X2 = ln[2];
          op.Y2 = ln[3];
          op.Ink = kFrameColour;
          frames.push_back(op);
        }
      }
      const int free = rowHeight - 2 * inset - p.content.height;
      int dy = 0;
      if (td.VerticalAlign == kAlignMiddle) dy = free / 2;
      if (td.VerticalAlign == kAlignBottom) dy = free;
      // Tops of the cell's content are wanted even where it draws nothing.
      out.tops.emplace_back(p.cell->element, y);
      out.Append(std::move(p.content), p.cx + inset, y + inset + dy);
    }
    if (tr) out.tops.emplace_back(row.element, y);
    y += rowHeight + g.spacing;
  }
  const int height = y;

  Block framed;
  if (table.HasBackground) {
    DrawOp fill;
    fill.Type = DrawOp::kFillRect;
    fill.X = 0;
    fill.Y = 0;
    fill.X2 = width;
    fill.Y2 = height;
    fill.Ink = table.Background;
    framed.ops.push_back(fill);
  }
  framed.ops.insert(framed.ops.end(), backgrounds.begin(), backgrounds.end());
  framed.Append(std::move(out), 0, 0);
  framed.ops.insert(framed.ops.end(), frames.begin(), frames.end());
  block_.Append(std::move(framed), x, penY_);
  block_.naturalWidth = std::max(block_.naturalWidth, x + width);
  penY_ += height;
  return next;
}

}  // namespace

LayoutResult LayoutDocument(const Document& document, const LayoutOptions& options, TextMeasurer& measurer) {
  Engine engine(document, options, measurer);
  LayoutResult result;
  result.Background = document.BackgroundColour;
  const int count = static_cast<int>(document.Elements.size());
  result.ElementTops.assign(count, -1);

  Style style;
  style.font = engine.DefaultFont();
  style.colour = document.TextColour;
  style.baseSize = style.font.Size;
  const int padding = std::max(0, options.DefaultPadding);
  const int width = std::max(1, options.Width);
  Flow flow(engine, Mode::kDraw, padding, std::max(1, width - 2 * padding), style, 0);
  flow.Run(document.BodyStart >= 0 ? document.BodyStart + 1 : 0, count);
  Block body = flow.Finish();

  result.Width = std::max(width, body.naturalWidth + padding);
  result.Height = padding + body.height + padding;
  for (DrawOp& op : body.ops) {
    op.Y += padding;
    if (op.Type == DrawOp::kDrawLine) op.Y2 += padding;
  }
  result.Ops = std::move(body.ops);
  for (LinkArea& a : body.links) {
    a.Area.Y += padding;
    result.LinkAreas.push_back(a);
  }
  for (ImageArea& a : body.images) {
    a.Area.Y += padding;
    result.ImageAreas.push_back(a);
  }
  for (const auto& [element, y] : body.tops) {
    if (element >= 0 && element < count && result.ElementTops[element] < 0)
      result.ElementTops[element] = y + padding;
  }
  return result;
}

void PaintLayout(const LayoutResult& layout, Painter& painter) {
  painter.FillRect(0, 0, layout.Width, layout.Height, layout.Background);
  for (const DrawOp& op : layout.Ops) {
    switch (op.Type) {
      case DrawOp::kDrawText:
        painter.DrawText(op.TextFont, op.X, op.Y, op.Text, op.Ink);
        break;
      case DrawOp::kDrawLine:
        painter.DrawLine(op.X, op.Y, op.X2, op.Y2, op.Ink);
        break;
      case DrawOp::kFillRect:
        painter.FillRect(op.X, op.Y, op.X2, op.Y2, op.Ink);
        break;
    }
  }
}

int LinkAt(const LayoutResult& layout, int x, int y) {
  int found = -1;
  for (const LinkArea& a : layout.LinkAreas) {
    if (a.Area.Contains(x, y) && (found < 0 || a.Link < found)) found = a.Link;
  }
  return found;
}

int ImageAt(const LayoutResult& layout, int x, int y) {
  for (const ImageArea& a : layout.ImageAreas) {
    if (a.Area.Contains(x, y)) return a.Element;
  }
  return -1;
}

}  // namespace tavimoro::html
