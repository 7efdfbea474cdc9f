// The custom text window: "Custom.txt" loaded, edited and saved at every close, the Cut and Copy
// buttons following the selection, the toolbar on the main toolbar's side, and each failure told.
#include "app/customform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "app/form1.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct CustomText : MainWindow {
  std::string UserCopy() const { return dir.File("userdata/Custom.txt"); }
  TCustomForm1& Show() {
    TCustomForm1& custom = form->Insert->CustomForm();
    custom.FormShow(form->MemoSource1, *form->VrelMemo1, form->Settings.ToolBarAlignment);
    return custom;
  }
  std::string Text(TCustomMemoSource& store) const {
    std::string out;
    for (int y = 0; y < store.LineCount(); ++y) out += (y ? "\n" : "") + store.RawLine(y);
    return out;
  }
  void Key(QWidget* view, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    static_cast<QObject*>(view)->event(&press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(view, &release);
  }
  void Click(TVrelMemo* view, QPoint at) {
    SendMouse(view->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
};

TEST_F(CustomText, AFirstOpeningWarnsOnceAndClosingLeavesAnEmptyFile) {
  // Through the toolbar button, with the window closed by its Exit button once it runs.
  QTimer::singleShot(0, [this] { form->Insert->CustomForm1->ToolButton14->trigger(); });
  Run("ToolButton12");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), "A Custom Text Does Not Yet Exist - Use This Window to Create One");
  EXPECT_TRUE(std::filesystem::exists(UserCopy()));
  EXPECT_EQ(ReadBytes(UserCopy()), "");
  EXPECT_FALSE(form->Insert->CustomForm1->isVisible());
  // The second opening finds the file and says nothing.
  Show();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(CustomText, EditsAreSavedAtCloseAndInsertedByInsertText) {
  TCustomForm1& custom = Show();
  EXPECT_EQ(custom.windowTitle(), "Custom Text");
  EXPECT_EQ(custom.size(), QSize(544, 375));
  custom.MemoSource1.InsertText("<hr>\r\n<p>é</p>");
  custom.reject();  // the close box or Esc saves just the same
  EXPECT_EQ(ReadBytes(UserCopy()), "<hr>\r\n<p>\xC3\xA9</p>");
  EXPECT_EQ(custom.MemoSource1.LineCount(), 0);
  Run("ToolButton8");
  EXPECT_EQ(Text(form->MemoSource1), "<hr>\n<p>\xC3\xA9</p>");
  // Reopened, the saved text is there and Undo cannot reach an earlier showing.
  Show();
  EXPECT_EQ(Text(custom.MemoSource1), "<hr>\n<p>\xC3\xA9</p>");
  custom.MemoSource1.Undo();
  EXPECT_EQ(Text(custom.MemoSource1), "<hr>\n<p>\xC3\xA9</p>");
  custom.accept();
}

TEST_F(CustomText, TheShippedCopyIsReadAndTheUsersCopyWritten) {
  processes.Program = dir.File("quorel");
  WriteBytes(dir.File("Custom.txt"), "shipped\nlines\n");
  form = std::make_unique<TForm1>(services);
  TCustomForm1& custom = Show();
  EXPECT_EQ(Text(custom.MemoSource1), "shipped\nlines");
  EXPECT_EQ(custom.CustomFileName, UserCopy());
  custom.accept();
  EXPECT_EQ(ReadBytes(dir.File("Custom.txt")), "shipped\nlines\n");
  // The file keeps its own line ends.
  EXPECT_EQ(ReadBytes(UserCopy()), "shipped\nlines\n");
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(CustomText, CutAndCopyFollowTheSelection) {
  std::filesystem::create_directories(dir.File("userdata"));
  WriteBytes(UserCopy(), "alpha beta\r\ngamma");
  TCustomForm1& custom = Show();
  custom.show();
  EXPECT_FALSE(custom.ToolButton2->isEnabled());
  EXPECT_FALSE(custom.ToolButton3->isEnabled());
  for (QAction* always : {custom.ToolButton4, custom.ToolButton1, custom.ToolButton5})
    EXPECT_TRUE(always->isEnabled());
  Key(custom.VrelMemo1, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_TRUE(custom.ToolButton2->isEnabled());
  EXPECT_TRUE(custom.ToolButton3->isEnabled());
  custom.ToolButton3->trigger();
  EXPECT_EQ(clipboard.GetText(), "a");
  // A click elsewhere drops the selection and the buttons with it.
  Click(custom.VrelMemo1, QPoint(60, custom.VrelMemo1->LineHeight() + 2));
  EXPECT_TRUE(custom.VrelMemo1->GetSelText().empty());
  EXPECT_FALSE(custom.ToolButton2->isEnabled());
  EXPECT_FALSE(custom.ToolButton3->isEnabled());
  // Cut through the button takes the text and leaves nothing selected.
  custom.MemoSource1.SetSelection(stStream, 0, 0, 5, 0);
  custom.UpdateCutCopyButtons();
  custom.ToolButton2->trigger();
  EXPECT_EQ(clipboard.GetText(), "alpha");
  EXPECT_EQ(custom.MemoSource1.RawLine(0), " beta");
  EXPECT_FALSE(custom.ToolButton2->isEnabled());
  custom.ToolButton1->trigger();
  EXPECT_EQ(custom.MemoSource1.RawLine(0), "alpha beta");
  custom.accept();
}

TEST_F(CustomText, TheToolbarSitsOnTheMainToolbarsSide) {
  form->Bottom1Click(2);
  TCustomForm1& custom = Show();
  custom.show();
  QApplication::processEvents();
  EXPECT_EQ(custom.ToolBarSide(), 2);
  EXPECT_EQ(custom.ToolBar1->orientation(), Qt::Vertical);
  EXPECT_LT(custom.ToolBar1->geometry().right(), custom.VrelMemo1->geometry().left());
  custom.accept();
  form->Bottom1Click(1);
  Show();
  custom.show();
  QApplication::processEvents();
  EXPECT_EQ(custom.ToolBar1->orientation(), Qt::Horizontal);
  EXPECT_GT(custom.ToolBar1->geometry().top(), custom.VrelMemo1->geometry().bottom());
  custom.accept();
}

TEST_F(CustomText, AReadOnlyFileIsNotReplacedAndTheTextWaits) {
  std::filesystem::create_directories(dir.File("userdata"));
  WriteBytes(UserCopy(), "kept");
  std::filesystem::permissions(UserCopy(), std::filesystem::perms::owner_read);
  TCustomForm1& custom = Show();
  custom.MemoSource1.InsertText("more ");
  custom.accept();
  EXPECT_EQ(LastMessage(), UserCopy() + " - This File is read only and can not be saved!!");
  EXPECT_EQ(ReadBytes(UserCopy()), "kept");
  EXPECT_FALSE(custom.isVisible());
  EXPECT_EQ(Text(custom.MemoSource1), "more kept");
  std::filesystem::permissions(UserCopy(), std::filesystem::perms::owner_all);
}

TEST_F(CustomText, UnreadableAndUnwritableFilesAreReported) {
  std::filesystem::create_directories(dir.File("userdata"));
  WriteBytes(UserCopy(), "text");
  files.FailRead = true;
  TCustomForm1& custom = Show();
  EXPECT_EQ(LastMessage(), "Unable to Open the File - \r\r" + UserCopy());
  EXPECT_EQ(custom.MemoSource1.LineCount(), 0);
  files.FailRead = false;
  custom.MemoSource1.InsertText("new");
  files.FailWriteAfter = 1;
  custom.accept();
  EXPECT_EQ(LastMessage(), "Unable to Save the File - " + UserCopy() + "!!");
  // The safe write left the old file whole, and the next showing goes on with the text.
  EXPECT_EQ(ReadBytes(UserCopy()), "text");
  EXPECT_EQ(Text(custom.MemoSource1), "new");
  files.FailWriteAfter = -1;
  Show();
  EXPECT_EQ(Text(custom.MemoSource1), "new");
  custom.accept();
  EXPECT_EQ(ReadBytes(UserCopy()), "new");
  // A file that could not be read is not emptied by a close without edits.
  files.FailRead = true;
  Show();
  files.FailRead = false;
  custom.accept();
  EXPECT_EQ(ReadBytes(UserCopy()), "new");
}

TEST_F(CustomText, TheTextIsColouredByTheMainParser) {
  TCustomForm1& custom = Show();
  EXPECT_EQ(custom.MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  custom.accept();
}

// Files dropped from outside still open, now that the view takes the program's own drags.
TEST_F(CustomText, DragsFromOutsideGoOnToTheWindow) {
  WriteBytes(dir.File("dropped.htm"), "<p>dropped</p>");
  form->show();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.File("dropped.htm")))});
  QWidget* port = form->VrelMemo1->viewport();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(port, &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(port, &drop);
  EXPECT_EQ(form->DocumentName, dir.File("dropped.htm"));
}

}  // namespace
}  // namespace quorel
