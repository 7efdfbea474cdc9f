// The undo records each primitive writes, undo groups, the saved point and trimming.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;

std::string Kinds(const TUndoList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) out += static_cast<char>('0' + list[i].Kind);
  return out;
}

TEST(UndoRecords, TypingACharacterWritesInsertThenCaretMove) {
  TMemoSource store;
  Load(store, "ab");
  {
    TUpdateGuard update(store, urInsertText);
    store.InsertText("x");
    store.MoveCaret(0, 1);
  }
  const TUndoList& undo = store.UndoList();
  ASSERT_EQ(Kinds(undo), "10");
  EXPECT_EQ(undo[0].A, 1);
  EXPECT_EQ(undo[0].First, 1);
  EXPECT_EQ(undo[0].Reason, urInsertText);
  EXPECT_EQ(undo[1].A, 0);
  EXPECT_EQ(undo[1].B, 1);
  EXPECT_EQ(undo[1].First, 0);
  EXPECT_EQ(undo[1].Reason, urInsertText);
}

TEST(UndoRecords, EachPrimitiveWritesItsKind) {
  TMemoSource store;
  Load(store, "abcdef\nxyz");
  store.SetCaretPos(3, 0);  // 0
  store.DeleteChars(2);     // 4
  store.SplitLine();        // 2
  store.JoinLines();        // 3
  const TUndoList& undo = store.UndoList();
  EXPECT_EQ(Kinds(undo), "0423");
  EXPECT_EQ(undo[1].DeletedText, "de");
  EXPECT_EQ(undo[1].Reason, urDeleteChars);
  EXPECT_EQ(undo[2].Reason, urSplitLine);
  EXPECT_EQ(undo[3].Reason, urJoinLines);
  for (int i = 0; i < undo.Count(); ++i) EXPECT_EQ(undo[i].First, 1) << i;
}

TEST(UndoRecords, GroupsMarkTheirRecordsAndCloseWithAnEmptyMove) {
  TMemoSource store;
  Load(store, "abc");
  store.BeginUndoGroup();
  store.BeginUndoGroup();
  store.InsertText("x");
  store.EndUndoGroup();
  store.DeleteChars(1);
  store.EndUndoGroup();
  const TUndoList& undo = store.UndoList();
  ASSERT_EQ(Kinds(undo), "140");
  EXPECT_EQ(undo[0].InGroup, 1);
  EXPECT_EQ(undo[1].InGroup, 1);
  EXPECT_EQ(undo[2].InGroup, 0);
  EXPECT_EQ(undo[2].A, 0);
  EXPECT_EQ(undo[2].B, 0);

  store.BeginUndoGroup();  // a group that records nothing leaves nothing
  store.EndUndoGroup();
  EXPECT_EQ(undo.Count(), 3);
}

TEST(UndoRecords, NothingWithoutAllowUndo) {
  TMemoSource store;
  Load(store, "abc");
  store.InsertText("x");
  ASSERT_TRUE(store.CanUndo());
  store.SetAllowUndo(false);
  EXPECT_FALSE(store.CanUndo());
  EXPECT_FALSE(store.CanRedo());
  store.InsertText("y");
  store.SplitLine();
  EXPECT_FALSE(store.CanUndo());
  store.SetAllowUndo(true);
  EXPECT_FALSE(store.CanUndo());
}

TEST(UndoRecords, LimitTrimsOnlyPastAHundredExtra) {
  TMemoSource store;
  Load(store, "abc");
  store.SetUndoLimit(10);
  for (int i = 0; i < 111; ++i) store.SetCaretPos(i % 2 == 0 ? 1 : 0, 0);
  EXPECT_EQ(store.UndoList().Count(), 111);
  store.SetCaretPos(5, 0);  // past 110 records: trimmed to the limit first, then added
  EXPECT_EQ(store.UndoList().Count(), 11);
  for (int i = 0; i < 50; ++i) store.SetCaretPos(i % 2 == 0 ? 1 : 0, 0);
  EXPECT_EQ(store.UndoList().Count(), 61);
}

TEST(UndoRecords, TrimmingNeverSplitsAGroup) {
  TMemoSource store;
  Load(store, "abc");
  store.SetUndoLimit(10);
  for (int i = 0; i < 96; ++i) store.SetCaretPos(i % 2 == 0 ? 1 : 0, 0);
  store.BeginUndoGroup();
  for (int i = 0; i < 20; ++i) store.SetCaretPos(i % 2 + 2, 0);
  store.EndUndoGroup();
  // Every remaining grouped record still has its whole group before the closing record.
  const TUndoList& undo = store.UndoList();
  ASSERT_GT(undo.Count(), 0);
  EXPECT_EQ(undo[0].InGroup, 1);
  int grouped = 0;
  for (int i = 0; i < undo.Count(); ++i) grouped += undo[i].InGroup;
  EXPECT_EQ(grouped, 20);
}

TEST(UndoRecords, ListHalvesItsCapacityWhenMostlyEmpty) {
  TUndoList list;
  for (int i = 0; i < 1000; ++i) list.Add().A = i;
  size_t full = list.Capacity();
  ASSERT_GE(full, 1000u);
  while (static_cast<size_t>(list.Count()) >= full / 4) list.RemoveLast();
  EXPECT_LE(list.Capacity(), full / 2);
  EXPECT_GE(list.Capacity(), static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list[i].A, i);
  list.RemoveFirst(10);
  EXPECT_EQ(list[0].A, 10);
}

TEST(ModifiedState, SavedPointIsTheLastTextRecord) {
  TMemoSource store;
  Load(store, "abc");
  EXPECT_FALSE(store.Modified());
  store.InsertText("x");
  store.MoveCaret(0, 1);
  EXPECT_TRUE(store.Modified());
  store.SetModified(false);
  EXPECT_EQ(store.SavedPoint(), 0);  // the insert, not the caret move after it
  EXPECT_FALSE(store.SavedPointLost());
  store.SetModified(true);
  EXPECT_TRUE(store.SavedPointLost());
}

TEST(ModifiedState, TrimmingPastTheSavedPointLosesIt) {
  TMemoSource store;
  Load(store, "abc");
  store.SetUndoLimit(5);
  store.InsertText("x");
  store.SetModified(false);
  ASSERT_EQ(store.SavedPoint(), 0);
  for (int i = 0; i < 120; ++i) {
    store.SetCaretPos(0, 0);
    store.InsertText("y");
  }
  EXPECT_EQ(store.SavedPoint(), -1);
  EXPECT_TRUE(store.SavedPointLost());
}

TEST(ModifiedState, EditsThroughLinesCannotBeTakenBackByHistory) {
  TMemoSource store;
  Load(store, "abc");
  store.Lines().Put(0, "changed");
  EXPECT_TRUE(store.Modified());
  EXPECT_FALSE(store.CanUndo());
  // Without history, only a save can say the text matches the file again.
  EXPECT_TRUE(store.SavedPointLost());
}

}  // namespace
}  // namespace quorel
