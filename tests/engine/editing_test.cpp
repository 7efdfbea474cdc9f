// The editing primitives: caret moves, inserting, deleting, splitting and joining.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

TEST(Caret, StaysInsideTheTextWithoutBeyondFileEnd) {
  TMemoSource store;
  Load(store, "one\ntwo\nthree");
  store.SetCaretPos(0, 2);
  store.MoveCaret(5, 0);
  EXPECT_EQ(store.CaretY(), 2);
  store.MoveCaret(-10, -10);
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  // Columns past the line end are allowed unless soLimitEOL.
  store.MoveCaret(0, 50);
  EXPECT_EQ(store.CaretX(), 50);
}

TEST(Caret, EmptyDocumentKeepsTheCaretOnLineZero) {
  TMemoSource store;
  store.MoveCaret(3, 2);
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
}

TEST(Caret, BeyondFileEndAndTypingThere) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soBeyondFileEnd});
  Load(store, "last");
  store.MoveCaret(5, 0);
  EXPECT_EQ(store.CaretY(), 5);
  EXPECT_EQ(store.LineCount(), 1);
  store.MoveCaret(0, 2);
  ASSERT_TRUE(store.InsertText("x"));
  EXPECT_EQ(Text(store), "last\n\n\n\n\n  x");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 5}));
}

TEST(Caret, LimitEolStopsAtTheLineEnd) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soLimitEOL});
  Load(store, "0123456789\nab");
  store.MoveCaret(0, 50);
  EXPECT_EQ(store.CaretX(), 10);
  store.MoveCaret(1, 0);
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 1}));
}

TEST(Caret, AlwaysOnTabsSnapsToTheNearerEdge) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter, soCursorAlwaysOnTabs});
  Load(store, "a\tb");  // the tab spans columns 1..9
  store.SetCaretPos(3, 0);
  EXPECT_EQ(store.CaretX(), 1);
  store.SetCaretPos(7, 0);
  EXPECT_EQ(store.CaretX(), 9);
  store.SetCaretPos(5, 0);  // a tie goes left
  EXPECT_EQ(store.CaretX(), 1);
}

TEST(Caret, LeavingALineTrimsItsTrailingBlanksWithoutRecord) {
  TMemoSource store;
  Load(store, "ab\ncd");
  store.SetCaretPos(2, 0);
  store.InsertText("   ");
  int records = store.UndoList().Count();
  store.MoveCaret(1, 0);
  EXPECT_EQ(store.RawLine(0), "ab");
  // Only the caret move itself was recorded.
  EXPECT_EQ(store.UndoList().Count(), records + 1);
  EXPECT_EQ(store.UndoList()[records].Kind, ukCaretMove);
}

TEST(Caret, KeptTrailingBlanksStay) {
  TMemoSource store;
  store.SetKeepTrailingBlanks(true);
  Load(store, "ab\ncd");
  store.SetCaretPos(2, 0);
  store.InsertText("   ");
  store.MoveCaret(1, 0);
  EXPECT_EQ(store.RawLine(0), "ab   ");
}

TEST(Caret, HookMayRewriteTheMove) {
  TMemoSource store;
  Load(store, "a\nb\nc\nd");
  int calls = 0;
  store.SetActiveView({&calls,
                       [&](int& dy, int&) {
                         ++calls;
                         if (!store.IsPositioning()) dy *= 2;
                       },
                       nullptr});
  store.MoveCaret(1, 0);
  EXPECT_EQ(store.CaretY(), 2);
  store.SetCaretPos(0, 1);  // programmatic positions are left alone
  EXPECT_EQ(store.CaretY(), 1);
  EXPECT_EQ(calls, 2);
}

TEST(InsertText, AtTheCaretWhichDoesNotMove) {
  TMemoSource store;
  Load(store, "hello");
  store.SetCaretPos(2, 0);
  EXPECT_TRUE(store.InsertText("XY"));
  EXPECT_EQ(Text(store), "heXYllo");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  EXPECT_TRUE(store.Modified());
  EXPECT_FALSE(store.InsertText(""));
}

TEST(InsertText, IntoAnEmptyDocumentCreatesLineZero) {
  TMemoSource store;
  ASSERT_EQ(store.LineCount(), 0);
  EXPECT_TRUE(store.InsertText("a"));
  EXPECT_EQ(store.LineCount(), 1);
  EXPECT_EQ(Text(store), "a");
}

TEST(InsertText, PastTheLineEndPadsWithSpaces) {
  TMemoSource store;
  Load(store, "ab");
  store.SetCaretPos(5, 0);
  store.InsertText("x");
  EXPECT_EQ(Text(store), "ab   x");
  // The padding and the text undo as one group: move left, insert, move back.
  const TUndoList& undo = store.UndoList();
  ASSERT_GE(undo.Count(), 4);
  int n = undo.Count();
  EXPECT_EQ(undo[n - 4].Kind, ukCaretMove);
  EXPECT_EQ(undo[n - 4].B, -3);
  EXPECT_EQ(undo[n - 3].Kind, ukInserted);
  EXPECT_EQ(undo[n - 3].A, 4);
  EXPECT_EQ(undo[n - 2].B, 3);
  EXPECT_EQ(undo[n - 1].InGroup, 0);  // the record that closes the group
}

