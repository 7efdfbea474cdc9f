// The update bracket: one notification per outermost update, with the accumulated flags and range.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "engine/vrelerror.h"
#include "platform/services.h"
#include "support/scripteddialogs.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::TNotificationLog;

TEST(Notification, NestedUpdatesNotifyOnceWithEverything) {
  TMemoSource store;
  Load(store, "a\nb\nc\nd");
  store.SetModified(false);
  TNotificationLog log(store);
  {
    TUpdateGuard outer(store, urEnter);
    store.SetCaretPos(1, 1);
    store.InsertText("x");
    {
      TUpdateGuard inner(store, urInsertText);
      store.SetCaretPos(0, 3);
      store.SplitLine();
    }
    EXPECT_EQ(log.Count(), 0);
  }
  ASSERT_EQ(log.Count(), 1);
  TMemoStates f = log.Last().Flags;
  EXPECT_TRUE(f.Contains(msTextChanged));
  EXPECT_TRUE(f.Contains(msCaretMoved));
  EXPECT_TRUE(f.Contains(msLineCountChanged));
  EXPECT_TRUE(f.Contains(msModifiedChanged));
  EXPECT_FALSE(f.Contains(msUndoRedo));
  EXPECT_EQ(log.Last().First, 1);
  EXPECT_EQ(log.Last().Last, MaxInt);
  EXPECT_EQ(log.Last().Reason, urEnter);
}

TEST(Notification, EveryListenerIsToldOnce) {
  TMemoSource store;
  Load(store, "abc");
  TNotificationLog first(store), second(store);
  store.SetCaretPos(1, 0);
  store.InsertText("x");
  EXPECT_EQ(first.Count(), 2);
  EXPECT_EQ(second.Count(), 2);
  EXPECT_EQ(first.Entries[1].First, 0);
  EXPECT_EQ(first.Entries[1].Last, 0);  // the end state did not change: only this line
}

TEST(Notification, NothingChangedMeansNoNotification) {
  TMemoSource store;
  Load(store, "abc");
  TNotificationLog log(store);
  store.MoveCaret(0, 0);
  { TUpdateGuard update(store, urCaretMove); }
  store.DeleteChars(0);
  EXPECT_EQ(log.Count(), 0);
}

TEST(Notification, InitialListenerGetsAFullUpdate) {
  TMemoSource store;
  Load(store, "abc\ndef");
  std::vector<TMemoStates> seen;
  int owner = 0;
  store.AddListener([&](TCustomMemoSource& s, int, int) { seen.push_back(s.ChangeFlags()); },
                    &owner, true);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Bits() & msAll.Bits(), msAll.Bits());
  EXPECT_FALSE(seen[0].Contains(msTextChanged));  // attaching changes no text...
  EXPECT_FALSE(store.Modified());                 // ...so the document stays unmodified
  store.RemoveListener(&owner);
  store.InsertText("x");
  EXPECT_EQ(seen.size(), 1u);
}

TEST(Notification, ListenerMayEditTheStore) {
  TMemoSource store;
  Load(store, "abc");
  int calls = 0;
  int owner = 0;
  store.AddListener(
      [&](TCustomMemoSource& s, int, int) {
        // The first change makes the listener add a line end marker once.
        if (++calls == 1) {
          TUpdateGuard update(s, urInsertText);
          s.SetCaretPos(s.LineLength(0), 0);
          s.InsertText(";");
        }
      },
      &owner, false);
  TNotificationLog log(store);
  store.InsertText("x");
  EXPECT_EQ(test::Text(store), "xabc;");
  EXPECT_EQ(calls, 2);  // the edit, then the listener's own edit
  // The second listener saw both updates, each with its own flags.
  ASSERT_EQ(log.Count(), 2);
  for (auto& e : log.Entries) EXPECT_TRUE(e.Flags.Contains(msTextChanged));
  store.RemoveListener(&owner);
}

TEST(Notification, DestroyedStoreTellsItsListeners) {
  bool told = false;
  int owner = 0;
  {
    TMemoSource store;
    store.AddListener([](TCustomMemoSource&, int, int) {}, &owner, false,
                      [&](TCustomMemoSource&) { told = true; });
  }
  EXPECT_TRUE(told);
}

