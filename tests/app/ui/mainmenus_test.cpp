// The main window's menus: their order, the custom colours they show, the rules that enable
// their items as they open, and shortcuts that refresh a menu before running its item.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "engine/clipboardsource.h"
#include "mainwindowfixture.h"
#include "view/editwindow.h"

namespace quorel {
namespace {

struct MainMenus : MainWindow {
  void Restart() {
    form.reset();
    form = std::make_unique<TForm1>(services);
  }
  // Shows the window and makes it the active one, so that its shortcuts reach it.
  void ShowActive() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->VrelMemo1->setFocus();
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form->VrelMemo1, static_cast<Qt::Key>(key), modifiers);
  }
  std::string Text() const { return form->MemoSource1.Lines().Text(); }
  static QStringList Captions(const QList<QAction*>& items) {
    QStringList captions;
    for (QAction* item : items) captions << (item->isSeparator() ? "-" : item->text());
    return captions;
  }
};

TEST_F(MainMenus, TheMenuBarAndTheEditMenuInOrder) {
  EXPECT_EQ(
      Captions(form->menuBar()->actions()),
      (QStringList{"&File", "&Edit", "&Colors", "&Highlighting", "&View", "&Images", "&Window"}));
  EXPECT_EQ(Captions(Menu("Edit1")->actions()),
            (QStringList{"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "&Select All",
                         "&View Clipboard", "-", "&Find...", "F&ind Next", "R&eplace", "Goto Line",
                         "-", "&Wrap", "&Program Font Size", "Pr&ogram Font"}));
  EXPECT_EQ(Command("Replace1")->shortcut(), QKeySequence("Ctrl+Shift+R"));
  EXPECT_EQ(Captions(Menu("Parser1")->actions()),
            (QStringList{"&None", "-", "Default", "Rich Text Format", "-"}));
  EXPECT_FALSE(Command("RichTextFormat1")->isEnabled());
  EXPECT_EQ(Captions(Menu("Window1")->actions()), (QStringList{"&Help", "&About"}));
  EXPECT_EQ(Command("ShowLineNumbers1")->text(), "    &Line Numbers");
}

TEST_F(MainMenus, CustomColoursShowInBothColourMenusOnceShown) {
  settings.WriteString("CustomColorName2", "Sea");
  settings.WriteString("CustomHexValue2", "#2E8B57");
  Restart();
  form->show();  // the first showing fills the colour menus
  EXPECT_FALSE(Command("MenuColor1")->isVisible());
  EXPECT_TRUE(Command("MenuColor2")->isVisible());
  EXPECT_EQ(Command("MenuColor2")->text(), "Sea");
  EXPECT_TRUE(Command("MenuColorPop2")->isVisible());
  EXPECT_EQ(Command("MenuColorPop2")->text(), "Sea");
  EXPECT_FALSE(Command("MenuColorPop3")->isVisible());
  EXPECT_TRUE(Command("MenuColorSep1")->isVisible());
  EXPECT_TRUE(Command("ColorMenuPopSep1")->isVisible());
  EXPECT_FALSE(form->Palettes->ColorsChanged);

  // A palette that changes the slots marks them; the menu opening shows the change. Emptying a
  // slot hides its items but not the separators.
  form->Settings.CustomColorName[1].clear();
  form->Settings.CustomColorName[15] = "Last";
  form->Palettes->ColorsChanged = true;
  emit Menu("Color1")->aboutToShow();
  EXPECT_FALSE(Command("MenuColor2")->isVisible());
  EXPECT_TRUE(Command("MenuColor16")->isVisible());
  EXPECT_TRUE(Command("MenuColorSep1")->isVisible());

  // A colour item puts its code over the selection.
  form->MemoSource1.InsertText("color=red");
  form->MemoSource1.SetCaretPos(9, 0);
  form->MemoSource1.SetSelection(stStream, 6, 0, 9, 0);
  form->Settings.CustomHexValue[15] = "#ABCDEF";
  Run("MenuColorPop16");
  EXPECT_EQ(Text(), "color=#ABCDEF");
}

