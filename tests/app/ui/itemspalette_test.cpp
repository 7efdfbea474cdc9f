// The items palette beside the main window: its placement kept, shrinking and restoring, double
// clicks inserting at the caret (and not on blank space or an expand button), its commands, the
// custom colours branch, the items file read and saved, and the shrink when the caret runs under.
#include "palettes/ui/itemspalette.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTimer>
#include <filesystem>

#include "app/form1.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct ItemsPalette : MainWindow {
  TForm2& Palette() { return *form->Palettes->Form2; }
  QTreeWidgetItem* Find(const std::string& caption) {
    auto found = Palette().TreeView1->findItems(QString::fromStdString(caption),
                                                Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
  }
  // Shows the palette with `item` scrolled into view and double-clicks at `at` in the tree.
  void DoubleClickAt(QPoint at) {
    QWidget* port = Palette().TreeView1->viewport();
    SendMouse(port, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    SendMouse(port, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(port, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    SendMouse(port, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  }
  QRect Reveal(const std::string& caption) {
    QTreeWidgetItem* item = Find(caption);
    EXPECT_NE(item, nullptr) << caption;
    if (!item) return {};
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) up->setExpanded(true);
    Palette().TreeView1->scrollToItem(item);
    QApplication::processEvents();
    return Palette().TreeView1->visualItemRect(item);
  }
  void DoubleClick(const std::string& caption) {
    QRect r = Reveal(caption);
    DoubleClickAt(QPoint(r.left() + 4, r.center().y()));
  }
  std::string Line(int y = 0) { return form->MemoSource1.RawLine(y); }
  std::string Around() {
    std::string line = Line(form->MemoSource1.CaretY());
    size_t x = static_cast<size_t>(form->MemoSource1.CaretX());
    return line.substr(0, x) + "|" + line.substr(x);
  }
  void ShowBoth() {
    form->show();
    Palette().resize(200, 400);
    QApplication::processEvents();
  }
};

TEST_F(ItemsPalette, PlacementIsKeptAndATinyHeightComesBackAs33) {
  settings.WriteInteger("ItemsHeight", 10);
  settings.WriteInteger("ItemsOrigHeight", 280);
  settings.WriteInteger("ItemsWidth", 170);
  settings.WriteInteger("ItemsTop", 44);
  settings.WriteInteger("ItemsLeft", 55);
  settings.WriteBool("ItemsVisible", false);
  form = std::make_unique<TForm1>(services);
  EXPECT_EQ(Palette().height(), 33);
  EXPECT_EQ(Palette().OrigHeight, 280);
  EXPECT_EQ(Palette().width(), 170);
  EXPECT_EQ(Palette().pos(), QPoint(55, 44));
  form->show();
  EXPECT_FALSE(Palette().isVisible());
  Run("ItemsPalatte1");
  EXPECT_TRUE(Palette().isVisible());
  EXPECT_EQ(Palette().StatusText(), "Click to return the palette to full size");
  Palette().close();  // closing only hides it
  EXPECT_FALSE(Palette().isVisible());
  Run("ToolButton18");
  EXPECT_TRUE(Palette().isVisible());
  Palette().SavePalettePlacement();
  EXPECT_EQ(settings.ReadInteger("ItemsHeight"), 33);
  EXPECT_EQ(settings.ReadInteger("ItemsOrigHeight"), 280);
  EXPECT_EQ(settings.ReadBool("ItemsVisible"), true);
}

TEST_F(ItemsPalette, ShrinksToItsTitleAndComesBack) {
  ShowBoth();
  EXPECT_EQ(Palette().StatusText(), "Double Click an item to add it");
  Palette().Label1Click();
  EXPECT_EQ(Palette().height(), 33);
  EXPECT_EQ(Palette().OrigHeight, 400);
  EXPECT_EQ(Palette().StatusText(), "Click to return the palette to full size");
  Palette().Label1Click();
  EXPECT_EQ(Palette().height(), 400);
  EXPECT_EQ(Palette().StatusText(), "Click here to shrink the palette");
  // A plain click on a shrunk title expands it on the press and shrinks it on the click.
  Palette().Label1Click();
  QPoint title(5, 5);
  SendMouse(Palette().Label1, QEvent::MouseButtonPress, title, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(Palette().height(), 400);
  EXPECT_TRUE(Palette().ExpandedForDrag);
  SendMouse(Palette().Label1, QEvent::MouseButtonRelease, title, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Palette().height(), 33);
  // Expanded for a drag and moved: the next movement over the title shrinks it again.
  Palette().Label1MouseDown();
  EXPECT_EQ(Palette().height(), 400);
  Palette().move(Palette().pos() + QPoint(30, 0));
  Palette().Label1MouseMove();
  EXPECT_EQ(Palette().height(), 33);
  EXPECT_FALSE(Palette().ExpandedForDrag);
  // A right click in the tree restores it.
  SendMouse(Palette().TreeView1->viewport(), QEvent::MouseButtonPress, QPoint(5, 5),
            Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(Palette().height(), 400);
}

TEST_F(ItemsPalette, DoubleClicksOnALabelInsertAtTheCaret) {
  ShowBoth();
  DoubleClick("<TABLE></TABLE>");
  EXPECT_EQ(Around(), "<TABLE>|</TABLE>");
  DoubleClick("Width=\"100%\"");
  EXPECT_EQ(Around(), "<TABLE>Width=\"100%\"|</TABLE>");
  form->MemoSource1.SetCaretPos(7, 0);
  DoubleClick("BGColor=\"\"");
  EXPECT_EQ(Around(), "<TABLE BGColor=\"|\">Width=\"100%\"</TABLE>");
  form->MemoSource1.Undo();
  EXPECT_EQ(Line(), "<TABLE>Width=\"100%\"</TABLE>");
  // Folder captions and the branch title insert nothing.
  for (const char* folder : {"Tags", "Colours", "JavaScripts", "Custom Colors"}) {
    DoubleClick(folder);
    EXPECT_EQ(Line(), "<TABLE>Width=\"100%\"</TABLE>") << folder;
  }
}

TEST_F(ItemsPalette, BlankSpaceAndExpandButtonsInsertNothing) {
  ShowBoth();
  QRect tags = Reveal("Tags");
  Palette().TreeView1->collapseAll();
  QApplication::processEvents();
  tags = Palette().TreeView1->visualItemRect(Find("Tags"));
  // The expand button sits left of the caption.
  DoubleClickAt(QPoint(tags.left() - 8, tags.center().y()));
  // Far right of a short caption, and below the last node.
  QRect aqua = Reveal("Aqua");
  DoubleClickAt(QPoint(aqua.left() + 150, aqua.center().y()));
  Palette().TreeView1->collapseAll();
  QApplication::processEvents();
  DoubleClickAt(QPoint(20, Palette().TreeView1->viewport()->height() - 3));
  EXPECT_EQ(form->MemoSource1.LineCount(), 0);
  DoubleClickAt(
      QPoint(aqua.left() + 4, Palette().TreeView1->visualItemRect(Find("Colours")).center().y()));
  EXPECT_EQ(form->MemoSource1.LineCount(), 0);  // "Colours" is a folder
}

TEST_F(ItemsPalette, SnippetsCommandsAndCustomColours) {
  ShowBoth();
  DoubleClick("Open in New Window");
  EXPECT_EQ(Line(0), "<a href=\"source.htm\" target=\"_blank\">Hyperlink text here</a>");
  EXPECT_EQ(form->MemoSource1.CaretY(), 1);
  form->Settings.CustomColorName[2] = "Sky";
  form->Settings.CustomHexValue[2] = "#87CEEB";
  form->Palettes->ColorsChanged = true;
  form->Palettes->RefreshColorMenus();
  QTreeWidgetItem* branch = Find("Custom Colors");
  ASSERT_NE(branch, nullptr);
  ASSERT_EQ(branch->childCount(), 2);
  EXPECT_EQ(branch->child(0)->text(0), "Edit Colors");
  EXPECT_EQ(branch->child(1)->text(0), "Sky #87CEEB");
  EXPECT_EQ(Palette().TreeView1->topLevelItem(Palette().TreeView1->topLevelItemCount() - 1),
            branch);
  DoubleClick("Sky #87CEEB");
  EXPECT_EQ(Line(1), "#87CEEB");
  // "Insert Custom Text" runs the main window's command: its missing-file warning.
  DoubleClick("Insert Custom Text");
  EXPECT_NE(LastMessage().find("File does not exist you must create one first!"),
            std::string::npos);
  // "Edit Colors" opens the colours palette, modally.
  QRect edit = Reveal("Edit Colors");
  bool opened = false;
  QTimer::singleShot(0, [this, &opened] {
    opened = form->Palettes->Form3 && form->Palettes->Form3->isVisible();
    if (form->Palettes->Form3) form->Palettes->Form3->reject();
  });
  DoubleClickAt(QPoint(edit.left() + 4, edit.center().y()));
  EXPECT_TRUE(opened);
}

TEST_F(ItemsPalette, TheItemsFileIsReadAndSavedToTheUsersFolder) {
  std::filesystem::create_directories(dir.File("userdata"));
  WriteBytes(dir.File("userdata/Items.txt"), "Mine\r\n\t<em></em>\r\n");
  form = std::make_unique<TForm1>(services);
  ShowBoth();
  ASSERT_EQ(Palette().TreeView1->topLevelItemCount(), 2);  // with the colours branch
  EXPECT_EQ(Palette().TreeView1->topLevelItem(0)->child(0)->text(0), "<em></em>");
  SendMouse(Palette().TreeView1->viewport(), QEvent::MouseButtonPress, QPoint(5, 5),
            Qt::RightButton, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(LastMessage(),
            "The file treeview has been save to\r\r" + dir.File("userdata") + "/Items.txt");
  EXPECT_EQ(ReadBytes(dir.File("userdata/Items.txt")),
            "Mine\r\n\t<em></em>\r\nCustom Colors\r\n\tEdit Colors\r\n");
  files.FailWriteAfter = 0;
  Palette().SaveItemsFile();
  EXPECT_EQ(LastMessage(), "Unable to save the items.txt file, check destination!");
  EXPECT_EQ(ReadBytes(dir.File("userdata/Items.txt")),
            "Mine\r\n\t<em></em>\r\nCustom Colors\r\n\tEdit Colors\r\n");
  // Loaded again, the saved branch is replaced, not doubled.
  files.FailWriteAfter = -1;
  form->MemoSource1.SetModified(false);
  form = std::make_unique<TForm1>(services);
  ShowBoth();
  EXPECT_EQ(Palette().TreeView1->topLevelItemCount(), 2);
}

TEST_F(ItemsPalette, ABrokenItemsFileKeepsTheNodesReadAndSaysSo) {
  std::filesystem::create_directories(dir.File("userdata"));
  WriteBytes(dir.File("userdata/Items.txt"), "First\r\n\t\tToo deep\r\n");
  form = std::make_unique<TForm1>(services);
  EXPECT_EQ(LastMessage(), "Unable to load the items.txt file, contact author for a new file!");
  ASSERT_EQ(Palette().Items().size(), 1u);
  EXPECT_EQ(Palette().Items()[0].Caption, "First");
}

TEST_F(ItemsPalette, ShrinksWhenTheCaretRunsUnderIt) {
  ShowBoth();
  QPoint caret = form->VrelMemo1->viewport()->mapToGlobal(form->VrelMemo1->CaretToClient());
  // Put the palette over the caret, then type.
  Palette().move(caret - QPoint(20, 20));
  QApplication::processEvents();
  Type("x");
  EXPECT_EQ(Palette().height(), 33);
  // Away from the caret it stays as it is.
  Palette().Label1Click();
  Palette().move(caret + QPoint(300, 300));
  Type("y");
  EXPECT_EQ(Palette().height(), 400);
}

}  // namespace
}  // namespace quorel