TEST(Notification, FlagsForStateChanges) {
  TMemoSource store;
  Load(store, "abc\ndef");
  TNotificationLog log(store);
  store.SetReadOnly(true);
  EXPECT_TRUE(log.Last().Flags.Contains(msReadOnlyChanged));
  EXPECT_EQ(log.Last().Reason, urReadOnly);
  store.SetFileName("x.html");
  EXPECT_TRUE(log.Last().Flags.Contains(msFileNameChanged));
  EXPECT_EQ(store.FileName(), "x.html");
  store.SetLineImage(1, 2);
  EXPECT_TRUE(log.Last().Flags.Contains(msRepaint));
  EXPECT_EQ(log.Last().First, 1);
  store.SetMatchRect({0, 1, 2, 1});
  EXPECT_TRUE(log.Last().Flags.Contains(msMatchChanged));
  store.SetModified(true);
  EXPECT_TRUE(log.Last().Flags.Contains(msModifiedChanged));
  int count = log.Count();
  store.SetModified(true);  // no change: no notification
  EXPECT_EQ(log.Count(), count);
}

TEST(Notification, TransientLineImageGoesAwayAtTheNextUpdate) {
  TMemoSource store;
  Load(store, "abc\ndef");
  store.SetLineImage(1, 1);
  store.SetTransientLineImage(1, 7);
  EXPECT_EQ(store.LineRecord(1)->ImageIndex, 7);
  store.MoveCaret(0, 1);
  EXPECT_EQ(store.LineRecord(1)->ImageIndex, 1);
}

TEST(Notification, OverwriteModeIsSharedByAllStores) {
  TMemoSource a, b;
  test::TNotificationLog logA(a), logB(b);
  TCustomMemoSource::SetOverwriteMode(true);
  EXPECT_TRUE(TCustomMemoSource::OverwriteMode());
  ASSERT_EQ(logA.Count(), 1);
  ASSERT_EQ(logB.Count(), 1);
  EXPECT_TRUE(logA.Last().Flags.Contains(msOverwriteChanged));
  EXPECT_EQ(logB.Last().Reason, urInsertMode);
  TCustomMemoSource::SetOverwriteMode(false);
  EXPECT_EQ(logA.Count(), 2);
}

TEST(Notification, LoadedStartsClean) {
  TMemoSource store;
  store.Lines().SetText("from the window\ndescription");
  store.SetCaretPos(3, 1);
  store.InsertText("x");
  store.Loaded();
  EXPECT_FALSE(store.Modified());
  EXPECT_FALSE(store.CanUndo());
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
}

TEST(Notification, StoresAreFoundByFileNameIgnoringCase) {
  TMemoSource a, b;
  a.SetFileName("/docs/Page.HTML");
  EXPECT_EQ(TCustomMemoSource::FindByFileName("/docs/page.html"), &a);
  EXPECT_EQ(TCustomMemoSource::FindByFileName("/docs/other.html"), nullptr);
  EXPECT_GE(TCustomMemoSource::StoreCount(), 2);
}

TEST(GotoLine, AsksWithTheCurrentLineAndGoesThere) {
  test::TScriptedDialogs dialogs;
  TMemoSource store{platform::WithDefaults({nullptr, &dialogs, nullptr})};
  Load(store, "a\nb\nc\nd");
  store.SetCaretPos(1, 1);
  dialogs.Answer(true, "4");
  store.GotoLineDialog();
  ASSERT_EQ(dialogs.Asked().size(), 1u);
  EXPECT_EQ(dialogs.Asked()[0].Caption, "Go to line Number");
  EXPECT_EQ(dialogs.Asked()[0].Prompt, "&Enter new line number:");
  EXPECT_EQ(dialogs.Asked()[0].Value, "2");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 3}));

  dialogs.Answer(false);
  store.GotoLineDialog();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 3}));

  dialogs.Answer(true, "99");  // past the end: the last line
  store.GotoLineDialog();
  EXPECT_EQ(store.CaretY(), 3);

  dialogs.Answer(true, "two");
  EXPECT_THROW(store.GotoLineDialog(), EVrelError);
  EXPECT_EQ(store.CaretY(), 3);
}

TEST(GotoLine, CreateDialogEventMayChangeTheDialog) {
  test::TScriptedDialogs dialogs;
  TMemoSource store{platform::WithDefaults({nullptr, &dialogs, nullptr})};
  Load(store, "a\nb");
  store.OnCreateDialog = [](TCustomMemoSource&, TStoreDialog& d) { d.Caption = "Jump"; };
  dialogs.Answer(true, "2");
  store.GotoLineDialog();
  EXPECT_EQ(dialogs.Asked()[0].Caption, "Jump");
  EXPECT_EQ(store.CaretY(), 1);
}

}  // namespace
}  // namespace quorel
