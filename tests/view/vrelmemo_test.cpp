// The editing view, offscreen: where typing and clicking put the caret and the selection, what it
// paints (colours of tags, selection, gutter numbers), and two views sharing one store.
#include "view/vrelmemo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "engine/updateguard.h"
#include "platform/services.h"
#include "support/faultyfilesystem.h"
#include "support/recordingprocesses.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "vrelmemo_test";
  static char* argv[] = {name, nullptr};
  // One application for the whole program, whichever test file's fixture runs first.
  if (auto* existing = qobject_cast<QApplication*>(QApplication::instance())) return *existing;
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

std::string Text(TCustomMemoSource& store) {
  std::string out;
  for (int y = 0; y < store.LineCount(); ++y) {
    if (y) out += '\n';
    out += store.RawLine(y);
  }
  return out;
}

struct View : ::testing::Test {
  TSyntaxParser parser;
  TMemoSource store;
  std::unique_ptr<TVrelMemo> view;
  void SetUp() override {
    App();
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    store.SetSyntaxParser(&parser);
    view = std::make_unique<TVrelMemo>();
    view->resize(400, 200);
    view->SetMemoSource(&store);
    view->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    view.reset();
    store.SetSyntaxParser(nullptr);
  }
  // A point in the left part of the character cell at (column, line): a click there puts the
  // caret before that character.
  QPoint Cell(int column, int line) const {
    QPoint p = view->PointFromTextPos({column, line});
    return {p.x() + 1, p.y() + view->LineHeight() / 2};
  }
  // Whether any pixel of the cell has roughly this colour.
  static bool CellHas(const QImage& image, QRect cell, QColor colour) {
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) {
        QColor c = image.pixelColor(x, y);
        if (std::abs(c.red() - colour.red()) < 60 && std::abs(c.green() - colour.green()) < 60 &&
            std::abs(c.blue() - colour.blue()) < 60)
          return true;
      }
    return false;
  }
  QRect CellRect(int column, int line) const {
    QPoint p = view->PointFromTextPos({column, line});
    return {p.x(), p.y(), view->CharWidth(), view->LineHeight()};
  }
};

TEST_F(View, TagsArePaintedInTheTagColour) {
  store.LoadFromBuffer("<b>bold</b> plain");
  QImage image = view->RenderToImage();
  EXPECT_TRUE(CellHas(image, CellRect(1, 0), Qt::blue));   // "b" of the tag
  EXPECT_FALSE(CellHas(image, CellRect(4, 0), Qt::blue));  // "o" of the text
  EXPECT_TRUE(CellHas(image, CellRect(4, 0), Qt::black));
  EXPECT_TRUE(CellHas(image, CellRect(9, 0), Qt::blue));    // "/b"
  EXPECT_FALSE(CellHas(image, CellRect(13, 0), Qt::blue));  // "plain"
}

TEST_F(View, AttributeValuesAndCommentsHaveTheirColours) {
  store.LoadFromBuffer("<a href=\"x\">\n<!-- note -->");
  QImage image = view->RenderToImage();
  EXPECT_TRUE(CellHas(image, CellRect(9, 0), QColor(128, 0, 0)));      // the quoted value, maroon
  EXPECT_TRUE(CellHas(image, CellRect(6, 1), QColor(128, 128, 128)));  // the comment, gray
}

TEST_F(View, SelectionIsPaintedWhiteOnNavy) {
  view->SelColor = clWhite;
  view->SelBackColor = clNavy;
  store.LoadFromBuffer("plain words here");
  store.SetSelection(stStream, 6, 0, 11, 0);
  QImage image = view->RenderToImage();
  EXPECT_EQ(image.pixelColor(CellRect(7, 0).topLeft() + QPoint(0, 1)), QColor(0, 0, 128));
  EXPECT_NE(image.pixelColor(CellRect(2, 0).topLeft() + QPoint(0, 1)), QColor(0, 0, 128));
}

TEST_F(View, TypingGoesToTheCaretAndMovesIt) {
  store.LoadFromBuffer("abc\ndef");
  view->setFocus();
  store.SetCaretPos(1, 1);
  QTest::keyClicks(view.get(), "XY");
  EXPECT_EQ(Text(store), "abc\ndXYef");
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 1}));
  QTest::keyClick(view.get(), Qt::Key_Return);
  EXPECT_EQ(Text(store), "abc\ndXY\nef");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 2}));
  QTest::keyClick(view.get(), Qt::Key_Backspace);
  EXPECT_EQ(Text(store), "abc\ndXYef");
  QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(store), "abc\ndXY\nef");
}

