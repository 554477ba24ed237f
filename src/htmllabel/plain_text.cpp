#include "htmllabel/plain_text.h"

namespace tavimoro::html {

namespace {

bool StartsLine(int type) {
  switch (type) {
    case kBreak:
    case kRule:
    case kParagraph:
    case kParagraphEnd:
    case kDiv:
    case kDivEnd:
    case kListItem:
    case kRow:
    case kRowEnd:
    case kHeading:
    case kHeadingEnd:
    case kTable:
    case kTableEnd:
    case kBlockQuote:
    case kBlockQuoteEnd:
    case kUnorderedList:
    case kUnorderedListEnd:
    case kOrderedList:
    case kOrderedListEnd:
    case kCenter:
    case kCenterEnd:
      return true;
    default:
      return false;
  }
}

// The closer of an element whose text is never shown, or -1.
int HiddenUntil(int type) {
  switch (type) {
    case kTitle:
      return kTitleEnd;
    case kScript:
      return kScriptEnd;
    case kStyle:
      return kStyleEnd;
    case kComment:
      return kCommentEnd;
    default:
      return -1;
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DocumentPlainText(const Document& document) {
  std::string raw;
  int hiddenUntil = -1;
  for (const HtmlElement& element : document.Elements) {
    if (hiddenUntil >= 0) {
      if (element.Type == hiddenUntil) hiddenUntil = -1;
      continue;
    }
    if (element.Type == kText) {
      raw += element.Text;
    } else if (HiddenUntil(element.Type) >= 0) {
      hiddenUntil = HiddenUntil(element.Type);
    } else if (StartsLine(element.Type)) {
      raw += '\n';
    } else if (element.Type == kCell) {
      raw += ' ';
    }
  }

  // Fold blanks within lines, trim lines, drop empty ones.
  std::string text;
  std::string line;
  auto endLine = [&] {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (line.empty()) return;
    if (!text.empty()) text += '\n';
    text += line;
    line.clear();
  };
  for (char c : raw) {
    if (c == '\n') {
      endLine();
    } else if (IsBlank(c)) {
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += c;
    }
  }
  endLine();
  return text;
}

}  // namespace tavimoro::html
