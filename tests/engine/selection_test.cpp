// Selection kinds, the rules of BlockOption and when a selection disappears.
#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "platform/memoryclipboard.h"
#include "platform/services.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;

TEST(Selection, BlockOptionDecidesTheKind) {
  TMemoSource store;
  Load(store, "abc\ndef");
  store.SetBlockOption(bkStreamSel);
  store.SetSelection(stBlock, 0, 0, 1, 1);
  EXPECT_EQ(store.SelectionType(), stStream);
  store.SetBlockOption(bkBlockSel);  // converts the existing selection
  EXPECT_EQ(store.SelectionType(), stBlock);
  store.SetSelection(stStream, 0, 0, 1, 1);
  EXPECT_EQ(store.SelectionType(), stBlock);
  store.SetBlockOption(bkStreamSel);
  EXPECT_EQ(store.SelectionType(), stStream);
  store.SetBlockOption(bkNone);
  EXPECT_EQ(store.SelectionType(), stNone);
  store.SetSelection(stStream, 0, 0, 1, 1);
  EXPECT_EQ(store.SelectionType(), stNone);
}

TEST(Selection, EventMayChangeTheKindAfterBlockOption) {
  TMemoSource store;
  Load(store, "abc\ndef");
  store.SetBlockOption(bkStreamSel);
  store.OnGetSelectionType = [](TCustomMemoSource&, TSelectionType& t) {
    if (t == stStream) t = stBlock;
  };
  store.SetSelection(stStream, 0, 0, 1, 1);
  EXPECT_EQ(store.SelectionType(), stBlock);
}

TEST(Selection, EmptySelectionsRevertToNone) {
  TMemoSource store;
  Load(store, "abc\ndef");
  store.SetSelection(stStream, 2, 0, 2, 0);
  EXPECT_EQ(store.SelectionType(), stNone);
  store.SetSelection(stStream, 2, 1, 0, 0);
  EXPECT_EQ(store.SelectionType(), stNone);
  store.SetSelection(stBlock, 2, 0, 1, 1);  // Right < Left
  EXPECT_EQ(store.SelectionType(), stNone);
  store.SetSelection(stBlock, 2, 0, 2, 0);  // one column wide: not empty
  EXPECT_EQ(store.SelectionType(), stBlock);
}

TEST(Selection, CaretMoveDropsItUnlessPersistent) {
  TMemoSource store;
  Load(store, "abc\ndef");
  store.SetSelection(stStream, 0, 0, 2, 0);
  store.MoveCaret(1, 0);
  EXPECT_EQ(store.SelectionType(), stNone);

  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  store.SetSelection(stStream, 0, 0, 2, 0);
  store.MoveCaret(-1, 0);
  EXPECT_EQ(store.SelectionType(), stStream);
}

TEST(Selection, HeldKeepSelectionSurvivesCaretMoves) {
  TMemoSource store;
  Load(store, "abc\ndef");
  store.SetSelection(stStream, 0, 0, 2, 0);
  store.HoldKeepSelection();
  store.MoveCaret(1, 2);
  store.ReleaseKeepSelection();
  EXPECT_EQ(store.SelectionType(), stStream);
}

TEST(Selection, SelectedPartsOfLines) {
  TMemoSource store;
  Load(store, "line zero\nline one\nline two");
  store.SetSelection(stStream, 2, 0, 3, 2);
  EXPECT_EQ(store.SelectedLines(), (std::vector<std::string>{"ne zero", "line one", "lin"}));
  EXPECT_EQ(store.SelectedText(), "ne zero\r\nline one\r\nlin");
  store.SetSelection(stBlock, 5, 0, 11, 1);
  EXPECT_EQ(store.SelectedLines(), (std::vector<std::string>{"zero   ", "one    "}));
}

TEST(Selection, CopyPutsSelectedTextOnTheClipboard) {
  platform::TMemoryClipboard clipboard;
  TMemoSource store{platform::WithDefaults({&clipboard, nullptr, nullptr})};
  Load(store, "abcdef\nghijkl\nmnopqr");
  store.CopyToClipboard();  // nothing selected: the clipboard stays as it is
  EXPECT_FALSE(clipboard.HasText());
  store.SetSelection(stStream, 2, 0, 3, 2);
  store.CopyToClipboard();
  EXPECT_EQ(clipboard.GetText(), "cdef\r\nghijkl\r\nmno");
  EXPECT_FALSE(ClipboardIsBlock());
  store.SetSelection(stBlock, 1, 0, 2, 1);
  store.CopyToClipboard();
  EXPECT_EQ(clipboard.GetText(), "bc\r\nhi");
  EXPECT_TRUE(ClipboardIsBlock());
}

}  // namespace
}  // namespace quorel
