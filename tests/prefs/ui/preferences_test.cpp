// The preferences dialog, offscreen: the Send To link buttons against real desktop entries, the
// browser rows, the enabling rules and bounds, the values copied in and written on OK, and the
// scheme editor on its page.
#include "prefs/ui/preferences.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <filesystem>

#include "platform/settings.h"
#include "prefs/versionstrings.h"
#include "support/faultyfilesystem.h"
#include "support/qtapp.h"
#include "support/recordingprocesses.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "syntax/htmlscheme.h"

namespace quorel {
namespace {

struct PreferencesDialog : ::testing::Test {
  test::TTempDir dir;
  test::TScriptedDialogs dialogs;
  test::TFaultyFileSystem files;
  test::TRecordingProcesses processes;
  test::TFakeShell shell;
  platform::TMemorySettings settings;
  platform::TServices services{nullptr, &dialogs, &files, &processes, &shell, &settings};
  TSyntaxScheme scheme;
  TMainSettings values;  // the main window's, as the dialog reads them
  std::vector<TMainSettings> applied;
  std::unique_ptr<TPreferences> prefs;
  std::string links = dir.File("applications");

  void SetUp() override {
    test::QtApp();
    std::filesystem::create_directories(links);
    shell.SendTo = links;
    processes.Program = Program("quorel", "1.5.0");
    BuildHtmlScheme(scheme);
    values.SpecifiedFolder = dir.Path() + "/";
    prefs = std::make_unique<TPreferences>(services);
    prefs->OnReadValues = [this] { return values; };
    prefs->OnApplyValues = [this](const TMainSettings& v) { applied.push_back(v); };
    prefs->OnEditScheme = [this](TSyntaxEdForm& editor) { editor.EditScheme(scheme); };
  }
  // A program file carrying the version strings of `version`.
  std::string Program(const std::string& name, const std::string& version) {
    std::string path = dir.File(name);
    test::WriteBytes(path, "program" + VersionStamp({{"CompanyName", "The Quorel developers"},
                                                     {"FileDescription", "Quorel HTML editor"},
                                                     {"FileVersion", version}}));
    return path;
  }
  std::string LinkFile(const char* name) { return links + "/" + name + ".desktop"; }
  std::string LinkTarget() { return prefs->Links.LinkTarget(LinkFile(kSendToLinkName)); }
  std::string Caption(QPushButton* button) { return button->text().toStdString(); }
};

TEST_F(PreferencesDialog, WithoutALinkRepairCreatesItAndIsDisabled) {
  prefs->FormShow();
  EXPECT_EQ(Caption(prefs->BitBtn3), "&Add Link");
  EXPECT_TRUE(prefs->BitBtn4->isEnabled());
  EXPECT_FALSE(prefs->BitBtn5->isEnabled());
  prefs->BitBtn4Click();
  EXPECT_EQ(LinkTarget(), processes.Program);
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());
  EXPECT_EQ(Caption(prefs->BitBtn3), "&Delete Link");
  // Add Link and Delete Link take turns, whatever the dialog's end.
  prefs->BitBtn3Click();
  EXPECT_FALSE(std::filesystem::exists(LinkFile(kSendToLinkName)));
  EXPECT_EQ(Caption(prefs->BitBtn3), "&Add Link");
  EXPECT_TRUE(prefs->BitBtn4->isEnabled());
  prefs->BitBtn3Click();
  EXPECT_EQ(LinkTarget(), processes.Program);
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());
  prefs->reject();
  EXPECT_TRUE(std::filesystem::exists(LinkFile(kSendToLinkName)));
}

TEST_F(PreferencesDialog, ALinkToAnOlderProgramIsRepairedToTheRunningOne) {
  prefs->Links.CreateSendToLink(kSendToLinkName, Program("old-quorel", "1.4.2"));
  prefs->FormShow();
  EXPECT_EQ(Caption(prefs->BitBtn3), "&Delete Link");
  EXPECT_TRUE(prefs->BitBtn4->isEnabled());
  prefs->BitBtn4Click();
  EXPECT_EQ(LinkTarget(), processes.Program);
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());
  // A link to this version's program needs no repair at the next showing.
  prefs->FormShow();
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());
}

