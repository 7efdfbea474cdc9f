// Undo and redo: reversal of every record kind, grouping, the saved point and the redo list.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"
#include "support/testparser.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

// Typing one character as the keyboard does: insert, then move the caret past it.
void Type(TCustomMemoSource& store, const std::string& chars) {
  for (char c : chars) {
    TUpdateGuard update(store, urInsertText);
    store.InsertText(std::string(1, c));
    store.MoveCaret(0, 1);
  }
}

void Down(TCustomMemoSource& store) {
  TUpdateGuard update(store, urCaretMove);
  store.MoveCaret(1, 0);
}

TEST(Undo, GroupedTypingUndoesAtOnce) {
  TMemoSource store;
  Load(store, "start\nnext");
  store.SetCaretPos(5, 0);
  Type(store, "abc");
  store.Undo();
  EXPECT_EQ(Text(store), "start\nnext");
  EXPECT_EQ(store.CaretPos(), (TPoint{5, 0}));
  EXPECT_FALSE(store.CanUndo() && store.UndoList().Last().ChangesText());
}

TEST(Undo, UngroupedTypingUndoesOneCharacter) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soGroupUndo});
  Load(store, "start");
  store.SetCaretPos(5, 0);
  Type(store, "abc");
  store.Undo();
  EXPECT_EQ(Text(store), "startab");
  EXPECT_EQ(store.CaretPos(), (TPoint{7, 0}));
  store.Undo();
  EXPECT_EQ(Text(store), "starta");
}

TEST(Undo, CaretMovesAreAStepOfTheirOwn) {
  TMemoSource store;
  Load(store, "a\nb\nc\nd\ne");
  Type(store, "xy");
  Down(store);
  Down(store);
  Down(store);
  store.Undo();
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  EXPECT_EQ(Text(store), "xya\nb\nc\nd\ne");
  store.Undo();
  EXPECT_EQ(Text(store), "a\nb\nc\nd\ne");
}

TEST(Undo, EveryKindIsReversedAndRedone) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soGroupUndo});
  Load(store, "abcdef\nghi");
  std::vector<std::string> states{Text(store)};
  store.SetCaretPos(3, 0);
  store.InsertText("XY");  // 1
  states.push_back(Text(store));
  store.DeleteChars(3);  // 4
  states.push_back(Text(store));
  store.SplitLine();  // 2
  states.push_back(Text(store));
  store.SetCaretPos(3, 0);
  store.JoinLines();  // 3
  states.push_back(Text(store));
  EXPECT_EQ(states.back(), "abcef\nghi");

  // Undo walks back through every state (caret moves are steps of their own), redo forward.
  std::vector<std::string> seen{Text(store)};
  while (store.CanUndo()) {
    store.Undo();
    if (seen.back() != Text(store)) seen.push_back(Text(store));
  }
  EXPECT_EQ(seen, std::vector<std::string>(states.rbegin(), states.rend()));
  while (store.CanRedo()) store.Redo();
  EXPECT_EQ(Text(store), "abcef\nghi");
}

TEST(Undo, InsertionThatSplitATabRestoresIt) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  Load(store, "\tX");
  store.SetCaretPos(4, 0);
  store.InsertText("ab");
  ASSERT_EQ(store.RawLine(0), "    ab\tX");
  store.Undo();
  EXPECT_EQ(store.RawLine(0), "\tX");
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
  store.Redo();
  EXPECT_EQ(store.RawLine(0), "    ab\tX");
}

TEST(Undo, ReplayedMovesIgnoreTheLineEndLimit) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter, soLimitEOL});
  Load(store, "hello\na\tx");
  store.SetCaretPos(2, 0);
  store.InsertText("Z");
  store.SetCaretPos(3, 1);  // inside the tab's span
  store.SplitLine();
  store.InsertText("ab");
  while (store.CanUndo()) store.Undo();
  EXPECT_EQ(Text(store), "hello\na\tx");
}

TEST(Undo, PaddingAndJoiningBeyondTheLineEndComeBackExactly) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soGroupUndo});
  Load(store, "ab\ncd");
  store.SetCaretPos(5, 0);
  store.JoinLines();
  ASSERT_EQ(Text(store), "ab   cd");
  store.Undo();
  EXPECT_EQ(Text(store), "ab\ncd");
  store.SetCaretPos(6, 1);
  store.InsertText("!");
  ASSERT_EQ(Text(store), "ab\ncd    !");
  store.Undo();
  EXPECT_EQ(Text(store), "ab\ncd");
}

