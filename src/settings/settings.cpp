#include "settings/settings.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "files/replace_file.h"
#include "settings/ini_document.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string SystemError(int error) { return std::strerror(error); }

// The file's bytes; nullopt when it is missing or is not a regular file (a
// pipe or a device is never read, so a read cannot hang on one).
std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  // Straight into the string; a file that grew meanwhile is read to its end.
  std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t size = 0;
  for (;;) {
    if (size == text.size()) text.resize(text.size() * 2);
    const ssize_t n = ::read(fd, text.data() + size, text.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text.resize(size);
  return text;
}

// One change that has not reached the file yet.
struct Change {
  std::string section;
  std::string key;
  std::optional<std::string> value;
  WriteMode mode = WriteMode::Replace;
};

// An OnlyIfAbsent change whose name another copy took while it waited is
// not applied (false); it never replaces the other copy's entry.
bool Apply(IniDocument& doc, const Change& change) {
  if (!change.value) {
    doc.Remove(change.section, change.key);
  } else if (change.mode == WriteMode::OnlyIfAbsent && doc.Get(change.section, change.key)) {
    return false;
  } else {
    doc.Set(change.section, change.key, *change.value);
  }
  return true;
}

// The first of "name (2)", "name (3)", ... that the section does not hold.
std::string FreeName(const IniDocument& doc, const std::string& section, const std::string& name) {
  for (int n = 2;; ++n) {
    std::string candidate = name + " (" + std::to_string(n) + ")";
    if (!doc.Get(section, candidate)) return candidate;
  }
}

// The process's memory of changes that could not be written, by file path
// as the callers name it, and the hooks. One mutex guards all of it.
struct StoreState {
  std::mutex mutex;
  std::map<std::string, std::vector<Change>> unsaved;
  std::function<void(const std::string&)> onFailure;
  std::function<void(const RenamedWrite&)> onRenamed;
  std::function<bool(WriteStage)> stopAt;
};

StoreState& State() {
  static StoreState state;
  return state;
}

std::vector<Change> UnsavedChanges(const std::string& path) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  const auto it = state.unsaved.find(path);
  return it == state.unsaved.end() ? std::vector<Change>{} : it->second;
}

bool StopsAt(WriteStage stage) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  return state.stopAt && state.stopAt(stage);
}

IniDocument Load(const std::string& path) {
  IniDocument doc = IniDocument::Parse(ReadWholeFile(path).value_or(""));
  for (const Change& change : UnsavedChanges(path)) Apply(doc, change);
  return doc;
}

// The regular file a write must change: the path itself, or the file at
// the end of its chain of symbolic links. A link that leads nowhere, loops,
// or ends at something other than a regular file (a device, a folder) is
// refused, as is such a thing under the name itself.
struct WriteTarget {
  std::string path;
  std::string problem;
};

WriteTarget ResolveWriteTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return {path, ""};
    return {"", "The settings file " + Quoted(path) + " cannot be examined: " + SystemError(errno) + "."};
  }
  std::string target = path;
  if (S_ISLNK(info.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) {
      return {"", "The settings file " + Quoted(path) + " is a link that does not lead to a file (" +
                      SystemError(errno) + "); it was left as it is."};
    }
    target = real;
    std::free(real);
    if (::stat(target.c_str(), &info) != 0) {
      return {"", "The settings file " + Quoted(path) + " cannot be examined: " + SystemError(errno) + "."};
    }
  }
  if (!S_ISREG(info.st_mode)) {
    return {"", "The settings file " + Quoted(path) + " is not a regular file; it was left as it is."};
  }
  return {target, ""};
}

