// Arbitrary text as a settings file: reading it must not fail, every listed
// key must read back, and writing one key must change only that key. The
// scanners and text edits used for large files must agree with the
// document byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ini_document.h"
#include "settings/settings.h"

using namespace tavimoro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)SafeInt(text);
  const IniDocument doc = IniDocument::Parse(text);
  if (IniDocument::Parse(doc.Text()).Text() != doc.Text()) std::abort();

  for (const char* section : {"SavedGames", "Options"}) {
    const auto keys = doc.Keys(section);
    for (const std::string& key : keys) {
      if (!doc.Get(section, key)) std::abort();
    }
    if (keys.empty()) continue;
    const std::string& first = keys.front();
    if (!KeyNameProblem(first).empty()) continue;

    IniDocument changed = IniDocument::Parse(doc.Text());
    changed.Set(section, first, " written ");
    const IniDocument reread = IniDocument::Parse(changed.Text());
    if (reread.Get(section, first) != "written") std::abort();
    if (reread.Keys(section) != keys) std::abort();
    for (std::size_t i = 1; i < keys.size(); ++i) {
      if (reread.Get(section, keys[i]) != doc.Get(section, keys[i])) std::abort();
    }
    changed.Remove(section, first);
    if (IniDocument::Parse(changed.Text()).Get(section, first)) std::abort();
  }

  for (const char* section : {"SavedGames", "Options", "savedgames"}) {
    if (ScanKeys(text, section) != doc.Keys(section)) std::abort();
    for (const std::string& key : doc.Keys(section)) {
      if (ScanValue(text, section, key) != doc.Get(section, key)) std::abort();
    }
    for (const std::string_view key : {"first", "FIRST", "new"}) {
      if (ScanValue(text, section, key) != doc.Get(section, key)) std::abort();
      IniDocument set = IniDocument::Parse(text);
      set.Set(section, key, "v");
      if (const auto added = AppendedKeyText(text, section, key, "v")) {
        if (std::string(text) + *added != set.Text()) std::abort();
      }
      if (const auto edited = EditedText(text, section, key, "v")) {
        if (*edited != set.Text()) std::abort();
      } else if (doc.Get(section, key)) {
        std::abort();
      }
      IniDocument removed = IniDocument::Parse(text);
      removed.Remove(section, key);
      if (EditedText(text, section, key, std::nullopt) != removed.Text()) std::abort();
    }
  }

  IniDocument added = IniDocument::Parse(text);
  added.Set("Fuzz Section", "new key", "value");
  if (IniDocument::Parse(added.Text()).Get("fuzz section", "NEW KEY") != "value") std::abort();
  return 0;
}
