#include "board/puzzle_files.h"

#include <algorithm>
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
  return "";
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
