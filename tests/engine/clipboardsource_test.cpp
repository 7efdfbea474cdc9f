// The clipboard history store collects every text copied, one after another.
#include "engine/clipboardsource.h"

#include <gtest/gtest.h>

#include "platform/memoryclipboard.h"
#include "platform/services.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Text;

struct ClipboardHistory : ::testing::Test {
  platform::TMemoryClipboard clipboard;
  platform::TServices services = platform::WithDefaults({&clipboard});
};

TEST_F(ClipboardHistory, AccumulatesCopiedTexts) {
  TClipBoardSource history(services);
  EXPECT_EQ(history.FileName(), "Clipboard");
  clipboard.SetForeignText("first");
  clipboard.SetForeignText("second\r\nthird");
  EXPECT_EQ(Text(history), "first\nsecond\nthird");
  // A copy from another store of this program counts too.
  TMemoSource other(services);
  other.LoadFromBuffer("abc");
  other.SetSelection(stStream, 0, 0, 2, 0);
  other.CopyToClipboard();
  EXPECT_EQ(Text(history), "first\nsecond\nthird\nab");
}

TEST_F(ClipboardHistory, IgnoresItsOwnCopiesAndNonText) {
  TClipBoardSource history(services);
  clipboard.SetForeignText("one two");
  history.SetSelection(stStream, 0, 0, 3, 0);
  history.CopyToClipboard();
  EXPECT_EQ(clipboard.GetText(), "one");
  clipboard.SetForeignNonText();
  EXPECT_EQ(Text(history), "one two");
}

TEST_F(ClipboardHistory, StartsWithWhatTheClipboardHolds) {
  clipboard.SetForeignText("held\r\nbefore");
  TClipBoardSource history(services);
  EXPECT_EQ(Text(history), "held\nbefore");
  EXPECT_FALSE(history.Modified());
  EXPECT_FALSE(history.CanUndo());
  clipboard.SetForeignText("next");
  EXPECT_EQ(Text(history), "held\nbefore\nnext");
}

TEST_F(ClipboardHistory, KeepsItsName) {
  TClipBoardSource history(services);
  history.SetFileName("other.txt");
  EXPECT_EQ(history.FileName(), "Clipboard");
}

TEST_F(ClipboardHistory, LeavesTheWatchWhenDestroyed) {
  {
    TClipBoardSource history(services);
    EXPECT_EQ(clipboard.WatcherCount(), 1);
  }
  EXPECT_EQ(clipboard.WatcherCount(), 0);
  clipboard.SetForeignText("after");  // must not reach a destroyed store
}

TEST_F(ClipboardHistory, EachAdditionIsOneUndoStep) {
  TClipBoardSource history(services);
  clipboard.SetForeignText("a");
  clipboard.SetForeignText("b\nc");
  const TUndoList& undo = history.UndoList();
  int firsts = 0;
  for (int i = 0; i < undo.Count(); ++i) firsts += undo[i].First;
  EXPECT_EQ(firsts, 2);
}

}  // namespace
}  // namespace quorel
