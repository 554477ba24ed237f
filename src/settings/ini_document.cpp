#include "settings/ini_document.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace tavimoro {
namespace {

// A UTF-8 byte-order mark that editors put at the start of a file; it
// belongs to no line and is kept.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// One line of the text as Parse splits it, classified as Classify does,
// without copies.
struct LineView {
  std::string_view raw;     // without the line break
  std::string_view whole;   // with it
  bool terminated = false;  // followed by a line break
  enum Kind { Other, Section, Key } kind = Other;
  std::string_view name;
};

// Calls visit(line) for each line in order; visit returns false to stop.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  while (!text.empty()) {
    const auto end = text.find('\n');
    LineView line;
    line.raw = text.substr(0, end);
    if (end != std::string_view::npos) {
      line.terminated = true;
      if (!line.raw.empty() && line.raw.back() == '\r') line.raw.remove_suffix(1);
    }
    line.whole = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
    text.remove_prefix(line.whole.size());
    const std::string_view trimmed = Trim(line.raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      line.kind = LineView::Section;
      line.name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
    } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.find('=') != std::string_view::npos) {
      line.kind = LineView::Key;
      line.name = Trim(trimmed.substr(0, trimmed.find('=')));
    }
    if (!visit(line)) return;
  }
}

char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// Names as the file compares them (ASCII case folded), for sets of views.
struct FoldedHash {
  std::size_t operator()(std::string_view name) const {
    std::size_t hash = 1469598103934665603ull;
    for (char ch : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(ch))) * 1099511628211ull;
    return hash;
  }
};
struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
  }
};
using NameSet = std::unordered_set<std::string_view, FoldedHash, FoldedEqual>;

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return FoldedEqual()(a, b); }

IniDocument::Line IniDocument::Classify(std::string raw) {
  Line line;
  const std::string_view text = Trim(raw);
  if (!text.empty() && text.front() == '[') {
    line.kind = Line::Section;
    line.name = std::string(Trim(text.substr(1, text.find(']') - 1)));
  } else if (!text.empty() && text.front() != ';' && text.find('=') != std::string_view::npos) {
    line.kind = Line::Key;
    line.name = std::string(Trim(text.substr(0, text.find('='))));
  }
  line.raw = std::move(raw);
  return line;
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
    doc.byteOrderMark_ = true;
  }
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    std::string_view ending;
    if (end != std::string_view::npos) {
      ending = "\n";
      if (!raw.empty() && raw.back() == '\r') {
        raw.remove_suffix(1);
        ending = "\r\n";
      }
    }
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (doc.lines_.empty() && !ending.empty()) doc.lineBreak_ = std::string(ending);
    Line line = Classify(std::string(raw));
    line.ending = std::string(ending);
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

void IniDocument::Terminate(std::size_t index) {
  Line& line = lines_[index];
  if (!line.ending.empty()) return;
  // A lone CR at the end makes a CRLF with a new "\n": the line is held as
  // it reads back, and the first line's break is the file's.
  if (lineBreak_ == "\n" && !line.raw.empty() && line.raw.back() == '\r') {
    line.raw.pop_back();
    line = Classify(std::move(line.raw));
    line.ending = "\r\n";
  } else {
    line.ending = lineBreak_;
  }
  if (index == 0) lineBreak_ = line.ending;
}

void IniDocument::InsertLine(std::size_t at, std::string raw) {
  if (at > 0) Terminate(at - 1);
  Line line = Classify(std::move(raw));
  line.ending = lineBreak_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

int IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Section && SameName(lines_[i].name, section)) return static_cast<int>(i);
  }
  return -1;
}

