// The shared puzzle collections: read at run time from $TAVIMORO_CORPUS, or
// from ../shared/corpus beside the source tree. Tests that need them skip
// with a message when neither exists.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro::testing {

inline std::optional<std::filesystem::path> CorpusDir() {
  if (const char* env = std::getenv("TAVIMORO_CORPUS"); env && *env) {
    if (std::filesystem::is_directory(env)) return std::filesystem::path(env);
    return std::nullopt;
  }
  const auto beside = std::filesystem::path(TAVIMORO_SOURCE_DIR) / ".." / "shared" / "corpus";
  if (std::filesystem::is_directory(beside)) return beside;
  return std::nullopt;
}

// The lines of one collection (tabs and what follows kept); empty when the
// collection is absent.
inline std::vector<std::string> CorpusLines(const std::string& file) {
  std::vector<std::string> lines;
  auto dir = CorpusDir();
  if (!dir) return lines;
  std::ifstream in(*dir / file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// Every how many puzzles a solve through the whole technique set (forcing
// nets included) is checked: each tenth (each hundredth under the
// sanitizers) keeps the suite's time bounded; TAVIMORO_FULL_CORPUS=1 checks
// every puzzle.
inline std::size_t ExtendedCorpusStride() {
  if (const char* full = std::getenv("TAVIMORO_FULL_CORPUS"); full && std::string_view(full) == "1") return 1;
  return std::getenv("TAVIMORO_SANITIZED") ? 100 : 10;
}

}  // namespace tavimoro::testing

// Skips the current test when the collection is missing.
#define TAVIMORO_REQUIRE_CORPUS(lines, file)                                                       \
  do {                                                                                             \
    if ((lines).empty())                                                                           \
      GTEST_SKIP() << "puzzle collection " << (file)                                               \
                   << " not found (set TAVIMORO_CORPUS or place shared/corpus beside the source)"; \
  } while (0)