TEST_F(View, TabReachesTheTextOnlyWhenWanted) {
  store.LoadFromBuffer("ab");
  view->setFocus();
  store.SetCaretPos(0, 0);
  QTest::keyClick(view.get(), Qt::Key_Tab);
  EXPECT_EQ(Text(store), "ab");
  view->setFocus();
  view->WantTabs = true;
  QTest::keyClick(view.get(), Qt::Key_Tab);
  EXPECT_EQ(Text(store), std::string(9, ' ') + "ab");  // up to the first tab stop
  EXPECT_EQ(store.CaretX(), 9);
}

TEST_F(View, ClickingPutsTheCaretAndDraggingSelects) {
  store.LoadFromBuffer("first line\nsecond line\nthird");
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(3, 1));
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 1}));
  // Past the line end the caret goes where the mouse is.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(20, 2));
  EXPECT_EQ(store.CaretPos(), (TPoint{20, 2}));
  QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(2, 0));
  QTest::mouseMove(view->viewport(), Cell(4, 1));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(4, 1));
  EXPECT_EQ(store.SelectionType(), stStream);
  EXPECT_EQ(store.SelectedText(), "rst line\r\nseco");
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, Cell(1, 2));
  EXPECT_EQ(store.SelectedText(), "rst line\r\nsecond line\r\nt");
}

TEST_F(View, DoubleClickSelectsTheWord) {
  store.LoadFromBuffer("say hello there");
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(6, 0));
  EXPECT_EQ(store.SelectedText(), "hello");
}

// 日本 (two columns each), then x; and a word with an accented letter on the next line.
TEST_F(View, WideCharactersTakeTwoCellsAndClicksLandOnWholeCharacters) {
  store.LoadFromBuffer(
      "\xE6\x97\xA5\xE6\x9C\xAC"
      "x\n\xC3\xBC"
      "ber alles");
  ASSERT_TRUE(view->UseMonoFont);
  EXPECT_EQ(view->PointFromTextPos({4, 0}).x() - view->PointFromTextPos({0, 0}).x(),
            4 * view->CharWidth());
  QImage image = view->RenderToImage();
  EXPECT_TRUE(CellHas(image, CellRect(4, 0), Qt::black));  // x in its own cell, after both
  EXPECT_TRUE(CellHas(image, CellRect(0, 0), Qt::black));
  EXPECT_TRUE(CellHas(image, CellRect(2, 0), Qt::black));
  EXPECT_FALSE(CellHas(image, CellRect(6, 0), Qt::black));  // nothing spills past the line

  // A click on the second half of 本 puts the caret after it, never inside.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(3, 0));
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(1, 1));
  EXPECT_EQ(store.SelectedText(),
            "\xC3\xBC"
            "ber");
}

TEST_F(View, WordWrapNeverBreaksAWideCharacter) {
  std::string line;
  for (int i = 0; i < 40; ++i) line += "\xE6\x97\xA5";  // 80 columns without a blank
  store.LoadFromBuffer("a" + line);
  view->SetOptions(view->Options() | TMemoOptions{moBreakWordAtMargin});
  view->SetMarginPos(10);
  view->SetWordWrap(true);
  std::vector<int> starts = view->RowStarts(0);
  ASSERT_GT(starts.size(), 2u);
  // After "a" every character starts at an odd column: so must every row after the first.
  for (size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(starts[i] % 2, 1) << starts[i];
}

TEST_F(View, GutterShowsLineNumbersAndBookmarks) {
  view->SetOptions({moDrawGutter, moLineNumbers, moLineNumbersOnGutter, moColorSyntax});
  store.LoadFromBuffer("a\nb\nc");
  store.SetCaretPos(0, 1);
  store.SetBookmark(3);
  QImage image = view->RenderToImage();
  auto darkPixels = [&](int line) {
    int n = 0;
    for (int y = line * view->LineHeight(); y < (line + 1) * view->LineHeight(); ++y)
      for (int x = view->GutterWidth() / 2; x < view->GutterWidth() - 2; ++x)
        if (image.pixelColor(x, y).lightness() < 80) ++n;
    return n;
  };
  EXPECT_GT(darkPixels(0), 0);  // "1"
  EXPECT_GT(darkPixels(2), 0);  // "3"
  EXPECT_GT(darkPixels(5), 0);  // numbers go on below the text...
  view->SetOptions(view->Options() | TMemoOptions{moLimitLineNumbers});
  image = view->RenderToImage();
  EXPECT_EQ(darkPixels(5), 0);  // ...unless limited to the lines there are
  EXPECT_EQ(view->TextLeft(), view->GutterWidth() + 2);
  // The bookmark tab is green at the gutter's left on its line.
  EXPECT_EQ(image.pixelColor(3, view->LineHeight() + 3), QColor(0, 128, 0));
}

TEST_F(View, TwoViewsShowOneStore) {
  TVrelMemo second;
  second.resize(400, 200);
  second.SetMemoSource(&store);
  second.show();
  store.LoadFromBuffer("shared text");
  QImage before = second.RenderToImage();
  view->setFocus();
  store.SetCaretPos(0, 0);
  QTest::keyClicks(view.get(), "<i>");
  QApplication::processEvents();
  QImage after = second.RenderToImage();
  EXPECT_NE(before, after);
  EXPECT_TRUE(CellHas(after, CellRect(1, 0), Qt::blue));
  EXPECT_EQ(store.ListenerCount(), 2);
}

TEST_F(View, CaretMovesScrollItIntoView) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "line " + std::to_string(i) + "\n";
  store.LoadFromBuffer(text);
  store.SetCaretPos(0, 400);
  EXPECT_LE(view->TopLine(), 400);
  EXPECT_GT(view->TopLine() + view->VisibleRows(), 400);
  store.SetCaretPos(0, 3);
  EXPECT_EQ(view->TopLine(), 3);
}

