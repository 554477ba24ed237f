// The settings file under faults: a lock held by another process, files
// and folders made read-only, a full disk, links that lead nowhere or to a
// device, writers killed mid-write, and two copies saving one name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/ini_document.h"
#include "settings/settings.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-faults-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    ::chmod(dir_.c_str(), 0755);
    path_ = (dir_ / "Tavimoro.ini").string();
    SetWriteFailureHandler([this](const std::string& problem) { reported_.push_back(problem); });
  }
  void TearDown() override {
    SetWriteFailureHandler({});
    SetWriteInterruptionForTesting({});
    ::chmod(dir_.c_str(), 0755);
    fs::remove_all(dir_);
  }
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string FileText(const std::string& path) const {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  std::string FileText() const { return FileText(path_); }
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  std::string path_;
  std::vector<std::string> reported_;
};

// A child process that holds the lock file until it is killed.
class LockHolder {
 public:
  explicit LockHolder(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
      const char byte = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 1 : 0;
      [[maybe_unused]] const ssize_t n = ::write(ready[1], &byte, 1);
      for (;;) ::pause();
    }
    char byte = 0;
    locked_ = ::read(ready[0], &byte, 1) == 1 && byte == 1;
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~LockHolder() { Release(); }
  void Release() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  bool locked() const { return locked_; }

 private:
  pid_t pid_ = -1;
  bool locked_ = false;
};

TEST_F(FileFaults, HeldLockFailsAfterTheWaitKeepsTheChangeAndWritesItLater) {
  ASSERT_TRUE(WriteSetting("Options", "Wizard", "N", path_));
  LockHolder holder(path_);
  ASSERT_TRUE(holder.locked());
  const WriteOutcome outcome = StoreSetting("SavedGames", "kept", "[5|T|]", path_, WriteMode::Replace, 100ms);
  EXPECT_EQ(outcome.status, WriteOutcome::Failed);
  EXPECT_NE(outcome.problem.find("locked by another program"), std::string::npos) << outcome.problem;
  ASSERT_EQ(reported_.size(), 1u);
  EXPECT_EQ(FileText(), "[Options]\nWizard=N\n");
  // This process still sees the change, and so does the saved-puzzle list.
  EXPECT_TRUE(HasUnsavedSettings(path_));
  EXPECT_EQ(ReadSetting("SavedGames", "kept", path_), "[5|T|]");
  EXPECT_EQ(ReadSettingKeys("SavedGames", path_), std::vector<std::string>{"kept"});

  holder.Release();
  ASSERT_TRUE(WriteSetting("Options", "Wizard", "Y", path_));
  EXPECT_EQ(FileText(), "[Options]\nWizard=Y\n[SavedGames]\nkept=[5|T|]\n");
  EXPECT_FALSE(HasUnsavedSettings(path_));
}

TEST_F(FileFaults, OnlyIfAbsentChecksAndWritesUnderOneLock) {
  WriteFile("[SavedGames]\nEasy=[1|T|]\n");
  const WriteOutcome taken = StoreSetting("SavedGames", "easy", "[2|T|]", path_, WriteMode::OnlyIfAbsent);
  EXPECT_EQ(taken.status, WriteOutcome::AlreadyExists);
  EXPECT_EQ(FileText(), "[SavedGames]\nEasy=[1|T|]\n");
  EXPECT_TRUE(StoreSetting("SavedGames", "hard", "[3|T|]", path_, WriteMode::OnlyIfAbsent).ok());
  EXPECT_EQ(ReadSetting("SavedGames", "hard", path_), "[3|T|]");
  EXPECT_TRUE(reported_.empty());
}

