// The settings store: one INI file holding the options, the last board, the
// generator settings and the saved puzzles.
//
// Every read reads the file as it is now, and every write is a
// read-modify-write of the current file under a lock file ("<file>.lock"),
// replaced atomically (a temporary file "<file>.tmp-XXXXXX" in the same
// folder, flushed, renamed over the old one, then the folder flushed). Two
// running copies of the program therefore never drop each other's keys, and
// a crash or a full disk during a write leaves the old file intact.
//
// A write that cannot be made (the lock held too long by another copy, a
// read-only file, a full disk, a link that does not lead to a regular file)
// is reported through the result and the failure handler, and the change is
// kept in memory: reads of this process see it, and every later write of
// the same file tries it again. A file the user made read-only is never
// replaced; when only its folder is read-only, new keys at the end are
// still appended, and a change that needs a rewrite is refused (a rewrite
// in place could be torn by a kill).
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro {

inline constexpr std::size_t kSettingValueLimit = 1999;  // longer values read back cut

// The value of the key, blanks around it dropped, at most 1999 characters;
// "" for a missing file, section or key.
std::string ReadSetting(std::string_view section, std::string_view key, const std::string& filePath);

// Writes the key; a null value (nullopt, not "") deletes it. False when
// nothing was written: a name or value that the file cannot hold back (see
// KeyNameProblem), or a file that could not be replaced. Creates the file's
// folder when it is missing.
bool WriteSetting(std::string_view section, std::string_view key, std::optional<std::string_view> value,
                  const std::string& filePath);

// The section's key names in file order, every one of them, as the bytes
// stored (not necessarily UTF-8).
std::vector<std::string> ReadSettingKeys(std::string_view section, const std::string& filePath);

// The key of the file's last line when the file does not end in a line
// break and that line is a key of the section. Every line the store writes
// ends in one, so this is an entry whose append was cut short (a crash, a
// power cut), unless the file was edited by hand; nullopt otherwise.
std::optional<std::string> TornLastKey(std::string_view section, const std::string& filePath);

// How long a write waits for another copy's lock before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{2000};
// The wait for writes on the way out, which must not hold up the exit.
inline constexpr std::chrono::milliseconds kExitLockWait{150};

enum class WriteMode {
  Replace,       // write the key whether or not it exists
  OnlyIfAbsent,  // leave an existing key alone and say so; the check and
                 // the write happen under one lock
};

struct WriteOutcome {
  enum Status { Written, AlreadyExists, Refused, Failed };
  Status status = Failed;
  // Refused (a name or value the file cannot hold) and Failed: what went
  // wrong, as a sentence for the user.
  std::string problem;
  bool ok() const { return status == Written; }
};

// WriteSetting with a mode, a bound on the lock wait, and the reason of a
// failure. A Failed write is kept in memory (see above) and passed to the
// failure handler.
WriteOutcome StoreSetting(std::string_view section, std::string_view key,
                          std::optional<std::string_view> value, const std::string& filePath,
                          WriteMode mode = WriteMode::Replace,
                          std::chrono::milliseconds lockWait = kLockWait);

// Writes the changes of the file kept in memory (after failed writes, or
// gathered by a batch) now: Written when none is left; a failure is
// reported and they stay kept.
WriteOutcome WriteUnsavedSettings(const std::string& filePath,
                                  std::chrono::milliseconds lockWait = kLockWait);

// Writes the text this process sees (the file with the changes kept in
// memory) to otherPath, replacing it safely; "" or the problem.
std::string SaveSettingsElsewhere(const std::string& filePath, const std::string& otherPath);

// The section that grows (the saved puzzles). A rewrite that finds it
// before another section puts it last, so that saving stays an append.
inline constexpr std::string_view kGrowingSection = "SavedGames";

// While it lives, the Replace writes of its file made by this thread are
// gathered (reads see them at once) and made in one write when it ends or
// at Commit: a whole-file rewrite of a large file once, not once per key. A
// failed commit is reported and kept like any failed write. A batch made
// while another lives on the thread gathers nothing of its own.
class WriteBatch {
 public:
  explicit WriteBatch(std::string filePath, std::chrono::milliseconds lockWait = kLockWait);
  ~WriteBatch();
  WriteBatch(const WriteBatch&) = delete;
  WriteBatch& operator=(const WriteBatch&) = delete;
  WriteOutcome Commit();

  const std::string& FilePath() const { return filePath_; }
  void Gathered() { gathered_ = true; }

 private:
  std::string filePath_;
  std::chrono::milliseconds lockWait_;
  bool gathered_ = false;
};

// Called with the problem of every Failed write, on the writing thread;
// an empty function (the default) calls nothing.
void SetWriteFailureHandler(std::function<void(const std::string& problem)> handler);

// An OnlyIfAbsent write kept in memory whose name another copy took before
// it reached the file: it is written under the first free name "key (2)",
// "key (3)", ... instead, and the handler is told, on the writing thread.
struct RenamedWrite {
  std::string section;
  std::string key;
  std::string savedAs;
};
void SetRenamedWriteHandler(std::function<void(const RenamedWrite& renamed)> handler);

// True while changes of the file wait in memory for a write that succeeds.
bool HasUnsavedSettings(const std::string& filePath);

// For tests: the points at which a killed writer can stop. A hook that
// returns true for a stage makes the write stop there and leave what a
// killed process would leave (its temporary file, a half-written one);
// the lock is released as the process's death would release it.
enum class WriteStage { Locked, TemporaryCreated, TemporaryHalfWritten, TemporaryWritten, Renamed };
void SetWriteInterruptionForTesting(std::function<bool(WriteStage)> stopAt);

// The number at the start of the text (blanks ignored, trailing text
// ignored, "&H"/"&O" hexadecimal and octal), rounded half to even to a
// 16-bit integer; 0 for no number or one out of range.
int SafeInt(std::string_view text);

// The text with "/" appended unless it already ends in one.
std::string AddBackslash(std::string text);
// The folder of the running program, ending in "/".
std::string AppFolder();

// Where the settings file lives: the --ini option when given; else
// "Tavimoro.ini" beside the program when it exists there; else
// $XDG_CONFIG_HOME/tavimoro/Tavimoro.ini (default ~/.config/tavimoro/).
std::string LocateIniFile(const std::optional<std::string>& iniOption);

}  // namespace tavimoro
