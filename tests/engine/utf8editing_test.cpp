// Editing UTF-8 documents: the caret, deletion, words, selections and the clipboard go by whole
// characters; converting a Windows-1252 document is one undoable step.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/encoding.h"
#include "engine/memosource.h"
#include "engine/utf8.h"
#include "platform/memoryclipboard.h"
#include "platform/services.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

// ü (2 bytes), € (3), 😀 (4, two columns), 日 (3, two columns).
const std::string kU = "\xC3\xBC", kEuro = "\xE2\x82\xAC", kSmile = "\xF0\x9F\x98\x80",
                  kSun = "\xE6\x97\xA5";

struct Utf8Editing : ::testing::Test {
  platform::TMemoryClipboard clipboard;
  TMemoSource store{platform::WithDefaults({&clipboard, nullptr, nullptr})};
  void SetUp() override { store.SetOptions(store.Options() - TStringsOptions{soGroupUndo}); }
};

TEST_F(Utf8Editing, RightAndLeftStepOverWholeCharacters) {
  Load(store, "a" + kU + kEuro + kSmile + "b");
  ASSERT_EQ(store.Encoding(), enUtf8);
  EXPECT_EQ(store.LineLength(0), 6);  // a ü € 😀😀 b
  std::vector<int> columns;
  for (int i = 0; i < 5; ++i) {
    store.CaretRight();
    columns.push_back(store.CaretX());
  }
  EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 5, 6}));
  columns.clear();
  for (int i = 0; i < 5; ++i) {
    store.CaretLeft();
    columns.push_back(store.CaretX());
  }
  EXPECT_EQ(columns, (std::vector<int>{5, 3, 2, 1, 0}));
}

TEST_F(Utf8Editing, TheCaretNeverStandsInsideAWideCharacter) {
  Load(store, kSun + kSun + "x");
  store.SetCaretPos(1, 0);  // moving right into 日: on past it
  EXPECT_EQ(store.CaretX(), 2);
  store.SetCaretPos(5, 0);
  store.SetCaretPos(3, 0);  // moving left into the second 日: back to its start
  EXPECT_EQ(store.CaretX(), 2);
  store.SetCaretPos(0, 0);
  store.InsertText("y");
  EXPECT_EQ(Text(store), "y" + kSun + kSun + "x");
}

TEST_F(Utf8Editing, BackspaceAndDeleteRemoveOneWholeCharacter) {
  const std::string line = "a" + kU + kEuro + kSmile + kSun + "b";
  Load(store, line);
  store.SetCaretPos(store.LineLength(0), 0);
  std::vector<std::string> seen;
  for (int i = 0; i < 6; ++i) {
    store.Backspace();
    seen.push_back(store.RawLine(0));
    EXPECT_TRUE(IsValidUtf8(store.RawLine(0)));
  }
  EXPECT_EQ(seen,
            (std::vector<std::string>{"a" + kU + kEuro + kSmile + kSun, "a" + kU + kEuro + kSmile,
                                      "a" + kU + kEuro, "a" + kU, "a", ""}));
  for (int i = 0; i < 6; ++i) store.Undo();
  EXPECT_EQ(store.RawLine(0), line);
  store.SetCaretPos(1, 0);
  store.DeleteChar();
  EXPECT_EQ(store.RawLine(0), "a" + kEuro + kSmile + kSun + "b");
  store.SetCaretPos(2, 0);
  store.DeleteChar();  // the two columns of 😀 at once
  EXPECT_EQ(store.RawLine(0), "a" + kEuro + kSun + "b");
  for (int i = 0; i < 3; ++i) store.Undo();  // the deletions and the caret move between them
  EXPECT_EQ(store.RawLine(0), line);
}

TEST_F(Utf8Editing, SplittingAndTypingAfterWideCharacters) {
  store.SetOptions(store.Options() | TStringsOptions{soUseTabCharacter});
  Load(store, kSun + kSun + "\txy");
  EXPECT_EQ(store.LineLength(0), 11);  // the tab runs from column 4 to the stop at 9
  store.SetCaretPos(9, 0);
  store.InsertText(kU);
  EXPECT_EQ(store.RawLine(0), kSun + kSun + "\t" + kU + "xy");
  store.SetCaretPos(2, 0);
  store.SplitLine();
  EXPECT_EQ(Text(store), kSun + "\n" + kSun + "\t" + kU + "xy");
}