// Real key presses on the window: menu shortcuts come before the view's two-key commands.
TEST_F(MainMenus, CtrlQExitsWithTheSaveQuestionAndCtrlOOpens) {
  ShowActive();
  Type("unsaved");
  dialogs.AnswerMessage(platform::mrCancel);
  Press(Qt::Key_Q, Qt::ControlModifier);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Text.rfind("Do you wish to save this file?", 0), 0u);
  EXPECT_TRUE(form->isVisible());  // Cancel keeps the window
  // Ctrl+Q left no two-key command waiting: the next key types.
  form->MemoSource1.SetCaretPos(7, 0);
  Press(Qt::Key_X);
  EXPECT_EQ(form->MemoSource1.Lines().Text(), "unsavedx");

  form->MemoSource1.SetModified(false);
  dialogs.AnswerFile(std::nullopt);
  Press(Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Open");

  Press(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(dialogs.Messages().size(), 1u);  // nothing to ask
  EXPECT_FALSE(form->isVisible());
}

// A key handed to the view itself, past the window's shortcut map (as when the window is not the
// active one), still runs the menu item rather than starting a two-key command.
void DeliverToView(QWidget* view, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  static_cast<QObject*>(view)->event(&press);
}

TEST_F(MainMenus, AMenuShortcutThatReachesTheViewRunsItsItem) {
  ShowActive();
  Type("unsaved");
  form->MemoSource1.SetCaretPos(0, 0);
  dialogs.AnswerMessage(platform::mrCancel);
  DeliverToView(form->VrelMemo1, Qt::Key_Q, Qt::ControlModifier, "\x11");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Text.rfind("Do you wish to save this file?", 0), 0u);
  // No two-key command is waiting: Ctrl+D alone does nothing (Ctrl+Q Ctrl+D goes to the line end).
  DeliverToView(form->VrelMemo1, Qt::Key_D, Qt::ControlModifier, "\x04");
  EXPECT_EQ(form->MemoSource1.CaretPos(), (TPoint{0, 0}));

  // The clipboard window's view has no menu: Ctrl+Q there starts a two-key command (Ctrl+Q
  // Ctrl+Y deletes to the line end).
  Run("ViewClipboard1");
  TVrelMemo* other = form->EditWindow->Memo();
  other->MemoSource().LoadFromBuffer("abcdef");
  other->MemoSource().SetCaretPos(2, 0);
  DeliverToView(other, Qt::Key_Q, Qt::ControlModifier, "\x11");
  DeliverToView(other, Qt::Key_Y, Qt::ControlModifier, "\x19");
  EXPECT_EQ(other->MemoSource().Lines().Text(), "ab");
  EXPECT_EQ(dialogs.Messages().size(), 1u) << LastMessage();
}

TEST_F(MainMenus, CtrlKTwoKeyCommandsStillWorkInTheMainWindow) {
  ShowActive();
  Type("one two");
  form->MemoSource1.SetCaretPos(0, 0);
  // Ctrl+K B marks the block start, Ctrl+K K its end, Ctrl+K N upper-cases it.
  Press(Qt::Key_K, Qt::ControlModifier);
  Press(Qt::Key_B);
  form->MemoSource1.SetCaretPos(3, 0);
  Press(Qt::Key_K, Qt::ControlModifier);
  Press(Qt::Key_K);
  Press(Qt::Key_K, Qt::ControlModifier);
  Press(Qt::Key_N);
  EXPECT_EQ(form->MemoSource1.Lines().Text(), "ONE two");
}