TEST_F(PreferencesDialog, TheOlderVersionsLinkEnablesDeleteWhichRemovesIt) {
  prefs->Links.CreateSendToLink(kOldSendToLinkName, Program("old-quorel", "1.4.2"));
  prefs->FormShow();
  ASSERT_TRUE(prefs->BitBtn5->isEnabled());
  prefs->BitBtn5Click();
  EXPECT_FALSE(std::filesystem::exists(LinkFile(kOldSendToLinkName)));
  EXPECT_FALSE(prefs->BitBtn5->isEnabled());
}

TEST_F(PreferencesDialog, WithoutALinksFolderRepairKeepsItsState) {
  shell.SendTo = "";
  prefs->FormShow();
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());  // as it was made
  prefs->BitBtn3Click();
  EXPECT_EQ(Caption(prefs->BitBtn3), "&Add Link");
  // A folder that is named but not made yet (a fresh account): repair keeps its state, and
  // adding the link makes the folder.
  shell.SendTo = dir.File("fresh/applications");
  prefs->FormShow();
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());
  prefs->BitBtn3Click();
  EXPECT_TRUE(std::filesystem::exists(shell.SendTo + "/Quorel 1.5.desktop"));
  EXPECT_EQ(Caption(prefs->BitBtn3), "&Delete Link");
  EXPECT_FALSE(prefs->BitBtn4->isEnabled());
}

TEST_F(PreferencesDialog, AddingABrowserShowsItsRowAndOffersTheNext) {
  prefs->FormShow();
  EXPECT_TRUE(prefs->AddButtons[0]->isEnabled());
  EXPECT_FALSE(prefs->AddButtons[1]->isEnabled());
  dialogs.AnswerFile("/usr/bin/web");
  dialogs.Answer(true, "Web");
  prefs->AddBrowserClick(0);
  ASSERT_EQ(dialogs.Asked().size(), 1u);
  EXPECT_EQ(dialogs.Asked()[0].Caption, "Browser Name");
  EXPECT_EQ(dialogs.Asked()[0].Prompt, "Input a Name for the Browser");
  EXPECT_EQ(dialogs.Asked()[0].Value, "Browser1");
  EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Pick a Browser");
  EXPECT_TRUE(prefs->AddButtons[0]->isHidden());
  EXPECT_FALSE(prefs->NameEdits[0]->isHidden());
  EXPECT_FALSE(prefs->PathEdits[0]->isHidden());
  EXPECT_EQ(prefs->NameEdits[0]->text(), "Web");
  EXPECT_EQ(prefs->PathEdits[0]->Text(), "/usr/bin/web");
  EXPECT_TRUE(prefs->BrowserRadios[0]->isEnabled());
  EXPECT_TRUE(prefs->AddButtons[1]->isEnabled());
  EXPECT_FALSE(prefs->AddButtons[2]->isEnabled());

  prefs->BrowserRadios[0]->setChecked(true);
  prefs->BitBtn1Click();
  EXPECT_EQ(settings.ReadInteger("PrimaryBrowser"), 2);
  EXPECT_EQ(settings.ReadString("SecondBrowser"), "Web");
  EXPECT_EQ(settings.ReadString("SecondLocation"), "/usr/bin/web");
  EXPECT_EQ(settings.ReadString("ThirdBrowser"), std::nullopt);  // empty: not written
  ASSERT_EQ(applied.size(), 1u);
  EXPECT_EQ(applied[0].BrowserNames[0], "Web");
}

TEST_F(PreferencesDialog, ACancelledNameLeavesTheRowButOkStillStoresThePath) {
  prefs->FormShow();
  dialogs.AnswerFile("/usr/bin/web");
  dialogs.Answer(false);
  prefs->AddBrowserClick(0);
  EXPECT_FALSE(prefs->AddButtons[0]->isHidden());
  EXPECT_TRUE(prefs->PathEdits[0]->isHidden());
  EXPECT_FALSE(prefs->BrowserRadios[0]->isEnabled());
  EXPECT_FALSE(prefs->AddButtons[1]->isEnabled());
  // A cancelled file dialog asks no name at all.
  dialogs.AnswerFile(std::nullopt);
  prefs->AddBrowserClick(0);
  EXPECT_EQ(dialogs.Asked().size(), 1u);
  prefs->BitBtn1Click();
  EXPECT_EQ(settings.ReadString("SecondLocation"), "/usr/bin/web");
  EXPECT_EQ(settings.ReadString("SecondBrowser"), std::nullopt);
}

