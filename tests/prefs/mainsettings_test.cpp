// The main window's settings record and its key table: what a first run gets, what survives a
// write and a read, and what odd stored values turn into.
#include "prefs/mainsettings.h"

#include <gtest/gtest.h>

#include <set>
#include <variant>

namespace quorel {
namespace {

// A record in which every value differs from its default, made through the key table so that a
// field the table forgets stays at its default and shows up in the comparisons below.
TMainSettings EveryValueChanged() {
  TMainSettings s;
  int n = 0;
  for (const TSettingKey& key : MainSettingKeys()) {
    ++n;
    std::visit(
        [&](auto* value) {
          using T = std::remove_pointer_t<decltype(value)>;
          if constexpr (std::is_same_v<T, bool>)
            *value = !*value;
          else if constexpr (std::is_same_v<T, int32_t>)
            *value = 1000 + n;
          else
            *value = "value of " + key.Name;
        },
        key.In(s));
  }
  s.Gutter = true;  // line numbers are only kept with the gutter
  s.LineNumbers = true;
  return s;
}

TEST(MainSettings, AFirstRunHasTheDefaults) {
  platform::TMemorySettings store;
  TMainSettings read;
  read.HistoryListNo = 7;  // anything read over is replaced only by stored values
  ReadMainSettings(store, read);
  EXPECT_EQ(read.HistoryListNo, 7);
  read.HistoryListNo = 4;
  EXPECT_EQ(read, TMainSettings{});
  TMainSettings defaults;
  EXPECT_EQ(defaults.Width, 500);
  EXPECT_EQ(defaults.Height, 350);
  EXPECT_EQ(defaults.Font, "Courier New");
  EXPECT_EQ(defaults.FontSize, 8);
  EXPECT_EQ(defaults.SpaceReplacement, "%20");
  EXPECT_EQ(defaults.SmartMenuItems, 40);
}

// Stored files name the values this way: a key renamed in the table would lose a user's value.
TEST(MainSettings, TheTableHoldsEveryStoredNameOnce) {
  std::set<std::string> names;
  for (const TSettingKey& key : MainSettingKeys())
    EXPECT_TRUE(names.insert(key.Name).second) << key.Name << " twice";
  std::set<std::string> expected = {"Height",
                                    "Width",
                                    "Top",
                                    "Left",
                                    "Maximized",
                                    "HistoryEnabled",
                                    "HistoryListNo",
                                    "ToolBarVisible",
                                    "ToolBarAlignment",
                                    "WordWrap",
                                    "Font",
                                    "FontSize",
                                    "Highlighting",
                                    "HighlightUrls",
                                    "CurrentSyntaxScheme",
                                    "SyntaxSchemeLocation",
                                    "SecondBrowser",
                                    "ThirdBrowser",
                                    "FourthBrowser",
                                    "SecondLocation",
                                    "ThirdLocation",
                                    "FourthLocation",
                                    "PrimaryBrowser",
                                    "DisableWarning",
                                    "AutoSave",
                                    "FileNameSpaces",
                                    "SpaceReplacement",
                                    "LastFolder",
                                    "SpecifiedFolder",
                                    "TaskbarCaptionType",
                                    "ProgramCaptionType",
                                    "SmartMenuEnabled",
                                    "SmartMenuItems",
                                    "Gutter",
                                    "LineNumbers"};
  for (int i = 1; i <= 16; ++i) {
    expected.insert("CustomColorName" + std::to_string(i));
    expected.insert("CustomHexValue" + std::to_string(i));
  }
  for (int i = 1; i <= 10; ++i) expected.insert("FileName" + std::to_string(i));
  EXPECT_EQ(names, expected);
}

TEST(MainSettings, EveryValueSurvivesAWriteAndARead) {
  TMainSettings written = EveryValueChanged();
  platform::TMemorySettings store;
  WriteMainSettings(store, written);
  EXPECT_EQ(store.Values().size(), MainSettingKeys().size());
  // Booleans and numbers are kept as integers, texts as strings.
  EXPECT_EQ(store.ReadInteger("Maximized"), 1);
  EXPECT_EQ(store.ReadInteger("SmartMenuItems"), written.SmartMenuItems);
  EXPECT_EQ(store.ReadString("FileName10"), written.FileName[9]);
  EXPECT_EQ(store.ReadString("FourthLocation"), written.BrowserLocations[2]);
  EXPECT_FALSE(store.ReadString("Height"));

  TMainSettings read;
  ReadMainSettings(store, read);
  EXPECT_EQ(read, written);
  EXPECT_NE(read, TMainSettings{});
}

TEST(MainSettings, OddStoredValuesReadAsAbsent) {
  platform::TMemorySettings store;
  store.WriteString("Height", "tall");   // a text where a number belongs
  store.WriteInteger("Font", 12);        // a number where a text belongs
  store.WriteInteger("FontSize", 0);     // no size at all
  store.WriteInteger("LineNumbers", 1);  // line numbers without the gutter
  store.WriteString("CurrentSyntaxScheme", "RTF");
  store.WriteInteger("ToolBarAlignment", 7);  // kept: the window reads it as the top
  TMainSettings read;
  ReadMainSettings(store, read);
  EXPECT_EQ(read.Height, 350);
  EXPECT_EQ(read.Font, "Courier New");
  EXPECT_EQ(read.FontSize, 8);
  EXPECT_FALSE(read.LineNumbers);
  EXPECT_EQ(read.CurrentSyntaxScheme, "Default");
  EXPECT_EQ(read.ToolBarAlignment, 7);

  store.WriteInteger("Gutter", 1);
  ReadMainSettings(store, read);
  EXPECT_TRUE(read.LineNumbers);
}

// The preferences' OK writes only what the dialog edits; the window's other values wait for
// the exit.
TEST(MainSettings, ThePreferencesWriteTheirOwnKeysOnly) {
  TMainSettings s = EveryValueChanged();
  platform::TMemorySettings store;
  WritePreferenceSettings(store, s);
  std::set<std::string> written;
  for (const auto& [name, value] : store.Values()) written.insert(name);
  for (const TSettingKey& key : MainSettingKeys())
    EXPECT_EQ(written.count(key.Name), key.Writers != TSettingWriters::Exit ? 1u : 0u) << key.Name;
  EXPECT_TRUE(written.count("SmartMenuItems"));
  EXPECT_FALSE(written.count("Height"));
  EXPECT_FALSE(written.count("CustomColorName1"));
}

}  // namespace
}  // namespace quorel
