// The settings file with a large saved-puzzle library (50,000 entries, each
// a full board record, about 30 MB): saving one puzzle (the whole
// read-modify-write under the lock, with its flushes) and listing the names
// as the load dialog does. The file lives in the temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/settings.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;

constexpr int kSavedPuzzles = 50000;

// A board record of 81 cells as the window writes it: value, given flag,
// pencil marks.
std::string Record(int seed) {
  std::string record;
  for (int cell = 0; cell < 81; ++cell) {
    const int value = (seed + cell * 7) % 10;
    record += '[';
    record += static_cast<char>('0' + value);
    record += value != 0 && cell % 3 == 0 ? "|T|" : "|F|";
    if (value == 0) record += "1245789";
    record += ']';
  }
  return record;
}

class Library {
 public:
  Library() {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    path_ = (folder_ / "Tavimoro.ini").string();
    std::ofstream out(path_, std::ios::binary);
    out << "[Options]\nWizard=N\n[Data]\nLastTool=1\n[SavedGames]\n";
    for (int i = 0; i < kSavedPuzzles; ++i) out << "Puzzle number " << i << "=" << Record(i) << "\n";
  }
  ~Library() {
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  const std::string& path() const { return path_; }
  std::uintmax_t bytes() const { return fs::file_size(path_); }

 private:
  fs::path folder_;
  std::string path_;
};

// A new name, as the save dialog writes it: the look for the name and the
// write under one lock.
void SaveNewPuzzle(benchmark::State& state) {
  const Library library;
  const std::string record = Record(12345);
  int n = 0;
  for (auto _ : state) {
    const WriteOutcome outcome = StoreSetting("SavedGames", "new puzzle " + std::to_string(n++), record,
                                              library.path(), WriteMode::OnlyIfAbsent);
    if (!outcome.ok()) state.SkipWithError(outcome.problem.c_str());
  }
  state.counters["file MB"] = static_cast<double>(library.bytes()) / 1e6;
}

// An existing name overwritten (or any change inside the file): the whole
// file is rewritten beside the old one and renamed over it.
void OverwritePuzzle(benchmark::State& state) {
  const Library library;
  const std::string record = Record(12345);
  int n = 0;
  for (auto _ : state) {
    const WriteOutcome outcome =
        StoreSetting("SavedGames", "Puzzle number " + std::to_string(n++ % 100), record, library.path());
    if (!outcome.ok()) state.SkipWithError(outcome.problem.c_str());
  }
}

void ReadOnePuzzle(benchmark::State& state) {
  const Library library;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadSetting("SavedGames", "Puzzle number 49999", library.path()));
  }
}

void ListSavedPuzzles(benchmark::State& state) {
  const Library library;
  std::size_t names = 0;
  for (auto _ : state) {
    names = ReadSettingKeys("SavedGames", library.path()).size();
    benchmark::DoNotOptimize(names);
  }
  state.counters["names"] = static_cast<double>(names);
}

BENCHMARK(SaveNewPuzzle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OverwritePuzzle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadOnePuzzle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListSavedPuzzles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tavimoro