TEST_F(View, InsertTextReplacesTheSelection) {
  store.LoadFromBuffer("hello world");
  store.SetCaretPos(6, 0);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, 5); });
  view->InsertText("there\nfriend");
  EXPECT_EQ(Text(store), "hello there\nfriend");
  EXPECT_EQ(store.SelectionType(), stNone);
  store.Undo();
  EXPECT_EQ(Text(store), "hello world");
}

TEST_F(View, APrivateStoreWhenNoneIsGivenOrTheStoreGoesAway) {
  TVrelMemo own;
  own.MemoSource().LoadFromBuffer("private");
  EXPECT_EQ(own.MemoSource().RawLine(0), "private");
  {
    TMemoSource temporary;
    own.SetMemoSource(&temporary);
    EXPECT_EQ(&own.MemoSource(), &temporary);
  }
  EXPECT_EQ(own.MemoSource().RawLine(0), "private");
}

TEST_F(View, DraggingTheSelectionMovesOrCopiesIt) {
  store.LoadFromBuffer("move THIS word");
  store.SetCaretPos(5, 0);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, 5); });
  QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(6, 0));
  QTest::mouseMove(view->viewport(), Cell(14, 0));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(14, 0));
  EXPECT_EQ(Text(store), "move wordTHIS ");
  store.Undo();
  EXPECT_EQ(Text(store), "move THIS word");

  store.SetCaretPos(5, 0);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, 5); });
  QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(6, 0));
  QTest::mouseMove(view->viewport(), Cell(0, 0));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::ControlModifier, Cell(0, 0));
  EXPECT_EQ(Text(store), "THIS move THIS word");
}

TEST_F(View, PressingInsideTheSelectionWithoutMovingDropsIt) {
  store.LoadFromBuffer("some words here");
  store.SetCaretPos(5, 0);
  store.ExtendSelection(stStream, [&] { store.MoveCaret(0, 5); });
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(7, 0));
  EXPECT_EQ(store.SelectionType(), stNone);
  EXPECT_EQ(store.CaretPos(), (TPoint{7, 0}));
  EXPECT_EQ(Text(store), "some words here");
}

TEST_F(View, SpecialSymbolsAndCustomStringsArePainted) {
  store.LoadFromBuffer("ab\ncd");
  view->SetOptions(view->Options() | TMemoOptions{moDrawSpecialSymbols});
  int custom = 0;
  view->OnCustomString = [&](TCustomVrelMemo&, std::string& text, std::string&) {
    ++custom;
    if (text == "cd") text = "CD";
  };
  QImage image = view->RenderToImage();
  EXPECT_GE(custom, 2);
  auto ink = [&](QRect cell) {
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x)
        if (image.pixelColor(x, y).lightness() < 200) return true;
    return false;
  };
  EXPECT_TRUE(ink(CellRect(2, 0)));   // the line-end mark after "ab"
  EXPECT_FALSE(ink(CellRect(2, 1)));  // none after the last line
  EXPECT_TRUE(ink(CellRect(0, 2)));   // the end-of-text mark
}

TEST_F(View, LineImagesPaintTheWholeLineInTheirStyle) {
  store.LoadFromBuffer("normal\nbreak here\nnormal");
  store.SetLineImage(1, 13);  // "BreakPoint": red background
  QImage image = view->RenderToImage();
  QPoint past = view->PointFromTextPos({30, 1}) + QPoint(2, 2);
  EXPECT_EQ(image.pixelColor(past), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(view->PointFromTextPos({30, 0}) + QPoint(2, 2)),
            QColor(255, 255, 255));
}

