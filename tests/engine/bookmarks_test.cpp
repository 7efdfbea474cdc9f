// Numbered bookmarks: setting, toggling, jumping.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;

struct BookmarkCommands : ::testing::Test {
  TMemoSource store;
  void SetUp() override { Load(store, "zero\none\ntwo\nthree\nfour"); }
  TPoint At(int n) {
    TPoint p{-1, -1};
    store.GetBookmark(n, p);
    return p;
  }
};

TEST_F(BookmarkCommands, ToggleTwiceOnTheSameLineRemovesIt) {
  store.SetCaretPos(2, 1);
  store.ToggleBookmark(3);
  EXPECT_EQ(At(3), (TPoint{2, 1}));
  store.SetCaretPos(0, 1);
  store.ToggleBookmark(3);
  TPoint p;
  EXPECT_FALSE(store.GetBookmark(3, p));
}

TEST_F(BookmarkCommands, ToggleOnAnotherLineMovesIt) {
  store.SetCaretPos(2, 1);
  store.ToggleBookmark(3);
  store.SetCaretPos(1, 3);
  store.ToggleBookmark(3);
  EXPECT_EQ(At(3), (TPoint{1, 3}));
  EXPECT_EQ(store.Bookmarks().Items().size(), 1u);
}

TEST_F(BookmarkCommands, OneBookmarkPerNumberAndNumbersOneToTen) {
  store.SetCaretPos(0, 4);
  store.SetBookmark(10);
  store.SetBookmark(1);
  store.SetBookmark(0);   // ignored
  store.SetBookmark(11);  // ignored
  EXPECT_EQ(store.Bookmarks().Items().size(), 2u);
  EXPECT_EQ(store.BookmarkAtLine(4), 1);  // sorted by line, column, then number
  EXPECT_EQ(store.BookmarkAtLine(3), 0);
  store.ClearBookmark(1);
  EXPECT_EQ(store.BookmarkAtLine(4), 10);
}

TEST_F(BookmarkCommands, JumpReportsACaretMoveEvenInPlace) {
  store.SetCaretPos(3, 2);
  store.SetBookmark(5);
  test::TNotificationLog log(store);
  store.GotoBookmark(5);
  ASSERT_EQ(log.Count(), 1);
  EXPECT_TRUE(log.Last().Flags.Contains(msCaretMoved));

  store.SetCaretPos(0, 0);
  store.GotoBookmark(5);
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 2}));
  int count = log.Count();
  store.GotoBookmark(7);  // no such bookmark
  EXPECT_EQ(log.Count(), count);
}

TEST_F(BookmarkCommands, SetAndClearRepaintTheirLines) {
  test::TNotificationLog log(store);
  store.SetCaretPos(0, 2);
  store.SetBookmark(2);
  EXPECT_TRUE(log.Last().Flags.Contains(msRepaint));
  EXPECT_EQ(log.Last().First, 2);
  EXPECT_EQ(log.Last().Reason, urSetBookmark);
  store.ClearBookmark(2);
  EXPECT_EQ(log.Last().Reason, urClearBookmark);
  EXPECT_EQ(log.Last().First, 2);
}

}  // namespace
}  // namespace quorel
