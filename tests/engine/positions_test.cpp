// How edits shift the selection, temporary positions and bookmarks behind the caret.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;

// A store with a persistent selection, so that caret moves keep it while we watch it shift.
struct PositionShifting : ::testing::Test {
  TMemoSource store;
  void SetUp() override {
    store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
    Load(store, "0123456789\nabcdefghij\nKLMNOPQRST");
  }
};

TEST_F(PositionShifting, InsertAtTheSelectionStartMovesIt) {
  store.SetSelection(stStream, 4, 0, 8, 0);
  store.SetCaretPos(4, 0);
  store.InsertText("xx");
  EXPECT_EQ(store.SelStart(), (TPoint{6, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{10, 0}));
}

TEST_F(PositionShifting, InsertAtAnotherPositionLeavesItInPlace) {
  store.SetSelection(stStream, 1, 0, 4, 0);
  store.SetCaretPos(4, 0);
  store.InsertText("xx");
  EXPECT_EQ(store.SelStart(), (TPoint{1, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{4, 0}));
}

TEST_F(PositionShifting, DeleteClampsToTheCaret) {
  store.SetSelection(stStream, 3, 0, 9, 0);
  store.SetCaretPos(2, 0);
  store.DeleteChars(4);  // removes 2345
  EXPECT_EQ(store.SelStart(), (TPoint{2, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{5, 0}));
}

TEST_F(PositionShifting, SplitMovesLaterPositionsDown) {
  store.SetSelection(stStream, 6, 0, 3, 2);
  store.SetCaretPos(4, 0);
  store.SplitLine();
  EXPECT_EQ(store.SelStart(), (TPoint{2, 1}));
  EXPECT_EQ(store.SelEnd(), (TPoint{3, 3}));
}

TEST_F(PositionShifting, JoinMovesTheNextLineUp) {
  store.SetSelection(stStream, 2, 1, 5, 2);
  store.SetCaretPos(10, 0);
  store.JoinLines();
  EXPECT_EQ(store.SelStart(), (TPoint{12, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{5, 1}));
}

TEST_F(PositionShifting, BlockSelectionDoesNotFollowEdits) {
  store.SetSelection(stBlock, 4, 0, 6, 1);
  store.SetCaretPos(0, 0);
  store.InsertText("xx");
  store.SplitLine();
  EXPECT_EQ(store.SelStart(), (TPoint{4, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{6, 1}));
}

TEST_F(PositionShifting, PositionsLeftOfOrAboveTheCaretStay) {
  store.SetSelection(stStream, 1, 0, 2, 0);
  store.SetCaretPos(5, 1);
  store.InsertText("xyz");
  store.SplitLine();
  EXPECT_EQ(store.SelStart(), (TPoint{1, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{2, 0}));
}

TEST_F(PositionShifting, KeepSelectionBracketRestoresShiftedSelectionAndCaret) {
  store.SetSelection(stStream, 2, 1, 6, 1);
  store.SetCaretPos(6, 1);
  {
    TUpdateGuard update(store, urInsertKeepSelection, true);
    store.SetCaretPos(0, 0);
    store.SplitLine();
    store.SetSelection(stNone, 0, 0, 0, 0);
  }
  EXPECT_EQ(store.SelectionType(), stStream);
  EXPECT_EQ(store.SelStart(), (TPoint{2, 2}));
  EXPECT_EQ(store.SelEnd(), (TPoint{6, 2}));
  EXPECT_EQ(store.CaretPos(), (TPoint{6, 2}));
}

TEST(Bookmarks, ShiftWithTheText) {
  TMemoSource store;
  Load(store, "0123456789\nabcdefghij\nKLMNOPQRST");
  auto at = [&](int n) {
    TPoint p{-1, -1};
    store.GetBookmark(n, p);
    return p;
  };
  store.SetCaretPos(5, 0);
  store.SetBookmark(1);
  store.SetCaretPos(3, 1);
  store.SetBookmark(2);
  store.SetCaretPos(0, 2);
  store.SetBookmark(3);

  store.SetCaretPos(2, 0);
  store.InsertText("xx");  // bookmark 1 at or right of column 2 moves right
  EXPECT_EQ(at(1), (TPoint{7, 0}));
  store.DeleteChars(1);  // bookmarks right of the deleted span move left
  EXPECT_EQ(at(1), (TPoint{6, 0}));

  store.SetCaretPos(4, 0);
  store.SplitLine();  // bookmark 1 moves down and left by the split column
  EXPECT_EQ(at(1), (TPoint{2, 1}));
  EXPECT_EQ(at(2), (TPoint{3, 2}));
  EXPECT_EQ(at(3), (TPoint{0, 3}));

  store.SetCaretPos(store.LineLength(1), 1);
  int width = store.CaretX();
  store.JoinLines();  // the next line's bookmark moves right by the joined width
  EXPECT_EQ(at(2), (TPoint{3 + width, 1}));
  EXPECT_EQ(at(3), (TPoint{0, 2}));
}

}  // namespace
}  // namespace quorel
