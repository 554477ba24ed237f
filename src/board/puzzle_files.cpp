#include "board/puzzle_files.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/replace_file.h"

namespace tavimoro {
namespace {

constexpr int kMaxNumberSkipped = 1000;

std::string FileName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return name.empty() ? path : name;
}

std::string LowerExtension(std::string_view path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& ch : extension) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return extension;
}

// Text files hold no NUL and hardly any other control characters; random
// or compiled bytes hold many.
bool IsText(std::string_view bytes) {
  std::size_t controls = 0;
  for (const char ch : bytes) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte == 0) return false;
    if ((byte < 0x20 && std::string_view("\t\n\v\f\r").find(ch) == std::string_view::npos) || byte == 0x7f)
      ++controls;
  }
  return controls * 100 <= bytes.size();
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

constexpr std::string_view kCells = "._0123456789";

bool IsRecordComment(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  return trimmed.size() > 1 && trimmed.front() == '#' && Trimmed(trimmed.substr(1)).starts_with('[');
}

// A "#" line with words or digits: never a frame line inside a block.
bool IsComment(std::string_view trimmed) {
  return trimmed.starts_with('#') && std::any_of(trimmed.begin(), trimmed.end(), [](char ch) {
           return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
         });
}

// Whether ReadPuzzles reads the lines before and after a cut between these
// two as it reads them in one text. No layout spans a blank line, a line of
// 81 cells or a record (each a puzzle of its own) or a comment; but a record
// in a comment replaces the puzzle before it, so they stay together.
bool CutBetween(std::string_view before, std::string_view after) {
  if (IsRecordComment(after)) return false;
  const std::string_view previous = Trimmed(before);
  const bool record = previous.starts_with('[') && previous.ends_with(']') &&
                      std::count(previous.begin(), previous.end(), '[') == 81;
  const bool cells = previous.size() == 81 && previous.find_first_not_of(kCells) == std::string_view::npos;
  return IsComment(Trimmed(after)) || previous.empty() || IsComment(previous) || record || cells;
}

// The end of the piece that starts at start: the first cut that CutBetween
// allows once pieceBytes are passed, else the end of the text.
std::size_t PieceEnd(std::string_view text, std::size_t start, std::size_t pieceBytes) {
  if (text.size() - start <= pieceBytes) return text.size();
  std::size_t newline = text.find('\n', start + pieceBytes);
  if (newline == std::string_view::npos) return text.size();
  std::string_view before = text.substr(start, newline - start);
  before = before.substr(before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1);
  while (newline != std::string_view::npos) {
    const std::size_t next = text.find('\n', newline + 1);
    const std::string_view after = text.substr(
        newline + 1, next == std::string_view::npos ? std::string_view::npos : next - newline - 1);
    if (CutBetween(before, after)) return newline + 1;
    before = after;
    newline = next;
  }
  return text.size();
}

}  // namespace

SaveFormat SaveFormatOf(std::string_view path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".sdk") return SaveFormat::Sdk;
  if (extension == ".ss") return SaveFormat::Ss;
  return SaveFormat::PuzzleFile;
}

std::string SaveText(const FormatGrid& cells, SaveFormat format) {
  switch (format) {
    case SaveFormat::Sdk:
      return WriteSdk(cells);
    case SaveFormat::Ss:
      return WriteSs(cells);
    case SaveFormat::PuzzleFile:
      break;
  }
  return WritePuzzleFile({cells});
}

std::string ReadTextFile(const std::string& path, std::string& text) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return "Cannot read " + FileName(path);
  const auto size = std::filesystem::file_size(path, error);
  if (error) return "Cannot read " + FileName(path);
  if (size > kMaxPuzzleFileBytes) return FileName(path) + " is too large to be a puzzle file";
  std::ifstream in(path, std::ios::binary);
  text.assign(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size))) {
    text.clear();
    return "Cannot read " + FileName(path);
  }
  if (!IsText(text)) {
    text.clear();
    return FileName(path) + " is not a text file";
  }
  return "";
}

