// The settings file layer (lock, append, splice, temporary file, rename)
// under random writes, random interruptions of a writer as if it were
// killed, and a file made read-only and writable again. A model document
// takes every change in order; the invariants:
// - reads always answer as the model does (failed writes are kept in
//   memory), and after every successful write the file is the model's text
//   (a rewrite, unlike an append, puts the saved puzzles last);
// - an interrupted write leaves the old text, the new text, or (an append)
//   the old text followed by part of the new line; nothing else;
// - a successful write leaves no temporary file behind.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "settings/ini_document.h"
#include "settings/settings.h"

using namespace tavimoro;
namespace fs = std::filesystem;

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  unsigned Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string_view Text(std::size_t most) {
    const std::size_t n = std::min(most, size_ - std::min(at_, size_));
    const std::string_view text(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::string FileText(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Whether a temporary file of the settings file at path is left.
bool HasTemporary(const std::string& path) {
  const std::string prefix = fs::path(path).filename().string() + ".tmp-";
  for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path())) {
    if (entry.path().filename().string().rfind(prefix, 0) == 0) return true;
  }
  return false;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// The run's own folder, removed when the fuzzer exits normally.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-fuzz-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Folder() {
  static const TemporaryFolder folder;
  return folder.path();
}

constexpr const char* kSections[] = {"SavedGames", "Options", "savedgames", "New Section"};
constexpr const char* kKeys[] = {"first", "FIRST", "second", "Caf\xe9", "a b", "last"};
constexpr WriteStage kStages[] = {WriteStage::Locked, WriteStage::TemporaryCreated,
                                  WriteStage::TemporaryHalfWritten, WriteStage::TemporaryWritten,
                                  WriteStage::Renamed};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int run = 0;
  const std::string path = (Folder() / ("Tavimoro-" + std::to_string(run++) + ".ini")).string();
  Input input(data, size);
  const std::string initial(input.Text(input.Byte() * 2));
  std::ofstream(path, std::ios::binary) << initial;
  IniDocument model = IniDocument::Parse(initial);
  bool readOnly = false;

  for (int op = 0; op < 12 && !input.empty(); ++op) {
    const unsigned kind = input.Byte() % 8;
    if (kind == 7) {  // the user toggles the file's read-only flag
      readOnly = !readOnly;
      ::chmod(path.c_str(), readOnly ? 0444 : 0644);
      continue;
    }
    const std::string section = kSections[input.Byte() % 4];
    const std::string key = kKeys[input.Byte() % 6];
    const unsigned valueChoice = input.Byte() % 4;
    const std::string value =
        valueChoice == 3 ? std::string(300, 'v') : "[" + std::to_string(valueChoice) + "|T|]";
    const bool remove = kind == 5;
    const WriteMode mode = kind == 6 ? WriteMode::OnlyIfAbsent : WriteMode::Replace;
    // 0..4: a stage; more often none. A killed writer is modelled only
    // while nothing waits in memory (a new process would not have it).
    const unsigned stop = input.Byte() % 12;
    if (stop < 5 && !readOnly && !HasUnsavedSettings(path))
      SetWriteInterruptionForTesting([stop](WriteStage at) { return at == kStages[stop]; });

    const std::string before = FileText(path);
    IniDocument expected = IniDocument::Parse(model.Text());
    const bool taken = mode == WriteMode::OnlyIfAbsent && expected.Get(section, key).has_value();
    const bool appends =
        !remove && !taken && !HasUnsavedSettings(path) && AppendedKeyText(before, section, key, value);
    if (remove) {
      expected.Remove(section, key);
    } else if (!taken) {
      expected.Set(section, key, value);
    }
    // A write that rewrites the file puts the growing section last.
    if (!readOnly && !appends && expected.Text() != before) expected.MoveSectionToEnd(kGrowingSection);
    const WriteOutcome outcome = StoreSetting(
        section, key, remove ? std::nullopt : std::optional<std::string_view>(value), path, mode);
    SetWriteInterruptionForTesting({});

    if (outcome.problem == "interrupted") {
      // A killed writer: what it left, then this process starts afresh
      // from the file as it is (no memory of unsaved changes survives).
      const std::string after = FileText(path);
      const std::string wanted = expected.Text();
      const bool partialAppend = after.size() > before.size() &&
                                 after.compare(0, before.size(), before) == 0 &&
                                 wanted.compare(0, after.size(), after) == 0;
      Check(after == before || after == wanted || partialAppend);
      model = IniDocument::Parse(after);
      Check(!HasUnsavedSettings(path));
      continue;
    }
    if (readOnly) {
      // Refused, or nothing to change.
      Check(outcome.status != WriteOutcome::Refused);
      Check(FileText(path) == before);
    } else {
      Check(outcome.status == (taken ? WriteOutcome::AlreadyExists : WriteOutcome::Written));
      Check(FileText(path) == expected.Text());
      Check(!HasTemporary(path));
    }
    model = std::move(expected);
    for (const char* s : kSections) {
      Check(ReadSettingKeys(s, path) == model.Keys(s));
      for (const char* k : kKeys)
        Check(ReadSetting(s, k, path) == model.Get(s, k).value_or("").substr(0, 1999));
    }
  }

  // Writable again: the next write takes every change kept in memory.
  ::chmod(path.c_str(), 0644);
  model.Set("Options", "Final", "Y");
  const std::string last = FileText(path);
  if ((!AppendedKeyText(last, "Options", "Final", "Y") || HasUnsavedSettings(path)) && model.Text() != last)
    model.MoveSectionToEnd(kGrowingSection);
  Check(WriteSetting("Options", "Final", "Y", path));
  Check(FileText(path) == model.Text());
  Check(!HasUnsavedSettings(path));
  fs::remove(path);
  fs::remove(path + ".lock");
  return 0;
}
