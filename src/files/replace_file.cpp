#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace tavimoro {
namespace {

bool Writable(const std::string& path, const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

bool WriteAllAt(int fd, std::string_view text, off_t offset) {
  while (!text.empty()) {
    const ssize_t n = ::pwrite(fd, text.data(), text.size(), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

void SyncFolderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

FileReplaceResult ReplaceFileText(const std::string& target, std::string_view text, mode_t newFileMode,
                                  const std::function<bool(ReplaceStage)>& stopAt) {
  const auto stopsAt = [&stopAt](ReplaceStage stage) { return stopAt && stopAt(stage); };
  struct stat old {};
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return {FileReplaceResult::NotRegular};
  if (exists && !Writable(target, old)) return {FileReplaceResult::ReadOnly};

  std::string temporary = target + std::string(kTemporaryFileMark) + "XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);  // O_CREAT | O_EXCL: never through a link
  if (fd < 0) return {FileReplaceResult::NoTemporary, errno};
  if (stopsAt(ReplaceStage::TemporaryCreated)) {
    ::close(fd);
    return {FileReplaceResult::Interrupted};
  }
  if (stopsAt(ReplaceStage::TemporaryHalfWritten)) {
    WriteAllAt(fd, text.substr(0, text.size() / 2), 0);
    ::close(fd);
    return {FileReplaceResult::Interrupted};
  }
  mode_t mode = newFileMode;
  if (exists) {
    mode = old.st_mode & 07777;
    // The superuser saving another user's file leaves it theirs.
    if (::geteuid() == 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0 && WriteAllAt(fd, text, 0) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && stopsAt(ReplaceStage::TemporaryWritten)) return {FileReplaceResult::Interrupted};
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return {FileReplaceResult::Failed, error};
  }
  if (stopsAt(ReplaceStage::Renamed)) return {FileReplaceResult::Done};
  SyncFolderOf(target);
  return {FileReplaceResult::Done};
}

}  // namespace tavimoro
