// Deleting, cutting, copying, pasting, moving and transforming selections: each undone and redone.
#include <gtest/gtest.h>

#include <functional>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "platform/memoryclipboard.h"
#include "platform/services.h"
#include "support/storehelpers.h"
#include "support/testparser.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

struct BlockOps : ::testing::Test {
  platform::TMemoryClipboard clipboard;
  TMemoSource store{platform::WithDefaults({&clipboard, nullptr, nullptr})};
  // One undo per command: without grouping, repeating a command does not merge the steps.
  void SetUp() override { store.SetOptions(store.Options() - TStringsOptions{soGroupUndo}); }

  // Runs one command; it must undo to the text before it in one step and redo to the text after.
  std::string Checked(const std::function<void()>& command) {
    std::string before = Text(store);
    TPoint caretBefore = store.CaretPos();
    command();
    std::string after = Text(store);
    if (after == before) return after;
    store.Undo();
    EXPECT_EQ(Text(store), before) << "undo";
    EXPECT_EQ(store.CaretPos(), caretBefore) << "undo puts the caret back";
    store.Redo();
    EXPECT_EQ(Text(store), after) << "redo";
    return after;
  }
};

TEST_F(BlockOps, DeleteStreamAcrossLines) {
  Load(store, "line zero\nline one\nline two\nline three");
  store.SetSelection(stStream, 2, 0, 3, 2);
  EXPECT_EQ(Checked([&] { store.DeleteSelection(); }), "lie two\nline three");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  EXPECT_EQ(store.SelectionType(), stNone);
}

TEST_F(BlockOps, DeleteStreamOnOneLineKeepsTheCaretShifted) {
  Load(store, "abcdefgh");
  store.SetSelection(stStream, 2, 0, 5, 0);
  store.HoldKeepSelection();
  store.SetCaretPos(7, 0);
  store.ReleaseKeepSelection();
  EXPECT_EQ(Checked([&] { store.DeleteSelection(); }), "abfgh");
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
}

TEST_F(BlockOps, DeleteStreamEndingAtColumnZeroJoinsTheLines) {
  Load(store, "one\ntwo\nthree");
  store.SetCaretPos(0, 1);
  store.SelectLine();
  EXPECT_EQ(Checked([&] { store.DeleteSelection(); }), "one\nthree");
}

TEST_F(BlockOps, DeleteBlockShortensOnlyLongEnoughLines) {
  Load(store, "abcdefgh\nab\n\nabcdefgh");
  store.SetSelection(stBlock, 3, 0, 5, 3);
  EXPECT_EQ(Checked([&] { store.DeleteSelection(); }), "abcgh\nab\n\nabcgh");
}

TEST_F(BlockOps, DeleteBlockAcrossTabsSplitsThem) {
  store.SetOptions({soUseTabCharacter, soGroupUndo});
  Load(store, "a\tb\nabcdefghijk");  // the tab spans columns 1..9
  store.SetSelection(stBlock, 4, 0, 5, 1);
  Checked([&] { store.DeleteSelection(); });
  // The tab is split at the block's edge; the deleted columns take the rest of the tab with them.
  EXPECT_EQ(store.Line(0), "a   b");
  EXPECT_EQ(store.RawLine(1), "abcdghijk");
}

TEST_F(BlockOps, CopyOfAStreamSelection) {
  Load(store, "abcdef\nghijkl\nmnopqr");
  store.SetSelection(stStream, 2, 0, 3, 2);
  store.CopyToClipboard();
  EXPECT_EQ(clipboard.GetText(), "cdef\r\nghijkl\r\nmno");
  EXPECT_EQ(store.SelectionStrings().Count(), 3);
  EXPECT_EQ(store.SelectionStrings()[1], "ghijkl");
  EXPECT_EQ(Text(store), "abcdef\nghijkl\nmnopqr");
}

TEST_F(BlockOps, CutIsCopyThenDeleteInOneStep) {
  Load(store, "abcdef\nghijkl");
  store.SetSelection(stStream, 4, 0, 2, 1);
  EXPECT_EQ(Checked([&] { store.CutToClipboard(); }), "abcdijkl");
  EXPECT_EQ(clipboard.GetText(), "ef\r\ngh");
  clipboard.SetText("unchanged");
  store.CutToClipboard();  // no selection: nothing happens
  EXPECT_EQ(clipboard.GetText(), "unchanged");
}

