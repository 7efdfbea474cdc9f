// The image map creator with real mouse events on a picture: drawing, moving and stretching
// areas, the map palette following them, the hyperlink dialog, the close question, and the code
// window inserting at the main editor's caret.
#include <gtest/gtest.h>

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/form1.h"
#include "imagemap/ui/imagemapform.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

struct ImageMapCreator : MainWindow {
  std::string picture;
  void SetUp() override {
    MainWindow::SetUp();
    picture = dir.File("nav bar.png");
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    ASSERT_TRUE(image.save(QString::fromStdString(picture)));
    form->show();
  }
  TImageMap& Open() {
    Run("ToolButton24");
    TImageMap& creator = *form->Palettes->ImageMap;
    dialogs.AnswerFile(picture);
    creator.ToolButton1Click();
    return creator;
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    SendMouse(form->Palettes->ImageMap->Image1, type, at, button, held);
  }
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }
  const TMapShape& Shape(size_t i) { return form->Palettes->ImageMap->Model.Shapes()[i]; }
  QRect Rect(const TMapShape& s) { return QRect(s.Left, s.Top, s.Width, s.Height); }
};

TEST_F(ImageMapCreator, GesturesDrawMoveAndStretchAreas) {
  form->Palettes->Form2->show();
  TImageMap& creator = Open();
  EXPECT_TRUE(creator.isVisible());
  EXPECT_FALSE(form->Palettes->Form2->isVisible());  // the items palette steps aside
  EXPECT_TRUE(creator.MapPalette->isVisible());
  EXPECT_EQ(creator.MapPalette->PictureFile->text().toStdString(), picture);
  Drag(QPoint(60, 50), QPoint(20, 30));  // drawn backwards
  ASSERT_EQ(creator.Model.Shapes().size(), 1u);
  EXPECT_EQ(Rect(Shape(0)), QRect(20, 30, 40, 20));
  EXPECT_EQ(Shape(0).Name, "MyShape0");
  EXPECT_FALSE(Shape(0).Highlighted);
  EXPECT_EQ(creator.MapPalette->ListView1->topLevelItemCount(), 1);
  EXPECT_EQ(creator.MapPalette->StatusBar1->currentMessage(), "Mapped Areas: 1");
  // Dragged by its inside past the left edge, it stops at 1.
  Drag(QPoint(30, 40), QPoint(-50, 45));
  EXPECT_EQ(Shape(0).Left, 1);
  EXPECT_EQ(Shape(0).Top, 35);
  EXPECT_EQ(creator.MapPalette->ListView1->topLevelItem(0)->text(1), "1");
  // Its bottom row shows the vertical-split cursor, and dragging it stretches the area.
  QPoint bottom(10, Shape(0).Top + Shape(0).Height - 1);
  Mouse(QEvent::MouseMove, bottom, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(creator.Image1->cursor().shape(), Qt::SplitVCursor);
  Mouse(QEvent::MouseButtonPress, bottom, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(Shape(0).Height, 21);
  Mouse(QEvent::MouseMove, QPoint(10, Shape(0).Top + 50), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(Shape(0).Height, 50);
  Mouse(QEvent::MouseButtonRelease, QPoint(10, Shape(0).Top + 50), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(creator.Image1->cursor().shape(), Qt::ArrowCursor);
  // A click leaves a 3 by 3 area.
  Mouse(QEvent::MouseButtonPress, QPoint(150, 100), Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, QPoint(150, 100), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Rect(Shape(1)), QRect(150, 100, 3, 3));
  // A right press while an area is being moved is left alone: the move ends with its release.
  Mouse(QEvent::MouseButtonPress, QPoint(151, 101), Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonPress, QPoint(151, 101), Qt::RightButton,
        Qt::LeftButton | Qt::RightButton);
  EXPECT_FALSE(creator.PopupMenu1->isVisible());
  Mouse(QEvent::MouseButtonRelease, QPoint(151, 101), Qt::LeftButton, Qt::RightButton);
  EXPECT_FALSE(creator.Model.Moving());
  // Presses off the picture do nothing.
  Mouse(QEvent::MouseButtonPress, QPoint(250, 10), Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, QPoint(250, 10), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(creator.Model.Shapes().size(), 2u);
  creator.CloseConfirmed = true;
  creator.close();
}

TEST_F(ImageMapCreator, TheCloseQuestionKeepsTheAreasOnCancel) {
  form->Palettes->Form2->show();
  TImageMap& creator = Open();
  Drag(QPoint(10, 10), QPoint(40, 40));
  dialogs.AnswerMessage(platform::mrCancel);
  creator.close();
  EXPECT_EQ(LastMessage(), "Are you sure you wish to cancel the creation of this map?");
  EXPECT_TRUE(creator.isVisible());
  EXPECT_EQ(creator.Model.Shapes().size(), 1u);
  dialogs.AnswerMessage(platform::mrCancel);
  creator.ToolButton5Click();
  EXPECT_TRUE(creator.isVisible());
  dialogs.AnswerMessage(platform::mrOk);
  creator.ToolButton5Click();
  EXPECT_FALSE(creator.isVisible());
  EXPECT_FALSE(creator.MapPalette->isVisible());
  EXPECT_TRUE(form->Palettes->Form2->isVisible());  // back as it was
  // Opened again, it starts afresh.
  Run("ToolButton24");
  EXPECT_TRUE(creator.Model.Shapes().empty());
  EXPECT_FALSE(creator.Image1->isVisible());
  creator.CloseConfirmed = true;
  creator.close();
}

TEST_F(ImageMapCreator, ThePaletteListFollowsTheAreasAndEditsTheirLinks) {
  TImageMap& creator = Open();
  TMapPalette& palette = *creator.MapPalette;
  Drag(QPoint(10, 10), QPoint(30, 30));
  Drag(QPoint(50, 10), QPoint(70, 30));
  Drag(QPoint(90, 10), QPoint(110, 30));
  ASSERT_EQ(palette.ListView1->topLevelItemCount(), 3);
  EXPECT_EQ(palette.SelectedRow(), 2);
  // Pointing at an area selects its row; deleting the second leaves the first and third.
  Mouse(QEvent::MouseMove, QPoint(60, 20), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(palette.SelectedRow(), 1);
  EXPECT_TRUE(Shape(1).Highlighted);
  creator.Delete1->trigger();
  ASSERT_EQ(palette.ListView1->topLevelItemCount(), 2);
  EXPECT_EQ(palette.ListView2, (std::vector<std::string>{"MyShape0", "MyShape2"}));
  Drag(QPoint(130, 10), QPoint(150, 30));
  EXPECT_EQ(palette.ListView2.back(), "MyShape3");
  // A link edited in place goes to its area, whose alternate text stays.
  QTreeWidgetItem* first = palette.ListView1->topLevelItem(0);
  first->setText(0, "index.htm");
  EXPECT_EQ(Shape(0).Hint, "index.htm");
  EXPECT_TRUE(Shape(0).ShowHint);
  // "Delete Link" deletes the selected row's area.
  palette.SelectRow(0);
  palette.DeleteLink1Click();
  EXPECT_EQ(palette.ListView2, (std::vector<std::string>{"MyShape2", "MyShape3"}));
  EXPECT_EQ(palette.StatusBar1->currentMessage(), "Mapped Areas: 2");
  creator.CloseConfirmed = true;
  creator.close();
}

TEST_F(ImageMapCreator, TheHyperlinkDialogsRules) {
  TImageMap& creator = Open();
  Drag(QPoint(10, 10), QPoint(30, 30));
  creator.Model.HighlightOnly("MyShape0");
  THyperProp1& link = *creator.HyperProp1;
  link.FormShow(creator.Model);
  EXPECT_EQ(link.LinkShape, "MyShape0");
  EXPECT_FALSE(link.Button1->isEnabled());
  link.Edit1->setText("a.htm");
  EXPECT_FALSE(link.Button1->isEnabled());
  link.Edit2->setText("A");
  EXPECT_TRUE(link.Button1->isEnabled());
  // Enter in the alternate text box closes with OK even with an empty hyperlink.
  link.Edit1->clear();
  link.show();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(link.Edit2, &enter);
  EXPECT_EQ(link.result(), QDialog::Accepted);
  EXPECT_FALSE(link.isVisible());
  creator.CloseConfirmed = true;
  creator.close();
}

TEST_F(ImageMapCreator, TheCodeGoesToTheMainEditorInOneUndoStep) {
  TImageMap& creator = Open();
  Drag(QPoint(10, 20), QPoint(40, 60));
  creator.Model.Shapes()[0].Hint = "page.htm";
  creator.Model.Shapes()[0].Text = "Home";
  form->Settings.FileNameSpaces = false;
  dialogs.Answer(true, "");  // an empty name asks again
  dialogs.Answer(true, "Nav");
  creator.ToolButton2Click();
  EXPECT_FALSE(creator.isVisible());  // closed without asking
  TForm4& code = *creator.Form4;
  EXPECT_TRUE(code.isVisible());
  std::string src = "file://" + dir.File("nav%20bar.png");
  EXPECT_EQ(code.CodeText(),
            "<MAP NAME=\"Nav\">\r\n"
            "<AREA SHAPE=\"RECT\" COORDS=\"10,20,40,60\" HREF=\"page.htm\" Alt=\"Home\">\r\n"
            "</MAP>\r\n"
            "<img src=\"" +
                src + "\" width=\"200\" height=\"120\" Border=\"0\" usemap=\"#Nav\">\r\n");
  Type("<p></p>");
  form->MemoSource1.SetCaretPos(3, 0);
  code.InsertButton->click();
  EXPECT_FALSE(code.isVisible());
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<p><MAP NAME=\"Nav\">");
  EXPECT_EQ(form->MemoSource1.RawLine(4), "</p>");
  form->MemoSource1.Undo();
  EXPECT_EQ(form->MemoSource1.LineCount(), 1);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<p></p>");
  // Copied instead, the whole code goes to the clipboard and Paste is offered.
  Run("ToolButton24");
  dialogs.Answer(true, "Nav");
  creator.ToolButton2Click();
  Command("ToolButton7")->setEnabled(false);
  code.CopyButton->click();
  EXPECT_FALSE(code.isVisible());
  EXPECT_TRUE(Command("ToolButton7")->isEnabled());
  EXPECT_NE(clipboard.GetText().find("usemap=\"#Nav\">"), std::string::npos);
  EXPECT_EQ(clipboard.GetText().rfind("<MAP NAME=\"Nav\">", 0), 0u);
  // A cancelled name changes nothing.
  Run("ToolButton24");
  dialogs.Answer(false);
  creator.ToolButton2Click();
  EXPECT_TRUE(creator.isVisible());
  creator.CloseConfirmed = true;
  creator.close();
}

}  // namespace
}  // namespace quorel
