// Tab stops, raw/visual columns, and the property rules around them.
#include "engine/tabstops.h"

#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/vrelerror.h"

namespace quorel {
namespace {

TEST(TabStops, DefaultStopsContinueAtTheLastInterval) {
  TTabStops stops;
  EXPECT_EQ(stops.Text(), "9,17");
  EXPECT_EQ(stops.TabStop(0), 9);
  EXPECT_EQ(stops.TabStop(1), 17);
  EXPECT_EQ(stops.TabStop(2), 25);
  EXPECT_EQ(stops.TabStop(3), 33);
  EXPECT_EQ(stops.TabInterval(), 8);
}

TEST(TabStops, SpanOfATabDependsOnItsColumn) {
  TTabStops stops;
  // A tab at column c spans up to the first stop greater than c.
  EXPECT_EQ(stops.NextStop(0) - 0, 9);
  EXPECT_EQ(stops.NextStop(9) - 9, 8);
  EXPECT_EQ(stops.NextStop(17) - 17, 8);
  EXPECT_EQ(stops.NextStop(30) - 30, 3);
  EXPECT_EQ(stops.NextStop(33), 41);
}

TEST(TabStops, SingleStopIsItsOwnInterval) {
  TTabStops stops;
  stops.SetText("4");
  EXPECT_EQ(stops.TabInterval(), 4);
  EXPECT_EQ(stops.TabStop(2), 12);
  EXPECT_EQ(stops.NextStop(5), 8);
}

TEST(TabStops, EmptyListMeansOneStopAtEight) {
  TTabStops stops;
  stops.SetText("");
  EXPECT_EQ(stops.TabStop(0), 8);
  EXPECT_EQ(stops.TabStop(1), 16);
  EXPECT_EQ(stops.NextStop(3), 8);
}

TEST(TabStops, InvalidRackKeepsThePreviousStops) {
  TTabStops stops;
  stops.SetText("4,10");
  for (const char* bad : {"8,4", "0", "5,5", "-3", "4,x", "4,,8", "99999999999"}) {
    try {
      stops.SetText(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EVrelError& e) {
      EXPECT_STREQ(e.what(), "Invalid Tab Rack") << bad;
    }
    EXPECT_EQ(stops.Text(), "4,10");
    EXPECT_EQ(stops.TabStop(1), 10);
  }
  stops.SetText(" 3 , 7 ");
  EXPECT_EQ(stops.TabStop(1), 7);
}

TEST(TabStops, VisualAndRawColumns) {
  TTabStops stops;
  std::string raw = "ab\tc\td";  // a b [tab 2..9) c [tab 10..17) d
  EXPECT_EQ(VisualLength(raw, stops), 18);
  EXPECT_EQ(ExpandTabs(raw, stops), "ab       c       d");
  EXPECT_EQ(VisualToRaw(raw, 0, stops), 0);
  EXPECT_EQ(VisualToRaw(raw, 2, stops), 2);
  EXPECT_EQ(VisualToRaw(raw, 5, stops), 2);  // inside the span: the tab itself
  EXPECT_EQ(VisualToRaw(raw, 9, stops), 3);
  EXPECT_EQ(VisualToRaw(raw, 17, stops), 5);
  EXPECT_EQ(VisualToRaw(raw, 20, stops), 8);  // past the end by the excess
  EXPECT_EQ(RawToVisual(raw, 3, stops), 9);
  EXPECT_EQ(RawToVisual(raw, 6, stops), 18);
  EXPECT_EQ(TabSpanAround(raw, 5, stops), (std::pair<int, int>{2, 9}));
  EXPECT_EQ(TabSpanAround(raw, 2, stops), (std::pair<int, int>{2, 2}));
  EXPECT_EQ(ExpandColors(raw, std::string("\1\2\3\4\5\6", 6), stops),
            std::string("\1\2") + std::string(7, '\3') + "\4" + std::string(7, '\5') + "\6");
}

TEST(TabStops, FixedExpansionIgnoresAlignment) {
  EXPECT_EQ(ExpandTabsFixed("a\tb", 4), "a    b");
  EXPECT_EQ(ExpandTabsFixed("\t\t", 2), "    ");
  EXPECT_EQ(ExpandTabsFixed("none", 8), "none");
}

TEST(StoreProperties, OutOfRangeValuesAreCorrected) {
  TMemoSource store;
  store.SetSpacesInTab(0);
  EXPECT_EQ(store.SpacesInTab(), 8);
  store.SetSpacesInTab(11);
  EXPECT_EQ(store.SpacesInTab(), 8);
  store.SetSpacesInTab(10);
  EXPECT_EQ(store.SpacesInTab(), 10);
  store.SetBlockIndent(-3);
  EXPECT_EQ(store.BlockIndent(), 0);
  store.SetUndoLimit(-5);
  EXPECT_EQ(store.UndoLimit(), 0);
}

TEST(StoreProperties, NewStoreDefaults) {
  TMemoSource store;
  EXPECT_EQ(store.Options().Bits(), 635u);
  EXPECT_EQ(store.TabStops(), "9,17");
  EXPECT_EQ(store.BlockIndent(), 1);
  EXPECT_EQ(store.SpacesInTab(), 8);
  EXPECT_EQ(store.TemplatesType(), "None");
  EXPECT_EQ(store.BlockOption(), bkBoth);
  EXPECT_EQ(store.OutFormat(), ofWindows);
  EXPECT_TRUE(store.AllowUndo());
  EXPECT_EQ(store.SavedPoint(), -1);
  EXPECT_EQ(store.LineCount(), 0);
}

TEST(StoreProperties, TabCharacterAndSmartTabNeverCoexist) {
  TMemoSource store;
  ASSERT_TRUE(store.Options().Contains(soSmartTab));
  store.SetOptions(store.Options() | TStringsOptions{soUseTabCharacter});
  EXPECT_TRUE(store.Options().Contains(soUseTabCharacter));
  EXPECT_FALSE(store.Options().Contains(soSmartTab));

  // Both at once while tabs are already on: smart tab wins.
  store.SetOptions(store.Options() | TStringsOptions{soSmartTab});
  EXPECT_TRUE(store.Options().Contains(soSmartTab));
  EXPECT_FALSE(store.Options().Contains(soUseTabCharacter));
}

TEST(StoreProperties, SwitchingOffBeyondFileEndBringsTheCaretBack) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soBeyondFileEnd});
  store.LoadFromBuffer("one\ntwo");
  store.MoveCaret(5, 0);
  ASSERT_EQ(store.CaretY(), 5);
  store.SetOptions(store.Options() - TStringsOptions{soBeyondFileEnd});
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 1}));
}

