// The preferences from the main window: F8 and "Define Browsers" open their pages, OK takes the
// values into use (the Open dialog's folder, the captions, the recent-file list), Cancel leaves
// every setting as it was, and the page of the scheme editor edits the window's scheme.
#include <QTimer>

#include "app/ui/mainwindowfixture.h"

namespace quorel {
namespace {

struct PreferencesCommands : MainWindow {
  TPreferences& Prefs() { return *form->Preferences; }
  // Runs `act` on the dialog the next command opens modally.
  void WithDialog(std::function<void(TPreferences&)> act) {
    QTimer::singleShot(0, [this, act] {
      ASSERT_EQ(QApplication::activeModalWidget(), form->Preferences.get());
      act(Prefs());
    });
  }
};

TEST_F(PreferencesCommands, F8AndDefineBrowsersOpenTheirPages) {
  int page = -1;
  WithDialog([&](TPreferences& p) {
    page = p.PageControl1->currentIndex();
    p.reject();
  });
  Run("Preferences1");
  EXPECT_EQ(page, ppSendToLink);
  EXPECT_EQ(Command("Preferences1")->shortcut(), QKeySequence("F8"));
  WithDialog([&](TPreferences& p) {
    page = p.PageControl1->currentIndex();
    p.reject();
  });
  Run("DefineBrowsers1");
  EXPECT_EQ(page, ppBrowserSetup);
}

TEST_F(PreferencesCommands, ASpecifiedFolderIsWhereTheNextOpenDialogStarts) {
  std::string site = dir.File("site");
  std::filesystem::create_directories(site);
  WithDialog([&](TPreferences& p) {
    p.RadioButton6->setChecked(true);
    p.DirEdit1->SetText(site);
    p.BitBtn1->click();
  });
  Run("Preferences1");
  EXPECT_FALSE(form->Settings.LastFolder);
  EXPECT_EQ(form->CurrentFolder, site + "/");
  EXPECT_EQ(settings.ReadString("SpecifiedFolder"), site);
  dialogs.AnswerFile(std::nullopt);
  Run("Open1");
  ASSERT_FALSE(dialogs.FileDialogs().empty());
  EXPECT_EQ(dialogs.FileDialogs().back().InitialDir, site + "/");
}

TEST_F(PreferencesCommands, CancelLeavesEverySettingAsItWas) {
  const auto stored = settings.Values();
  const TMainSettings before = form->PreferenceValues();
  WithDialog([&](TPreferences& p) {
    p.RadioButton6->setChecked(true);
    p.DirEdit1->SetText("/elsewhere");
    p.CheckBox1->setChecked(true);
    p.CaptionRadios[2]->setChecked(true);
    p.Edit4->setValue(9);
    p.BitBtn2->click();
  });
  Run("Preferences1");
  EXPECT_EQ(settings.Values(), stored);
  EXPECT_EQ(form->PreferenceValues(), before);
}

TEST_F(PreferencesCommands, OkChangesTheCaptionAndTheRecentFileList) {
  std::string page = dir.File("index.html");
  test::WriteBytes(page, "<p>x</p>");
  Open(page);
  EXPECT_EQ(Caption(), "Quorel 1.5 - index.html - " + dir.Path() + "/");
  ASSERT_TRUE(Command("FileName1")->isVisible());
  WithDialog([](TPreferences& p) {
    p.CaptionRadios[2]->setChecked(true);  // "Filename only"
    p.CheckBox3->setChecked(false);        // no history list
    p.BitBtn1->click();
  });
  Run("Preferences1");
  EXPECT_EQ(Caption(), "Quorel 1.5 - index.html");
  EXPECT_EQ(form->Settings.ProgramCaptionType, 3);
  EXPECT_FALSE(Command("FileName1")->isVisible());
  EXPECT_EQ(settings.ReadBool("HistoryEnabled"), false);
}

TEST_F(PreferencesCommands, TheHighlightingPageAppliesToTheWindowsScheme) {
  form->VrelMemo1->InsertText("<p class=\"x\">text</p>");
  const std::string coloured = form->MemoSource1.GetLineColors(0).str();
  WithDialog([](TPreferences& p) {
    p.SyntaxEdForm1->ClearButClick();
    p.SyntaxEdForm1->ApplyButClick();
    p.BitBtn2->click();  // the editor applied already; Cancel only closes
  });
  Run("Preferences1");
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().SyntaxBlocks.size(), 1u);
  EXPECT_NE(form->MemoSource1.GetLineColors(0), coloured);
}

}  // namespace
}  // namespace quorel
