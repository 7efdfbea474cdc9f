// The store's text as a string list: each edit brackets itself and clears the undo history.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/memosource.h"
#include "engine/strings.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

TEST(LinesList, ReadsVisualTextAndRawText) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  Load(store, "a\tb\nc");
  TStrings& lines = store.Lines();
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines[0], "a        b");
  EXPECT_EQ(lines.Text(), "a\tb\r\nc");
  EXPECT_EQ(lines[5], "");  // out of range: empty
}

TEST(LinesList, EditsClearUndoAndNotifyOnce) {
  TMemoSource store;
  Load(store, "one\ntwo");
  store.InsertText("x");
  ASSERT_TRUE(store.CanUndo());
  test::TNotificationLog log(store);
  store.Lines().Put(1, "TWO");
  EXPECT_EQ(log.Count(), 1);
  EXPECT_EQ(log.Last().Reason, urLinesPut);
  EXPECT_FALSE(store.CanUndo());
  EXPECT_EQ(Text(store), "xone\nTWO");
}

TEST(LinesList, PutAndInsertTurnTabsIntoSpaces) {
  TMemoSource store;
  store.SetSpacesInTab(2);
  Load(store, "x");
  store.Lines().Put(0, "\ta");
  store.Lines().Insert(0, "b\t");
  EXPECT_EQ(Text(store), "b  \n  a");
}

TEST(LinesList, InsertAndDeleteKeepTheSelectionOnItsText) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  Load(store, "zero\none\ntwo");
  store.SetSelection(stStream, 1, 1, 3, 2);
  store.SetCaretPos(3, 2);
  store.Lines().Insert(0, "new");
  EXPECT_EQ(store.SelStart(), (TPoint{1, 2}));
  EXPECT_EQ(store.SelEnd(), (TPoint{3, 3}));
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 3}));
  store.Lines().Delete(0);
  EXPECT_EQ(store.SelStart(), (TPoint{1, 1}));
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 2}));
  EXPECT_EQ(Text(store), "zero\none\ntwo");
  store.Lines().Add("three");
  EXPECT_EQ(store.LineCount(), 4);
  EXPECT_EQ(store.RawLine(3), "three");
}

TEST(LinesList, DeletingTheLastLineLeavesAnEmptyDocument) {
  TMemoSource store;
  Load(store, "a\n");
  store.Lines().Put(0, "");
  store.Lines().Add("");
  store.Lines().Delete(1);
  EXPECT_EQ(store.LineCount(), 0);
}

TEST(LinesList, ClearResetsEverything) {
  TMemoSource store;
  Load(store, "a\nb\nc");
  store.SetCaretPos(1, 2);
  store.SetSelection(stStream, 0, 0, 1, 1);
  store.SetBookmark(4);
  store.Lines().Clear();
  EXPECT_EQ(store.LineCount(), 0);
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_EQ(store.SelectionType(), stNone);
  EXPECT_TRUE(store.Bookmarks().Items().empty());
  EXPECT_FALSE(store.CanUndo());
}

TEST(LinesList, SettingTextCleansLinesAndResetsTheCaret) {
  TMemoSource store;
  Load(store, "old");
  store.SetCaretPos(2, 0);
  store.Lines().SetText("a  \r\nb\tc\rd");
  EXPECT_EQ(Text(store), "a\nb        c\nd");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_FALSE(store.CanUndo());
  EXPECT_TRUE(store.Modified());
}

TEST(LinesList, AssignAndStreams) {
  TMemoSource store;
  TStringList source({"first", "second"});
  store.Lines().Assign(source);
  EXPECT_EQ(Text(store), "first\nsecond");
  EXPECT_FALSE(store.CanUndo());

  std::ostringstream out;
  store.Lines().SaveToStream(out);
  EXPECT_EQ(out.str(), "first\r\nsecond");
  std::istringstream in("x\ny\n");
  store.Lines().LoadFromStream(in);
  EXPECT_EQ(Text(store), "x\ny");
}

TEST(LinesList, ObjectsTravelWithLines) {
  TMemoSource store;
  Load(store, "a\nb");
  int marker = 0;
  store.Lines().PutObject(1, &marker);
  EXPECT_EQ(store.Lines().GetObject(1), &marker);
  EXPECT_EQ(store.Lines().GetObject(7), nullptr);
  store.Lines().Exchange(0, 1);  // does nothing on the store's list
  EXPECT_EQ(store.RawLine(0), "a");
}

TEST(StringList, SplittingText) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n"), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(SplitLines("").empty());
  TStringList list;
  list.SetText("x\ny");
  list.Insert(1, "m");
  EXPECT_EQ(list.Text(), "x\r\nm\r\ny");
  list.Exchange(0, 2);
  EXPECT_EQ(list.Text(), "y\r\nm\r\nx");
}

}  // namespace
}  // namespace quorel
