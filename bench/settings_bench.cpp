// The settings file with a large saved-puzzle library (50,000 entries, each
// a full board record, about 30 MB): saving one puzzle (the whole
// read-modify-write under the lock, with its flushes) and listing the names
// as the load dialog does. The file lives in the temporary folder.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "settings/ini_document.h"
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
  explicit Library(int puzzles = kSavedPuzzles, bool dataLast = false) {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    path_ = (folder_ / "Tavimoro.ini").string();
    std::ofstream out(path_, std::ios::binary);
    out << "[Options]\nWizard=N\n";
    if (!dataLast) out << "[Data]\nLastTool=1\n";
    out << "[SavedGames]\n";
    for (int i = 0; i < puzzles; ++i) out << "Puzzle number " << i << "=" << Record(i) << "\n";
    if (dataLast) out << "[Data]\nLastTool=1\n";
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

// A new name in a file whose saved puzzles are followed by another section:
// the first save puts them last (its real time is a counter), the others,
// timed, append.
void SaveNewPuzzleSectionAfter(benchmark::State& state) {
  const Library library(kSavedPuzzles, true);
  const std::string record = Record(12345);
  const auto start = std::chrono::steady_clock::now();
  StoreSetting("SavedGames", "first new puzzle", record, library.path(), WriteMode::OnlyIfAbsent);
  state.counters["first save ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  int n = 0;
  for (auto _ : state) {
    const WriteOutcome outcome = StoreSetting("SavedGames", "new puzzle " + std::to_string(n++), record,
                                              library.path(), WriteMode::OnlyIfAbsent);
    if (!outcome.ok()) state.SkipWithError(outcome.problem.c_str());
  }
}

// What quitting stores in [Data]: the board, the tool, the window's place and
// the clock; key by key (arg 0) or in one batch (arg 1).
void QuitWrites(benchmark::State& state) {
  const Library library;
  int n = 0;
  for (auto _ : state) {
    const std::string number = std::to_string(100 + n++ % 100);
    const auto writeAll = [&] {
      for (const char* key : {"WindowLeft", "WindowTop", "WindowWidth", "WindowHeight", "LastTime"})
        WriteSetting("Data", key, number, library.path());
      WriteSetting("Data", "LastTimeGivens", std::string(81, '.') + number, library.path());
      WriteSetting("Data", "LastGrid", Record(n), library.path());
      WriteSetting("Data", "LastTool", number, library.path());
    };
    if (state.range(0) == 1) {
      const WriteBatch batch(library.path());
      writeAll();
    } else {
      writeAll();
    }
  }
}

// Four copies saving 200 new puzzles each at once, with the usual 2 s bound
// on the lock: saves that failed as locked, and saves missing from the file.
void ConcurrentSaves(benchmark::State& state) {
  for (auto _ : state) {
    const Library library(0);
    std::vector<pid_t> copies;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) state.SkipWithError("pipe");
    for (int copy = 0; copy < 4; ++copy) {
      const pid_t child = ::fork();
      if (child == 0) {
        int locked = 0;
        for (int i = 0; i < 200; ++i) {
          const WriteOutcome outcome =
              StoreSetting("SavedGames", "copy " + std::to_string(copy) + " " + std::to_string(i), Record(i),
                           library.path(), WriteMode::OnlyIfAbsent);
          locked += outcome.problem.find("locked") != std::string::npos ? 1 : 0;
        }
        [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &locked, sizeof locked);
        ::_exit(0);
      }
      copies.push_back(child);
    }
    int locked = 0;
    for (const pid_t child : copies) {
      int one = 0;
      if (::read(pipeEnds[0], &one, sizeof one) == sizeof one) locked += one;
      ::waitpid(child, nullptr, 0);
    }
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    state.counters["locked"] = locked;
    state.counters["lost"] = 800 - static_cast<double>(ReadSettingKeys("SavedGames", library.path()).size());
  }
}

// 200 writers killed (SIGKILL) at a random moment of their write: arg 0 an
// append of a new puzzle, 1 an overwrite of one (a rewrite), 2 a batch of
// [Data] keys (a rewrite). A file is torn when a line other than an
// unterminated last one is broken, or an entry that was there is missing.
void KilledWriters(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const Library library(200);
    std::mt19937 random(7);
    int torn = 0, cut = 0;
    for (int round = 0; round < 200; ++round) {
      const pid_t child = ::fork();
      if (child == 0) {
        for (int i = 0;; ++i) {
          const std::string name =
              "Puzzle number " + std::to_string(kind == 0 ? 1000 + round * 100000 + i : i % 200);
          if (kind == 2) {
            const WriteBatch batch(library.path());
            WriteSetting("Data", "LastGrid", Record(i), library.path());
            WriteSetting("Data", "LastTool", std::to_string(i), library.path());
          } else {
            WriteSetting("SavedGames", name, Record(i + round), library.path());
          }
        }
      }
      std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
      std::ostringstream bytes;
      bytes << std::ifstream(library.path(), std::ios::binary).rdbuf();
      std::string text = bytes.str();
      const bool unterminated = !text.empty() && text.back() != '\n';
      if (unterminated) {
        ++cut;
        text.resize(text.rfind('\n') + 1);  // the cut last line, as the library lists it
      }
      const IniDocument doc = IniDocument::Parse(text);
      bool whole = doc.Keys("SavedGames").size() >= 200 && doc.Get("Options", "Wizard") == "N";
      for (const std::string& name : doc.Keys("SavedGames"))
        whole = whole && doc.Get("SavedGames", name)->size() >= 81 * 6;
      torn += whole ? 0 : 1;
      // A cut entry is removed as the user would remove it, so the next round starts whole.
      if (unterminated) std::ofstream(library.path(), std::ios::binary | std::ios::trunc) << text;
    }
    state.counters["torn"] = torn;
    state.counters["cut last entry"] = cut;
  }
}

BENCHMARK(SaveNewPuzzleSectionAfter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(QuitWrites)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ConcurrentSaves)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(KilledWriters)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SaveNewPuzzle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OverwritePuzzle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadOnePuzzle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListSavedPuzzles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tavimoro
