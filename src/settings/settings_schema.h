// Every key of the settings file, declared once: its section, its key, its
// type and what a missing or malformed value reads as. Callers read and write
// through Settings with one of the rows below and never spell a key or decide
// a default themselves; a new setting is one new row here. The option ticks
// are the exception: their menu rows name their keys (OptionTickSetting).
//
// Types, by how their stored text reads back:
//   YesNoSetting    "Y"/"N"; reads as its fallback unless the text is the
//                   other letter, so "N" turns off an option that is on by
//                   default and only "Y" turns on one that is off by default
//   ChoiceSetting   "0".."count-1", matched as exact text; a missing or empty
//                   value reads as `missing`, any other text as `other`
//   NumberSetting   an integer read through SafeInt; outside low..high reads
//                   as the fallback
//   RecordSetting   a board record string; used only when it begins with "[",
//                   anything else reads as the fallback
//   TextSetting     any text, "" when missing
//   TickListSetting "0"/"1" under prefix + index; other values read as
//                   nothing stored (nullopt)
//   NamedSection    a section of free key names (the saved puzzles)
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace tavimoro {

struct YesNoSetting {
  std::string_view section, key;
  bool fallback;
};

struct ChoiceSetting {
  std::string_view section, key;
  int count;    // values 0 .. count - 1
  int missing;  // read for a missing or empty value
  int other;    // read for any text that is not one of the values
};

struct NumberSetting {
  std::string_view section, key;
  int low, high, fallback;
};

struct RecordSetting {
  std::string_view section, key;
  std::string_view fallback;
};

struct TextSetting {
  std::string_view section, key;
};

struct TickListSetting {
  std::string_view section, prefix;  // key = prefix + index
};

struct NamedSection {
  std::string_view section;
};

// The board shown when there is no last board to restore.
inline constexpr std::string_view kSamplePuzzle =
    ".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2....";

namespace setting {
// clang-format off
//                                          section               key                 type: fallback
inline constexpr RecordSetting   LastGrid     {"Data",               "LastGrid",         kSamplePuzzle};
// 0 pen, 1 pencil; missing means the pencil, anything else the pen
inline constexpr ChoiceSetting   LastTool     {"Data",               "LastTool",         2, 1, 0};
// The main window's place; a width or height of 0 means none stored.
inline constexpr NumberSetting   WindowLeft   {"Data",               "WindowLeft",       -32768, 32767, 0};
inline constexpr NumberSetting   WindowTop    {"Data",               "WindowTop",        -32768, 32767, 0};
inline constexpr NumberSetting   WindowWidth  {"Data",               "WindowWidth",      1, 32767, 0};
inline constexpr NumberSetting   WindowHeight {"Data",               "WindowHeight",     1, 32767, 0};
// Seconds on the puzzle whose givens (81 characters) are LastTimeGivens.
inline constexpr NumberSetting   LastTime     {"Data",               "LastTime",         0, 32767, 0};
inline constexpr TextSetting     LastTimeGivens{"Data",              "LastTimeGivens"};
// Entered digits on paper: 0 like the givens, 1 apart in grey, 2 left out
inline constexpr ChoiceSetting   PrintEntries {"Options",            "PrintEntries",     3, 0, 0};
inline constexpr NumberSetting   Level        {"GenerationSettings", "Level",            0, 6, 0};
inline constexpr TickListSetting CheckAllowed {"GenerationSettings", "CheckAllowed_"};
inline constexpr TickListSetting CheckRequired{"GenerationSettings", "CheckRequired_"};
// 0 More, 1 Less, 2 Least
inline constexpr ChoiceSetting   NumStartingClues{"GenerationSettings", "NumStartingClues", 3, 2, 2};
inline constexpr ChoiceSetting   ForceOne     {"GenerationSettings", "ForceOne",         2, 1, 1};
// 0 Full, 1 Partial, 2 None
inline constexpr NumberSetting   Symmetry     {"GenerationSettings", "Symmetry",         0, 2, 0};
// Custom: the technique the hardest step must be, by name as the hints
// show it; missing, "" or a name no technique has means any.
inline constexpr TextSetting     Hardest      {"GenerationSettings", "Hardest"};
// Set by hand only; 0 switches the generator's test off.
inline constexpr NumberSetting   NumPro       {"GenerationSettings", "numpro",           -32768, 32767, 0};
inline constexpr NumberSetting   MinVis       {"GenerationSettings", "minvis",           -32768, 32767, 0};
inline constexpr NamedSection    SavedGames   {"SavedGames"};
// clang-format on
}  // namespace setting

// A tick of the options menu kept between runs: "Y"/"N" under "Options",
// by the key and the default its menu row gives.
constexpr YesNoSetting OptionTickSetting(std::string_view key, bool fallback) {
  return {"Options", key, fallback};
}

// Typed access to one settings file. Reads read the file as it is now;
// writes return false when nothing was written (callers may ignore it: the
// store reports failures and keeps the change in memory). Writes wait at
// most lockWait for another copy's lock.
class Settings {
 public:
  explicit Settings(std::string filePath, std::chrono::milliseconds lockWait = kLockWait)
      : filePath_(std::move(filePath)), lockWait_(lockWait) {}
  const std::string& FilePath() const { return filePath_; }

  bool Get(const YesNoSetting& s) const;
  bool Set(const YesNoSetting& s, bool on) const;
  int Get(const ChoiceSetting& s) const;
  bool Set(const ChoiceSetting& s, int value) const;
  int Get(const NumberSetting& s) const;
  bool Set(const NumberSetting& s, int value) const;
  std::string Get(const RecordSetting& s) const;
  bool Set(const RecordSetting& s, std::string_view record) const;
  std::string Get(const TextSetting& s) const;
  bool Set(const TextSetting& s, std::string_view text) const;
  std::optional<bool> Get(const TickListSetting& s, int index) const;
  bool Set(const TickListSetting& s, int index, bool ticked) const;

  // The key names in file order, a key's value ("" when missing), writing
  // one, and deleting one (nullopt).
  std::vector<std::string> Names(const NamedSection& s) const;
  std::string Get(const NamedSection& s, std::string_view name) const;
  bool Set(const NamedSection& s, std::string_view name, std::optional<std::string_view> value) const;
  bool Contains(const NamedSection& s, std::string_view name) const;
  // Writes one entry; with WriteMode::OnlyIfAbsent an existing name is left
  // alone (AlreadyExists), the look and the write under one lock.
  WriteOutcome Store(const NamedSection& s, std::string_view name, std::string_view value,
                     WriteMode mode) const;

 private:
  bool Write(std::string_view section, std::string_view key, std::optional<std::string_view> value) const;

  std::string filePath_;
  std::chrono::milliseconds lockWait_;
};

}  // namespace tavimoro