TEST_F(BlockOps, PasteStreamOfSeveralLines) {
  Load(store, "start end");
  store.SetCaretPos(6, 0);
  clipboard.SetForeignText("one\r\ntwo\r\nthree ");
  EXPECT_EQ(Checked([&] { store.PasteFromClipboard(); }), "start one\ntwo\nthree end");
  EXPECT_EQ(store.CaretPos(), (TPoint{6, 2}));
  EXPECT_EQ(store.SelectionType(), stNone);
}

TEST_F(BlockOps, PasteKeepsAFinalLineBreak) {
  Load(store, "ab");
  store.SetCaretPos(1, 0);
  clipboard.SetForeignText("x\n");
  EXPECT_EQ(Checked([&] { store.PasteFromClipboard(); }), "ax\nb");
}

TEST_F(BlockOps, PasteOfABlockGoesDownOneColumnAndAppendsLines) {
  Load(store, "0123456789\nab\n0123456789");
  store.SetSelection(stBlock, 2, 0, 4, 2);
  store.CopyToClipboard();
  ASSERT_EQ(clipboard.GetText(), "234\r\n   \r\n234");
  store.SetSelection(stNone, 0, 0, 0, 0);
  store.SetCaretPos(8, 1);
  Checked([&] { store.PasteFromClipboard(); });
  EXPECT_EQ(Text(store), "0123456789\nab      234\n01234567   89\n        234");
  EXPECT_EQ(store.SelectionType(), stNone);
}

TEST_F(BlockOps, PastedBlockStaysSelectedOnlyWithPersistentBlocks) {
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  Load(store, "aaaa\nbbbb\ncccc");
  store.SetSelection(stBlock, 0, 0, 1, 1);
  store.CopyToClipboard();
  store.SetCaretPos(2, 1);
  store.PasteFromClipboard();
  EXPECT_EQ(store.SelectionType(), stBlock);
  EXPECT_EQ(store.SelectionRect(), (TRect{2, 1, 3, 2}));
}

TEST_F(BlockOps, TextFromAnotherProgramIsNeverABlock) {
  Load(store, "aaaa\nbbbb");
  store.SetSelection(stBlock, 0, 0, 1, 1);
  store.CopyToClipboard();
  ASSERT_TRUE(ClipboardIsBlock());
  clipboard.SetForeignText("x\ny");
  store.SetCaretPos(2, 0);
  store.PasteFromClipboard();
  EXPECT_FALSE(ClipboardIsBlock());
  EXPECT_EQ(Text(store), "aax\nyaa\nbbbb");
}

TEST_F(BlockOps, OneLineFromAOneLineBlockMovesTheCaretDown) {
  Load(store, "abcd\nefgh\nijkl");
  store.SetSelection(stBlock, 1, 0, 2, 0);
  store.CopyToClipboard();
  store.SetCaretPos(0, 1);
  store.PasteFromClipboard();
  EXPECT_EQ(Text(store), "abcd\nbcefgh\nijkl");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 2}));
  // The same text pasted as a stream leaves the caret after it.
  clipboard.SetForeignText("bc");
  store.PasteFromClipboard();
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 2}));
}

TEST_F(BlockOps, PasteReplacesTheSelectionWithOverwriteBlocks) {
  Load(store, "hello world");
  store.SetCaretPos(6, 0);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, 5); });
  clipboard.SetForeignText("there");
  EXPECT_EQ(Checked([&] { store.PasteFromClipboard(); }), "hello there");
}

TEST_F(BlockOps, PasteEventMayChangeTheLinesAndTabsBecomeSpaces) {
  store.SetSpacesInTab(2);
  Load(store, "");
  store.OnPasteFromClipboard = [](TCustomMemoSource&, TStrings& lines) { lines.Add("added"); };
  clipboard.SetForeignText("a\tb");
  store.PasteFromClipboard();
  EXPECT_EQ(Text(store), "a  b\nadded");
}

TEST_F(BlockOps, MoveAndCopyBlocks) {
  Load(store, "one two three");
  store.SetSelection(stStream, 4, 0, 8, 0);
  store.SetCaretPos(5, 0);  // inside: nothing
  EXPECT_FALSE(store.MoveBlock());
  EXPECT_EQ(Text(store), "one two three");

  store.SetSelection(stStream, 4, 0, 8, 0);
  store.HoldKeepSelection();
  store.SetCaretPos(13, 0);
  store.ReleaseKeepSelection();
  EXPECT_EQ(Checked([&] { EXPECT_TRUE(store.MoveBlock()); }), "one threetwo ");

  store.SetSelection(stStream, 0, 0, 3, 0);
  store.HoldKeepSelection();
  store.SetCaretPos(4, 0);
  store.ReleaseKeepSelection();
  EXPECT_EQ(Checked([&] { EXPECT_TRUE(store.CopyBlock()); }), "one onethreetwo ");
}

