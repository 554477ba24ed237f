#include "app/settings/settings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings/ini_document.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

IniDocument Load(const std::string& path) { return IniDocument::Parse(ReadWholeFile(path).value_or("")); }

// The file that a write must replace: a symbolic link is followed so that
// the rename replaces its target, not the link.
std::string WriteTarget(const std::string& path) {
  std::error_code error;
  if (fs::is_symlink(path, error)) {
    const fs::path target = fs::weakly_canonical(path, error);
    if (!error) return target.string();
  }
  return path;
}

// Holds an exclusive lock on "<path>.lock" while it lives.
class FileLock {
 public:
  explicit FileLock(const std::string& path) : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Writes text into a new file beside path and renames it over path.
bool ReplaceFile(const std::string& path, std::string_view text) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat old {};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace

std::string ReadSetting(std::string_view section, std::string_view key, const std::string& filePath) {
  std::string value = Load(filePath).Get(section, key).value_or("");
  if (value.size() > kSettingValueLimit) value.resize(kSettingValueLimit);
  return value;
}

std::vector<std::string> ReadSettingKeys(std::string_view section, const std::string& filePath) {
  return Load(filePath).Keys(section);
}

bool WriteSetting(std::string_view section, std::string_view key, std::optional<std::string_view> value,
                  const std::string& filePath) {
  if (!SectionNameProblem(section).empty() || !KeyNameProblem(key).empty()) return false;
  if (value && !ValueProblem(*value).empty()) return false;
  const std::string path = WriteTarget(filePath);
  std::error_code error;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder, error);
  FileLock lock(path);
  if (!lock.held()) return false;
  const std::optional<std::string> before = ReadWholeFile(path);
  IniDocument doc = IniDocument::Parse(before.value_or(""));
  if (value) {
    doc.Set(section, key, *value);
  } else {
    doc.Remove(section, key);
  }
  const std::string after = doc.Text();
  if (before && *before == after) return true;
  return ReplaceFile(path, after);
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