TEST_F(Utf8Editing, WordsAndWordMovesTakeAccentedLettersAsLetters) {
  Load(store,
       "\xC3\xBC"
       "ber stra\xC3\x9F"
       "e " +
           kSun + kSun + " end");
  store.WordRight();
  EXPECT_EQ(store.CaretX(), 5);  // past "über "
  store.WordRight();
  EXPECT_EQ(store.CaretX(), 12);  // past "straße "
  store.SetCaretPos(7, 0);
  store.SelectWord(wsWordOnly);
  EXPECT_EQ(store.SelectedText(),
            "stra\xC3\x9F"
            "e");
  store.SetCaretPos(13, 0);
  store.SelectWord(wsWordOnly);
  EXPECT_EQ(store.SelectedText(), kSun + kSun);
  store.SetCaretPos(store.LineLength(0), 0);
  store.WordLeft();
  EXPECT_EQ(store.CaretX(), 17);
}

TEST_F(Utf8Editing, StreamAndBlockSelectionsCutWholeCharacters) {
  Load(store, "a" + kSun + "b\n" + kU + kU + "cd");
  store.SetSelection(stStream, 1, 0, 3, 0);
  EXPECT_EQ(store.SelectedText(), kSun);
  store.SetSelection(stBlock, 1, 0, 2, 1);
  EXPECT_EQ(store.SelectedText(), kSun + "\r\n" + kU + "c");
  store.SetSelection(stStream, 2, 0, 1, 1);
  store.DeleteSelection();
  EXPECT_EQ(Text(store), "a" + kSun + kU + "cd");
  EXPECT_TRUE(IsValidUtf8(store.RawLine(0)));
}

TEST_F(Utf8Editing, CaseChangesKeepEveryCharacterWhole) {
  Load(store,
       "stra\xC3\x9F"
       "e \xC3\xBC\xC3\xA9 \xCE\xB1\xCE\xB2 " +
           kSun);
  store.SelectAll();
  store.TransformSelection(urUpperCaseSelection, false, tkUpperCase);
  EXPECT_EQ(store.RawLine(0),
            "STRA\xC3\x9F"
            "E \xC3\x9C\xC3\x89 \xCE\x91\xCE\x92 " +
                kSun);
  store.SelectAll();
  store.TransformSelection(urLowerCaseSelection, false, tkLowerCase);
  EXPECT_EQ(store.RawLine(0),
            "stra\xC3\x9F"
            "e \xC3\xBC\xC3\xA9 \xCE\xB1\xCE\xB2 " +
                kSun);
}

TEST_F(Utf8Editing, CharColumnCountsCharacters) {
  Load(store, kSun + kU + "\tx");
  store.SetCaretPos(3, 0);
  EXPECT_EQ(store.CaretCharColumn(), 3);  // after 日 and ü
  store.SetCaretPos(9, 0);
  EXPECT_EQ(store.CaretCharColumn(), 9);  // the tab counts as the six columns it spans
  store.SetCaretPos(14, 0);
  EXPECT_EQ(store.CaretCharColumn(), 14);  // past the end one per column
}

TEST_F(Utf8Editing, TheClipboardCarriesUtf8FromEitherEncoding) {
  Load(store, "caf\xE9 \x80");  // not UTF-8: a Windows-1252 document
  ASSERT_EQ(store.Encoding(), enWindows1252);
  store.SelectAll();
  store.CopyToClipboard();
  EXPECT_EQ(clipboard.GetText(), "caf\xC3\xA9 \xE2\x82\xAC");

  std::string reported;
  store.OnCharacterNotStored = [&](TCustomMemoSource&, const std::string& c) { reported = c; };
  clipboard.SetText("\xC3\xBC" + kSun + "!");
  store.SetSelectionType(stNone);
  store.SetCaretPos(0, 0);
  store.PasteFromClipboard();
  EXPECT_EQ(store.RawLine(0), "\xFC!caf\xE9 \x80");  // ü kept, 日 left out
  EXPECT_EQ(reported, kSun);

  TMemoSource utf8{platform::WithDefaults({&clipboard, nullptr, nullptr})};
  Load(utf8, "x");
  clipboard.SetText("caf\xE9");  // a stray byte from some program: taken as Windows-1252
  utf8.PasteFromClipboard();
  EXPECT_EQ(utf8.RawLine(0), "caf\xC3\xA9x");
}