TEST_F(PreferencesDialog, BrowserRowsFollowTheNamesAndKeepTheirLookBetweenShowings) {
  values.BrowserNames = {"", "Second", ""};
  values.BrowserLocations = {"", "/usr/bin/second", ""};
  values.PrimaryBrowser = 3;
  prefs->FormShow();
  EXPECT_FALSE(prefs->AddButtons[0]->isHidden());
  EXPECT_TRUE(prefs->AddButtons[1]->isHidden());
  EXPECT_TRUE(prefs->AddButtons[2]->isEnabled());
  EXPECT_TRUE(prefs->BrowserRadios[1]->isChecked());
  // Emptied in the main window, the row still looks added at the next showing.
  values.BrowserNames = {"", "", ""};
  values.PrimaryBrowser = 9;  // out of range: the system's browser
  prefs->FormShow();
  EXPECT_TRUE(prefs->AddButtons[1]->isHidden());
  EXPECT_EQ(prefs->NameEdits[1]->text(), "");
  EXPECT_TRUE(prefs->RadioButton1->isChecked());
}

TEST_F(PreferencesDialog, OnlyTheFirstPathBoxAsksAboutAMissingFile) {
  prefs->FormShow();
  prefs->PathEdits[0]->SetText(dir.File("missing-browser"));
  dialogs.AnswerMessage(platform::mrNo);
  prefs->VrelFileNameEdit1Exit();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Text,
            "The Filename you have specified is not valid, use anyway?");
  EXPECT_EQ(dialogs.Messages()[0].Buttons, platform::mbYesNo);
  EXPECT_EQ(prefs->PathEdits[0]->Edit->selectedText().toStdString(), dir.File("missing-browser"));
  dialogs.AnswerMessage(platform::mrYes);
  prefs->VrelFileNameEdit1Exit();
  EXPECT_EQ(prefs->PathEdits[0]->Text(), dir.File("missing-browser"));  // Yes keeps the path
  // An existing file, an empty box and the other rows' boxes ask nothing.
  prefs->PathEdits[0]->SetText(processes.Program);
  prefs->VrelFileNameEdit1Exit();
  prefs->PathEdits[0]->SetText("");
  prefs->VrelFileNameEdit1Exit();
  EXPECT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_FALSE(prefs->PathEdits[1]->OnExit);
  EXPECT_FALSE(prefs->PathEdits[2]->OnExit);
}

TEST_F(PreferencesDialog, MovingToAnotherControlAsksOnceTheMoveIsDoneLosingTheWindowDoesNot) {
  values.BrowserNames[0] = "Web";
  prefs->FormShow();
  prefs->show();
  prefs->PathEdits[0]->SetText(dir.File("missing-browser"));
  QLineEdit* box = prefs->PathEdits[0]->Edit;
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(box, &away);
  QApplication::processEvents();
  EXPECT_TRUE(dialogs.Messages().empty());
  QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &tab);
  EXPECT_TRUE(dialogs.Messages().empty());  // not while the focus is still on its way
  QApplication::processEvents();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  prefs->hide();
}

TEST_F(PreferencesDialog, BoxesFollowTheirSwitchesAndNumbersStayInRange) {
  values.LastFolder = true;
  values.FileNameSpaces = true;
  values.HistoryEnabled = false;
  prefs->FormShow();
  EXPECT_FALSE(prefs->DirEdit1->isEnabled());
  EXPECT_FALSE(prefs->VrelEdit1->isEnabled());
  EXPECT_FALSE(prefs->Edit4->isEnabled());
  EXPECT_FALSE(prefs->HistoryLabel->isEnabled());
  EXPECT_TRUE(prefs->Edit5->isEnabled());
  prefs->RadioButton6->setChecked(true);
  prefs->RadioButton8->setChecked(true);
  prefs->CheckBox3->setChecked(true);
  prefs->CheckBox4->setChecked(false);
  EXPECT_TRUE(prefs->DirEdit1->isEnabled());
  EXPECT_TRUE(prefs->VrelEdit1->isEnabled());
  EXPECT_TRUE(prefs->Edit4->isEnabled());
  EXPECT_TRUE(prefs->HistoryLabel->isEnabled());
  EXPECT_FALSE(prefs->Edit5->isEnabled());
  EXPECT_FALSE(prefs->SmartMenuLabel->isEnabled());

  prefs->Edit4->setValue(10);
  prefs->Edit4->stepUp();
  EXPECT_EQ(prefs->Edit4->value(), 10);
  prefs->Edit4->setValue(0);
  prefs->Edit4->stepDown();
  EXPECT_EQ(prefs->Edit4->value(), 0);
  prefs->Edit4->setValue(25);
  EXPECT_EQ(prefs->Edit4->value(), 10);
  prefs->Edit5->setValue(101);
  EXPECT_EQ(prefs->Edit5->value(), 100);
}

