// The settings store: one INI file holding the options, the last board, the
// generator settings and the saved puzzles.
//
// Every read reads the file as it is now, and every write is a
// read-modify-write of the current file under a lock file ("<file>.lock"),
// replaced atomically (a temporary file in the same folder, flushed, then
// renamed over the old one). Two running copies of the program therefore
// never drop each other's keys, and a crash or a full disk during a write
// leaves the old file intact. Write failures are reported only through the
// result, which callers may ignore.
#pragma once

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

// The section's key names in file order, every one of them.
std::vector<std::string> ReadSettingKeys(std::string_view section, const std::string& filePath);

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
