// The typed settings: what a fresh file, a malformed value and each stored
// value read as, and that writes store the texts the program has always
// written.
#include "settings/settings_schema.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/settings.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;

class SchemaFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavimoro-schema-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Store(std::string_view section, std::string_view key, std::string_view text) {
    ASSERT_TRUE(WriteSetting(section, key, text, settings.FilePath()));
  }
  std::string Stored(std::string_view section, std::string_view key) {
    return ReadSetting(section, key, settings.FilePath());
  }

  fs::path dir_;
  Settings settings{(fs::temp_directory_path() / "unused").string()};
};

// Option ticks as their menu rows give them.
const YesNoSetting kWizard = OptionTickSetting("Wizard", true);
const YesNoSetting kCheckVer = OptionTickSetting("CheckVer", true);
const YesNoSetting kShowAnalysis = OptionTickSetting("ShowAnalysis", false);

class FreshFile : public SchemaFile {
 protected:
  void SetUp() override {
    SchemaFile::SetUp();
    settings = Settings((dir_ / "Tavimoro.ini").string());
  }
};

TEST_F(FreshFile, EveryOptionReadsItsDefault) {
  EXPECT_TRUE(settings.Get(kWizard));
  EXPECT_TRUE(settings.Get(kCheckVer));
  EXPECT_FALSE(settings.Get(kShowAnalysis));
  EXPECT_EQ(settings.Get(setting::LastGrid), std::string(kSamplePuzzle));
  EXPECT_EQ(settings.Get(setting::LastTool), 1);  // the pencil
  EXPECT_EQ(settings.Get(setting::NumStartingClues), 2);
  EXPECT_EQ(settings.Get(setting::ForceOne), 1);
  EXPECT_EQ(settings.Get(setting::Symmetry), 0);
  EXPECT_EQ(settings.Get(setting::NumPro), 0);
  EXPECT_EQ(settings.Get(setting::MinVis), 0);
  EXPECT_EQ(settings.Get(setting::CheckAllowed, 5), std::nullopt);
  EXPECT_TRUE(settings.Names(setting::SavedGames).empty());
}

TEST_F(FreshFile, YesNoOptionsLeaveTheirDefaultOnlyForTheOtherLetter) {
  for (const auto& [text, wizard, analysis] :
       std::vector<std::tuple<std::string, bool, bool>>{{"N", false, false},
                                                        {"Y", true, true},
                                                        {"n", true, false},
                                                        {"yes", true, false},
                                                        {"", true, false}}) {
    Store("Options", "Wizard", text);
    Store("Options", "ShowAnalysis", text);
    EXPECT_EQ(settings.Get(kWizard), wizard) << text;
    EXPECT_EQ(settings.Get(kShowAnalysis), analysis) << text;
  }
  ASSERT_TRUE(settings.Set(kCheckVer, false));
  EXPECT_EQ(Stored("Options", "CheckVer"), "N");
  ASSERT_TRUE(settings.Set(kCheckVer, true));
  EXPECT_EQ(Stored("Options", "CheckVer"), "Y");
}

TEST_F(FreshFile, ChoicesMatchExactTextAndNumbersTheirRange) {
  for (const auto& [text, tool, clues, forceOne] : std::vector<std::tuple<std::string, int, int, int>>{
           {"0", 0, 0, 0}, {"1", 1, 1, 1}, {"2", 0, 2, 1}, {"7", 0, 2, 1}, {"00", 0, 2, 1}, {"", 1, 2, 1}}) {
    Store("Data", "LastTool", text);
    Store("GenerationSettings", "NumStartingClues", text);
    Store("GenerationSettings", "ForceOne", text);
    EXPECT_EQ(settings.Get(setting::LastTool), tool) << text;
    EXPECT_EQ(settings.Get(setting::NumStartingClues), clues) << text;
    EXPECT_EQ(settings.Get(setting::ForceOne), forceOne) << text;
  }
  for (const auto& [text, symmetry] : std::vector<std::pair<std::string, int>>{
           {"2", 2}, {" 1", 1}, {"1.4", 1}, {"3", 0}, {"-1", 0}, {"x", 0}}) {
    Store("GenerationSettings", "Symmetry", text);
    EXPECT_EQ(settings.Get(setting::Symmetry), symmetry) << text;
  }
  ASSERT_TRUE(settings.Set(setting::NumStartingClues, 1));
  EXPECT_EQ(Stored("GenerationSettings", "NumStartingClues"), "1");
  ASSERT_TRUE(settings.Set(setting::CheckRequired, 12, true));
  EXPECT_EQ(Stored("GenerationSettings", "CheckRequired_12"), "1");
  EXPECT_EQ(settings.Get(setting::CheckRequired, 12), true);
  Store("GenerationSettings", "CheckRequired_12", "2");
  EXPECT_EQ(settings.Get(setting::CheckRequired, 12), std::nullopt);
}

TEST_F(FreshFile, LastGridIsUsedOnlyAsARecord) {
  Store("Data", "LastGrid", std::string(81, '1'));
  EXPECT_EQ(settings.Get(setting::LastGrid), std::string(kSamplePuzzle));
  ASSERT_TRUE(settings.Set(setting::LastGrid, "[5|T|]"));
  EXPECT_EQ(settings.Get(setting::LastGrid), "[5|T|]");
}

TEST_F(FreshFile, SavedPuzzlesAreNamedCaseInsensitively) {
  ASSERT_TRUE(settings.Set(setting::SavedGames, "Mine", "[0|F|]"));
  EXPECT_TRUE(settings.Contains(setting::SavedGames, "MINE"));
  EXPECT_EQ(settings.Get(setting::SavedGames, "mine"), "[0|F|]");
  ASSERT_TRUE(settings.Set(setting::SavedGames, "Mine", std::nullopt));
  EXPECT_FALSE(settings.Contains(setting::SavedGames, "Mine"));
}

}  // namespace
}  // namespace tavimoro