TEST_F(View, GutterShowsTheImagesOfLineFlags) {
  view->SetOptions({moDrawGutter, moColorSyntax});
  store.LoadFromBuffer("a\nb");
  store.LineRecord(1)->LineFlags = 1;  // the break point image
  store.InvalidateLine(1);
  QImage image = view->RenderToImage();
  bool red = false;
  for (int y = view->LineHeight(); y < 2 * view->LineHeight(); ++y)
    for (int x = 0; x < view->GutterWidth(); ++x)
      red |= image.pixelColor(x, y) == QColor(255, 0, 0);
  EXPECT_TRUE(red);
}

TEST_F(View, ClicksInTheGutterReportTheLineAndTheImageButNeverMoveTheCaret) {
  view->SetOptions({moDrawGutter, moColorSyntax});
  store.LoadFromBuffer("a\nb\nc");
  store.LineRecord(1)->LineFlags = 1 << 6;
  store.SetCaretPos(0, 2);
  store.SetBookmark(3);  // on line 2
  struct TClick {
    int Line, Image;
    Qt::MouseButton Button;
  };
  std::vector<TClick> clicks;
  view->OnClickGutter = [&](TCustomVrelMemo&, int line, int image, Qt::KeyboardModifiers,
                            Qt::MouseButton button) {
    clicks.push_back({line, image, button});
  };
  int h = view->LineHeight();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(4, h + h / 2));  // flag image 6
  QTest::mouseClick(view->viewport(), Qt::RightButton, {},
                    QPoint(4, 2 * h + h / 2));  // bookmark 3 tab
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    QPoint(view->GutterWidth() - 3, h / 2));  // nothing
  // Pressed in the gutter and let go over the text: no click.
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(4, h / 2));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {},
                      QPoint(view->GutterWidth() + 40, h / 2));
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[0].Line, 1);
  EXPECT_EQ(clicks[0].Image, 6);
  EXPECT_EQ(clicks[0].Button, Qt::LeftButton);
  EXPECT_EQ(clicks[1].Line, 2);
  EXPECT_EQ(clicks[1].Image, 4);  // Bookmark3 follows the break point and Bookmark0..2
  EXPECT_EQ(clicks[1].Button, Qt::RightButton);
  EXPECT_EQ(clicks[2].Image, -1);
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 2}));
  EXPECT_FALSE(store.HasSelection());
}

TEST_F(View, ThumbDraggingReportsTheTopLine) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\n";
  store.LoadFromBuffer(text);
  view->SetOptions(view->Options() | TMemoOptions{moShowScrollHint});
  std::vector<std::string> hints;
  view->OnVerticalScroll = [&](TCustomVrelMemo&, int, bool endScroll, bool& show,
                               std::string& hint) {
    if (!endScroll) hints.push_back(hint);
    show = false;
  };
  emit view->verticalScrollBar()->sliderMoved(41);
  ASSERT_EQ(hints.size(), 1u);
  EXPECT_EQ(hints[0], "~Line~ 42");
}

TEST_F(View, TheSearchMatchIsPaintedAndScrolledIntoView) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
  store.LoadFromBuffer(text);
  store.SetMatchRect({0, 150, 4, 150});
  EXPECT_LE(view->TopLine(), 150);
  EXPECT_GT(view->TopLine() + view->VisibleRows(), 150);
  QImage image = view->RenderToImage();
  EXPECT_EQ(image.pixelColor(view->PointFromTextPos({1, 150}) + QPoint(1, 1)), QColor(0, 0, 0));
}

TEST_F(View, CustomDrawMaySkipTheDefaultDrawing) {
  store.LoadFromBuffer("<b>x</b>");
  int before = 0, after = 0;
  view->OnCustomDraw = [&](TCustomVrelMemo&, QPainter& canvas, const QRect& rect, int, int column,
                           const std::string&, int state, bool& handled) {
    if (state & 1) ++before;
    if (state & 2) ++after;
    if ((state & 1) && (state & 8) && column == 0) {
      canvas.fillRect(rect, Qt::yellow);  // our own background for the first run
      handled = true;
    }
  };
  QImage image = view->RenderToImage();
  EXPECT_GT(before, 0);
  EXPECT_GT(after, 0);
  EXPECT_TRUE(CellHas(image, CellRect(0, 0), Qt::yellow));
}

TEST_F(View, DraggingAfterADoubleClickSelectsWholeWords) {
  store.LoadFromBuffer("alpha beta gamma delta");
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(7, 0));
  ASSERT_EQ(store.SelectedText(), "beta");
  QTest::mouseMove(view->viewport(), Cell(13, 0));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(13, 0));
  EXPECT_EQ(store.SelectedText(), "beta gamma");
}

