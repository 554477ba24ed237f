// Replacing a file's whole text so that no crash, kill or full disk can
// leave it torn: the text goes into a new temporary file beside the target
// ("<target>.tmp-XXXXXX", created exclusively under a random name, so no
// link or file planted there is ever followed or overwritten), is flushed,
// takes the target's permissions, and is renamed over the target; then the
// folder is flushed. Targets that are not regular files and read-only files
// are refused, and a folder that takes no new file is refused rather than
// rewriting the target in place, which a kill could tear.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace tavimoro {

struct FileReplaceResult {
  enum Status {
    Done,
    NotRegular,   // the target exists and is not a regular file (a device, a pipe, a folder, a link)
    ReadOnly,     // the target has no write permission
    NoTemporary,  // the folder does not take the temporary file
    Failed,       // writing, flushing or renaming failed
    Interrupted,  // stopped by the test hook, as a killed process would stop
  };
  Status status = Failed;
  int error = 0;  // errno of NoTemporary and Failed
  bool ok() const { return status == Done; }
};

// Prefix of the temporary files beside a target, after its file name.
inline constexpr std::string_view kTemporaryFileMark = ".tmp-";

// The points at which a killed writer can stop, for tests.
enum class ReplaceStage { TemporaryCreated, TemporaryHalfWritten, TemporaryWritten, Renamed };

// Replaces the file at target (never a link: callers resolve links first)
// with text. A new file gets newFileMode less the umask. stopAt, when set,
// is asked at each stage and makes the write stop there as if killed.
FileReplaceResult ReplaceFileText(const std::string& target, std::string_view text, mode_t newFileMode,
                                  const std::function<bool(ReplaceStage)>& stopAt = {});

// Writes all of text at offset, going on after short writes and signals;
// false with errno set when a write fails.
bool WriteAllAt(int fd, std::string_view text, off_t offset);

// Makes renames in the folder of path survive a power cut.
void SyncFolderOf(const std::string& path);

}  // namespace tavimoro