// The signal that ends a blocking wait for the lock: its handler does
// nothing, its arrival makes flock return EINTR. 0 when it cannot be had
// (another part of the process handles it).
void WakeUp(int) {}
int WakeUpSignal() {
  static const int signal = [] {
    const int candidate = SIGRTMAX - 7;
    struct sigaction old {};
    if (::sigaction(candidate, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) return 0;
    struct sigaction action {};
    action.sa_handler = WakeUp;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the wait must be interrupted
    return ::sigaction(candidate, &action, nullptr) == 0 ? candidate : 0;
  }();
  return signal;
}

// Takes an exclusive lock on fd within the wait; false with errno set
// (EWOULDBLOCK when the wait ran out). Waiters block in the kernel, which
// hands the lock on as soon as it is free, instead of polling for it,
// which lets a steady writer take it again and again before a poller
// looks. A timer signal to this thread bounds the wait; it repeats, in
// case it fires just before flock starts to block.
bool LockWithin(int fd, std::chrono::milliseconds wait) {
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  if (errno != EWOULDBLOCK) return false;
  const auto deadline = Clock::now() + wait;
  sigevent event{};
  event.sigev_notify = SIGEV_THREAD_ID;
  event.sigev_signo = WakeUpSignal();
  event._sigev_un._tid = static_cast<pid_t>(::syscall(SYS_gettid));
  timer_t timer{};
  if (event.sigev_signo == 0 || ::timer_create(CLOCK_MONOTONIC, &event, &timer) != 0) {
    for (;;) {  // no timer: polling is all that is left
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
      if (errno != EWOULDBLOCK && errno != EINTR) return false;
      if (Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
  itimerspec period{};
  period.it_value.tv_sec = static_cast<time_t>(nanoseconds / 1000000000);
  period.it_value.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
  if (period.it_value.tv_sec == 0 && period.it_value.tv_nsec == 0) period.it_value.tv_nsec = 1;
  period.it_interval.tv_nsec = 10000000;
  ::timer_settime(timer, 0, &period, nullptr);
  bool locked = false;
  int error = 0;
  for (;;) {
    if (::flock(fd, LOCK_EX) == 0) {
      locked = true;
      break;
    }
    error = errno;
    if (error != EINTR) break;
    if (Clock::now() >= deadline) {
      error = EWOULDBLOCK;
      break;
    }
  }
  ::timer_delete(timer);
  errno = error;
  return locked;
}

// An exclusive lock on "<path>.lock", waited for at most a given time.
// Where the lock file cannot be created (a read-only folder) the settings
// file itself is locked: nothing there can be renamed, so its inode stays.
class FileLock {
 public:
  FileLock(const std::string& path, std::chrono::milliseconds wait) {
    fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0 && (errno == EACCES || errno == EROFS)) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
      problem_ = "The lock file " + Quoted(path + ".lock") + " cannot be opened: " + SystemError(errno) + ".";
      return;
    }
    if (LockWithin(fd_, wait)) return;
    problem_ = errno == EWOULDBLOCK
                   ? "The settings file " + Quoted(path) + " is locked by another program."
                   : "The settings file " + Quoted(path) + " cannot be locked: " + SystemError(errno) + ".";
    ::close(fd_);
    fd_ = -1;
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }
  const std::string& problem() const { return problem_; }

 private:
  int fd_ = -1;
  std::string problem_;
};

// The problem text of a write stopped by the test hook: a killed writer
// reports nothing and remembers nothing.
constexpr char kInterrupted[] = "interrupted";

// Removes the temporary files that writers killed mid-write left beside
// path. Called under the lock, when no living writer has one open.
void RemoveStaleTemporaries(const std::string& path) {
  const fs::path file(path);
  const std::string prefix = file.filename().string() + std::string(kTemporaryFileMark);
  std::error_code error;
  for (fs::directory_iterator it(file.parent_path().empty() ? fs::path(".") : file.parent_path(), error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
        it->is_regular_file(error)) {
      fs::remove(it->path(), error);
    }
  }
}

std::string WriteProblem(const std::string& path, int error) {
  return "The settings file " + Quoted(path) + " cannot be written: " + SystemError(error) + ".";
}

// Writes text into a new file beside path and renames it over path; "" or
// the problem.
std::string ReplaceFile(const std::string& path, std::string_view text) {
  const FileReplaceResult result = ReplaceFileText(path, text, 0644, [](ReplaceStage stage) {
    switch (stage) {
      case ReplaceStage::TemporaryCreated:
        return StopsAt(WriteStage::TemporaryCreated);
      case ReplaceStage::TemporaryHalfWritten:
        return StopsAt(WriteStage::TemporaryHalfWritten);
      case ReplaceStage::TemporaryWritten:
        return StopsAt(WriteStage::TemporaryWritten);
      case ReplaceStage::Renamed:
        return StopsAt(WriteStage::Renamed);
    }
    return false;
  });
  switch (result.status) {
    case FileReplaceResult::Done:
      return "";
    case FileReplaceResult::Interrupted:
      return kInterrupted;
    case FileReplaceResult::NotRegular:
      return "The settings file " + Quoted(path) + " is not a regular file; it was left as it is.";
    case FileReplaceResult::ReadOnly:
      return "The settings file " + Quoted(path) + " is read-only; it was left as it is.";
    case FileReplaceResult::NoTemporary:
      // Rewriting the file in place instead could leave it torn.
      return "The settings file " + Quoted(path) +
             " cannot be written safely: its folder takes no new file (" + SystemError(result.error) +
             "); it was left as it is.";
    case FileReplaceResult::Failed:
      break;
  }
  return WriteProblem(path, result.error);
}

// Adds text at the end of the file (of size oldSize) and flushes it. A
// failure cuts the file back to its old size. A writer killed during the
// write can leave part of the new line, never a change to the old text.
std::string AppendToFile(const std::string& path, std::size_t oldSize, std::string_view text) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 &&
      ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)) {
    return "The settings file " + Quoted(path) + " is read-only; it was left as it is.";
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return WriteProblem(path, errno);
  const auto offset = static_cast<off_t>(oldSize);
  if (StopsAt(WriteStage::TemporaryHalfWritten)) {
    WriteAllAt(fd, text.substr(0, text.size() / 2), offset);
    ::close(fd);
    return kInterrupted;
  }
  if (WriteAllAt(fd, text, offset) && ::fdatasync(fd) == 0) {
    ::close(fd);
    return "";
  }
  const int error = errno;
  [[maybe_unused]] const int ignored = ::ftruncate(fd, offset);
  ::close(fd);
  return WriteProblem(path, error);
}

