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
  // Moves the section, with the lines up to the next section, to the end;
  // nothing when it is absent, already last, or given twice (the move
  // would change which one is read).
  void MoveSectionToEnd(std::string_view section);

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

  // Gives the line a break when it is the unterminated last one.
  void Terminate(std::size_t index);
  // Inserts a new line before index at, giving the line before it a break
  // when it was the unterminated last line.
  void InsertLine(std::size_t at, std::string raw);

  std::vector<Line> lines_;
  std::string lineBreak_ = "\n";  // for new lines: the break of the first line
  bool byteOrderMark_ = false;    // the text starts with a UTF-8 byte-order mark
};

// Reading and appending without building the document, for large files
// (a library of tens of thousands of saved puzzles): the same answers as
// Parse(text).Keys(section) and Parse(text).Get(section, key), with no copy
// of the lines.
std::vector<std::string> ScanKeys(std::string_view text, std::string_view section);
std::optional<std::string> ScanValue(std::string_view text, std::string_view section, std::string_view key);

// True when the section is absent or its first header is the last one.
bool SectionIsLast(std::string_view text, std::string_view section);

// The key of the text's last line when that line has no line break and is
// a key of the section; nullopt otherwise.
std::optional<std::string> UnterminatedLastKey(std::string_view text, std::string_view section);

// When Parse(text).Set(section, key, value) only adds text at the end (the
// key is new and its section is the file's last, or there is none yet), the
// text to add; nullopt when the change needs a rewrite.
std::optional<std::string> AppendedKeyText(std::string_view text, std::string_view section,
                                           std::string_view key, std::string_view value);

// The text after Parse(text).Set(section, key, *value) when the key exists
// (its first line is replaced in place), or after Remove(section, key) when
// value is nullopt; nullopt when a Set needs a new line.
std::optional<std::string> EditedText(std::string_view text, std::string_view section, std::string_view key,
                                      std::optional<std::string_view> value);

// Why a name or value cannot be written and read back unchanged, "" when it
// can. A key name must not be empty, hold a line break, "=" or NUL, start
// with "[" or ";", or start or end with a blank.
std::string SectionNameProblem(std::string_view section);
std::string KeyNameProblem(std::string_view key);
std::string ValueProblem(std::string_view value);

// ASCII case-insensitive equality, as the file's names compare.
bool SameName(std::string_view a, std::string_view b);

}  // namespace tavimoro
