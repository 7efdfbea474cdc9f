// The shared search options in the settings store: value names, types and bad values.
#include "search/searchoptions.h"

#include <gtest/gtest.h>

#include "platform/settings.h"

namespace quorel {
namespace {

TEST(SearchOptionsSettings, EveryPropertyRoundTripsUnderItsName) {
  TSearchOptions o;
  o.SetTextToFind("a&b");
  o.SetReplaceWith("c");
  o.SetCaseSensitive(true);
  o.SetRegularExpr(true);
  o.SetDirection(sdBackward);
  o.SetScope(ssSelectedText);
  o.SetOrigin(soFromCursor);
  o.SetWhere(swOpenFiles);
  o.SetFileMask("*.htm");
  o.SetIncludeSubDirs(true);
  platform::TMemorySettings settings;
  o.SaveTo(settings);
  EXPECT_EQ(settings.ReadString("Editor/SearchOptions/TextToFind"), "a&b");
  EXPECT_EQ(settings.ReadInteger("Editor/SearchOptions/Direction"), 1);
  EXPECT_EQ(settings.ReadInteger("Editor/SearchOptions/Where"), 1);
  EXPECT_EQ(settings.ReadBool("Editor/SearchOptions/RegularExpr"), true);
  EXPECT_EQ(settings.Values().size(), 16u);

  TSearchOptions back;
  back.LoadFrom(settings);
  EXPECT_EQ(back.TextToFind(), "a&b");
  EXPECT_EQ(back.ReplaceWith(), "c");
  EXPECT_TRUE(back.CaseSensitive());
  EXPECT_TRUE(back.RegularExpr());
  EXPECT_FALSE(back.WholeWordsOnly());
  EXPECT_EQ(back.Direction(), sdBackward);
  EXPECT_EQ(back.Scope(), ssSelectedText);
  EXPECT_EQ(back.Origin(), soFromCursor);
  EXPECT_EQ(back.Where(), swOpenFiles);
  EXPECT_EQ(back.FileMask(), "*.htm");
  EXPECT_TRUE(back.IncludeSubDirs());
}

TEST(SearchOptionsSettings, MissingOrOutOfRangeValuesKeepDefaults) {
  platform::TMemorySettings settings;
  settings.WriteInteger("Editor/SearchOptions/Direction", 7);
  settings.WriteInteger("Editor/SearchOptions/TextToFind", 3);  // wrong type
  settings.WriteInteger("Editor/SearchOptions/Origin", 0);
  TSearchOptions o;
  o.LoadFrom(settings);
  EXPECT_EQ(o.Direction(), sdForward);
  EXPECT_EQ(o.TextToFind(), "");
  EXPECT_EQ(o.Origin(), soFromCursor);
  EXPECT_EQ(o.Where(), swDirectories);
}

}  // namespace
}  // namespace quorel