TEST(InsertText, InsideATabSpanSplitsTheTab) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  Load(store, "\tX");  // the tab spans 0..9
  store.SetCaretPos(4, 0);
  store.InsertText("ab");
  EXPECT_EQ(store.RawLine(0), "    ab\tX");
  EXPECT_EQ(store.Line(0), "    ab   X");
}

TEST(InsertText, RefusedOnReadOnlyStoreAndLines) {
  TMemoSource store;
  Load(store, "a\nb");
  store.SetLineReadOnly(1, true);
  store.SetCaretPos(0, 1);
  EXPECT_FALSE(store.InsertText("x"));
  EXPECT_TRUE(store.CaretLineReadOnly());
  store.SetCaretPos(0, 0);
  store.SetReadOnly(true);
  EXPECT_FALSE(store.InsertText("x"));
  store.DeleteChars(1);
  store.SplitLine();
  store.JoinLines();
  EXPECT_EQ(Text(store), "a\nb");
  EXPECT_FALSE(store.Modified());
}

TEST(DeleteChars, UpToTheLineEnd) {
  TMemoSource store;
  Load(store, "abcdef");
  store.SetCaretPos(2, 0);
  store.DeleteChars(2);
  EXPECT_EQ(Text(store), "abef");
  store.DeleteChars(MaxInt);
  EXPECT_EQ(Text(store), "ab");
  store.DeleteChars(1);  // at the end: nothing
  EXPECT_EQ(Text(store), "ab");
  const TUndoRecord& last = store.UndoList()[store.UndoList().Count() - 1];
  EXPECT_EQ(last.Kind, ukDeleted);
  EXPECT_EQ(last.DeletedText, "ef");
}

TEST(DeleteChars, LastCharacterOfAOneLineDocumentLeavesNoLines) {
  TMemoSource store;
  Load(store, "a");
  store.DeleteChars(1);
  EXPECT_EQ(store.LineCount(), 0);
}

TEST(DeleteChars, InsideATabSpanSplitsTheTabFirst) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  Load(store, "\tX");
  store.SetCaretPos(4, 0);
  store.DeleteChars(1);
  // Four spaces stand for the left part; the tab itself (now 4..9) is deleted.
  EXPECT_EQ(store.RawLine(0), "    X");
}

TEST(SplitLine, BreaksAtTheCaretWhichStaysAbove) {
  TMemoSource store;
  Load(store, "abcdef\nz");
  store.SetCaretPos(3, 0);
  store.SplitLine();
  EXPECT_EQ(Text(store), "abc\ndef\nz");
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 0}));
  EXPECT_EQ(store.UndoList()[store.UndoList().Count() - 1].Kind, ukSplit);
}

TEST(SplitLine, TrimsTheUpperLineAsAnUndoableStep) {
  TMemoSource store;
  Load(store, "ab   cd");
  store.SetCaretPos(5, 0);
  store.SplitLine();
  EXPECT_EQ(Text(store), "ab\ncd");
  EXPECT_EQ(store.CaretPos(), (TPoint{5, 0}));
  bool deletedBlanks = false;
  for (int i = 0; i < store.UndoList().Count(); ++i)
    deletedBlanks |= store.UndoList()[i].DeletedText == "   ";
  EXPECT_TRUE(deletedBlanks);
}

TEST(SplitLine, AtColumnZeroMovesTheLineAttachmentsDown) {
  TMemoSource store;
  Load(store, "tagged\nnext");
  TStringItem* line = store.LineRecord(0);
  store.SetLineTag(0, "tag");
  int object = 0;
  store.SetLineObject(0, &object);
  line->LineFlags = 5;
  line->ImageIndex = 3;
  store.SetCaretPos(0, 0);
  store.SplitLine();
  EXPECT_EQ(store.LineTag(0), "");
  EXPECT_EQ(store.LineObject(0), nullptr);
  EXPECT_EQ(store.LineRecord(0)->ImageIndex, 0);
  EXPECT_EQ(store.LineTag(1), "tag");
  EXPECT_EQ(store.LineObject(1), &object);
  EXPECT_EQ(store.LineRecord(1)->LineFlags, 5);
  EXPECT_EQ(store.LineRecord(1)->ImageIndex, 3);
  EXPECT_EQ(Text(store), "\ntagged\nnext");
}

TEST(SplitLine, InAnEmptyDocumentMakesTwoEmptyLines) {
  TMemoSource store;
  store.SplitLine();
  EXPECT_EQ(store.LineCount(), 2);
}

