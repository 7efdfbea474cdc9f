// The main window's settings: what a first run gets, what damaged or odd stored values turn
// into, and that closing writes back every value it read.
#include <QAction>
#include <QToolBar>

#include "mainwindowfixture.h"

namespace quorel {
namespace {

struct FormSettings : MainWindow {
  // Starts the window again on the stored settings.
  void Restart() {
    form.reset();
    form = std::make_unique<TForm1>(services);
  }
  void Close() {
    form->MemoSource1.SetModified(false);
    ASSERT_TRUE(form->close());
  }
  Qt::ToolBarArea ToolBarArea() const { return form->toolBarArea(form->ToolBar1); }
};

TEST_F(FormSettings, AFirstRunGetsTheDefaults) {
  shell.Documents = dir.Path();
  Restart();
  EXPECT_EQ(form->size(), QSize(500, 350));
  EXPECT_EQ(form->pos(), QPoint(20, 20));
  EXPECT_FALSE(form->isMaximized());
  EXPECT_EQ(ToolBarArea(), Qt::TopToolBarArea);
  EXPECT_TRUE(Command("Top1")->isChecked());
  EXPECT_FALSE(form->ToolBar1->isHidden());
  EXPECT_FALSE(form->VrelMemo1->WordWrap());
  EXPECT_EQ(form->SyntaxParser1.DefaultAttr().Font.Name, "Courier New");
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  EXPECT_FALSE(form->VrelMemo1->Options().Contains(moDrawGutter));
  EXPECT_EQ(form->Settings.HistoryListNo, 4);
  EXPECT_EQ(form->Settings.SmartMenuItems, 40);
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
  EXPECT_EQ(form->Settings.SpaceReplacement, "%20");
  EXPECT_EQ(form->CurrentFolder, dir.Path() + "/");
  EXPECT_EQ(form->OpenDialog1.InitialDir, dir.Path() + "/");
  // Without a documents folder: the program's own folder.
  shell.Documents.clear();
  Restart();
  EXPECT_EQ(form->CurrentFolder, "/opt/quorel/");
}

TEST_F(FormSettings, TagCompletionsComeFromPopupTxtBesideTheProgram) {
  EXPECT_FALSE(form->PopupLoaded);  // no such file beside /opt/quorel/quorel
  processes.Program = dir.File("quorel");
  test::WriteBytes(dir.File("Popup.txt"), "a href=\"\"|Anchor\r\nb\n\nimg src=\"\"");
  Restart();
  EXPECT_TRUE(form->PopupLoaded);
  EXPECT_EQ(form->PopupList,
            (std::vector<std::string>{"a href=\"\"|Anchor", "b", "", "img src=\"\""}));
}

TEST_F(FormSettings, OddStoredValues) {
  shell.Documents = dir.Path();
  settings.WriteInteger("ToolBarAlignment", 7);
  settings.WriteBool("Gutter", false);
  settings.WriteBool("LineNumbers", true);
  settings.WriteString("CurrentSyntaxScheme", "RTF");
  settings.WriteString("SpecifiedFolder", "/");
  settings.WriteString("Height", "tall");  // the wrong type counts as absent
  settings.WriteInteger("Font", 3);
  Restart();
  EXPECT_EQ(ToolBarArea(), Qt::TopToolBarArea);
  EXPECT_TRUE(Command("Top1")->isChecked());
  EXPECT_FALSE(form->VrelMemo1->Options().Contains(moDrawGutter));
  EXPECT_FALSE(form->VrelMemo1->Options().Contains(moLineNumbers));
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
  EXPECT_EQ(form->CurrentFolder, dir.Path() + "/");
  EXPECT_EQ(form->height(), 350);
  EXPECT_EQ(form->SyntaxParser1.DefaultAttr().Font.Name, "Courier New");
  Close();
  EXPECT_EQ(settings.ReadInteger("ToolBarAlignment"), 0);  // the placement chosen was "Top"
  EXPECT_EQ(settings.ReadBool("LineNumbers"), false);
  EXPECT_EQ(settings.ReadString("CurrentSyntaxScheme"), "Default");
  EXPECT_EQ(settings.ReadInteger("Height"), 350);

  Restart();
  Run("Left1");
  EXPECT_EQ(ToolBarArea(), Qt::LeftToolBarArea);
  EXPECT_EQ(form->ToolBar1->orientation(), Qt::Vertical);
  EXPECT_FALSE(Command("Top1")->isChecked());
  Run("Top1");
  Close();
  EXPECT_EQ(settings.ReadInteger("ToolBarAlignment"), 0);
}

TEST_F(FormSettings, ClosingMaximizedKeepsTheNormalSize) {
  settings.WriteInteger("Width", 640);
  settings.WriteInteger("Height", 480);
  settings.WriteInteger("Left", 30);
  settings.WriteInteger("Top", 40);
  Restart();
  form->showMaximized();
  QApplication::processEvents();
  ASSERT_TRUE(form->isMaximized());
  Close();
  EXPECT_EQ(settings.ReadBool("Maximized"), true);
  EXPECT_EQ(settings.ReadInteger("Width"), 640);
  EXPECT_EQ(settings.ReadInteger("Height"), 480);
  EXPECT_EQ(settings.ReadInteger("Left"), 30);
  EXPECT_EQ(settings.ReadInteger("Top"), 40);
  Restart();
  EXPECT_TRUE(form->isMaximized());
}

TEST_F(FormSettings, EveryValueRoundTrips) {
  for (int n = 1; n <= 16; ++n) {
    settings.WriteString("CustomColorName" + std::to_string(n),
                         n % 2 ? "Colour " + std::to_string(n) : "");
    settings.WriteString("CustomHexValue" + std::to_string(n),
                         n % 2 ? "#12AB" + std::to_string(10 + n) : "");
  }
  for (int n = 1; n <= 10; ++n)
    settings.WriteString("FileName" + std::to_string(n), "/f/" + std::to_string(n) + ".htm");
  const std::pair<const char*, int32_t> integers[] = {{"Height", 300},
                                                      {"Width", 410},
                                                      {"Top", 11},
                                                      {"Left", 12},
                                                      {"HistoryListNo", 7},
                                                      {"ToolBarAlignment", 3},
                                                      {"FontSize", 12},
                                                      {"PrimaryBrowser", 3},
                                                      {"TaskbarCaptionType", 2},
                                                      {"ProgramCaptionType", 3},
                                                      {"SmartMenuItems", 25},
                                                      {"ItemsHeight", 250},
                                                      {"ItemsOrigHeight", 260},
                                                      {"ItemsWidth", 190},
                                                      {"ItemsTop", 30},
                                                      {"ItemsLeft", 40}};
  for (auto [name, value] : integers) settings.WriteInteger(name, value);
  for (const char* name :
       {"HistoryEnabled", "ToolBarVisible", "WordWrap", "Highlighting", "HighlightUrls",
        "DisableWarning", "AutoSave", "FileNameSpaces", "LastFolder", "SmartMenuEnabled", "Gutter",
        "LineNumbers", "Maximized", "ItemsVisible"}) {
    // Every Boolean the other way round from its default.
    bool onByDefault =
        std::string(name) == "HistoryEnabled" || std::string(name) == "ToolBarVisible" ||
        std::string(name) == "Highlighting" || std::string(name) == "FileNameSpaces" ||
        std::string(name) == "LastFolder" || std::string(name) == "SmartMenuEnabled" ||
        std::string(name) == "ItemsVisible";
    settings.WriteBool(name, !onByDefault);
  }
  settings.WriteBool("Maximized", false);
  const std::pair<const char*, const char*> strings[] = {
      {"Font", "Liberation Mono"},         {"CurrentSyntaxScheme", "Default"},
      {"SyntaxSchemeLocation", "Default"}, {"SecondBrowser", "Two"},
      {"ThirdBrowser", "Three"},           {"FourthBrowser", "Four"},
      {"SecondLocation", "/b/2"},          {"ThirdLocation", "/b/3"},
      {"FourthLocation", "/b/4"},          {"SpaceReplacement", "_"},
      {"SpecifiedFolder", "/some/where/"}};
  for (auto [name, value] : strings) settings.WriteString(name, value);
  platform::TMemorySettings stored = settings;

  Restart();
  EXPECT_EQ(ToolBarArea(), Qt::RightToolBarArea);
  EXPECT_TRUE(form->ToolBar1->isHidden());
  EXPECT_TRUE(form->VrelMemo1->WordWrap());
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), nullptr);
  EXPECT_TRUE(form->MemoSource1.HighlightUrls());
  EXPECT_EQ(form->VrelMemo1->Font().Name, "Liberation Mono");
  EXPECT_EQ(form->DefaultParser.DefaultAttr().Font.Size(), 12);
  EXPECT_TRUE(form->VrelMemo1->Options().Contains(moLineNumbers));
  EXPECT_EQ(form->CurrentFolder, "/some/where/");
  EXPECT_EQ(form->RecentFiles[9], "/f/10.htm");
  EXPECT_EQ(form->Settings.CustomColorName[0], "Colour 1");
  Close();
  // The search options are written beside the window's values; they have their own tests.
  auto values = settings.Values();
  std::erase_if(values, [](const auto& value) { return value.first.rfind("Editor/", 0) == 0; });
  EXPECT_EQ(values, stored.Values());
}

}  // namespace
}  // namespace quorel

