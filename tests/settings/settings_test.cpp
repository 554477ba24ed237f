#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "settings/ini_document.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    ::chmod(dir_.c_str(), 0755);  // the read-only test writes as another user
    path_ = (dir_ / "Tavimoro.ini").string();
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0755);
    fs::remove_all(dir_);
  }
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string FileText() const {
    std::ostringstream text;
    text << std::ifstream(path_, std::ios::binary).rdbuf();
    return text.str();
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(SettingsFile, NamesCompareWithoutCaseAndBlanksAroundValuesAreDropped) {
  EXPECT_EQ(ReadSetting("Options", "Wizard", path_), "");  // no file yet
  ASSERT_TRUE(WriteSetting("GenerationSettings", "NumStartingClues", " 2", path_));
  EXPECT_EQ(ReadSetting("generationsettings", "NUMSTARTINGCLUES", path_), "2");
  WriteFile("  [ Options ]  \n  Wizard  =   N  \t\n");
  EXPECT_EQ(ReadSetting("OPTIONS", "wizard", path_), "N");
  EXPECT_EQ(ReadSetting("Data", "Wizard", path_), "");
  EXPECT_EQ(ReadSetting("Options", "CheckVer", path_), "");
  EXPECT_TRUE(ReadSettingKeys("SavedGames", path_).empty());
  ASSERT_TRUE(WriteSetting("options", "WIZARD", "Y", path_));
  EXPECT_EQ(FileText(), "  [ Options ]  \nWIZARD=Y\n");
}

TEST_F(SettingsFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
  WriteFile("; settings\n[Options]\nWizard=N\n\n[Data]\nLastTool=1\nthis line means nothing\n");
  ASSERT_TRUE(WriteSetting("Options", "CheckVer", "Y", path_));
  ASSERT_TRUE(WriteSetting("SavedGames", "first", "[0|F|]", path_));
  ASSERT_TRUE(WriteSetting("SavedGames", "second", "[5|T|]", path_));
  EXPECT_EQ(FileText(),
            "; settings\n[Options]\nWizard=N\nCheckVer=Y\n\n[Data]\nLastTool=1\nthis line means nothing\n"
            "[SavedGames]\nfirst=[0|F|]\nsecond=[5|T|]\n");
  EXPECT_EQ(ReadSettingKeys("savedgames", path_), (Names{"first", "second"}));
}

TEST_F(SettingsFile, NullDeletesOnlyThatKeyEmptyIsKeptLongIsCutAt1999) {
  WriteFile("[SavedGames]\nb=2\na=1\nc=3\n[Other]\na=9\n");
  ASSERT_TRUE(WriteSetting("SavedGames", "A", std::nullopt, path_));
  EXPECT_TRUE(WriteSetting("SavedGames", "absent", std::nullopt, path_));
  EXPECT_TRUE(WriteSetting("NoSuchSection", "x", std::nullopt, path_));
  // The rewrite puts the saved puzzles last, where new ones are appended.
  EXPECT_EQ(FileText(), "[Other]\na=9\n[SavedGames]\nb=2\nc=3\n");
  ASSERT_TRUE(WriteSetting("Other", "empty", "", path_));
  EXPECT_EQ(ReadSettingKeys("Other", path_), (Names{"a", "empty"}));
  const std::string value(2500, '7');
  ASSERT_TRUE(WriteSetting("Data", "Long", value, path_));
  EXPECT_EQ(ReadSetting("Data", "Long", path_), value.substr(0, 1999));
}

TEST_F(SettingsFile, KeyNamesTheFileCannotHoldAreRefusedAndNothingIsWritten) {
  ASSERT_TRUE(WriteSetting("SavedGames", "kept", "1", path_));
  const std::string before = FileText();
  for (const char* name :
       {"a=b", "two\nlines", "cr\rname", "[section", ";comment", " lead", "trail ", "", "tab\t"}) {
    EXPECT_FALSE(WriteSetting("SavedGames", name, "[0|F|]", path_)) << name;
    EXPECT_FALSE(KeyNameProblem(name).empty()) << name;
  }
  EXPECT_FALSE(WriteSetting("Saved]Games", "x", "1", path_));
  EXPECT_FALSE(WriteSetting("SavedGames", "x", "line\n[Options]", path_));
  EXPECT_EQ(FileText(), before);
  EXPECT_TRUE(KeyNameProblem("my puzzle [hard] a;b").empty());
}

// Two writers interleave 150 keys each; the list of 300 keys has no length limit.
TEST_F(SettingsFile, TwoWritersInterleavingKeepEveryKey) {
  auto writer = [this](const std::string& prefix) {
    for (int i = 0; i < 150; ++i)
      WriteSetting("SavedGames", prefix + std::to_string(1000 + i), "[0|F|]", path_);
  };
  std::thread a(writer, "puzzle number a "), b(writer, "puzzle number b ");
  a.join();
  b.join();
  EXPECT_EQ(ReadSettingKeys("SavedGames", path_).size(), 300u);
}

// Runs the write as an unprivileged user when the tests run as the
// superuser, whom folder permissions do not bind. True when it wrote.
bool WriteAsOrdinaryUser(const std::string& key, const std::string& value, const std::string& path) {
  if (::geteuid() != 0) return WriteSetting("Options", key, value, path);
  const pid_t child = ::fork();
  if (child == 0) {
    const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && WriteSetting("Options", key, value, path);
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(SettingsFile, WriteIntoReadOnlyFolderWithoutTheFileCreatesNothing) {
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  EXPECT_FALSE(WriteAsOrdinaryUser("Wizard", "Y", path_));
  ::chmod(dir_.c_str(), 0755);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(SettingsFile, TemporaryFileLeftByACrashDoesNotDisturbReadsOrWrites) {
  ASSERT_TRUE(WriteSetting("SavedGames", "one", "[0|F|]", path_));
  std::ofstream(path_ + ".a1B2c3", std::ios::binary) << "[SavedGames]\none=[0|F|";  // cut off mid-write
  EXPECT_EQ(ReadSetting("SavedGames", "one", path_), "[0|F|]");
  ASSERT_TRUE(WriteSetting("SavedGames", "two", "[5|T|]", path_));
  EXPECT_EQ(ReadSettingKeys("SavedGames", path_), (Names{"one", "two"}));
}

TEST_F(SettingsFile, MissingFolderIsCreatedAndALinkStaysALinkToTheNewFile) {
  const std::string nested = (dir_ / "config" / "tavimoro" / "Tavimoro.ini").string();
  ASSERT_TRUE(WriteSetting("Options", "Wizard", "N", nested));
  EXPECT_EQ(ReadSetting("Options", "Wizard", nested), "N");
  const std::string link = (dir_ / "link.ini").string();
  fs::create_symlink(nested, link);
  ASSERT_TRUE(WriteSetting("Options", "Wizard", "Y", link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadSetting("Options", "Wizard", nested), "Y");
}

TEST(IniDocument, FirstSectionAndFirstKeyOfANameWinAndANulEndsAValue) {
  const auto doc = IniDocument::Parse("[A]\nk=1\nk=2\nK=3\n[a]\nk=4\nnovalue\n;k=5\n");
  EXPECT_EQ(doc.Get("a", "k"), "1");
  EXPECT_EQ(doc.Keys("A"), Names{"k"});
  EXPECT_EQ(doc.Get("A", "novalue"), std::nullopt);
  EXPECT_EQ(IniDocument::Parse(std::string("[A]\nk=ab\0cd\n", 12)).Get("A", "k"), "ab");
}

TEST(IniDocument, EachLineKeepsItsBreakAndAnUnbrokenLastLineGetsOne) {
  auto doc = IniDocument::Parse("[A]\nk=1");
  EXPECT_EQ(doc.Text(), "[A]\nk=1");
  doc.Set("A", "j", "2");
  EXPECT_EQ(doc.Text(), "[A]\nk=1\nj=2\n");
  doc = IniDocument::Parse("[A]\r\nk=1\nj=2\r\nno break");
  doc.Set("A", "k", "3");
  doc.Set("B", "x", "y");
  EXPECT_EQ(doc.Text(), "[A]\r\nk=3\nj=2\r\nno break\r\n[B]\r\nx=y\r\n");
  // A lone CR ending the only line becomes a CRLF with the break, and so
  // the file's break, whether the new key is set in memory or appended.
  doc = IniDocument::Parse("x\r");
  doc.Set("B", "x", "y");
  doc.Set("C", "x", "y");
  EXPECT_EQ(doc.Text(), "x\r\n[B]\r\nx=y\r\n[C]\r\nx=y\r\n");
  EXPECT_EQ(AppendedKeyText("x\r", "B", "x", "y"), "\n[B]\r\nx=y\r\n");
}

// A UTF-8 byte-order mark before the first section is read past and kept.
TEST_F(SettingsFile, AByteOrderMarkIsReadPastAndKept) {
  const std::string bom = "\xEF\xBB\xBF";
  WriteFile(bom + "[SavedGames]\r\nfirst=[1|T|]\r\n[Options]\r\nWizard=N\r\n");
  EXPECT_EQ(ReadSettingKeys("SavedGames", path_), Names{"first"});
  ASSERT_TRUE(WriteSetting("SavedGames", "second", "[2|T|]", path_));
  ASSERT_TRUE(WriteSetting("Options", "Wizard", "Y", path_));
  ASSERT_TRUE(WriteSetting("Options", "CheckVer", "N", path_));
  EXPECT_EQ(FileText(),
            bom + "[Options]\r\nWizard=Y\r\nCheckVer=N\r\n[SavedGames]\r\nfirst=[1|T|]\r\nsecond=[2|T|]\r\n");
}

// Numbers are read the classic way: from the start, blanks skipped,
// hexadecimal and octal prefixes, halves to even, 0 outside 16 bits.
TEST(SafeInt, ReadsTheNumberAtTheStart) {
  const std::pair<const char*, int> cases[] = {
      {"6", 6},   {" 6", 6},     {"12abc", 12},    {"1 2", 12},    {"abc", 0},         {"", 0},
      {"-7", -7}, {"1e3", 1000}, {"&H10", 16},     {"&HFFFF", -1}, {"&O17", 15},       {"2.5", 2},
      {"3.5", 4}, {"-2.5", -2},  {"32767", 32767}, {"32768", 0},   {"-32768", -32768}, {"1e400", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(SafeInt(text), value) << text;
}

TEST(SettingsLocation, OptionWinsThenConfigFolder) {
  EXPECT_EQ(AddBackslash("/opt/tavimoro"), "/opt/tavimoro/");
  EXPECT_EQ(AddBackslash("/"), "/");
  EXPECT_EQ(LocateIniFile(std::string("/tmp/x.ini")), "/tmp/x.ini");
  if (fs::exists(AppFolder() + "Tavimoro.ini"))
    GTEST_SKIP() << "a portable settings file sits beside the tests";
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldXdg ? oldXdg : "";
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(LocateIniFile(std::nullopt), "/cfg/tavimoro/Tavimoro.ini");
  ::setenv("XDG_CONFIG_HOME", "", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(LocateIniFile(std::nullopt), "/home/someone/.config/tavimoro/Tavimoro.ini");
  if (oldXdg) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace tavimoro
