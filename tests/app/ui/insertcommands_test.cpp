// The insertion commands of the main window: the custom text of "Custom.txt" and the IMG tags of
// the Images menu, each one undoable step replacing the selection.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "app/form1.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

using test::WriteBytes;

std::string Seed(const std::string& name) {
  return std::string(QUOREL_TEST_DATA_DIR) + "/pictures/" + name;
}

QAction* ItemNamed(QMenu* menu, const std::string& name) {
  for (QAction* item : menu->actions())
    if (item->data().toByteArray().toStdString() == name) return item;
  return nullptr;
}

struct Insertion : MainWindow {
  std::string Text() const {
    std::string out;
    for (int y = 0; y < form->MemoSource1.LineCount(); ++y)
      out += (y ? "\n" : "") + form->MemoSource1.RawLine(y);
    return out;
  }
  // Opens a page in `dir`, which makes it the current folder of the picture menus.
  void OpenPage() {
    WriteBytes(dir.File("page.htm"), "<p>one</p>");
    Open(dir.File("page.htm"));
    form->MemoSource1.SetCaretPos(3, 0);
  }
};

TEST_F(Insertion, CustomTextReplacesTheSelectionInOneStepUpToANul) {
  std::filesystem::create_directories(dir.File("userdata"));
  WriteBytes(dir.File("userdata/Custom.txt"), std::string("<hr>\r\n<b>\0hidden", 16));
  OpenPage();
  form->MemoSource1.SetSelection(stStream, 3, 0, 6, 0);  // "one"
  Run("ToolButton8");
  EXPECT_EQ(Text(), "<p><hr>\n<b></p>");
  form->MemoSource1.Undo();
  EXPECT_EQ(Text(), "<p>one</p>");
}

TEST_F(Insertion, AMissingCustomTextIsReported) {
  Run("ToolButton8");
  EXPECT_EQ(LastMessage(), dir.File("userdata") +
                               "/Custom.txt\r\rFile does not exist you must "
                               "create one first!");
  EXPECT_EQ(form->MemoSource1.LineCount(), 0);
}

TEST_F(Insertion, PicturesOfTheFolderMenusGiveTheirTags) {
  std::filesystem::copy_file(Seed("seed.gif"), dir.File("logo.gif"));
  std::filesystem::create_directories(dir.File("images"));
  std::filesystem::copy_file(Seed("seed.png"), dir.File("images/photo.png"));
  WriteBytes(dir.File("images/broken.jpg"), "not a picture");
  OpenPage();
  ASSERT_NE(ItemNamed(Menu("CurrentFolder1"), "logo.gif"), nullptr);
  ItemNamed(Menu("CurrentFolder1"), "logo.gif")->trigger();
  const std::string folder = dir.Path() + "/";
  EXPECT_EQ(form->MemoSource1.RawLine(0),
            "<p><IMG SRC=\"file://" + folder +
                "logo.gif\" Width=\"7\" Height=\"5\" Alt=\"logo.gif\">"
                "one</p>");
  form->MemoSource1.Undo();
  ItemNamed(Menu("images2"), "photo.png")->trigger();
  EXPECT_EQ(form->MemoSource1.RawLine(0),
            "<p><IMG SRC=\"file://" + folder +
                "images/photo.png\" Width=\"7\" Height=\"5\" Alt=\"/images/photo.png\">one</p>");
  form->MemoSource1.Undo();
  ItemNamed(Menu("images2"), "broken.jpg")->trigger();  // no size for what cannot be measured
  EXPECT_EQ(
      form->MemoSource1.RawLine(0),
      "<p><IMG SRC=\"file://" + folder + "images/broken.jpg\" Alt=\"/images/broken.jpg\">one</p>");
  form->MemoSource1.Undo();

  // With Ctrl the picture opens with its program instead; a failure says so.
  shell.Ctrl = true;
  ItemNamed(Menu("CurrentFolder1"), "logo.gif")->trigger();
  EXPECT_EQ(shell.Opened.back(), folder + "logo.gif");
  shell.FailOpen = true;
  ItemNamed(Menu("CurrentFolder1"), "logo.gif")->trigger();
  EXPECT_EQ(LastMessage(), "Unable to launch associated program!!");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<p>one</p>");
}

TEST_F(Insertion, SpacesInPathsAreReplacedWhenTheSettingSaysSo) {
  std::filesystem::create_directories(dir.File("web site"));
  std::filesystem::copy_file(Seed("seed.bmp"), dir.File("web site/a b.bmp"));
  form->Settings.FileNameSpaces = false;
  form->Settings.SpaceReplacement = "%20";
  form->Insert->InsertImageTag(dir.File("web site/a b.bmp"), "a b.bmp");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<IMG SRC=\"file://" + dir.Path() +
                                              "/web%20site/a%20b.bmp\" Width=\"7\" Height=\"5\" "
                                              "Alt=\"a b.bmp\">");
}

TEST_F(Insertion, InsertOtherTakesAnyPictureFromTheDialog) {
  std::filesystem::copy_file(Seed("seed.webp"), dir.File("pic.webp"));
  OpenPage();
  dialogs.AnswerFile(dir.File("pic.webp"));
  Run("InsertOther1");
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs.FileDialogs()[0].InitialDir, dir.Path() + "/");
  EXPECT_EQ(dialogs.FileDialogs()[0].Filters.size(), 10u);
  EXPECT_EQ(form->MemoSource1.RawLine(0),
            "<p><IMG SRC=\"file://" + dir.File("pic.webp") +
                "\" Width=\"7\" Height=\"5\" Alt=\"pic.webp\">one</p>");
  dialogs.AnswerFile(std::nullopt);  // cancelled: nothing
  Run("InsertOther1");
  EXPECT_EQ(form->MemoSource1.LineCount(), 1);
}

}  // namespace
}  // namespace quorel