TEST_F(MainMenus, ShortcutsRefreshTheirMenuFirst) {
  ShowActive();
  // An empty document: Ctrl+A and Ctrl+J find their items disabled and do nothing.
  Press(Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_FALSE(Command("GotoLine1")->isEnabled());

  // Ctrl+W toggles wrapping every time: the menu's check mark is refreshed before each.
  Press(Qt::Key_W, Qt::ControlModifier);
  EXPECT_TRUE(form->VrelMemo1->WordWrap());
  Press(Qt::Key_W, Qt::ControlModifier);
  EXPECT_FALSE(form->VrelMemo1->WordWrap());

  // Ctrl+F10 is the 10 point size even with a custom colour 10 in use; Ctrl+F1 is colour 1.
  form->Settings.CustomColorName[0] = "One";
  form->Settings.CustomHexValue[0] = "#111111";
  form->Settings.CustomColorName[9] = "Ten";
  form->Settings.CustomHexValue[9] = "#101010";
  form->Palettes->ColorsChanged = true;
  Press(Qt::Key_F10, Qt::ControlModifier);
  EXPECT_EQ(form->VrelMemo1->Font().Size(), 10);
  EXPECT_EQ(form->SyntaxParser1.DefaultAttr().Font.Size(), 10);
  EXPECT_EQ(Text(), "");
  Press(Qt::Key_F1, Qt::ControlModifier);
  EXPECT_EQ(Text(), "#111111");

  // Undo through the menu's shortcut, and Cut only when there is a selection.
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "");
  Press(Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(Text(), "#111111");
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Text(), "#111111");
  EXPECT_FALSE(Command("Cut1")->isEnabled());
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(Command("ToolButton5")->isEnabled());
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(clipboard.GetText(), "#111111");
  EXPECT_TRUE(Command("ToolButton7")->isEnabled());
}

TEST_F(MainMenus, GoToLineAsksForANumber) {
  form->VrelMemo1->InsertText("a\r\nb\r\nc\r\nd");
  ASSERT_EQ(form->MemoSource1.LineCount(), 4);
  dialogs.Answer(true, "3");
  Run("GotoLine1");
  ASSERT_EQ(dialogs.Asked().size(), 1u);
  EXPECT_EQ(dialogs.Asked()[0].Caption, "Go to line Number");
  EXPECT_EQ(form->MemoSource1.CaretY(), 2);
  dialogs.Answer(true, "three");
  Run("GotoLine1");
  EXPECT_EQ(LastMessage(), "'three' is not a valid integer value");
  EXPECT_EQ(form->MemoSource1.CaretY(), 2);
}

TEST_F(MainMenus, GutterAndLineNumbers) {
  emit Menu("View1")->aboutToShow();
  EXPECT_FALSE(Command("ShowLineNumbers1")->isEnabled());
  Run("ShowGutter1");
  emit Menu("View1")->aboutToShow();
  EXPECT_TRUE(Command("ShowGutter1")->isChecked());
  EXPECT_TRUE(Command("ShowLineNumbers1")->isEnabled());
  Run("ShowLineNumbers1");
  EXPECT_TRUE(form->VrelMemo1->Options().Contains(moLineNumbers));
  // Hiding the gutter hides its numbers; showing it again brings the gutter alone.
  Run("ShowGutter1");
  Run("ShowGutter1");
  TMemoOptions options = form->VrelMemo1->Options();
  EXPECT_TRUE(options.Contains(moDrawGutter));
  EXPECT_FALSE(options.Contains(moLineNumbers));
  EXPECT_FALSE(options.Contains(moLineNumbersOnGutter));
  // The toolbar item hides and shows the toolbar.
  Run("Toolbar2");
  EXPECT_TRUE(form->ToolBar1->isHidden());
  emit Menu("View1")->aboutToShow();
  EXPECT_FALSE(Command("Toolbar2")->isChecked());
}