FilePuzzles ReadFilePuzzles(std::string_view text, std::size_t keep, const ReadProgress& progress,
                            std::size_t pieceBytes) {
  FilePuzzles found;
  if (WholeTextPuzzle(text)) return found;
  const auto take = [&found, keep](const FormatGrid& cells) {
    if (found.first.size() < keep) found.first.push_back(cells);
    ++found.total;
  };
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = PieceEnd(text, start, pieceBytes);
    const std::string_view piece = text.substr(start, end - start);
    for (const ReadPuzzle& puzzle : ReadPuzzles(piece)) take(puzzle.Cells);
    start = end;
    if (progress && !progress(static_cast<double>(start) / static_cast<double>(text.size()))) {
      found.cancelled = true;
      break;
    }
  }
  return found;
}

std::optional<FormatGrid> WholeTextPuzzle(std::string_view text) {
  const std::string_view body = Trimmed(text);
  if (body.size() >= 2 && body.front() == '[' && body.back() == ']' &&
      std::count(body.begin(), body.end(), '[') >= 3)
    return ReadRecord(body);
  // The board's own copy: 81 cells, then the pencil text, line breaks and
  // blanks aside.
  FormatGrid cells{};
  int count = 0, bars = 0;
  for (const char ch : body) {
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') continue;
    if (count < 81) {
      if (kCells.find(ch) == std::string_view::npos) return std::nullopt;
      if (ch >= '1' && ch <= '9') cells[count] = {static_cast<std::uint8_t>(ch - '0'), true, 0};
      ++count;
    } else if (ch == '|') {
      ++bars;
    } else if (ch < '1' || ch > '9') {
      return std::nullopt;
    }
  }
  if (count < 81 || bars < 3) return std::nullopt;
  return cells;
}

bool BreaksRules(const FormatGrid& cells) {
  std::array<std::uint16_t, 27> seen{};
  for (int i = 0; i < 81; ++i) {
    if (cells[i].Value == 0) continue;
    const int row = i / 9, column = i % 9;
    const auto bit = static_cast<std::uint16_t>(1u << (cells[i].Value - 1));
    for (const int house : {row, 9 + column, 18 + row / 3 * 3 + column / 3}) {
      if (seen[house] & bit) return true;
      seen[house] |= bit;
    }
  }
  return false;
}

std::string WriteTextFile(const std::string& path, std::string_view text) {
  // Through a link, the file it points at is replaced, not the link.
  std::error_code error;
  std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  if (error) target = path;
  const FileReplaceResult result = ReplaceFileText(target.string(), text, 0666);
  const std::string failed = "Cannot write " + FileName(path);
  switch (result.status) {
    case FileReplaceResult::Done:
      return "";
    case FileReplaceResult::NotRegular:
      return failed + ": it is not a regular file";
    case FileReplaceResult::ReadOnly:
      return failed + ": it is read-only";
    case FileReplaceResult::NoTemporary:
    case FileReplaceResult::Failed:
    case FileReplaceResult::Interrupted:
      break;
  }
  return result.error == 0 ? failed : failed + ": " + std::strerror(result.error);
}

int OfferPuzzlesToLibrary(BoardHost& host, const std::vector<std::string>& records, std::size_t total) {
  if (total < 2 || records.size() < 2) return 0;
  const int count = static_cast<int>(std::min(records.size(), kMaxPuzzlesToLibrary));
  const std::string question =
      "The text holds " + std::to_string(total) + " puzzles. Put " +
      (count < static_cast<int>(total) ? "the first " + std::to_string(count) : std::string("all")) +
      " of them in the saved-puzzle library?";
  if (host.Ask("Confirm", question) != Answer::Yes) return 0;
  std::string base;
  for (;;) {
    base = host.Input("Enter a name for these puzzles (they are numbered 1, 2, 3...)", "Saving Puzzles");
    if (base.empty()) {
      host.Message(kProgramTitle, "Puzzle save canceled");
      return 0;
    }
    const std::string problem = host.SaveNameProblem(base + " 1");
    if (problem.empty()) break;
    host.Message(kProgramTitle, problem);
  }
  // Each name is looked at and written in one step of the store, so a name
  // another copy takes meanwhile is skipped, never overwritten.
  int stored = 0;
  for (int number = 1; stored < count && number <= count + kMaxNumberSkipped; ++number) {
    const SaveResult result =
        host.StoreSavedPuzzle(base + " " + std::to_string(number), records[stored], false);
    if (result == SaveResult::Failed) break;  // the host has said why
    if (result == SaveResult::Stored) ++stored;
  }
  if (stored < count && stored > 0)
    host.Message(kProgramTitle,
                 "Only " + std::to_string(stored) + " of the puzzles were saved under " + base);
  return stored;
}

}  // namespace tavimoro