TEST_F(PreferencesDialog, ShowingCopiesEveryValueInAndOkWritesThemAll) {
  values.PrimaryBrowser = 4;
  values.BrowserNames = {"One", "Two", "Three"};
  values.BrowserLocations = {"/bin/one", "/bin/two", "/bin/three"};
  values.DisableWarning = true;
  values.AutoSave = true;
  values.LastFolder = false;
  values.SpecifiedFolder = "/srv/www/";
  values.FileNameSpaces = false;
  values.SpaceReplacement = "_";
  values.TaskbarCaptionType = 2;
  values.ProgramCaptionType = 3;
  values.HistoryEnabled = false;
  values.HistoryListNo = 7;
  values.SmartMenuEnabled = false;
  values.SmartMenuItems = 55;
  prefs->FormShow();
  EXPECT_EQ(prefs->Values(), values);
  prefs->BitBtn1Click();
  ASSERT_EQ(applied.size(), 1u);
  EXPECT_EQ(applied[0], values);
  EXPECT_EQ(settings.ReadString("FourthLocation"), "/bin/three");
  EXPECT_EQ(settings.ReadBool("LastFolder"), false);
  EXPECT_EQ(settings.ReadString("SpecifiedFolder"), "/srv/www/");
  EXPECT_EQ(settings.ReadString("SpaceReplacement"), "_");
  EXPECT_EQ(settings.ReadInteger("TaskbarCaptionType"), 2);
  EXPECT_EQ(settings.ReadInteger("ProgramCaptionType"), 3);
  EXPECT_EQ(settings.ReadInteger("HistoryListNo"), 7);
  EXPECT_EQ(settings.ReadInteger("SmartMenuItems"), 55);
  EXPECT_EQ(settings.ReadBool("SmartMenuEnabled"), false);
}

TEST_F(PreferencesDialog, CancelWritesNothingAndHandsNothingBack) {
  prefs->PageControl1->setCurrentIndex(ppFolders);
  QTimer::singleShot(0, [this] {
    ASSERT_EQ(QApplication::activeModalWidget(), prefs.get());
    EXPECT_EQ(prefs->PageControl1->currentIndex(), ppBrowserSetup);
    prefs->CheckBox1->setChecked(true);
    prefs->RadioButton6->setChecked(true);
    prefs->BitBtn2->click();
  });
  EXPECT_FALSE(prefs->Execute(ppBrowserSetup));
  EXPECT_TRUE(settings.Values().empty());
  EXPECT_TRUE(applied.empty());
}

TEST_F(PreferencesDialog, TheFolderBoxPicksAFolder) {
  values.LastFolder = false;
  prefs->FormShow();
  dialogs.AnswerFile(dir.File("site"));
  prefs->DirEdit1->Button->click();
  EXPECT_EQ(dialogs.FileDialogs().back().Title, "Select a Folder");
  EXPECT_EQ(dialogs.FileDialogs().back().InitialDir, dir.Path() + "/");
  EXPECT_EQ(prefs->DirEdit1->Text(), dir.File("site"));
}

TEST_F(PreferencesDialog, EachShowingEditsTheSchemeInUseOnItsPage) {
  prefs->FormShow();
  ASSERT_NE(prefs->SyntaxEdForm1, nullptr);
  EXPECT_EQ(prefs->SyntaxEdForm1->parentWidget(), prefs->TabSheet4);
  EXPECT_EQ(prefs->SyntaxEdForm1->WorkingCopy().Name, scheme.Name);
  const size_t blocks = scheme.SyntaxBlocks.size();
  ASSERT_GT(blocks, 1u);
  prefs->SyntaxEdForm1->ClearButClick();  // changed on the page, never applied
  prefs->FormShow();
  EXPECT_EQ(prefs->SyntaxEdForm1->WorkingCopy().SyntaxBlocks.size(), blocks);
  EXPECT_EQ(prefs->TabSheet4->findChildren<TSyntaxEdForm*>().size(), 1u);
  // The editor's own Apply changes the scheme in use.
  prefs->SyntaxEdForm1->ClearButClick();
  prefs->SyntaxEdForm1->ApplyButClick();
  EXPECT_EQ(scheme.SyntaxBlocks.size(), 1u);
}

}  // namespace
}  // namespace quorel
