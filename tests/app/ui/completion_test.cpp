// Tag completion in the main window with the shipped "Popup.txt", driven by key events: the list
// opens after "<" and the pause, follows the typed word, and closes by the keys' rules.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <filesystem>

#include "app/form1.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

struct Completion : MainWindow {
  void SetUp() override {
    MainWindow::SetUp();
    // The program folder holds the shipped completions.
    processes.Program = dir.File("quorel");
    std::filesystem::copy_file(std::string(QUOREL_TEST_DATA_DIR) + "/../../data/Popup.txt",
                               dir.File("Popup.txt"));
    form = std::make_unique<TForm1>(services);
    form->show();
    view()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form->PopupLoaded);
  }
  TCustomVrelMemo* view() { return form->VrelMemo1; }
  TCustomMemoSource& store() { return form->MemoSource1; }
  void Key(int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    static_cast<QObject*>(view())->event(&press);
  }
  void Type(const QString& text) {
    for (QChar c : text) Key(c == ' ' ? Qt::Key_Space : 0, QString(c));
  }
  // Waits out the hint pause.
  void Pause() { QTest::qWait(view()->HintDelay + 150); }
  TVrelPopupListBox* List() { return view()->PopupListOpen() ? view()->PopupListBox() : nullptr; }
  std::string SelectedEntry() {
    TVrelPopupListBox* list = List();
    return list && list->Selected() >= 0 ? list->Entry(list->Selected()) : "";
  }
};

TEST_F(Completion, TypingALessThanAndWaitingOpensTheListUnderTheCaret) {
  Type("<p>x</p>");
  Pause();
  EXPECT_EQ(List(), nullptr);  // the character before the caret is not "<"
  Type(" <");
  Pause();
  ASSERT_NE(List(), nullptr);
  QPoint caret = view()->viewport()->mapToGlobal(view()->CaretToClient());
  EXPECT_EQ(List()->geometry().topLeft(), caret + QPoint(0, view()->LineHeight()));
  EXPECT_EQ(List()->Selected(), 0);
  EXPECT_TRUE(view()->hasFocus());  // the caret stays in the view
}

TEST_F(Completion, TheTypedWordPicksTheEntryAndEnterInsertsIt) {
  Type("<");
  Pause();
  ASSERT_NE(List(), nullptr);
  Type("ta");
  EXPECT_EQ(SelectedEntry().substr(0, 2), "ta");
  const std::string entry = SelectedEntry();
  Key(Qt::Key_Return);
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(store().RawLine(0), "<" + entry.substr(0, entry.find('|')));
  // One undo takes the entry and the typing with it.
  store().Undo();
  EXPECT_EQ(store().LineCount(), 0);
}

TEST_F(Completion, SpaceChoosesAndIsTypedDotToo) {
  Type("<");
  Pause();
  Type("b");
  const std::string entry = SelectedEntry();
  ASSERT_FALSE(entry.empty());
  Type(" ");
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(store().RawLine(0), "<" + entry.substr(0, entry.find('|')) + " ");

  store().LoadFromBuffer("");
  Type("<");
  Pause();
  Type("zzz");  // no entry begins so
  EXPECT_EQ(SelectedEntry(), "");
  Type(".");
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(store().RawLine(0), "<zzz.");
}

TEST_F(Completion, LeftBackspaceAndEscCloseTheList) {
  Type("<");
  Pause();
  ASSERT_NE(List(), nullptr);
  Key(Qt::Key_Left);
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(store().CaretX(), 0);

  store().SetCaretPos(1, 0);
  Type("x<");
  Pause();
  ASSERT_NE(List(), nullptr);
  Key(Qt::Key_Backspace);  // over the "<": the caret is left of where the list opened
  EXPECT_EQ(List(), nullptr);

  Type("<");
  Pause();
  ASSERT_NE(List(), nullptr);
  Key(Qt::Key_Return, {}, Qt::ShiftModifier);  // Enter with Shift does nothing
  ASSERT_NE(List(), nullptr);
  Key(Qt::Key_Down);
  EXPECT_EQ(List()->Selected(), 1);
  Key(Qt::Key_Escape);
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(store().RawLine(0), "<x<");
}

TEST_F(Completion, NearTheScreensBottomRightTheListOpensAboveAndLeft) {
  Type("<");
  Pause();
  ASSERT_NE(List(), nullptr);
  TVrelPopupListBox* list = List();
  QRect screen(0, 0, 800, 600);
  list->ShowAt(QPoint(790, 590), screen);
  EXPECT_EQ(list->geometry().bottomRight().y() < 590, true);
  EXPECT_EQ(list->geometry().right() < 790, true);
  EXPECT_EQ(list->geometry().topLeft(), QPoint(790 - list->width(), 590 - list->height()));
  list->ShowAt(QPoint(10, 20), screen);
  EXPECT_EQ(list->geometry().topLeft(), QPoint(10, 20));
}

TEST_F(Completion, AClickedMailAddressOpensWithMailto) {
  Run("HighlightUrls1");  // on
  ASSERT_TRUE(store().HighlightUrls());
  store().InsertText("write to someone@example.com or www.example.com today");
  store().EnsureParsed(0);
  QApplication::processEvents();
  auto click = [&](int column) {
    QPoint p = view()->PointFromTextPos({column, 0}) + QPoint(2, view()->LineHeight() / 2);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, p);
  };
  click(12);
  ASSERT_FALSE(shell.Opened.empty());
  EXPECT_EQ(shell.Opened.back(), "mailto:someone@example.com");
  click(35);
  EXPECT_EQ(shell.Opened.back(), "www.example.com");
  size_t opened = shell.Opened.size();
  click(2);  // plain text opens nothing
  EXPECT_EQ(shell.Opened.size(), opened);
}

TEST_F(Completion, CtrlJDoesNothingWithTheTemplateSetNone) {
  ASSERT_EQ(store().TemplatesType(), "None");
  Type("for");
  Key(Qt::Key_J, {}, Qt::ControlModifier);
  EXPECT_EQ(List(), nullptr);
  EXPECT_EQ(store().RawLine(0), "for");
}

}  // namespace
}  // namespace quorel
