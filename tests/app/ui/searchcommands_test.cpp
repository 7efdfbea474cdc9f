// Find, Replace and Find Next from the main window: when they are enabled, what their shortcuts
// do, and that the dialogs' answers reach the document.
#include <QAction>
#include <QMenu>
#include <QTest>

#include "mainwindowfixture.h"
#include "search/memosearch.h"

namespace quorel {
namespace {

// Answers the Find and Replace dialogs as a user would type into them.
struct TAnsweringDialogs : ISearchDialogs {
  std::string Find;
  std::string Replace;
  TResult ReplaceAnswer = drAll;
  int Shown = 0;
  bool ExecuteFind(TCustomMemoSource&, TSearchOptions& options) override {
    ++Shown;
    options.SetTextToFind(Find);
    return true;
  }
  TResult ExecuteReplace(TCustomMemoSource&, TSearchOptions& options) override {
    ++Shown;
    options.SetTextToFind(Find);
    options.SetReplaceWith(Replace);
    options.SetPromptOnReplace(false);
    options.SetReplaceAll(ReplaceAnswer == drAll);
    return ReplaceAnswer;
  }
};

struct SearchCommands : MainWindow {
  TAnsweringDialogs answers;
  void SetUp() override {
    MainWindow::SetUp();
    form->Search->Search1->SetSearchDialogs(&answers);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->VrelMemo1->setFocus();
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form->VrelMemo1, key, modifiers);
  }
  std::string Text() { return form->MemoSource1.Lines().Text(); }
};

TEST_F(SearchCommands, AnEmptyDocumentHasNothingToSearch) {
  emit Menu("Edit1")->aboutToShow();
  for (QAction* item : {Command("Find1"), Command("Replace1"), Command("GotoLine1"),
                        Command("SelectAll1"), Command("FindNext1")})
    EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
  Press(Qt::Key_F, Qt::ControlModifier);
  Press(Qt::Key_F3);
  EXPECT_EQ(answers.Shown, 0);
}

TEST_F(SearchCommands, FindThenFindNextWithTheirShortcuts) {
  form->VrelMemo1->InsertText("one two\r\nthree two");
  form->MemoSource1.SetCaretPos(0, 0);
  emit Menu("Edit1")->aboutToShow();
  EXPECT_TRUE(Command("Find1")->isEnabled());
  EXPECT_FALSE(Command("FindNext1")->isEnabled());  // no search has set a text yet

  answers.Find = "two";
  Press(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(answers.Shown, 1);
  EXPECT_EQ(form->MemoSource1.SelectedText(), "two");  // the window selects what it finds
  EXPECT_EQ(form->MemoSource1.CaretY(), 0);
  emit Menu("Edit1")->aboutToShow();
  EXPECT_TRUE(Command("FindNext1")->isEnabled());

  Press(Qt::Key_F3);
  EXPECT_EQ(form->MemoSource1.CaretY(), 1);
  EXPECT_EQ(form->MemoSource1.SelectedText(), "two");
  EXPECT_EQ(answers.Shown, 1);  // find next asks nothing

  // Past the last match: the not-found message.
  Press(Qt::Key_F3);
  EXPECT_EQ(LastMessage(), "Search string 'two' not found");
}

TEST_F(SearchCommands, ReplaceAllIsOneUndoStep) {
  form->VrelMemo1->InsertText("a cat, a cat\r\ncat");
  form->MemoSource1.SetCaretPos(0, 0);
  answers.Find = "cat";
  answers.Replace = "dog";
  Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Text(), "a dog, a dog\r\ndog");
  Run("Undo1");
  EXPECT_EQ(Text(), "a cat, a cat\r\ncat");
}

TEST_F(SearchCommands, AnInvalidPatternIsReportedNotThrown) {
  form->VrelMemo1->InsertText("text");
  form->MemoSource1.SetCaretPos(0, 0);
  form->Search->SearchOptions1.SetRegularExpr(true);
  answers.Find = "[a";
  emit Menu("Edit1")->aboutToShow();
  Run("Find1");
  EXPECT_NE(LastMessage().find("is invalid mask at"), std::string::npos) << LastMessage();
  EXPECT_EQ(Text(), "text");
}

}  // namespace
}  // namespace quorel