TEST_F(MainMenus, NoneAndDefaultParsers) {
  Run("None4");
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), nullptr);
  emit Menu("Parser1")->aboutToShow();
  EXPECT_TRUE(Command("None4")->isChecked());
  EXPECT_FALSE(Command("Default1")->isChecked());
  EXPECT_FALSE(Command("RichTextFormat1")->isChecked());
  Run("Default1");
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  EXPECT_TRUE(form->Settings.Highlighting);
  emit Menu("Parser1")->aboutToShow();
  EXPECT_TRUE(Command("Default1")->isChecked());
  EXPECT_FALSE(Command("None4")->isChecked());
  // Clickable addresses follow the store.
  Run("HighlightUrls1");
  emit Menu("HighLighting1")->aboutToShow();
  EXPECT_TRUE(Command("HighlightUrls1")->isChecked());
  EXPECT_TRUE(form->MemoSource1.HighlightUrls());
}

TEST_F(MainMenus, SplitViewSharesTheOneDocument) {
  ShowActive();
  Run("SplitView1");
  ASSERT_NE(form->SplitMemo, nullptr);
  EXPECT_TRUE(Command("SplitView1")->isChecked());
  EXPECT_EQ(&form->SplitMemo->MemoSource(), &form->MemoSource1);
  EXPECT_EQ(form->findChild<QWidget*>("Splitter1"), static_cast<QWidget*>(form->Splitter1));
  EXPECT_EQ(form->SplitMemo->Font(), form->VrelMemo1->Font());
  // Typing in either view changes the one document.
  form->SplitMemo->setFocus();
  QTest::keyClicks(form->SplitMemo, "ab");
  form->VrelMemo1->setFocus();
  form->MemoSource1.SetCaretPos(2, 0);
  QTest::keyClicks(form->VrelMemo1, "c");
  EXPECT_EQ(Text(), "abc");
  // Twice restores the single view, which still edits the document.
  Run("SplitView1");
  EXPECT_EQ(form->SplitMemo, nullptr);
  EXPECT_EQ(form->findChild<QWidget*>("SplitMemo"), nullptr);
  EXPECT_FALSE(Command("SplitView1")->isChecked());
  EXPECT_EQ(form->centralWidget(), form->VrelMemo1);
  QTest::keyClicks(form->VrelMemo1, "d");
  EXPECT_EQ(Text(), "abcd");
}

TEST_F(MainMenus, TheClipboardWindowCollectsCopiedText) {
  Run("ViewClipboard1");
  ASSERT_NE(form->EditWindow, nullptr);
  EXPECT_EQ(form->EditWindow->windowTitle(), "Clipboard");
  EXPECT_EQ(form->EditWindow->Tabs()->count(), 1);
  EXPECT_EQ(form->EditWindow->size(), QSize(520, 392));
  EXPECT_EQ(form->ClipboardStore->SyntaxParser(), form->MemoSource1.SyntaxParser());
  form->VrelMemo1->InsertText("first");
  form->MemoSource1.SelectAll();
  Run("Copy1");
  clipboard.SetText("second");
  TCustomMemoSource& shown = form->EditWindow->Memo()->MemoSource();
  EXPECT_EQ(&shown, form->ClipboardStore.get());
  EXPECT_EQ(shown.Lines().Text(), "first\r\nsecond");
  EXPECT_EQ(form->EditWindow->StatusText(0).toStdString(),
            std::to_string(shown.CaretY() + 1) + ": " + std::to_string(shown.CaretX() + 1));
  EXPECT_EQ(form->EditWindow->StatusText(2), "Insert");
  // Showing it again reuses the window and its one tab.
  Run("ViewClipboard1");
  EXPECT_EQ(form->EditWindow->Tabs()->count(), 1);
}