// A save that waited in memory for a held lock does not replace the entry
// another copy saved under its name meanwhile: it goes under a free name,
// and a later deletion of it follows it there.
TEST_F(FileFaults, KeptOnlyIfAbsentSaveNeverReplacesAnotherCopysEntry) {
  std::vector<RenamedWrite> renamed;
  SetRenamedWriteHandler([&renamed](const RenamedWrite& moved) { renamed.push_back(moved); });
  LockHolder holder(path_);
  ASSERT_TRUE(holder.locked());
  EXPECT_FALSE(StoreSetting("SavedGames", "foo", "[1|T|]", path_, WriteMode::OnlyIfAbsent, 50ms).ok());
  EXPECT_FALSE(StoreSetting("SavedGames", "bar", "[2|T|]", path_, WriteMode::OnlyIfAbsent, 50ms).ok());
  EXPECT_FALSE(WriteSetting("SavedGames", "bar", std::nullopt, path_));
  holder.Release();
  const pid_t other = ::fork();
  if (other == 0) {
    SetWriteFailureHandler({});
    ::_exit(WriteSetting("SavedGames", "FOO", "[3|T|]", path_) &&
                    WriteSetting("SavedGames", "bar", "[4|T|]", path_)
                ? 0
                : 1);
  }
  int status = 1;
  ::waitpid(other, &status, 0);
  ASSERT_EQ(status, 0);
  ASSERT_TRUE(WriteSetting("Options", "Wizard", "N", path_));
  SetRenamedWriteHandler({});
  EXPECT_EQ(FileText(), "[Options]\nWizard=N\n[SavedGames]\nFOO=[3|T|]\nbar=[4|T|]\nfoo (2)=[1|T|]\n");
  ASSERT_EQ(renamed.size(), 1u);
  EXPECT_EQ(renamed[0].savedAs, "foo (2)");
}

// Four copies saving 200 puzzles each queue for the lock: none waits in
// vain for the 2 s bound, and every save is in the file.
TEST_F(FileFaults, FourCopiesSavingAtOnceAllGetTheLock) {
  std::vector<pid_t> copies;
  for (int copy = 0; copy < 4; ++copy) {
    const pid_t child = ::fork();
    if (child == 0) {
      int failed = 0;
      for (int i = 0; i < 200; ++i) {
        const std::string name = "copy " + std::to_string(copy) + " puzzle " + std::to_string(i);
        failed +=
            StoreSetting("SavedGames", name, "[1|T|]", path_, WriteMode::OnlyIfAbsent, 300ms).ok() ? 0 : 1;
      }
      ::_exit(failed > 100 ? 100 : failed);
    }
    copies.push_back(child);
  }
  for (const pid_t child : copies) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed saves: " << WEXITSTATUS(status);
  }
  EXPECT_EQ(ReadSettingKeys("SavedGames", path_).size(), 800u);
}

// Two processes race to save the same new name: exactly one writes it,
// the other learns that it exists.
TEST_F(FileFaults, TwoCopiesSavingOneNameNeverBothWrite) {
  for (int round = 0; round < 20; ++round) {
    const std::string name = "race " + std::to_string(round);
    const pid_t child = ::fork();
    if (child == 0) {
      const auto outcome = StoreSetting("SavedGames", name, "[1|T|]", path_, WriteMode::OnlyIfAbsent);
      ::_exit(outcome.status == WriteOutcome::Written         ? 0
              : outcome.status == WriteOutcome::AlreadyExists ? 1
                                                              : 2);
    }
    const auto mine = StoreSetting("SavedGames", name, "[2|T|]", path_, WriteMode::OnlyIfAbsent);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    const int theirs = WEXITSTATUS(status);
    ASSERT_NE(theirs, 2);
    EXPECT_NE(mine.status == WriteOutcome::Written, theirs == 0) << round;
    EXPECT_EQ(ReadSetting("SavedGames", name, path_), mine.ok() ? "[2|T|]" : "[1|T|]");
  }
}