void RememberUnsaved(const std::string& path, Change change) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  state.unsaved[path].push_back(std::move(change));
}

void ReportFailure(const std::string& problem) {
  std::function<void(const std::string&)> handler;
  {
    StoreState& state = State();
    const std::lock_guard<std::mutex> guard(state.mutex);
    handler = state.onFailure;
  }
  if (handler) handler(problem);
}

void ReportRenamed(const std::vector<RenamedWrite>& renamed) {
  if (renamed.empty()) return;
  std::function<void(const RenamedWrite&)> handler;
  {
    StoreState& state = State();
    const std::lock_guard<std::mutex> guard(state.mutex);
    handler = state.onRenamed;
  }
  for (const RenamedWrite& moved : renamed) {
    if (handler) handler(moved);
  }
}

void ForgetUnsaved(const std::string& path, std::size_t count) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  const auto it = state.unsaved.find(path);
  if (it == state.unsaved.end()) return;
  // Changes remembered by other threads meanwhile stay for the next write.
  auto& changes = it->second;
  changes.erase(changes.begin(),
                changes.begin() + static_cast<std::ptrdiff_t>(std::min(count, changes.size())));
  if (changes.empty()) state.unsaved.erase(it);
}

// The kept changes and change (nullptr: none, a batch's commit) spliced
// into text one after another, when each edits or removes an existing key
// and the growing section is last already; nullopt otherwise.
std::optional<std::string> SplicedText(const std::string& text, const std::vector<Change>& unsaved,
                                       const Change* change) {
  if (!SectionIsLast(text, kGrowingSection)) return std::nullopt;
  std::optional<std::string> edited = text;
  const auto splice = [&edited](const Change& c) {
    if (c.value && c.mode == WriteMode::OnlyIfAbsent) return false;
    edited = EditedText(*edited, c.section, c.key, c.value);
    return edited.has_value();
  };
  for (const Change& c : unsaved) {
    if (!splice(c)) return std::nullopt;
  }
  if (change && !splice(*change)) return std::nullopt;
  return edited;
}

