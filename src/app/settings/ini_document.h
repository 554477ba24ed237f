// IniDocument: an INI text held as its lines, so that writing one key
// changes one line and leaves everything else (comments, blank lines, lines
// it does not understand, other sections) byte for byte as it was.
//
// Semantics follow the classic profile files: section and key names compare
// without regard to case (ASCII); blanks around names and values are dropped
// when reading; only the first section of a name is used; a key is a line
// "name=value" inside it, the first such line wins; new keys go after the
// last non-blank line of their section, new sections at the end.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  // The value (blanks around it dropped, cut at a NUL), nullopt when absent.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // The key names of the section in file order (each name once).
  std::vector<std::string> Keys(std::string_view section) const;
  // Replaces the first line of the key, or appends it to the section
  // (creating the section at the end). Names and value must be holdable
  // (see SectionNameProblem, KeyNameProblem, ValueProblem).
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key in the section; nothing when absent.
  void Remove(std::string_view section, std::string_view key);

  std::string Text() const;

 private:
  struct Line {
    std::string raw;     // without the line break
    std::string ending;  // the line's own break: "\n", "\r\n", or "" at the very end
    enum Kind { Other, Section, Key } kind = Other;
    std::string name;  // section or key name, trimmed
  };
  static Line Classify(std::string raw);
  // Index of the first header of the section, or -1.
  int FindSection(std::string_view section) const;
  // One past the last line of the section that starts at header.
  int SectionEnd(int header) const;

  // Inserts a new line before index at, giving the line before it a break
  // when it was the unterminated last line.
  void InsertLine(std::size_t at, std::string raw);

  std::vector<Line> lines_;
  std::string lineBreak_ = "\n";  // for new lines: the break of the first line
};

// Why a name or value cannot be written and read back unchanged, "" when it
// can. A key name must not be empty, hold a line break, "=" or NUL, start
// with "[" or ";", or start or end with a blank.
std::string SectionNameProblem(std::string_view section);
std::string KeyNameProblem(std::string_view key);
std::string ValueProblem(std::string_view value);

// ASCII case-insensitive equality, as the file's names compare.
bool SameName(std::string_view a, std::string_view b);

}  // namespace tavimoro