TEST_F(MainMenus, TheProgramFontComesFromTheFontDialog) {
  platform::TFontChoice chosen;
  chosen.Name = "Liberation Sans";
  chosen.Size = 12;
  chosen.Bold = true;
  chosen.Color = 0x0000FF;
  dialogs.AnswerFont(std::nullopt);
  Run("ProgramFont1");
  EXPECT_EQ(form->VrelMemo1->Font().Name, "Courier New");
  ASSERT_EQ(dialogs.FontsShown().size(), 1u);
  EXPECT_EQ(dialogs.FontsShown()[0].Name, "Courier New");
  EXPECT_EQ(dialogs.FontsShown()[0].Size, 8);
  dialogs.AnswerFont(chosen);
  Run("ProgramFont1");
  for (const TFont& font : {form->VrelMemo1->Font(), form->SyntaxParser1.DefaultAttr().Font}) {
    EXPECT_EQ(font.Name, "Liberation Sans");
    EXPECT_EQ(font.Size(), 12);
    EXPECT_TRUE(font.Style.Contains(fsBold));
    EXPECT_EQ(font.Color, clRed);
  }
}

// Each panel shows its whole text at the window's font, however long the document: six- and
// seven-digit numbers need more room than the panels' original widths.
TEST_F(MainMenus, TheStatusBarShowsWholeNumbers) {
  std::string text(299'999, '\n');
  text += "the last line, which is a long one: " + std::string(1'000'000 - 36, 'x');
  form->MemoSource1.LoadFromBuffer(text);
  ShowActive();
  QTest::keyClick(form->VrelMemo1, Qt::Key_End, Qt::ControlModifier);
  form->MemoSource1.SetModified(true);
  QApplication::processEvents();
  EXPECT_EQ(Panel(0), "Char: 1000001");
  EXPECT_EQ(Panel(1), "Line: 300000");
  EXPECT_EQ(Panel(2), "Modified");
  for (int i = 0; i < 3; ++i) {
    QLabel* panel = form->StatusBar1[static_cast<size_t>(i)];
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()))
        << panel->text().toStdString();
  }
  // Nine digits are wider than the room kept for seven: the panel grows.
  form->SetPanelText(1, "Line: 123456789");
  QApplication::processEvents();
  QLabel* line = form->StatusBar1[1];
  EXPECT_GE(line->contentsRect().width(), line->fontMetrics().horizontalAdvance(line->text()));
}

TEST_F(MainMenus, ClicksAndThePressedStatusBar) {
  ShowActive();
  form->VrelMemo1->InsertText("one two");
  form->MemoSource1.SetSelection(stStream, 0, 0, 3, 0);
  EXPECT_FALSE(Command("ToolButton5")->isEnabled());
  QTest::mouseClick(form->VrelMemo1->viewport(), Qt::LeftButton, {}, QPoint(200, 60));
  // The click itself dropped the selection and moved the caret; the buttons follow.
  EXPECT_EQ(Command("ToolButton5")->isEnabled(), form->MemoSource1.HasSelection());
  EXPECT_EQ(Panel(1), "Line: " + std::to_string(form->MemoSource1.CaretY() + 1));
  QTest::keyClick(form->VrelMemo1, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(Command("ToolButton5")->isEnabled(), form->MemoSource1.HasSelection());
  EXPECT_EQ(Command("ToolButton6")->isEnabled(), Command("ToolButton5")->isEnabled());

  QTest::mousePress(form->statusBar(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form->statusBar()->currentMessage(), "Ouch - Do you mind!!");
  QTest::mouseRelease(form->statusBar(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form->statusBar()->currentMessage(), "");
}

TEST(ExpandLongPath, KeepsWhatExistsAndWhatDoesNot) {
  test::TTempDir dir;
  std::string folder = dir.Path() + "/Site Pages";
  std::filesystem::create_directories(folder);
  test::WriteBytes(folder + "/Index.html", "x");
  EXPECT_EQ(TForm1::ExpandLongPath(folder + "/Index.html"), folder + "/Index.html");
  EXPECT_EQ(TForm1::ExpandLongPath(folder + "/"), folder + "/");
  EXPECT_EQ(TForm1::ExpandLongPath(folder + "/gone/x.htm"), folder + "/gone/x.htm");
  EXPECT_EQ(TForm1::ExpandLongPath("relative/x.htm"), "relative/x.htm");
}

}  // namespace
}  // namespace quorel