TEST_F(View, GlobalOptionsGiveTheTextStyles) {
  TTextStyles saved = MemoEnvOptions().TextStyles;
  MemoEnvOptions().TextStyles = DefaultTextStyles();
  MemoEnvOptions().TextStyles.Items.resize(3);
  view->SetUseGlobalOptions(true);
  EXPECT_EQ(view->TextStyles.Items.size(), 3u);
  MemoEnvOptions().TextStyles.Items.resize(5);
  MemoEnvOptions().Changed();
  EXPECT_EQ(view->TextStyles.Items.size(), 5u);
  view->SetUseGlobalOptions(false);
  MemoEnvOptions().TextStyles = saved;
}

TEST_F(View, ColourSchemeFilesRoundTripAndBadOnesAreRefused) {
  test::TScriptedDialogs dialogs;
  view->MemoSource().SetServices(platform::WithDefaults({nullptr, &dialogs}));
  test::TTempDir dir;
  view->TextStyles.Items[1].Font.Color = clFuchsia;
  view->TextStyles.Items[2].Font.Style = {fsBold, fsItalic};
  TTextStyles original = view->TextStyles;
  dialogs.AnswerFile(dir.File("mine.rgb"));
  ASSERT_TRUE(view->SaveTextStyles());
  EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Save color styles");
  view->TextStyles = DefaultTextStyles();
  dialogs.AnswerFile(dir.File("mine.rgb"));
  ASSERT_TRUE(view->LoadTextStyles());
  EXPECT_EQ(dialogs.FileDialogs()[1].Title, "Load color styles");
  ASSERT_EQ(view->TextStyles.Items.size(), original.Items.size());
  EXPECT_EQ(view->TextStyles.Items[1].Font.Color, clFuchsia);
  EXPECT_EQ(view->TextStyles.Items[2].Font.Style, (TFontStyles{fsBold, fsItalic}));

  for (const char* junk : {"garbage", "Name=Font,1,2", "=x,1,2,3,4,0,0", "A=F,x,0,0,0,0,0", ""}) {
    test::WriteBytes(dir.File("bad.rgb"), junk);
    dialogs.AnswerFile(dir.File("bad.rgb"));
    EXPECT_FALSE(view->LoadTextStyles()) << junk;
    EXPECT_EQ(dialogs.Messages().back().Kind, platform::mkError);
    EXPECT_EQ(view->TextStyles.Items[1].Font.Color, clFuchsia);  // unchanged
  }
}

TEST_F(View, AColourSchemeFileThatFailsToSaveKeepsTheOldFile) {
  test::TScriptedDialogs dialogs;
  test::TFaultyFileSystem files;
  view->MemoSource().SetServices(platform::WithDefaults({nullptr, &dialogs, &files}));
  test::TTempDir dir;
  test::WriteBytes(dir.File("mine.rgb"), "old styles");
  files.FailWriteAfter = 10;
  dialogs.AnswerFile(dir.File("mine.rgb"));
  EXPECT_FALSE(view->SaveTextStyles());
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, platform::mkError);
  EXPECT_NE(dialogs.Messages()[0].Text.find("No space left"), std::string::npos);
  EXPECT_EQ(test::ReadBytes(dir.File("mine.rgb")), "old styles");
  EXPECT_EQ(dir.FileCount(), 1);
}

TEST_F(View, ABookmarkJumpCentresTheLine) {
  view->SetOptions(view->Options() | TMemoOptions{moCenterOnBookmark});
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\n";
  store.LoadFromBuffer(text);
  store.SetCaretPos(0, 200);
  store.SetBookmark(1);
  store.SetCaretPos(0, 0);
  store.GotoBookmark(1);
  EXPECT_EQ(view->TopLine(), 200 - view->VisibleRows() / 2);
}

// With a proportional font each character is as wide as its font makes it.
struct ProportionalView : View {
  void SetUp() override {
    View::SetUp();
    TAttrItem def = HtmlDefaultAttr();
    def.Font.Name = "Liberation Sans";
    def.Font.Height = -14;
    parser.SetDefaultAttr(def);
    view->UseMonoFont = false;
    TFont font = view->Font();
    font.Name = "Liberation Sans";
    font.Height = -14;
    view->SetFont(font);
  }
};

TEST_F(ProportionalView, NarrowCharactersTakeLessRoomAndPositionsRoundTrip) {
  store.LoadFromBuffer("iiii<b>WWWW</b>");
  int left = view->TextLeft();
  int narrow = view->PointFromTextPos({4, 0}).x() - left;
  int wide = view->PointFromTextPos({15, 0}).x() - view->PointFromTextPos({7, 0}).x();
  EXPECT_LT(narrow, 4 * view->CharWidth());
  EXPECT_GT(wide, 2 * narrow);  // "WWWW</b>" is far wider than "iiii"
  for (int column : {0, 2, 4, 5, 7, 9, 11, 15, 18}) {
    QPoint p = view->PointFromTextPos({column, 0});
    EXPECT_EQ(view->TextPosFromPoint(p + QPoint(1, 2)), (TPoint{column, 0})) << column;
  }
  QImage image = view->RenderToImage();
  QPoint b = view->PointFromTextPos({5, 0});
  int bWidth = view->PointFromTextPos({6, 0}).x() - b.x();
  EXPECT_TRUE(CellHas(image, QRect(b.x(), b.y(), bWidth, view->LineHeight()), Qt::blue));
}

