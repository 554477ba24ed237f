#include "board/puzzle_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tavimoro {
namespace {

constexpr int kMaxNumberSkipped = 100000;

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
    case SaveFormat::Sdk: return WriteSdk(cells);
    case SaveFormat::Ss: return WriteSs(cells);
    case SaveFormat::PuzzleFile: break;
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
  const std::string temporary = target.string() + ".tavimoro-new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return "Cannot write " + FileName(path);
    }
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::remove(temporary.c_str());
    return "Cannot write " + FileName(path);
  }
  return "";
}

std::vector<std::string> NumberedNames(std::string_view base, int count,
                                       const std::function<bool(const std::string&)>& taken) {
  std::vector<std::string> names;
  for (int number = 1; static_cast<int>(names.size()) < count && number <= count + kMaxNumberSkipped; ++number) {
    std::string name = std::string(base) + " " + std::to_string(number);
    if (!taken(name)) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace tavimoro
