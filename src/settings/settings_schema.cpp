// Typed reads and writes over the plain store of settings.h.
#include "settings/settings_schema.h"

#include "settings/ini_document.h"
#include "settings/settings.h"

namespace tavimoro {

bool Settings::Get(const YesNoSetting& s) const {
  const std::string text = ReadSetting(s.section, s.key, filePath_);
  return s.fallback ? text != "N" : text == "Y";
}

bool Settings::Set(const YesNoSetting& s, bool on) const { return Write(s.section, s.key, on ? "Y" : "N"); }

int Settings::Get(const ChoiceSetting& s) const {
  const std::string text = ReadSetting(s.section, s.key, filePath_);
  if (text.empty()) return s.missing;
  for (int value = 0; value < s.count; ++value) {
    if (text == std::to_string(value)) return value;
  }
  return s.other;
}

bool Settings::Set(const ChoiceSetting& s, int value) const {
  return Write(s.section, s.key, std::to_string(value));
}

int Settings::Get(const NumberSetting& s) const {
  const int value = SafeInt(ReadSetting(s.section, s.key, filePath_));
  return value >= s.low && value <= s.high ? value : s.fallback;
}

bool Settings::Set(const NumberSetting& s, int value) const {
  return Write(s.section, s.key, std::to_string(value));
}

std::string Settings::Get(const RecordSetting& s) const {
  std::string text = ReadSetting(s.section, s.key, filePath_);
  return text.starts_with("[") ? text : std::string(s.fallback);
}

bool Settings::Set(const RecordSetting& s, std::string_view record) const {
  return Write(s.section, s.key, record);
}

std::string Settings::Get(const TextSetting& s) const { return ReadSetting(s.section, s.key, filePath_); }

bool Settings::Set(const TextSetting& s, std::string_view text) const {
  return WriteSetting(s.section, s.key, text, filePath_);
}

std::optional<bool> Settings::Get(const TickListSetting& s, int index) const {
  const std::string text = ReadSetting(s.section, std::string(s.prefix) + std::to_string(index), filePath_);
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

bool Settings::Set(const TickListSetting& s, int index, bool ticked) const {
  return Write(s.section, std::string(s.prefix) + std::to_string(index), ticked ? "1" : "0");
}

std::vector<std::string> Settings::Names(const NamedSection& s) const {
  return ReadSettingKeys(s.section, filePath_);
}

std::string Settings::Get(const NamedSection& s, std::string_view name) const {
  return ReadSetting(s.section, name, filePath_);
}

bool Settings::Set(const NamedSection& s, std::string_view name,
                   std::optional<std::string_view> value) const {
  return Write(s.section, name, value);
}

WriteOutcome Settings::Store(const NamedSection& s, std::string_view name, std::string_view value,
                             WriteMode mode) const {
  return StoreSetting(s.section, name, value, filePath_, mode, lockWait_);
}

bool Settings::Write(std::string_view section, std::string_view key,
                     std::optional<std::string_view> value) const {
  return StoreSetting(section, key, value, filePath_, WriteMode::Replace, lockWait_).ok();
}

bool Settings::Contains(const NamedSection& s, std::string_view name) const {
  for (const std::string& key : Names(s)) {
    if (SameName(key, name)) return true;
  }
  return false;
}

}  // namespace tavimoro