TEST_F(ProportionalView, WrappedRowsFitTheWindow) {
  view->SetWordWrap(true);
  std::string words;
  for (int i = 0; i < 60; ++i) words += (i % 2 ? "mmmm " : "ii ");
  store.LoadFromBuffer(words);
  std::vector<int> rows = view->RowStarts(0);
  ASSERT_GE(rows.size(), 2u);
  int room = view->viewport()->width() - view->TextLeft();
  for (size_t r = 0; r + 1 < rows.size(); ++r) {
    int from = view->PointFromTextPos({rows[r], 0}).x();
    int to = view->PointFromTextPos({rows[r + 1] - 1, 0}).x();  // the row's last character
    EXPECT_LE(to - from, room) << "row " << r;
  }
}

struct WrappedView : View {
  void SetUp() override {
    View::SetUp();
    view->SetOptions(
        {moColorSyntax, moBreakWordAtMargin, moDrawGutter, moLineNumbers, moLineNumbersOnGutter});
    view->SetMarginPos(41);  // rows of 40 characters
    view->SetWordWrap(true);
  }
};

TEST_F(WrappedView, WordsBreakAfterTheLastDelimiterAndLongWordsAtTheWidth) {
  std::string words;
  while (words.size() < 100) words += "word" + std::to_string(words.size() % 10) + " ";
  words.resize(100);
  store.LoadFromBuffer(words + "\n" + std::string(100, 'x'));
  std::vector<int> rows = view->RowStarts(0);
  ASSERT_GE(rows.size(), 3u);
  for (size_t i = 1; i < rows.size(); ++i) {
    EXPECT_LE(rows[i] - rows[i - 1], 40);
    EXPECT_EQ(words[static_cast<size_t>(rows[i]) - 1], ' ') << "row " << i << " ends after a space";
  }
  EXPECT_EQ(view->RowStarts(1), (std::vector<int>{0, 40, 80}));
}

TEST_F(WrappedView, OnlyTheFirstRowOfALineShowsItsNumber) {
  store.LoadFromBuffer(std::string(100, 'x') + "\nshort");
  QImage image = view->RenderToImage();
  auto darkInGutter = [&](int row) {
    int n = 0;
    for (int y = row * view->LineHeight(); y < (row + 1) * view->LineHeight(); ++y)
      for (int x = 4; x < view->GutterWidth() - 2; ++x)
        if (image.pixelColor(x, y).lightness() < 80) ++n;
    return n;
  };
  EXPECT_GT(darkInGutter(0), 0);  // "1"
  EXPECT_EQ(darkInGutter(1), 0);  // continuation rows
  EXPECT_EQ(darkInGutter(2), 0);
  EXPECT_GT(darkInGutter(3), 0);  // "2"
}

TEST_F(WrappedView, UpAndDownMoveByDisplayRows) {
  store.LoadFromBuffer(std::string(100, 'x') + "\nshort");
  view->setFocus();
  store.SetCaretPos(5, 0);
  QTest::keyClick(view.get(), Qt::Key_Down);
  EXPECT_EQ(store.CaretPos(), (TPoint{45, 0}));
  QTest::keyClick(view.get(), Qt::Key_Down);
  EXPECT_EQ(store.CaretPos(), (TPoint{85, 0}));
  QTest::keyClick(view.get(), Qt::Key_Down);
  EXPECT_EQ(store.CaretPos(), (TPoint{5, 1}));
  QTest::keyClick(view.get(), Qt::Key_Up);
  EXPECT_EQ(store.CaretPos(), (TPoint{85, 0}));
  // A click on the second display row lands inside the line.
  QPoint p = view->PointFromTextPos({42, 0});
  EXPECT_EQ(p.y(), view->LineHeight());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, p + QPoint(1, 2));
  EXPECT_EQ(store.CaretPos(), (TPoint{42, 0}));
}

TEST_F(WrappedView, CaretColumnWithinItsRow) {
  store.LoadFromBuffer(std::string(100, 'x'));
  store.SetCaretPos(45, 0);
  EXPECT_EQ(view->CaretRowColumn(), 5);
}