TEST_F(FileFaults, ReadOnlyFileIsNeverReplaced) {
  WriteFile("[Options]\nWizard=N\n");
  ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
  struct stat before {};
  ::stat(path_.c_str(), &before);
  const WriteOutcome outcome = StoreSetting("Options", "Wizard", "Y", path_);
  EXPECT_EQ(outcome.status, WriteOutcome::Failed);
  EXPECT_NE(outcome.problem.find("read-only"), std::string::npos) << outcome.problem;
  struct stat after {};
  ::stat(path_.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(FileText(), "[Options]\nWizard=N\n");
  EXPECT_EQ(ReadSetting("Options", "Wizard", path_), "Y");  // kept in memory
  EXPECT_EQ(reported_.size(), 1u);
}

// Runs f in a child process as an ordinary user (folder permissions do not
// bind the superuser) with the file size limited to maxBytes (0: no limit);
// the child's exit status is f's result.
template <typename F>
int InChild(F f, rlim_t maxBytes = 0) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (maxBytes > 0) {
      const rlimit limit{maxBytes, maxBytes};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
    ::_exit(f());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

// A folder that takes no temporary file: a new key at the end is still
// appended, a change that needs a rewrite is refused and changes nothing
// (a rewrite in place could be torn by a kill).
TEST_F(FileFaults, WritableFileInAReadOnlyFolderIsOnlyAppendedTo) {
  WriteFile("[Options]\nWizard=N\n[Data]\nLastTool=1\n");
  ::chmod(path_.c_str(), 0666);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  EXPECT_EQ(InChild([&] { return WriteSetting("Data", "LastGrid", "[0|F|]", path_) ? 0 : 1; }), 0);
  const std::string appended = FileText();
  EXPECT_EQ(InChild([&] {
              const WriteOutcome outcome = StoreSetting("Options", "Wizard", "Y", path_);
              return outcome.problem.find("folder takes no new file") != std::string::npos ? 0 : 1;
            }),
            0);
  EXPECT_EQ(InChild([&] { return WriteSetting("Data", "LastTool", std::nullopt, path_) ? 0 : 1; }), 1);
  EXPECT_EQ(FileText(), appended);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"Tavimoro.ini"});
}

TEST_F(FileFaults, FullDiskChangesNothingWhetherReplacingOrAppending) {
  const std::string old = "[Options]\nWizard=N\n";
  WriteFile(old);
  ::chmod(path_.c_str(), 0666);
  std::ofstream(path_ + ".lock").close();
  ::chmod((path_ + ".lock").c_str(), 0666);
  const std::string big(1500, '7');
  auto write = [&] { return WriteSetting("Data", "Big", big, path_) ? 0 : 1; };
  ::chmod(dir_.c_str(), 0777);
  EXPECT_EQ(InChild(write, 512), 1);
  EXPECT_EQ(FileText(), old);
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{"Tavimoro.ini", "Tavimoro.ini.lock"}));
  ::chmod(dir_.c_str(), 0555);
  EXPECT_EQ(InChild(write, 512), 1);
  EXPECT_EQ(FileText(), old);
}

TEST_F(FileFaults, LinksThatDoNotEndAtAFileAreRefusedAndLeftAlone) {
  const std::string dangling = (dir_ / "dangling.ini").string();
  fs::create_symlink(dir_ / "missing" / "x.ini", dangling);
  const std::string loop = (dir_ / "loop.ini").string();
  fs::create_symlink(loop, loop);
  const std::string device = (dir_ / "device.ini").string();
  fs::create_symlink("/dev/null", device);
  const std::string pipe = (dir_ / "pipe.ini").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  for (const std::string& path : {dangling, loop, device, pipe}) {
    const WriteOutcome outcome = StoreSetting("Options", "Wizard", "N", path);
    EXPECT_EQ(outcome.status, WriteOutcome::Failed) << path;
    EXPECT_NE(outcome.problem.find("left as it is"), std::string::npos) << outcome.problem;
    EXPECT_EQ(ReadSettingKeys("Data", path).size(), 0u);  // reading never hangs on the pipe
  }
  EXPECT_TRUE(fs::is_symlink(dangling) && fs::is_symlink(loop) && fs::is_symlink(device));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  EXPECT_EQ(reported_.size(), 4u);
}