int IniDocument::SectionEnd(int header) const {
  int i = header + 1;
  while (i < static_cast<int>(lines_.size()) && lines_[i].kind != Line::Section) ++i;
  return i;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const int header = FindSection(section);
  if (header < 0) return std::nullopt;
  const int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Line::Key || !SameName(line.name, key)) continue;
    std::string_view value = Trim(std::string_view(line.raw).substr(line.raw.find('=') + 1));
    value = value.substr(0, value.find('\0'));
    return std::string(value);
  }
  return std::nullopt;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const int header = FindSection(section);
  if (header < 0) return keys;
  const int end = SectionEnd(header);
  NameSet seen;
  for (int i = header + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Line::Key || line.name.empty()) continue;
    if (seen.insert(line.name).second) keys.push_back(line.name);
  }
  return keys;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string raw(key);
  raw.append(1, '=').append(value);
  int header = FindSection(section);
  if (header < 0) {
    std::string headerLine(1, '[');
    headerLine.append(section).push_back(']');
    InsertLine(lines_.size(), std::move(headerLine));
    InsertLine(lines_.size(), std::move(raw));
    return;
  }
  const int end = SectionEnd(header);
  int lastFilled = header;
  for (int i = header + 1; i < end; ++i) {
    Line& line = lines_[i];
    if (line.kind == Line::Key && SameName(line.name, key)) {
      std::string ending = std::move(line.ending);
      line = Classify(std::move(raw));
      line.ending = std::move(ending);
      return;
    }
    if (!Trim(line.raw).empty()) lastFilled = i;
  }
  InsertLine(static_cast<std::size_t>(lastFilled) + 1, std::move(raw));
}

void IniDocument::Remove(std::string_view section, std::string_view key) {
  const int header = FindSection(section);
  if (header < 0) return;
  const auto first = lines_.begin() + header + 1;
  const auto last = lines_.begin() + SectionEnd(header);
  lines_.erase(
      std::remove_if(first, last,
                     [&](const Line& line) { return line.kind == Line::Key && SameName(line.name, key); }),
      last);
}

void IniDocument::MoveSectionToEnd(std::string_view section) {
  const int header = FindSection(section);
  if (header < 0) return;
  const auto end = static_cast<std::size_t>(SectionEnd(header));
  if (end == lines_.size()) return;
  for (std::size_t i = end; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Section && SameName(lines_[i].name, section)) return;
  }
  Terminate(lines_.size() - 1);
  std::rotate(lines_.begin() + header, lines_.begin() + static_cast<std::ptrdiff_t>(end), lines_.end());
}

std::string IniDocument::Text() const {
  std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
  for (const Line& line : lines_) text.append(line.raw).append(line.ending);
  return text;
}

std::string SectionNameProblem(std::string_view section) {
  if (section.empty()) return "The section name is empty.";
  if (HasLineBreakOrNul(section) || section.find(']') != std::string_view::npos)
    return "A section name cannot contain a line break or \"]\".";
  if (IsBlank(section.front()) || IsBlank(section.back()))
    return "A section name cannot start or end with a blank.";
  return "";
}

std::string KeyNameProblem(std::string_view key) {
  if (key.empty()) return "The name is empty.";
  if (key.find('\0') != std::string_view::npos) return "The name cannot contain a NUL character.";
  if (HasLineBreakOrNul(key)) return "The name cannot contain a line break.";
  if (key.find('=') != std::string_view::npos) return "The name cannot contain \"=\".";
  if (key.front() == '[' || key.front() == ';') return "The name cannot start with \"[\" or \";\".";
  if (IsBlank(key.front()) || IsBlank(key.back())) return "The name cannot start or end with a blank.";
  return "";
}

std::string ValueProblem(std::string_view value) {
  if (value.find('\0') != std::string_view::npos) return "A value cannot contain a NUL character.";
  if (HasLineBreakOrNul(value)) return "A value cannot contain a line break.";
  return "";
}

std::vector<std::string> ScanKeys(std::string_view text, std::string_view section) {
  std::vector<std::string_view> names;
  bool inside = false;
  ForEachLine(text, [&](const LineView& line) {
    if (line.kind == LineView::Section) {
      if (inside) return false;
      inside = SameName(line.name, section);
    } else if (inside && line.kind == LineView::Key && !line.name.empty()) {
      names.push_back(line.name);
    }
    return true;
  });
  // A name given twice is rare: sorted hashes show whether there is one
  // before any set is built.
  std::vector<std::size_t> hashes(names.size());
  std::transform(names.begin(), names.end(), hashes.begin(), FoldedHash());
  std::sort(hashes.begin(), hashes.end());
  const bool maybeTwice = std::adjacent_find(hashes.begin(), hashes.end()) != hashes.end();
  std::vector<std::string> keys;
  keys.reserve(names.size());
  NameSet seen;
  for (std::string_view name : names) {
    if (!maybeTwice || seen.insert(name).second) keys.emplace_back(name);
  }
  return keys;
}

