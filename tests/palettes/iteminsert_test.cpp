// Where an item lands and where the caret ends: between paired tags, between the quotes of an
// empty attribute (inside a tag just typed), after anything else; never walking past the text.
#include "palettes/iteminsert.h"

#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

// A view's part in insertion, done on a store as the view does it.
class TStoreTarget : public IItemTarget {
 public:
  explicit TStoreTarget(TMemoSource& store) : store_(store) {}
  bool Visible() const override { return visible; }
  void InsertText(const std::string& text) override {
    TUpdateGuard update(store_, urReplaceSelection);
    store_.DeleteSelection();
    store_.InsertTextKeepSelection(text);
    store_.SetSelectionType(stNone);
  }
  void CaretLeft() override { store_.CaretLeft(); }
  void CaretRight() override { store_.CaretRight(); }
  void SelectCharLeft() override { store_.SelectCharLeft(); }
  std::string SelectedText() const override { return store_.SelectedText(); }
  int CaretColumn() const override { return store_.CaretX(); }
  void Focus() override { ++focused; }
  void BeginUndoGroup() override { store_.BeginUndoGroup(); }
  void EndUndoGroup() override { store_.EndUndoGroup(); }
  bool visible = true;
  int focused = 0;

 private:
  TMemoSource& store_;
};

struct ItemInsertion : ::testing::Test {
  TMemoSource store;
  TStoreTarget target{store};
  void SetUp() override { store.SetOptions({soGroupUndo, soOverwriteBlocks}); }
  void Start(const std::string& text, int x, int y = 0) {
    test::Load(store, text);
    store.SetCaretPos(x, y);
    store.ClearUndo();
  }
  std::string Text() const { return test::Text(store); }
  std::string Around() const {
    std::string line = store.RawLine(store.CaretY());
    size_t x = static_cast<size_t>(store.CaretX());
    return line.substr(0, x) + "|" + line.substr(x);
  }
};

TEST_F(ItemInsertion, CaptionKinds) {
  EXPECT_EQ(KindOfCaption("<B></B>"), ikPairedTag);
  EXPECT_EQ(KindOfCaption("<A HREF=\"\"></A>"), ikPairedTag);
  EXPECT_EQ(KindOfCaption("<BR>"), ikSingleTag);
  EXPECT_EQ(KindOfCaption("<IMG SRC=\"\">"), ikSingleTag);
  EXPECT_EQ(KindOfCaption("Name=\"\""), ikEmptyAttribute);
  EXPECT_EQ(KindOfCaption("Width=\"100%\""), ikPlainText);
  EXPECT_EQ(KindOfCaption("Border=0"), ikPlainText);
  EXPECT_EQ(KindOfCaption("Aqua"), ikPlainText);
  EXPECT_EQ(KindOfCaption(""), ikPlainText);
}

TEST_F(ItemInsertion, APairedTagLeavesTheCaretBetweenItsTags) {
  Start("", 0);
  InsertItem(target, "<TABLE></TABLE>");
  EXPECT_EQ(Around(), "<TABLE>|</TABLE>");
  Start("<p>x</p>", 4);
  InsertItem(target, "<A HREF=\"\"></A>");
  EXPECT_EQ(Around(), "<p>x<A HREF=\"\">|</A></p>");
  EXPECT_TRUE(store.SelectedText().empty());
  // One undo takes back the text and the caret's walk together.
  store.Undo();
  EXPECT_EQ(Text(), "<p>x</p>");
  EXPECT_EQ(store.CaretX(), 4);
}

TEST_F(ItemInsertion, AWalkWithoutAClosingBracketStopsAtTheTextsStart) {
  Start(">> ", 3);
  InsertItem(target, "a<b");
  EXPECT_EQ(Around(), ">> |a<b");
  Start("", 0);
  InsertItem(target, "x<é");
  EXPECT_EQ(Around(), "|x<é");
}

TEST_F(ItemInsertion, AnEmptyAttributeGoesBetweenItsQuotesAndInsideATagJustTyped) {
  Start("<BODY>", 6);
  InsertItem(target, "BGColor=\"\"");
  EXPECT_EQ(Around(), "<BODY BGColor=\"|\">");
  store.Undo();
  EXPECT_EQ(Around(), "<BODY>|");
  Start("<BODY> text", 8);
  InsertItem(target, "BGColor=\"\"");
  EXPECT_EQ(Around(), "<BODY> tBGColor=\"|\"ext");
  Start("", 0);
  InsertItem(target, "Name=\"\"");
  EXPECT_EQ(Around(), "Name=\"|\"");
}

TEST_F(ItemInsertion, OtherEntriesLeaveTheCaretAfterThem) {
  Start("<TABLE >", 7);
  InsertItem(target, "Width=\"100%\"");
  EXPECT_EQ(Around(), "<TABLE Width=\"100%\"|>");
  Start("", 0);
  InsertItem(target, "<IMG SRC=\"\">");
  EXPECT_EQ(Around(), "<IMG SRC=\"\">|");
  EXPECT_GT(target.focused, 0);
}

TEST_F(ItemInsertion, ASelectionIsReplaced) {
  Start("<p>old</p>", 6);
  store.SetSelection(stStream, 3, 0, 6, 0);
  InsertItem(target, "<B></B>");
  EXPECT_EQ(Around(), "<p><B>|</B></p>");
}

TEST_F(ItemInsertion, CharBeforeCaretMovesNothing) {
  Start("ab", 0);
  EXPECT_EQ(CharBeforeCaret(target), "");
  store.SetCaretPos(2, 0);
  EXPECT_EQ(CharBeforeCaret(target), "b");
  EXPECT_EQ(store.CaretX(), 2);
  EXPECT_TRUE(store.SelectedText().empty());
  Start("\xC3\xA9", 1);
  ASSERT_TRUE(store.IsUtf8());
  EXPECT_EQ(CharBeforeCaret(target), "\xC3\xA9");
}

TEST_F(ItemInsertion, SnippetsGoOnlyIntoAVisibleView) {
  Start("", 0);
  target.visible = false;
  InsertSnippet(target, "<SCRIPT>\r\n</SCRIPT>\r\n");
  EXPECT_EQ(Text(), "");
  target.visible = true;
  InsertSnippet(target, "<SCRIPT>\r\n</SCRIPT>\r\n");
  EXPECT_EQ(Text(), "<SCRIPT>\n</SCRIPT>\n");
  EXPECT_EQ(store.CaretY(), 2);
}

}  // namespace
}  // namespace quorel