TEST_F(BlockOps, MoveAColumnBlock) {
  Load(store, "ab12\ncd34\nef");
  store.SetSelection(stBlock, 2, 0, 3, 1);
  store.HoldKeepSelection();
  store.SetCaretPos(0, 2);
  store.ReleaseKeepSelection();
  EXPECT_EQ(Checked([&] { store.MoveBlock(); }), "ab\ncd\n12ef\n34");
}

TEST_F(BlockOps, CopySelectionToTheCaret) {
  Load(store, "abc\nxyz");
  store.SetSelection(stStream, 0, 0, 2, 0);
  store.HoldKeepSelection();
  store.SetCaretPos(3, 1);
  store.ReleaseKeepSelection();
  EXPECT_EQ(Checked([&] { store.CopySelectionToCaret(); }), "abc\nxyzab");
}

TEST_F(BlockOps, CaseTransforms) {
  Load(store, "Ab1 hello wORLD");
  store.SetSelection(stStream, 0, 0, 3, 0);
  Checked([&] {
    store.TransformSelection(urToggleCaseSelection, true, tkToggleCase);
    EXPECT_EQ(store.SelectionType(), stStream);  // the transformed text stays selected
  });
  EXPECT_EQ(Text(store), "aB1 hello wORLD");
  store.SetSelection(stStream, 4, 0, 15, 0);
  Checked([&] { store.TransformSelection(urCapitalizeSelection, true, tkCapitalise); });
  EXPECT_EQ(Text(store), "aB1 Hello World");
  store.SetSelection(stStream, 0, 0, 15, 0);
  Checked([&] { store.TransformSelection(urUpperCaseSelection, true, tkUpperCase); });
  EXPECT_EQ(Text(store), "AB1 HELLO WORLD");
  store.SetSelection(stStream, 0, 0, 15, 0);
  Checked([&] { store.TransformSelection(urLowerCaseSelection, true, tkLowerCase); });
  EXPECT_EQ(Text(store), "ab1 hello world");
}

TEST_F(BlockOps, CaseOfWindows1252Letters) {
  Load(store, "\xe9t\xe9 \x9a\xff");
  store.SetSelection(stStream, 0, 0, 6, 0);
  store.TransformSelection(urUpperCaseSelection, true, tkUpperCase);
  EXPECT_EQ(Text(store), "\xc9T\xc9 \x8a\x9f");
}

TEST_F(BlockOps, IndentUnindentAndQuoteWholeLines) {
  Load(store, "a\n\n b\n  c");
  auto selectLines = [&](int first, int last) {
    store.SetSelection(stStream, 0, first, store.LineLength(last), last);
  };
  store.SetBlockIndent(2);
  selectLines(0, 3);
  Checked([&] { store.TransformSelection(urBlockIndent, true, tkIndent); });
  EXPECT_EQ(Text(store), "  a\n\n   b\n    c");
  selectLines(0, 3);
  Checked([&] { store.TransformSelection(urBlockUnindent, true, tkUnindent); });
  EXPECT_EQ(Text(store), "a\n\n b\n  c");
  selectLines(2, 3);
  Checked([&] { store.TransformSelection(urBlockUnindent, true, tkUnindent); });
  EXPECT_EQ(Text(store), "a\n\nb\nc");  // one space then a letter: just the space goes
  selectLines(0, 1);
  Checked([&] { store.TransformSelection(urQuoteSelection, true, tkQuote); });
  EXPECT_EQ(Text(store), ">a\n>\nb\nc");
  store.SetTabText("--");
  selectLines(2, 2);
  store.TransformSelection(urBlockIndent, true, tkIndent);
  EXPECT_EQ(Text(store), ">a\n>\n--b\nc");
}

TEST_F(BlockOps, TransformOfAColumnBlock) {
  Load(store, "abcd\nefgh");
  store.SetSelection(stBlock, 1, 0, 2, 1);
  Checked([&] {
    store.TransformSelection(urUpperCaseSelection, true, tkUpperCase);
    EXPECT_EQ(store.SelectionType(), stBlock);
  });
  EXPECT_EQ(Text(store), "aBCd\neFGh");
}