// The write itself, under the lock; "" or the problem. change is nullptr
// when only the kept changes are written.
std::string WriteUnderLock(const std::string& filePath, const Change* change,
                           std::chrono::milliseconds lockWait, bool& exists, std::size_t& unsavedWritten,
                           std::vector<RenamedWrite>& renamed) {
  const WriteTarget target = ResolveWriteTarget(filePath);
  if (!target.problem.empty()) return target.problem;
  const std::string& path = target.path;
  std::error_code error;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder, error);
  FileLock lock(path, lockWait);
  if (!lock.held()) return lock.problem();
  if (StopsAt(WriteStage::Locked)) return kInterrupted;
  RemoveStaleTemporaries(path);
  const std::optional<std::string> before = ReadWholeFile(path);
  const std::vector<Change> unsaved = UnsavedChanges(filePath);
  // Large files (tens of thousands of saved puzzles) are edited as text,
  // not parsed into lines: a new key at the end of the file (a new saved
  // puzzle, as a rule) is appended; changed or removed keys are spliced.
  if (before && unsaved.empty() && change && change->value) {
    if (change->mode == WriteMode::OnlyIfAbsent && ScanValue(*before, change->section, change->key)) {
      exists = true;
      return "";
    }
    if (const auto added = AppendedKeyText(*before, change->section, change->key, *change->value)) {
      return AppendToFile(path, before->size(), *added);
    }
  }
  if (before) {
    if (const auto edited = SplicedText(*before, unsaved, change)) {
      unsavedWritten = unsaved.size();
      return *edited == *before ? "" : ReplaceFile(path, *edited);
    }
  }
  IniDocument doc = IniDocument::Parse(before.value_or(""));
  // Later changes of a renamed entry (an overwrite, a deletion) follow it to
  // its new name and leave the other copy's entry alone.
  const auto followRenames = [&renamed](Change c) {
    for (const RenamedWrite& moved : renamed) {
      if (SameName(c.section, moved.section) && SameName(c.key, moved.key)) c.key = moved.savedAs;
    }
    return c;
  };
  for (const Change& queued : unsaved) {
    const Change earlier = followRenames(queued);
    if (Apply(doc, earlier)) continue;
    RenamedWrite moved{earlier.section, earlier.key, FreeName(doc, earlier.section, earlier.key)};
    doc.Set(earlier.section, moved.savedAs, *earlier.value);
    renamed.push_back(std::move(moved));
  }
  if (change) {
    const Change current = followRenames(*change);
    if (current.mode == WriteMode::OnlyIfAbsent && current.value && doc.Get(current.section, current.key)) {
      exists = true;
      if (unsaved.empty()) return "";
    } else {
      Apply(doc, current);
    }
  }
  // An entry deleted after its rename needs no word to the user.
  std::erase_if(renamed,
                [&doc](const RenamedWrite& moved) { return !doc.Get(moved.section, moved.savedAs); });
  unsavedWritten = unsaved.size();
  if (before && *before == doc.Text()) return "";
  // The rewrite that first finds the growing section elsewhere puts it
  // last, so that the saves after it are appends again.
  doc.MoveSectionToEnd(kGrowingSection);
  return ReplaceFile(path, doc.Text());
}