TEST_F(FileFaults, TemporaryFilesOfKilledWritersGoWithTheNextWrite) {
  ASSERT_TRUE(WriteSetting("SavedGames", "one", "[0|F|]", path_));
  std::ofstream(path_ + ".backup") << "the user's own file";
  for (WriteStage stage :
       {WriteStage::TemporaryCreated, WriteStage::TemporaryHalfWritten, WriteStage::TemporaryWritten}) {
    SetWriteInterruptionForTesting([stage](WriteStage at) { return at == stage; });
    EXPECT_FALSE(WriteSetting("SavedGames", "one", "[1|F|]", path_));  // a rewrite
  }
  SetWriteInterruptionForTesting({});
  // Each writer removed the one before it: file, lock, backup, one temporary.
  EXPECT_EQ(FolderNames().size(), 4u);
  EXPECT_TRUE(reported_.empty());  // a killed writer says nothing
  ASSERT_TRUE(WriteSetting("SavedGames", "two", "[5|T|]", path_));
  EXPECT_EQ(FolderNames(),
            (std::vector<std::string>{"Tavimoro.ini", "Tavimoro.ini.backup", "Tavimoro.ini.lock"}));
  EXPECT_EQ(ReadSettingKeys("SavedGames", path_), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(ReadSetting("SavedGames", "one", path_), "[0|F|]");
}

// A new key at the end is appended: the old text stays byte for byte, and
// a writer killed mid-append leaves at most part of its own line.
TEST_F(FileFaults, NewKeysAtTheEndAreAppendedAndAKilledAppendTouchesNoOldText) {
  WriteFile("[Options]\r\nWizard=N\r\n[SavedGames]\r\nfirst=[1|T|]");
  struct stat before {};
  ::stat(path_.c_str(), &before);
  ASSERT_TRUE(WriteSetting("SavedGames", "second", "[2|T|]", path_));
  EXPECT_EQ(FileText(), "[Options]\r\nWizard=N\r\n[SavedGames]\r\nfirst=[1|T|]\r\nsecond=[2|T|]\r\n");
  struct stat after {};
  ::stat(path_.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);

  SetWriteInterruptionForTesting([](WriteStage at) { return at == WriteStage::TemporaryHalfWritten; });
  EXPECT_FALSE(WriteSetting("SavedGames", "third", "[3|T|][3|T|][3|T|]", path_));
  SetWriteInterruptionForTesting({});
  const std::string cut = FileText();
  EXPECT_EQ(cut.rfind("[Options]\r\nWizard=N\r\n[SavedGames]\r\nfirst=[1|T|]\r\nsecond=[2|T|]\r\n", 0), 0u);
  ASSERT_TRUE(WriteSetting("SavedGames", "fourth", "[4|T|]", path_));
  EXPECT_EQ(ReadSetting("SavedGames", "second", path_), "[2|T|]");
  EXPECT_EQ(ReadSetting("SavedGames", "fourth", path_), "[4|T|]");
}

TEST(SaveNames, ANulIsNamedAsSuch) {
  EXPECT_EQ(KeyNameProblem(std::string("a\0b", 3)), "The name cannot contain a NUL character.");
  EXPECT_EQ(KeyNameProblem("a\nb"), "The name cannot contain a line break.");
  EXPECT_EQ(ValueProblem(std::string("a\0b", 3)), "A value cannot contain a NUL character.");
}

// Names in another code page are stored and listed as their bytes, and
// those bytes load and delete them.
TEST_F(FileFaults, NamesThatAreNotUtf8KeepTheirBytes) {
  const std::string name = "Caf\xe9 \x93quoted\x94";
  WriteFile("[SavedGames]\n" + name + "=[1|T|]\nplain=[2|T|]\n");
  const auto keys = ReadSettingKeys("SavedGames", path_);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0], name);
  EXPECT_EQ(ReadSetting("SavedGames", keys[0], path_), "[1|T|]");
  ASSERT_TRUE(WriteSetting("SavedGames", keys[0], std::nullopt, path_));
  EXPECT_EQ(FileText(), "[SavedGames]\nplain=[2|T|]\n");
}

}  // namespace
}  // namespace tavimoro
