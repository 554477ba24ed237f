#include "app/settings/ini_document.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace tavimoro {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

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

void IniDocument::InsertLine(std::size_t at, std::string raw) {
  if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = lineBreak_;
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
  std::unordered_set<std::string> seen;  // names folded to lower case
  for (int i = header + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Line::Key || line.name.empty()) continue;
    std::string folded = line.name;
    for (char& ch : folded) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (seen.insert(std::move(folded)).second) keys.push_back(line.name);
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
  lines_.erase(std::remove_if(first, last,
                              [&](const Line& line) { return line.kind == Line::Key && SameName(line.name, key); }),
               last);
}

std::string IniDocument::Text() const {
  std::string text;
  for (const Line& line : lines_) text.append(line.raw).append(line.ending);
  return text;
}

std::string SectionNameProblem(std::string_view section) {
  if (section.empty()) return "The section name is empty.";
  if (HasLineBreakOrNul(section) || section.find(']') != std::string_view::npos)
    return "A section name cannot contain a line break or \"]\".";
  if (IsBlank(section.front()) || IsBlank(section.back())) return "A section name cannot start or end with a blank.";
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

}  // namespace tavimoro
