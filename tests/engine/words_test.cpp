// Moving by words and the word editing commands.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

TEST(WordMoves, RightToTheNextWordThenTheNextLine) {
  TMemoSource store;
  Load(store, "one two  three\nnext");
  store.WordRight();
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
  store.WordRight();
  EXPECT_EQ(store.CaretPos(), (TPoint{9, 0}));
  store.WordRight();
  EXPECT_EQ(store.CaretPos(), (TPoint{14, 0}));
  store.WordRight();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  store.SetCaretPos(4, 1);
  store.WordRight();  // the last line's end: stays
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 1}));
}

TEST(WordMoves, LeftToTheWordStartThenThePreviousLine) {
  TMemoSource store;
  Load(store, "one two\n  next");
  store.SetCaretPos(6, 1);
  store.WordLeft();
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 1}));
  store.WordLeft();  // only blanks to the left: the previous line's end
  EXPECT_EQ(store.CaretPos(), (TPoint{7, 0}));
  store.WordLeft();
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
  store.WordLeft();
  store.WordLeft();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
}

TEST(WordEditing, DeleteWordRightAndLeft) {
  TMemoSource store;
  Load(store, "one two three");
  store.SetCaretPos(4, 0);
  store.DeleteWordRight();
  EXPECT_EQ(Text(store), "one three");
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
  store.SetCaretPos(9, 0);
  store.DeleteWordLeft();
  EXPECT_EQ(Text(store), "one ");
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
  store.Undo();
  EXPECT_EQ(Text(store), "one three");
}

TEST(WordEditing, DeleteWordKeepsAnOtherSelection) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  Load(store, "alpha beta gamma");
  store.SetSelection(stStream, 11, 0, 16, 0);
  store.SetCaretPos(6, 0);
  store.DeleteWordRight();
  EXPECT_EQ(Text(store), "alpha gamma");
  EXPECT_EQ(store.SelectionType(), stStream);
  EXPECT_EQ(store.SelectionRect(), (TRect{6, 0, 11, 0}));
}

TEST(WordEditing, DeleteWordCases) {
  TMemoSource store;
  Load(store, "ab   cd ef;;gh  \nnext");
  store.SetCaretPos(2, 0);  // only blanks up to the next word
  store.DeleteWord();
  EXPECT_EQ(Text(store), "abcd ef;;gh\nnext");
  store.SetDelimeters(";");
  store.SetCaretPos(2, 0);  // the word under the caret with one following space
  store.DeleteWord();
  EXPECT_EQ(Text(store), "abef;;gh\nnext");
  store.SetCaretPos(4, 0);  // on delimiters: the run of them
  store.DeleteWord();
  EXPECT_EQ(Text(store), "abefgh\nnext");
  store.SetCaretPos(6, 0);  // after the last word: joins the next line
  store.DeleteWord();
  EXPECT_EQ(Text(store), "abefghnext");
}

TEST(WordEditing, CaseOfTheWordAtTheCaret) {
  TMemoSource store;
  Load(store, "hello wORLD");
  store.SetCaretPos(2, 0);
  store.UpperCaseWord();
  EXPECT_EQ(Text(store), "HELLO wORLD");
  // The caret is put back shifted by the edit: the word was deleted and inserted again.
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_EQ(store.SelectionType(), stNone);
  store.SetCaretPos(7, 0);
  store.CapitaliseWord();
  EXPECT_EQ(Text(store), "HELLO World");
  store.SetCaretPos(0, 0);
  store.LowerCaseWord();
  EXPECT_EQ(Text(store), "hello World");
  store.Undo();
  EXPECT_EQ(Text(store), "HELLO World");
}

}  // namespace
}  // namespace quorel
