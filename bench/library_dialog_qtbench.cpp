// The load dialog with a large saved-puzzle library (50,000 entries, about
// 30 MB): building the dialog, which lists every name, as the window does
// and showing it, as the window does when the library opens; and
// refreshing the list after a deletion.
// Offscreen; real time, as the user waits for it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/load_game_dialog.h"

namespace {

namespace fs = std::filesystem;

class Library {
 public:
  Library() {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    path_ = (folder_ / "Tavimoro.ini").string();
    std::string record;
    for (int cell = 0; cell < 81; ++cell) record += cell % 3 == 0 ? "[5|T|]" : "[0|F|1245789]";
    std::ofstream out(path_, std::ios::binary);
    out << "[Options]\nWizard=N\n[SavedGames]\n";
    for (int i = 0; i < 50000; ++i) out << "Puzzle number " << i << "=" << record << "\n";
  }
  ~Library() {
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  const std::string& path() const { return path_; }

 private:
  fs::path folder_;
  std::string path_;
};

void OpenLoadDialog(benchmark::State& state) {
  const Library library;
  int names = 0;
  for (auto _ : state) {
    tavimoro::app::LoadGameDialog dialog(library.path(), {});
    dialog.show();
    QApplication::processEvents();
    names = dialog.combo()->count();
  }
  state.counters["names"] = names;
}

void RefreshLoadDialog(benchmark::State& state) {
  const Library library;
  tavimoro::app::LoadGameDialog dialog(library.path(), {});
  for (auto _ : state) dialog.refreshList();
}

BENCHMARK(OpenLoadDialog)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RefreshLoadDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