TEST(StoreProperties, WordDelimiters) {
  TMemoSource store;
  EXPECT_TRUE(store.IsDelimiter(' '));
  EXPECT_TRUE(store.IsDelimiter('\0'));
  EXPECT_TRUE(store.IsDelimiter(32));
  EXPECT_FALSE(store.IsDelimiter('.'));
  EXPECT_FALSE(store.IsDelimiter('<'));
  store.SetDelimeters(".<");
  EXPECT_TRUE(store.IsDelimiter('.'));
  EXPECT_TRUE(store.IsDelimiter('<'));
  EXPECT_TRUE(store.IsDelimiter('\t'));
  EXPECT_FALSE(store.IsDelimiter('a'));
}

TEST(StoreProperties, SharedOptionsReachStoresThatUseThem) {
  TMemoSource shared, own;
  TMemoSourceOptions& global = GlobalMemoSourceOptions();
  TMemoSourceOptions saved = global;
  shared.SetUseGlobalOptions(true);
  EXPECT_EQ(shared.Delimeters(), "/{}+-*():=,;><$.#[]^@&~|%'");
  EXPECT_TRUE(shared.IsDelimiter('.'));
  global.SetBlockIndent(4);
  global.SetTabStops("4,8");
  EXPECT_EQ(shared.BlockIndent(), 4);
  EXPECT_EQ(shared.TabStops(), "4,8");
  EXPECT_EQ(own.BlockIndent(), 1);
  EXPECT_THROW(global.SetTabStops("8,4"), EVrelError);
  EXPECT_EQ(global.TabStops(), "4,8");
  global = saved;
}

TEST(StoreProperties, TabStopsOnTheStore) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  store.LoadFromBuffer("\tx");
  EXPECT_EQ(store.LineLength(0), 10);
  store.SetTabStops("4");
  EXPECT_EQ(store.LineLength(0), 5);
  EXPECT_THROW(store.SetTabStops("8,4"), EVrelError);
  EXPECT_EQ(store.TabStops(), "4");
}

}  // namespace
}  // namespace quorel