TEST(Undo, AttributeColoursComeBack) {
  test::TTestParser parser;
  parser.SetAttributes(true);
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  Load(store, "abcd");
  store.LineRecord(0)->Colors = "\1\2\3\4";
  store.SetCaretPos(1, 0);
  store.DeleteChars(2);
  ASSERT_EQ(store.LineRecord(0)->Colors, "\1\4");
  store.Undo();
  EXPECT_EQ(Text(store), "abcd");
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\2\3\4");

  store.ReplaceColors(0, 2, "\7\7");
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\7\7\4");
  store.Undo();
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\2\3\4");
}

TEST(Redo, ClearedByAnyCaretMoveOrEdit) {
  TMemoSource store;
  Load(store, "abc\ndef");
  Type(store, "x");
  store.Undo();
  ASSERT_TRUE(store.CanRedo());
  store.MoveCaret(1, 0);
  EXPECT_FALSE(store.CanRedo());

  Type(store, "y");
  store.Undo();
  ASSERT_TRUE(store.CanRedo());
  store.InsertText("z");
  EXPECT_FALSE(store.CanRedo());
}

TEST(Redo, ReplaysOneReversalPerCallWithoutGrouping) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soGroupUndo});
  Load(store, "");
  Type(store, "abc");
  store.Undo();
  store.Undo();
  ASSERT_EQ(Text(store), "a");
  store.Redo();
  EXPECT_EQ(Text(store), "ab");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  store.Redo();
  EXPECT_EQ(Text(store), "abc");
  EXPECT_FALSE(store.CanRedo());
}

TEST(Undo, NothingOnAReadOnlyStore) {
  TMemoSource store;
  Load(store, "abc");
  Type(store, "x");
  store.Undo();
  Type(store, "y");
  store.SetReadOnly(true);
  int undo = store.UndoList().Count();
  store.Undo();
  store.Redo();
  EXPECT_EQ(Text(store), "yabc");
  EXPECT_EQ(store.UndoList().Count(), undo);
}

TEST(Undo, ReportsUndoRedoToListeners) {
  TMemoSource store;
  Load(store, "abc");
  Type(store, "x");
  test::TNotificationLog log(store);
  store.Undo();
  ASSERT_GE(log.Count(), 1);
  EXPECT_TRUE(log.Entries[0].Flags.Contains(msUndoRedo));
  EXPECT_TRUE(log.Entries[0].Flags.Contains(msTextChanged));
  EXPECT_EQ(log.Entries[0].Reason, urInsertText);
}

TEST(SavedPoint, UndoingEverythingAfterOpeningClearsModified) {
  TMemoSource store;
  Load(store, "page");
  Type(store, "word");
  ASSERT_TRUE(store.Modified());
  while (store.CanUndo()) store.Undo();
  EXPECT_FALSE(store.Modified());
}

TEST(SavedPoint, UndoingBackToTheSaveClearsModifiedAndRedoSetsIt) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soGroupUndo});
  Load(store, "page");
  Type(store, "ab");
  store.SetModified(false);  // saved
  Type(store, "cd");
  store.Undo();
  EXPECT_TRUE(store.Modified());
  store.Undo();
  EXPECT_FALSE(store.Modified());
  store.Redo();
  EXPECT_TRUE(store.Modified());
}

TEST(SavedPoint, UndoingAnEditFromBeforeTheSaveStaysModifiedUntilTheNextSave) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soGroupUndo});
  Load(store, "page");
  Type(store, "ab");
  store.SetModified(false);
  store.Undo();
  EXPECT_EQ(Text(store), "apage");
  EXPECT_TRUE(store.Modified());
  EXPECT_TRUE(store.SavedPointLost());
  store.Redo();
  EXPECT_TRUE(store.Modified());
  store.SetModified(false);
  Type(store, "c");
  store.Undo();
  EXPECT_FALSE(store.Modified());
}

TEST(SavedPoint, EditsThroughLinesLeaveNothingToUndo) {
  TMemoSource store;
  Load(store, "page");
  Type(store, "ab");
  store.Lines().SetText("other");
  EXPECT_FALSE(store.CanUndo());
  EXPECT_FALSE(store.CanRedo());
}

}  // namespace
}  // namespace quorel
