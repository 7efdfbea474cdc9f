// The recent-file list and the folder menus of the main window, on real folders with every
// dialog answered by a script.
#include <QAction>
#include <QMenu>

#include "mainwindowfixture.h"

namespace quorel {
namespace {

using test::WriteBytes;

std::vector<std::string> FileItems(const QMenu* menu) {
  std::vector<std::string> names;
  QList<QAction*> items = menu->actions();
  for (qsizetype i = 2; i < items.size(); ++i)
    names.push_back(items[i]->text().replace("&&", "&").toStdString());
  return names;
}

struct FolderMenus : MainWindow {
  // Opens `path` as if it had been chosen in the Open dialog.
  void Open(const std::string& path) {
    dialogs.AnswerFile(path);
    Run("Open1");
  }
  QAction* ItemNamed(QMenu* menu, const std::string& name) {
    for (QAction* item : menu->actions())
      if (item->text().replace("&&", "&").toStdString() == name) return item;
    return nullptr;
  }
};

TEST_F(FolderMenus, RecentFilesMoveToTheTopOnOpenAndSave) {
  for (const char* name : {"a.htm", "b.htm", "A.HTM"}) WriteBytes(dir.File(name), "x");
  Open(dir.File("a.htm"));
  Open(dir.File("b.htm"));
  Open(dir.File("a.htm"));
  Open(dir.File("A.HTM"));  // names differing in case are different entries
  EXPECT_EQ(form->RecentFiles[0], dir.File("A.HTM"));
  EXPECT_EQ(form->RecentFiles[1], dir.File("a.htm"));
  EXPECT_EQ(form->RecentFiles[2], dir.File("b.htm"));
  EXPECT_EQ(form->RecentFiles[3], "");
  dialogs.AnswerFile(dir.File("c.htm"));
  ASSERT_TRUE(form->SaveDocumentAs());
  EXPECT_EQ(form->RecentFiles[0], dir.File("c.htm"));
  EXPECT_EQ(form->RecentFiles[1], dir.File("A.HTM"));

  // The menu shows HistoryListNo entries, each with its full path as a hint.
  EXPECT_TRUE(Command("FileSep3")->isVisible());
  EXPECT_TRUE(Command("FileName4")->isVisible());
  EXPECT_EQ(Command("FileName1")->toolTip().toStdString(), dir.File("c.htm"));
  form->Settings.HistoryListNo = 2;
  form->ShowRecentFiles();
  EXPECT_TRUE(Command("FileName2")->isVisible());
  EXPECT_FALSE(Command("FileName3")->isVisible());
  form->Settings.HistoryListNo = 0;
  form->ShowRecentFiles();
  EXPECT_FALSE(Command("FileName1")->isVisible());
  EXPECT_TRUE(Command("FileSep3")->isVisible());
}

TEST_F(FolderMenus, TenSlotsAtMostAndNoneWithoutHistory) {
  for (int i = 0; i < 12; ++i) {
    std::string name = dir.File("f" + std::to_string(i) + ".htm");
    WriteBytes(name, "x");
    Open(name);
  }
  EXPECT_EQ(form->RecentFiles[0], dir.File("f11.htm"));
  EXPECT_EQ(form->RecentFiles[9], dir.File("f2.htm"));
  TRecentFiles before = form->RecentFiles;
  form->Settings.HistoryEnabled = false;
  Open(dir.File("f0.htm"));
  EXPECT_EQ(form->RecentFiles, before);
}

TEST_F(FolderMenus, ClickingARecentFile) {
  WriteBytes(dir.File("a.htm"), "first");
  WriteBytes(dir.File("gone.htm"), "x");
  Open(dir.File("gone.htm"));
  Open(dir.File("a.htm"));
  std::filesystem::remove(dir.File("gone.htm"));
  Run("FileName2");
  EXPECT_EQ(LastMessage(), "File Does Not Exist  -  " + dir.File("gone.htm"));
  EXPECT_EQ(form->RecentFiles[1], dir.File("gone.htm"));  // the entry stays
  EXPECT_EQ(form->DocumentName, dir.File("a.htm"));

  // With Ctrl a new window opens the file; a failed start says so and changes nothing.
  shell.Ctrl = true;
  Run("FileName1");
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Arguments, std::vector<std::string>{dir.File("a.htm")});
  processes.FailLaunch = processes.FailSimple = true;
  Run("FileName1");
  EXPECT_EQ(LastMessage(), "Unable to open file in a new window!!");
  EXPECT_EQ(form->RecentFiles[0], dir.File("a.htm"));
  EXPECT_EQ(form->DocumentName, dir.File("a.htm"));
  shell.Ctrl = false;