TEST_F(WrappedView, ScrollingFollowsTheCaretRowByRow) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += std::string(100, 'a' + i % 26) + "\n";
  store.LoadFromBuffer(text);
  store.SetCaretPos(50, 30);  // row 1 of line 30
  QPoint p = view->CaretToClient();
  EXPECT_GE(p.y(), 0);
  EXPECT_LT(p.y(), view->VisibleRows() * view->LineHeight());
  store.SetCaretPos(0, 0);
  EXPECT_EQ(view->TopLine(), 0);
  EXPECT_EQ(view->TopRow(), 0);
}

// ---- Completion hints ----

// Records the pick lists it is asked to open instead of showing a window.
class ListRecordingView : public TVrelMemo {
 public:
  std::vector<std::vector<std::string>> Lists;
  void ShowPopupList(const TStrings& strings) override {
    TVrelMemo::ShowPopupList(strings);
    Lists.push_back(HintStrings.Lines());
  }
};

struct HintView : View {
  ListRecordingView* list = nullptr;
  int requests = 0;
  std::vector<std::string> offer;
  bool allow = true;
  TPopupType type = ptList;
  void SetUp() override {
    View::SetUp();
    auto own = std::make_unique<ListRecordingView>();
    list = own.get();
    view = std::move(own);
    view->resize(400, 200);
    view->SetMemoSource(&store);
    view->show();
    view->setFocus();
    view->HintDelay = 10;
    view->OnHintPopup = [this](TCustomVrelMemo&, TStrings& strings, bool& allowPopup,
                               TPopupType& popupType) {
      ++requests;
      for (const std::string& s : offer) strings.Add(s);
      allowPopup = allow;
      popupType = type;
    };
    QApplication::processEvents();
  }
  // Types as the list would pass characters on: into the text, without restarting the timer.
  void TypeIntoText(const std::string& text) {
    TUpdateGuard update(store, urInsertText);
    store.InsertText(text);
    store.MoveCaret(0, static_cast<int>(text.size()));
  }
};

TEST_F(HintView, APauseAfterTypingAsksForCompletionsAtTheCaret) {
  store.LoadFromBuffer("ab");
  store.SetCaretPos(2, 0);
  offer = {"table|<table>", "td|<td>"};
  QTest::keyClicks(view.get(), "<t");
  EXPECT_TRUE(view->HintTimerRunning());
  EXPECT_EQ(view->HintStartPos, (TPoint{4, 0}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return requests > 0; }, 2000));
  EXPECT_EQ(requests, 1);
  ASSERT_EQ(list->Lists.size(), 1u);
  EXPECT_EQ(list->Lists[0], offer);
  EXPECT_EQ(view->HintStartPos, (TPoint{4, 0}));

  // A space never starts the timer and stops a running one.
  QTest::keyClicks(view.get(), "x ");
  EXPECT_FALSE(view->HintTimerRunning());
  QTest::qWait(60);
  EXPECT_EQ(requests, 1);

  // Once the caret has moved away the pause asks nothing.
  QTest::keyClicks(view.get(), "y");
  store.SetCaretPos(0, 0);
  QTest::qWait(60);
  EXPECT_EQ(requests, 1);

  // So does Esc, which types nothing and leaves the caret where it was.
  QTest::keyClicks(view.get(), "w");
  QTest::keyClick(view.get(), Qt::Key_Escape);
  EXPECT_FALSE(view->HintTimerRunning());

  // A mouse press stops the timer.
  QTest::keyClicks(view.get(), "z");
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell(1, 0));
  EXPECT_FALSE(view->HintTimerRunning());
}

TEST_F(HintView, AHintShowsTheFirstStringAtTheCaretAndHidesItself) {
  store.LoadFromBuffer("");
  offer = {"~img~ src=\"\"\r\nalt \xC3\xA9", "second"};
  type = ptHint;
  QTest::keyClicks(view.get(), "<");
  ASSERT_TRUE(QTest::qWaitFor([&] { return view->Hint().Visible(); }, 2000));
  EXPECT_EQ(view->Hint().Caption(), offer[0]);
  EXPECT_EQ(TVrelHint::RichText(offer[0]),
            QString::fromUtf8("<nobr><b>img</b> src=&quot;&quot;<br>alt \xC3\xA9</nobr>"));
  // Its top-left corner is under the caret's row.
  QPoint caret = view->viewport()->mapToGlobal(view->CaretToClient());
  EXPECT_EQ(view->Hint().Geometry().topLeft(), caret + QPoint(0, view->LineHeight()));
  EXPECT_TRUE(list->Lists.empty());
  // Where the mouse pointer is does not matter; the hide pause does.
  QTest::qWait(TVrelHint::kHidePauseMs / 2);
  EXPECT_TRUE(view->Hint().Visible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !view->Hint().Visible(); }, TVrelHint::kHidePauseMs));

  QTest::keyClicks(view.get(), "<");
  ASSERT_TRUE(QTest::qWaitFor([&] { return view->Hint().Visible(); }, 2000));
  view->CloseHint();
  EXPECT_FALSE(view->Hint().Visible());
  EXPECT_FALSE(view->HintTimerRunning());
}