// The batch of this thread, if any.
thread_local WriteBatch* gBatch = nullptr;

}  // namespace

std::string ReadSetting(std::string_view section, std::string_view key, const std::string& filePath) {
  std::string value = HasUnsavedSettings(filePath)
                          ? Load(filePath).Get(section, key).value_or("")
                          : ScanValue(ReadWholeFile(filePath).value_or(""), section, key).value_or("");
  if (value.size() > kSettingValueLimit) value.resize(kSettingValueLimit);
  return value;
}

std::vector<std::string> ReadSettingKeys(std::string_view section, const std::string& filePath) {
  if (HasUnsavedSettings(filePath)) return Load(filePath).Keys(section);
  return ScanKeys(ReadWholeFile(filePath).value_or(""), section);
}

std::optional<std::string> TornLastKey(std::string_view section, const std::string& filePath) {
  return UnterminatedLastKey(ReadWholeFile(filePath).value_or(""), section);
}

WriteOutcome StoreSetting(std::string_view section, std::string_view key,
                          std::optional<std::string_view> value, const std::string& filePath, WriteMode mode,
                          std::chrono::milliseconds lockWait) {
  std::string problem = SectionNameProblem(section);
  if (problem.empty()) problem = KeyNameProblem(key);
  if (problem.empty() && value) problem = ValueProblem(*value);
  if (!problem.empty()) return {WriteOutcome::Refused, problem};

  Change change{std::string(section), std::string(key),
                value ? std::optional<std::string>(std::string(*value)) : std::nullopt, mode};
  if (gBatch && gBatch->FilePath() == filePath && mode == WriteMode::Replace) {
    RememberUnsaved(filePath, std::move(change));
    gBatch->Gathered();
    return {WriteOutcome::Written, ""};
  }
  bool exists = false;
  std::size_t unsavedWritten = 0;
  std::vector<RenamedWrite> renamed;
  problem = WriteUnderLock(filePath, &change, lockWait, exists, unsavedWritten, renamed);
  if (problem.empty()) {
    ForgetUnsaved(filePath, unsavedWritten);
    ReportRenamed(renamed);
    return {exists ? WriteOutcome::AlreadyExists : WriteOutcome::Written, ""};
  }
  if (problem == kInterrupted) return {WriteOutcome::Failed, problem};
  if (!exists) RememberUnsaved(filePath, std::move(change));
  ReportFailure(problem);
  return {WriteOutcome::Failed, problem};
}

WriteBatch::WriteBatch(std::string filePath, std::chrono::milliseconds lockWait)
    : filePath_(std::move(filePath)), lockWait_(lockWait) {
  if (!gBatch) gBatch = this;
}

WriteBatch::~WriteBatch() {
  if (gBatch != this) return;
  Commit();
  gBatch = nullptr;
}

WriteOutcome WriteBatch::Commit() {
  if (gBatch != this || !gathered_) return {WriteOutcome::Written, ""};
  gathered_ = false;
  return WriteUnsavedSettings(filePath_, lockWait_);
}

WriteOutcome WriteUnsavedSettings(const std::string& filePath, std::chrono::milliseconds lockWait) {
  if (!HasUnsavedSettings(filePath)) return {WriteOutcome::Written, ""};
  bool exists = false;
  std::size_t unsavedWritten = 0;
  std::vector<RenamedWrite> renamed;
  const std::string problem = WriteUnderLock(filePath, nullptr, lockWait, exists, unsavedWritten, renamed);
  if (problem.empty()) {
    ForgetUnsaved(filePath, unsavedWritten);
    ReportRenamed(renamed);
    return {WriteOutcome::Written, ""};
  }
  if (problem != kInterrupted) ReportFailure(problem);
  return {WriteOutcome::Failed, problem};
}