TEST_F(Utf8Editing, ConvertingToUtf8IsOneUndoableStep) {
  Load(store, "caf\xE9 \x93q\x94\nline two \x80");
  const std::string saved = store.SaveToString();
  store.SetCaretPos(4, 1);
  store.ToggleBookmark(3);
  store.ConvertToUtf8();
  EXPECT_EQ(store.Encoding(), enUtf8);
  EXPECT_EQ(Text(store), "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D\nline two \xE2\x82\xAC");
  EXPECT_TRUE(store.Modified());
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 1}));
  EXPECT_EQ(store.LineLength(0), 8);  // every character keeps its column
  store.Undo();
  EXPECT_EQ(store.Encoding(), enWindows1252);
  EXPECT_EQ(Text(store), "caf\xE9 \x93q\x94\nline two \x80");
  EXPECT_FALSE(store.Modified());
  store.Redo();
  EXPECT_EQ(store.Encoding(), enUtf8);
  EXPECT_EQ(store.SaveToString(), Cp1252ToUtf8(saved));
}

TEST_F(Utf8Editing, ReadingTheSameBytesTheOtherWay) {
  Load(store, "caf\xC3\xA9 " + kSun);
  EXPECT_EQ(store.LineLength(0), 7);
  store.SetEncoding(enWindows1252);
  EXPECT_EQ(store.LineLength(0), 9);  // now a byte is a column
  EXPECT_EQ(store.RawLine(0), "caf\xC3\xA9 " + kSun);
  EXPECT_FALSE(store.CanUndo());  // the history counted columns of the other reading
  store.SetEncoding(enUtf8);
  EXPECT_EQ(store.LineLength(0), 7);
}

// Random edits with random characters never leave a broken character in a UTF-8 document, and
// undoing all of them gives back the start.
TEST_F(Utf8Editing, RandomEditsKeepTheTextValidUtf8) {
  const std::vector<std::string> pieces = {
      "a", " ", "\t", kU, kEuro, kSmile, kSun, "e\xCC\x81", "\xCE\xB1", "xy" + kSun + "z"};
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    store.SetOptions(store.Options() | TStringsOptions{soUseTabCharacter});
    Load(store, "start " + kSun + "\n" + kU + "\tend");
    const std::string start = Text(store);
    for (int step = 0; step < 200; ++step) {
      int y = pick(std::max(store.LineCount(), 1));
      store.SetCaretPos(pick(store.LineLength(y) + 3), y);
      switch (pick(7)) {
        case 0:
        case 1:
          store.InsertText(pieces[static_cast<size_t>(pick(static_cast<int>(pieces.size())))]);
          break;
        case 2:
          store.Backspace();
          break;
        case 3:
          store.DeleteChars(1 + pick(3));
          break;
        case 4:
          store.SplitLine();
          break;
        case 5:
          store.SetSelection(stStream, pick(6), y, pick(6),
                             std::min(y + pick(2), store.LineCount() - 1));
          store.DeleteSelection();
          break;
        case 6:
          store.SetSelection(stBlock, pick(6), 0, pick(8), std::max(store.LineCount() - 1, 0));
          store.DeleteSelection();
          break;
      }
      for (int line = 0; line < store.LineCount(); ++line)
        ASSERT_TRUE(IsValidUtf8(store.RawLine(line)))
            << "seed " << seed << " step " << step << " line " << line;
    }
    while (store.CanUndo()) store.Undo();
    EXPECT_EQ(Text(store), start) << "seed " << seed;
  }
}

}  // namespace
}  // namespace quorel
