// Making selections: extending by caret moves, marks, select all, line and word selection.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

TEST(ExtendSelection, StartsAtTheCaretAndFollowsIt) {
  TMemoSource store;
  Load(store, "0123456789\nabcdefghij\nKLMNOPQRST");
  store.SetCaretPos(3, 1);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, 2); });
  EXPECT_EQ(store.SelectionRect(), (TRect{3, 1, 5, 1}));
  store.ExtendSelection(stStream, [&] { store.MoveCaret(1, 0); });  // the end follows
  EXPECT_EQ(store.SelectionRect(), (TRect{3, 1, 5, 2}));
  store.ExtendSelection(stStream, [&] { store.MoveCaret(-2, 0); });  // crosses the start: swapped
  EXPECT_EQ(store.SelectionRect(), (TRect{5, 0, 3, 1}));
  EXPECT_EQ(store.CaretPos(), (TPoint{5, 0}));
  EXPECT_EQ(store.SelectionType(), stStream);
}

TEST(ExtendSelection, UpwardsFromAFreshStart) {
  TMemoSource store;
  Load(store, "0123456789\nabcdefghij");
  store.SetCaretPos(6, 1);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(-1, -2); });
  EXPECT_EQ(store.SelectionRect(), (TRect{4, 0, 6, 1}));
  store.SetCaretPos(8, 0);  // a plain move drops it
  EXPECT_EQ(store.SelectionType(), stNone);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, -3); });
  EXPECT_EQ(store.SelectionRect(), (TRect{5, 0, 8, 0}));
}

TEST(ExtendSelection, BlockCornersFollowTheCaret) {
  TMemoSource store;
  Load(store, "0123456789\nabcdefghij\nKLMNOPQRST\nuvwxyz");
  store.SetCaretPos(2, 0);
  store.ExtendSelection(stBlock, [&] { store.MoveCaret(2, 3); });
  EXPECT_EQ(store.SelectionType(), stBlock);
  EXPECT_EQ(store.SelectionRect(), (TRect{2, 0, 5, 2}));
  store.ExtendSelection(stBlock, [&] { store.MoveCaret(-1, -4); });  // past the left edge
  EXPECT_EQ(store.SelectionRect(), (TRect{1, 0, 2, 1}));
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 1}));
}

TEST(ExtendSelection, BlockOptionStillDecides) {
  TMemoSource store;
  Load(store, "0123456789\nabcdefghij");
  store.SetBlockOption(bkStreamSel);
  store.ExtendSelection(stBlock, [&] { store.MoveCaret(1, 1); });
  EXPECT_EQ(store.SelectionType(), stStream);
}

TEST(Marks, BeginAndEndMakeAStreamSelection) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  Load(store, "0123456789\nabcdefghij");
  store.SetCaretPos(2, 0);
  store.MarkBlockBegin();
  store.SetCaretPos(4, 1);
  store.MarkBlockEnd();
  EXPECT_EQ(store.SelectionType(), stStream);
  EXPECT_EQ(store.SelectionRect(), (TRect{2, 0, 4, 1}));
  store.CaretToBlockBegin();
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  store.CaretToBlockEnd();
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 1}));
}

TEST(SelectAll, CoversTheTextWithoutTrailingBlanks) {
  TMemoSource store;
  store.SetKeepTrailingBlanks(true);
  Load(store, "abc\ndef");
  store.SetCaretPos(3, 1);
  store.InsertText("   ");
  store.SetKeepTrailingBlanks(false);
  store.SelectAll();
  EXPECT_EQ(store.SelectionRect(), (TRect{0, 0, 3, 1}));
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 1}));
  store.SetBlockOption(bkNone);
  store.SelectAll();
  EXPECT_EQ(store.SelectionType(), stNone);
}

TEST(SelectLine, FromColumnZeroToTheNextLine) {
  TMemoSource store;
  Load(store, "abc\ndef\nghi");
  store.SetCaretPos(2, 1);
  store.SelectLine();
  EXPECT_EQ(store.SelectionRect(), (TRect{0, 1, 0, 2}));
  EXPECT_EQ(store.SelectedText(), "def\r\n");
}

TEST(SelectedColumns, ForStreamAndBlock) {
  TMemoSource store;
  Load(store, "abcdef\nghijkl\nmnopqr");
  store.SetSelection(stStream, 2, 0, 3, 2);
  EXPECT_EQ(store.SelectedColumns(0), (std::pair<int, int>{2, MaxInt}));
  EXPECT_EQ(store.SelectedColumns(1), (std::pair<int, int>{0, MaxInt}));
  EXPECT_EQ(store.SelectedColumns(2), (std::pair<int, int>{0, 3}));
  EXPECT_TRUE(store.IsInSelection(2, 0));
  EXPECT_FALSE(store.IsInSelection(3, 2));
  store.SetSelection(stBlock, 2, 0, 3, 1);
  EXPECT_EQ(store.SelectedColumns(1), (std::pair<int, int>{2, 4}));
  EXPECT_EQ(store.SelectedColumns(2), (std::pair<int, int>{0, 0}));
  EXPECT_TRUE(store.IsInSelection(3, 1));
}

TEST(WordBounds, FindTheWordAtOrAfterTheColumn) {
  TMemoSource store;
  Load(store, "  hello   world!  \n\n    ");
  store.SetDelimeters("!");
  EXPECT_EQ(store.GetWordBounds(4, 0, wsWordOnly), (std::pair<int, int>{3, 7}));
  EXPECT_EQ(store.GetWordBounds(2, 0, wsWordOnly), (std::pair<int, int>{3, 7}));
  EXPECT_EQ(store.GetWordBounds(0, 0, wsWordOnly), (std::pair<int, int>{3, 7}));
  EXPECT_EQ(store.GetWordBounds(8, 0, wsWordOnly),
            (std::pair<int, int>{3, 7}));  // back to the word before
  EXPECT_EQ(store.GetWordBounds(11, 0, wsWordOnly), (std::pair<int, int>{11, 15}));
  EXPECT_EQ(store.GetWordBounds(4, 0, wsWordWithSpace), (std::pair<int, int>{3, 8}));
  EXPECT_EQ(store.GetWordBounds(4, 0, wsUntilNextWord), (std::pair<int, int>{3, 10}));
  EXPECT_EQ(store.GetWordBounds(0, 1, wsWordOnly), (std::pair<int, int>{0, 0}));
  EXPECT_EQ(store.GetWordBounds(0, 2, wsWordOnly), (std::pair<int, int>{0, 0}));
}

TEST(SelectWord, SelectsItAndPutsTheCaretAtItsEnd) {
  TMemoSource store;
  Load(store, "say hello there");
  store.SetCaretPos(5, 0);
  store.SelectWord(wsWordOnly);
  EXPECT_EQ(store.SelectionRect(), (TRect{4, 0, 9, 0}));
  EXPECT_EQ(store.CaretPos(), (TPoint{9, 0}));
  EXPECT_EQ(store.SelectedText(), "hello");
}

}  // namespace
}  // namespace quorel