namespace quorel {
namespace {

TEST_F(FormSettings, TheToolbarHasItsButtonsInOrderWithPictures) {
  std::vector<std::string> hints;
  for (QAction* item : form->ToolBar1->actions())
    hints.push_back(item->isSeparator() ? "-" : item->toolTip().toStdString());
  EXPECT_EQ(hints, (std::vector<std::string>{"New",
                                             "-",
                                             "Open",
                                             "Save",
                                             "Save As",
                                             "-",
                                             "Cut",
                                             "Copy",
                                             "Paste",
                                             "-",
                                             "Insert Custom Text",
                                             "Create/Edit Custom Text",
                                             "-",
                                             "Items Palette",
                                             "Image Map Creator",
                                             "Color Palette",
                                             "-",
                                             "Preview in Browser",
                                             "-",
                                             "Execute Java Compiler",
                                             "Run Compiled Applet in Browser",
                                             "-",
                                             "Exit Program"}));
  for (QAction* off : {Command("ToolButton3"), Command("ToolButton5"), Command("ToolButton6"),
                       Command("ToolButton22")})
    EXPECT_FALSE(off->isEnabled());
  // Each picture draws something, at a normal and a doubled size, and looks different under the
  // mouse.
  for (QAction* item : form->ToolBar1->actions()) {
    if (item->isSeparator()) continue;
    for (int size : {16, 32}) {
      QImage plain = item->icon().pixmap(size, size, QIcon::Normal).toImage();
      QImage active = item->icon().pixmap(size, size, QIcon::Active).toImage();
      ASSERT_EQ(plain.size(), QSize(size, size));
      int inked = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) inked += plain.pixelColor(x, y).alpha() > 0;
      EXPECT_GT(inked, size * size / 10) << item->toolTip().toStdString();
      EXPECT_NE(plain, active) << item->toolTip().toStdString();
    }
  }
}

}  // namespace
}  // namespace quorel