TEST(JoinLines, OnlyAtOrBeyondTheLineEnd) {
  TMemoSource store;
  Load(store, "ab\ncd\nef");
  store.SetCaretPos(1, 0);
  store.JoinLines();
  EXPECT_EQ(store.LineCount(), 3);
  store.SetCaretPos(2, 0);
  store.JoinLines();
  EXPECT_EQ(Text(store), "abcd\nef");
  store.SetCaretPos(2, 1);  // the last line has nothing to join
  store.JoinLines();
  EXPECT_EQ(Text(store), "abcd\nef");
}

TEST(JoinLines, BeyondTheEndPadsUpToTheCaret) {
  TMemoSource store;
  Load(store, "ab\ncd");
  store.SetCaretPos(4, 0);
  store.JoinLines();
  EXPECT_EQ(Text(store), "ab  cd");
}

TEST(JoinLines, MergesLineAttachments) {
  TMemoSource store;
  Load(store, "a\nb");
  store.LineRecord(0)->LineFlags = 1;
  store.LineRecord(1)->LineFlags = 4;
  store.LineRecord(1)->ImageIndex = 2;
  store.SetLineTag(1, "lower");
  int object = 0;
  store.SetLineObject(1, &object);
  store.SetCaretPos(1, 0);
  store.JoinLines();
  EXPECT_EQ(store.LineRecord(0)->LineFlags, 5);
  EXPECT_EQ(store.LineRecord(0)->ImageIndex, 2);
  EXPECT_EQ(store.LineTag(0), "");          // only a join at column 0 takes the tag
  EXPECT_EQ(store.LineObject(0), &object);  // taken, as the line had none
}

TEST(JoinLines, TwoEmptyLinesLeaveAnEmptyDocument) {
  TMemoSource store;
  store.SplitLine();
  store.SetCaretPos(0, 0);
  store.JoinLines();
  EXPECT_EQ(store.LineCount(), 0);
}

TEST(ClearText, EmptiesTheDocumentUndoably) {
  TMemoSource store;
  Load(store, "one\ntwo\nthree");
  store.ClearText();
  EXPECT_EQ(store.LineCount(), 0);
  EXPECT_TRUE(store.CanUndo());
  EXPECT_TRUE(store.Modified());
}

TEST(ReadOnlyLines, TypingBelowAReadOnlyLastLineIsRefused) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soBeyondFileEnd});
  Load(store, "a\nb");
  store.SetLineReadOnly(1, true);
  store.SetCaretPos(0, 3);
  EXPECT_FALSE(store.InsertText("x"));
  EXPECT_EQ(Text(store), "a\nb");
}

TEST(Caret, FarOffTargetsAreCutWithoutOverflow) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soBeyondFileEnd});
  Load(store, "abc\ndef");
  store.SetCaretPos(1, 1);
  store.MoveCaret(MaxInt, MaxInt);
  EXPECT_EQ(store.CaretY(), kMaxLine);
  EXPECT_EQ(store.CaretX(), kMaxVirtualColumn);
  store.MoveCaret(-MaxInt, -MaxInt);
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  store.SetOptions(store.Options() | TStringsOptions{soLimitEOL});
  store.MoveCaret(0, MaxInt);
  EXPECT_EQ(store.CaretX(), 3);
  store.SetOptions(store.Options() - TStringsOptions{soLimitEOL});
  store.SetCaretPos(MaxInt, 0);
  store.SelectWord(wsWordOnly);
  EXPECT_EQ(store.SelectedText(), "abc");
}

TEST(SplitLine, BelowAnEmptyDocumentChangesNothing) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soBeyondFileEnd});
  store.MoveCaret(3, 0);
  store.SplitLine();
  EXPECT_EQ(store.LineCount(), 0);
  EXPECT_FALSE(store.Modified());
}

TEST(LongestLine, FollowsEditsCheaply) {
  TMemoSource store;
  Load(store, "12345\n123\n12345");
  EXPECT_EQ(store.LongestLineLength(), 5);
  store.SetCaretPos(0, 0);
  store.DeleteChars(2);
  EXPECT_EQ(store.LongestLineLength(), 5);  // the other one still has 5
  store.SetCaretPos(0, 2);
  store.DeleteChars(3);
  EXPECT_EQ(store.LongestLineLength(), 3);
  store.SetCaretPos(0, 1);
  store.InsertText("abcdefg");
  EXPECT_EQ(store.LongestLineLength(), 10);
  store.SetCaretPos(0, 1);
  store.DeleteChars(9);  // the only longest line shrinks: the next length down is found
  EXPECT_EQ(store.LongestLineLength(), 3);
  store.Lines().Clear();
  EXPECT_EQ(store.LongestLineLength(), 0);
}

}  // namespace
}  // namespace quorel