TEST_F(HintView, AddressesShowAHandAndOpenUnlessTheEventHandlesThem) {
  store.SetHighlightUrls(true);
  store.LoadFromBuffer("go to http://example.org now");
  std::vector<std::string> jumped;
  bool handle = true;
  view->OnJumpToUrl = [&](TCustomVrelMemo&, const std::string& url, bool& handled) {
    jumped.push_back(url);
    handled = handle;
  };
  QTest::mouseMove(view->viewport(), Cell(8, 0));
  EXPECT_EQ(view->viewport()->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(view->viewport(), Cell(1, 0));
  EXPECT_NE(view->viewport()->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell(10, 0));
  EXPECT_EQ(jumped, (std::vector<std::string>{"http://example.org"}));
  // A press elsewhere and a release on the address opens nothing.
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, Cell(1, 0));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, Cell(10, 0));
  EXPECT_EQ(jumped.size(), 1u);
  store.SetHighlightUrls(false);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell(10, 0));
  EXPECT_EQ(jumped.size(), 1u);
}

TEST_F(HintView, NothingOpensWithoutPermissionOrStrings) {
  store.LoadFromBuffer("");
  offer = {"one"};
  allow = false;
  QTest::keyClicks(view.get(), "<");
  EXPECT_TRUE(QTest::qWaitFor([&] { return requests == 1; }, 2000));
  allow = true;
  offer.clear();
  QTest::keyClicks(view.get(), "<");
  EXPECT_TRUE(QTest::qWaitFor([&] { return requests == 2; }, 2000));
  QTest::qWait(30);
  EXPECT_TRUE(list->Lists.empty());
}

TEST_F(HintView, AChosenEntryReplacesWhatWasTypedAndUndoesWithTheTyping) {
  store.LoadFromBuffer("<p>");
  store.SetOptions(store.Options() | TStringsOptions{soGroupUndo});
  store.SetCaretPos(3, 0);
  offer = {"table|<table>", "td|<td>"};
  view->OnHintInsert = [](TCustomVrelMemo&, std::string& s) { s = s.substr(0, s.find('|')); };
  QTest::keyClicks(view.get(), "<");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !list->Lists.empty(); }, 2000));
  TypeIntoText("ta");
  view->PopupItemChosen(0);
  EXPECT_EQ(Text(store), "<p><table");
  EXPECT_EQ(store.CaretPos(), (TPoint{9, 0}));
  EXPECT_FALSE(store.HasSelection());
  // Out of range (a prefix search that found nothing) inserts nothing.
  view->PopupItemChosen(2);
  view->PopupItemChosen(-1);
  EXPECT_EQ(Text(store), "<p><table");
  store.Undo();
  EXPECT_EQ(Text(store), "<p>");
}

TEST_F(HintView, AddressesOpenThroughTheShellUnlessTheEventHandlesThem) {
  test::TFakeShell shell;
  view->MemoSource().SetServices(
      platform::WithDefaults({nullptr, nullptr, nullptr, nullptr, &shell}));
  view->JumpToUrl("http://example.org/");
  EXPECT_EQ(shell.Opened, std::vector<std::string>{"http://example.org/"});
  std::string seen;
  view->OnJumpToUrl = [&](TCustomVrelMemo&, const std::string& url, bool& handled) {
    seen = url;
    handled = true;
  };
  view->JumpToUrl("mailto:a@b.c");
  EXPECT_EQ(seen, "mailto:a@b.c");
  EXPECT_EQ(shell.Opened.size(), 1u);
}

TEST_F(HintView, CollapseChangesMayBeRefused) {
  std::vector<std::pair<int, bool>> changed;
  view->OnCollapseStateChanged = [&](TCustomVrelMemo&, int line, bool collapsed) {
    changed.emplace_back(line, collapsed);
  };
  EXPECT_TRUE(view->DoCollapseStateChanging(3, true));
  view->OnCollapseStateChanging = [](TCustomVrelMemo&, int line, bool, bool& handled) {
    handled = line == 3;
  };
  EXPECT_FALSE(view->DoCollapseStateChanging(3, true));
  EXPECT_TRUE(view->DoCollapseStateChanging(4, false));
  view->DoCollapseStateChanged(4, false);
  EXPECT_EQ(changed, (std::vector<std::pair<int, bool>>{{4, false}}));
}

}  // namespace
}  // namespace quorel