  // An existing entry opens after the save question.
  WriteBytes(dir.File("gone.htm"), "back");
  Type("edit");
  dialogs.AnswerMessage(platform::mrNo);
  Run("FileName2");
  EXPECT_EQ(dialogs.Messages().back().Text.rfind("Do you wish to save this file? - \r\r", 0), 0u);
  EXPECT_EQ(form->DocumentName, dir.File("gone.htm"));
  EXPECT_EQ(form->RecentFiles[0], dir.File("gone.htm"));
}

TEST_F(FolderMenus, LongRecentPathsAreShortenedInTheMenu) {
  std::string deep = dir.Path() + "/Documents of mine/Web Pages/the site/pages";
  std::filesystem::create_directories(deep);
  WriteBytes(deep + "/index.html", "x");
  Open(deep + "/index.html");
  // Each folder of the temporary folder's path (usually /tmp/quorel-test-XXXXXX) gives three
  // characters, as do "Documents of mine" and the rest.
  std::string expected = "/";
  for (const auto& part : std::filesystem::path(dir.Path()).relative_path())
    expected += part.string().substr(0, 3) + "../";
  expected += "Doc../Web../the../pag../index.html";
  EXPECT_EQ(Command("FileName1")->text().toStdString(), expected);
  EXPECT_EQ(Command("FileName1")->toolTip().toStdString(), deep + "/index.html");
  // A click uses the full path, never the caption.
  Type("x");
  dialogs.AnswerMessage(platform::mrNo);
  Run("FileName1");
  EXPECT_EQ(form->DocumentName, deep + "/index.html");
}

struct FilledFolder : FolderMenus {
  void SetUp() override {
    FolderMenus::SetUp();
    for (const char* name : {"b.htm", "A.HTML", "notes.txt", "R&D.htm", "pic.gif", "Photo.JPEG",
                             "doc.pdf", "c.PNG", "noext"})
      WriteBytes(dir.File(name), "x");
    std::filesystem::create_directories(dir.File("images/sub.htm"));
    for (const char* name : {"x.jpg", "y.txt", "z.bmp"})
      WriteBytes(dir.File(std::string("images/") + name), "x");
  }
};

TEST_F(FilledFolder, MenusListTheRightFilesSortedWithoutCase) {
  Open(dir.File("b.htm"));
  std::string folder = dir.Path() + "/";
  EXPECT_EQ(form->CurrentFolder, folder);
  EXPECT_EQ(form->OpenDialog1.InitialDir, folder);
  EXPECT_EQ(form->SaveDialog1.InitialDir, folder);
  EXPECT_EQ(Command("none1")->text().toStdString(), folder);
  EXPECT_EQ(Command("none3")->text().toStdString(), folder + "images/");
  EXPECT_EQ(FileItems(Menu("SameFolder1")),
            (std::vector<std::string>{"A.HTML", "b.htm", "notes.txt", "R&D.htm"}));
  EXPECT_EQ(FileItems(Menu("CurrentFolder1")),
            (std::vector<std::string>{"c.PNG", "Photo.JPEG", "pic.gif"}));
  EXPECT_EQ(FileItems(Menu("images2")), (std::vector<std::string>{"x.jpg", "z.bmp"}));
  EXPECT_TRUE(Command("none3")->isEnabled());
  EXPECT_TRUE(Command("N10")->isVisible());
  EXPECT_TRUE(Command("N12")->isVisible());

  // A file item opens that file, whatever characters its name holds.
  ItemNamed(Menu("SameFolder1"), "R&D.htm")->trigger();
  EXPECT_EQ(form->DocumentName, dir.File("R&D.htm"));
  // With Ctrl the file opens in a new window instead.
  shell.Ctrl = true;
  ItemNamed(Menu("SameFolder1"), "notes.txt")->trigger();
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Arguments, std::vector<std::string>{dir.File("notes.txt")});
  EXPECT_EQ(form->DocumentName, dir.File("R&D.htm"));
  shell.Ctrl = false;
  // The folder items open the folder on the desktop.
  Run("none1");
  Run("none3");
  EXPECT_EQ(shell.Opened, (std::vector<std::string>{folder, folder + "images/"}));
}

TEST_F(FilledFolder, SmartMenuItemsCapsEachMenuAndTheImagesMenuOneLess) {
  form->Settings.SmartMenuItems = 2;
  Open(dir.File("b.htm"));
  EXPECT_EQ(FileItems(Menu("SameFolder1")), (std::vector<std::string>{"A.HTML", "b.htm"}));
  EXPECT_EQ(FileItems(Menu("CurrentFolder1")), (std::vector<std::string>{"c.PNG", "Photo.JPEG"}));
  EXPECT_EQ(FileItems(Menu("images2")), (std::vector<std::string>{"x.jpg"}));
}

TEST_F(FilledFolder, TheFolderFollowsTheLastFileOnlyWithLastFolder) {
  test::TTempDir other;
  WriteBytes(other.File("elsewhere.htm"), "x");
  Open(dir.File("b.htm"));
  Open(other.File("elsewhere.htm"));
  EXPECT_EQ(form->CurrentFolder, other.Path() + "/");
  EXPECT_EQ(FileItems(Menu("SameFolder1")), std::vector<std::string>{"elsewhere.htm"});
  EXPECT_TRUE(FileItems(Menu("CurrentFolder1")).empty());
  EXPECT_FALSE(Command("none3")->isEnabled());  // no images folder there
  EXPECT_FALSE(Command("N11")->isVisible());

  form->Settings.LastFolder = false;
  Open(dir.File("b.htm"));
  EXPECT_EQ(form->CurrentFolder, other.Path() + "/");
  EXPECT_EQ(FileItems(Menu("SameFolder1")), std::vector<std::string>{"elsewhere.htm"});
}

TEST_F(FolderMenus, AFolderThatCannotBeListedGivesNoItems) {
  form->CurrentFolder = dir.File("missing") + "/";
  form->RefreshFolderMenus();
  EXPECT_TRUE(FileItems(Menu("SameFolder1")).empty());
  EXPECT_FALSE(Command("none3")->isEnabled());
  EXPECT_FALSE(Command("N10")->isVisible());
}

}  // namespace
}  // namespace quorel