std::optional<std::string> ScanValue(std::string_view text, std::string_view section, std::string_view key) {
  std::optional<std::string> value;
  bool inside = false;
  ForEachLine(text, [&](const LineView& line) {
    if (line.kind == LineView::Section) {
      if (inside) return false;
      inside = SameName(line.name, section);
    } else if (inside && line.kind == LineView::Key && SameName(line.name, key)) {
      std::string_view v = Trim(line.raw.substr(line.raw.find('=') + 1));
      value = std::string(v.substr(0, v.find('\0')));
      return false;
    }
    return true;
  });
  return value;
}

bool SectionIsLast(std::string_view text, std::string_view section) {
  bool found = false, last = true;
  ForEachLine(text, [&](const LineView& line) {
    if (line.kind != LineView::Section) return true;
    if (found) {
      last = false;
      return false;
    }
    found = SameName(line.name, section);
    return true;
  });
  return last;
}

std::optional<std::string> UnterminatedLastKey(std::string_view text, std::string_view section) {
  if (text.empty() || text.back() == '\n') return std::nullopt;
  std::optional<std::string> key;
  bool inside = false, seen = false;
  ForEachLine(text, [&](const LineView& line) {
    if (line.kind == LineView::Section) {
      // Only the first section of a name is read.
      inside = !seen && SameName(line.name, section);
      seen = seen || inside;
    } else if (inside && !line.terminated && line.kind == LineView::Key && !line.name.empty()) {
      key = std::string(line.name);
    }
    return true;
  });
  return key;
}

std::optional<std::string> AppendedKeyText(std::string_view text, std::string_view section,
                                           std::string_view key, std::string_view value) {
  std::string lineBreak = "\n";
  bool first = true, found = false, inside = false, appendable = true, lastTerminated = true;
  ForEachLine(text, [&](const LineView& line) {
    if (first && line.terminated) lineBreak = line.whole.size() - line.raw.size() == 2 ? "\r\n" : "\n";
    first = false;
    lastTerminated = line.terminated;
    if (line.kind == LineView::Section) {
      if (inside) {  // a section follows the one the key goes into
        appendable = false;
        return false;
      }
      if (!found && SameName(line.name, section)) found = inside = true;
      return true;
    }
    if (inside && line.kind == LineView::Key && SameName(line.name, key)) {
      appendable = false;  // the key exists: its line is replaced
      return false;
    }
    // A blank line at the end of the section would stay after the new key.
    if (inside) appendable = !Trim(line.raw).empty();
    return true;
  });
  if (!appendable) return std::nullopt;
  std::string added = lastTerminated ? "" : lineBreak;
  // As in IniDocument::InsertLine: the break completes a CRLF.
  if (!text.empty() && text.back() == '\r' && text.find('\n') == std::string_view::npos) lineBreak = "\r\n";
  if (!found) added.append(1, '[').append(section).append("]").append(lineBreak);
  added.append(key).append(1, '=').append(value).append(lineBreak);
  return added;
}

std::optional<std::string> EditedText(std::string_view text, std::string_view section, std::string_view key,
                                      std::optional<std::string_view> value) {
  // Byte ranges of the text to replace: the first key line's text for a
  // value, every key line with its break for a removal.
  std::vector<std::pair<std::size_t, std::size_t>> cuts;
  bool inside = false;
  ForEachLine(text, [&](const LineView& line) {
    if (line.kind == LineView::Section) {
      if (inside) return false;
      inside = SameName(line.name, section);
    } else if (inside && line.kind == LineView::Key && SameName(line.name, key)) {
      const auto begin = static_cast<std::size_t>(line.raw.data() - text.data());
      cuts.emplace_back(begin, begin + (value ? line.raw.size() : line.whole.size()));
      if (value) return false;
    }
    return true;
  });
  if (value && cuts.empty()) return std::nullopt;
  std::string edited;
  edited.reserve(text.size() + (value ? key.size() + value->size() + 1 : 0));
  std::size_t at = 0;
  for (const auto& [begin, end] : cuts) {
    edited.append(text.substr(at, begin - at));
    if (value) edited.append(key).append(1, '=').append(*value);
    at = end;
  }
  edited.append(text.substr(at));
  return edited;
}

}  // namespace tavimoro