std::string SaveSettingsElsewhere(const std::string& filePath, const std::string& otherPath) {
  const std::string text = Load(filePath).Text();
  const FileReplaceResult result = ReplaceFileText(otherPath, text, 0644);
  switch (result.status) {
    case FileReplaceResult::Done:
      return "";
    case FileReplaceResult::NotRegular:
      return "The file " + Quoted(otherPath) + " is not a regular file; it was left as it is.";
    case FileReplaceResult::ReadOnly:
      return "The file " + Quoted(otherPath) + " is read-only; it was left as it is.";
    default:
      break;
  }
  return "The file " + Quoted(otherPath) + " cannot be written: " + SystemError(result.error) + ".";
}

bool WriteSetting(std::string_view section, std::string_view key, std::optional<std::string_view> value,
                  const std::string& filePath) {
  return StoreSetting(section, key, value, filePath).ok();
}

void SetWriteFailureHandler(std::function<void(const std::string& problem)> handler) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  state.onFailure = std::move(handler);
}

void SetRenamedWriteHandler(std::function<void(const RenamedWrite& renamed)> handler) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  state.onRenamed = std::move(handler);
}

bool HasUnsavedSettings(const std::string& filePath) { return !UnsavedChanges(filePath).empty(); }

void SetWriteInterruptionForTesting(std::function<bool(WriteStage)> stopAt) {
  StoreState& state = State();
  const std::lock_guard<std::mutex> guard(state.mutex);
  state.stopAt = std::move(stopAt);
}

int SafeInt(std::string_view text) {
  std::string s;
  for (char ch : text) {
    if (ch != ' ' && ch != '\t' && ch != '\n') s += ch;
  }
  if (s.size() >= 2 && s[0] == '&') {
    const char radixChar = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
    const int radix = radixChar == 'H' ? 16 : radixChar == 'O' ? 8 : 0;
    if (radix == 0) return 0;
    long long value = 0;
    std::size_t digits = 0;
    for (std::size_t i = 2; i < s.size(); ++i) {
      const int d = std::isdigit(static_cast<unsigned char>(s[i])) ? s[i] - '0'
                    : radix == 16 && std::isxdigit(static_cast<unsigned char>(s[i]))
                        ? std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 10
                        : 99;
      if (d >= radix) break;
      value = value * radix + d;
      if (++digits > 11) return 0;
    }
    // Up to 16 bits the pattern is an Integer, up to 32 bits a Long.
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    if (value > 0xFFFFFFFFLL) return 0;
    const auto asLong = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return asLong >= -32768 && asLong <= 32767 ? asLong : 0;
  }
  // Sign, digits, fraction, exponent ("D" as well as "E").
  std::size_t i = 0;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool any = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) number += s[i++], any = true;
  if (i < s.size() && s[i] == '.') {
    number += s[i++];
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) number += s[i++], any = true;
  }
  if (!any) return 0;
  if (i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    bool digits = false;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) exponent += s[j++], digits = true;
    if (digits) number += exponent;
  }
  const double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value)) return 0;
  const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
  if (rounded < -32768.0 || rounded > 32767.0) return 0;
  return static_cast<int>(rounded);
}

std::string AddBackslash(std::string text) {
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

std::string AppFolder() {
  std::error_code error;
  std::string folder = fs::read_symlink("/proc/self/exe", error).parent_path().string();
  if (error) folder = fs::current_path(error).string();
  while (!folder.empty() && folder.back() == ' ') folder.pop_back();
  return AddBackslash(folder);
}

std::string LocateIniFile(const std::optional<std::string>& iniOption) {
  if (iniOption && !iniOption->empty()) return *iniOption;
  const std::string beside = AppFolder() + "Tavimoro.ini";
  std::error_code error;
  if (fs::is_regular_file(beside, error)) return beside;
  fs::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = fs::path(home) / ".config";
  } else {
    return beside;
  }
  return (config / "tavimoro" / "Tavimoro.ini").string();
}

}  // namespace tavimoro