TEST_F(BlockOps, TransformKeepsAttributeColoursInPlace) {
  test::TTestParser parser;
  parser.SetAttributes(true);
  store.SetSyntaxParser(&parser);
  Load(store, "abc");
  store.LineRecord(0)->Colors = "\1\2\3";
  store.SetSelection(stStream, 0, 0, 3, 0);
  store.TransformSelection(urQuoteSelection, true, tkQuote);
  EXPECT_EQ(Text(store), ">abc");
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\1\2\3");
}

TEST_F(BlockOps, InsertTextKeepSelectionLeavesTheSelectionAlone) {
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  Load(store, "abc\ndef");
  store.SetSelection(stStream, 0, 1, 2, 1);
  store.SetCaretPos(1, 0);
  store.InsertTextKeepSelection("X\nY");
  EXPECT_EQ(Text(store), "aX\nYbc\ndef");
  EXPECT_EQ(store.SelectionRect(), (TRect{0, 1, 2, 1}));
}

TEST_F(BlockOps, RepeatedCommandsMergeWithGrouping) {
  store.SetOptions(store.Options() | TStringsOptions{soGroupUndo});
  Load(store, "a\nb");
  store.SetSelection(stStream, 0, 0, 1, 1);
  store.TransformSelection(urBlockIndent, true, tkIndent);
  store.SetSelection(stStream, 0, 0, 2, 1);
  store.TransformSelection(urBlockIndent, true, tkIndent);
  ASSERT_EQ(Text(store), "  a\n  b");
  store.Undo();  // both indents share their reason: one undo takes both back
  EXPECT_EQ(Text(store), "a\nb");
}

TEST_F(BlockOps, PasteOntoAReadOnlyLineIsRefusedWhole) {
  Load(store, "one\ntwo\nthree\nfour");
  store.SetLineReadOnly(1, true);
  store.SetCaretPos(1, 1);
  clipboard.SetForeignText("A\nB\nC");
  store.PasteFromClipboard();
  EXPECT_EQ(Text(store), "one\ntwo\nthree\nfour");
  store.SetCaretPos(1, 0);  // a block reaching down onto the read-only line
  store.InsertStringList({"A", "B", "C"}, nullptr, true);
  EXPECT_EQ(Text(store), "one\ntwo\nthree\nfour");
}

TEST_F(BlockOps, SelectionsThatEqualTheOldOneStaySelected) {
  Load(store, "abcdef\nghijkl\nmnopqr");
  store.SetCaretPos(6, 2);
  store.ExtendSelection(stStream, [&] { store.SetCaretPos(0, 0); });
  store.SelectAll();
  EXPECT_EQ(store.SelectionType(), stStream);
  store.SetCaretPos(1, 0);
  store.ExtendSelection(stBlock, [&] { store.MoveCaret(2, 3); });
  store.TransformSelection(urUpperCaseSelection, true, tkUpperCase);
  EXPECT_EQ(Text(store), "aBCDEf\ngHIJKl\nmNOPQr");  // a block includes its right column
  EXPECT_EQ(store.SelectionType(), stBlock);
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 2}));
}

TEST_F(BlockOps, TheLastLineSelectedWholeAddsNoLine) {
  Load(store, "abc\ndef");
  store.SetCaretPos(0, 1);
  store.SelectLine();
  EXPECT_EQ(store.SelectionStrings().Count(), 1);
  store.TransformSelection(urUpperCaseSelection, true, tkUpperCase);
  EXPECT_EQ(Text(store), "abc\nDEF");
}

TEST_F(BlockOps, ClearTextSelectsAllAndDeletesUndoably) {
  Load(store, "one\ntwo\nthree");
  EXPECT_EQ(Checked([&] { store.ClearText(); }), "");
  EXPECT_EQ(store.LineCount(), 0);
}

TEST_F(BlockOps, NothingOnAReadOnlyStore) {
  Load(store, "abc\ndef");
  store.SetSelection(stStream, 0, 0, 2, 1);
  store.SetReadOnly(true);
  clipboard.SetForeignText("x");
  store.DeleteSelection();
  store.CutToClipboard();
  store.PasteFromClipboard();
  store.TransformSelection(urUpperCaseSelection, true, tkUpperCase);
  EXPECT_EQ(Text(store), "abc\ndef");
  EXPECT_FALSE(store.Modified());
}

}  // namespace
}  // namespace quorel
