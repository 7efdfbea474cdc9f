// The main window's document lifecycle, driven through its handlers with every dialog answered
// by a script: captions, status panels, menu states, questions and the files on disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "app/form1.h"
#include "mainwindowfixture.h"
#include "platform/memoryclipboard.h"
#include "platform/services.h"
#include "support/faultyfilesystem.h"
#include "support/recordingprocesses.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using platform::mrCancel;
using platform::mrNo;
using platform::mrOk;
using platform::mrYes;
using test::ReadBytes;
using test::WriteBytes;

TEST_F(MainWindow, StartsUntitledAndClean) {
  EXPECT_EQ(Caption(), "Quorel 1.5");
  EXPECT_EQ(Panel(0), "Char: 1");
  EXPECT_EQ(Panel(1), "Line: 1");
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(Panel(3), "[untitled]");
  EXPECT_FALSE(Command("Save1")->isEnabled());
  EXPECT_FALSE(Command("SaveAs1")->isEnabled());
  EXPECT_FALSE(Command("ToolButton3")->isEnabled());
  EXPECT_FALSE(Command("ReverttoSaved1")->isEnabled());
  EXPECT_FALSE(Command("Print1")->isEnabled());
  EXPECT_EQ(Command("New1")->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(Command("SaveAs1")->shortcut(), QKeySequence("Ctrl+Alt+S"));
  EXPECT_EQ(Command("Open1")->text(), "&Open...");
  EXPECT_EQ(Command("ToolButton14")->toolTip(), "Exit Program");
  EXPECT_FALSE(Command("FileSep3")->isVisible());
}

TEST_F(MainWindow, TheViewShowsTheStoreWithTheWindowsSettings) {
  EXPECT_EQ(&form->VrelMemo1->MemoSource(), &form->MemoSource1);
  EXPECT_FALSE(form->VrelMemo1->UseMonoFont);
  EXPECT_EQ(form->VrelMemo1->Options(),
            (TMemoOptions{moThumbTracking, moColorSyntax, moLineNumbersOnGutter}));
  ASSERT_EQ(form->VrelMemo1->TextStyles.Items.size(), 15u);
  EXPECT_EQ(form->VrelMemo1->TextStyles.Items[13].Name, "BreakPoint");
  EXPECT_EQ(form->VrelMemo1->TextStyles.Items[2].Font.Style, TFontStyles{fsItalic});
  EXPECT_EQ(form->MemoSource1.Options(),
            (TStringsOptions{soBackUnindents, soGroupUndo, soForceCutCopy, soAutoIndent, soSmartTab,
                             soOverwriteBlocks, soSelectFoundText}));
  EXPECT_TRUE(form->VrelMemo1->UseDefaultMenu);
}

TEST_F(MainWindow, WalksFromUntitledToNamedAndModified) {
  Type("<p>hello</p>");
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_TRUE(Command("Save1")->isEnabled());
  EXPECT_TRUE(Command("ToolButton3")->isEnabled());
  EXPECT_TRUE(Command("SaveAs1")->isEnabled());  // there is text now
  EXPECT_TRUE(Command("ToolButton4")->isEnabled());
  EXPECT_TRUE(Command("Print1")->isEnabled());

  std::string file = dir.File("page.html");
  dialogs.AnswerFile(file);
  Run("Save1");  // untitled: asks for a name
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Save As");
  EXPECT_EQ(ReadBytes(file), "<p>hello</p>");
  EXPECT_EQ(Caption(), "Quorel 1.5 - page.html - " + dir.Path() + "/");
  EXPECT_EQ(form->TaskbarTitle, "page.html - " + dir.Path() + "/");
  EXPECT_EQ(Panel(3), file);
  EXPECT_EQ(Panel(2), "");
  EXPECT_FALSE(Command("Save1")->isEnabled());
  EXPECT_EQ(form->Document.CurrentExtension(), ".html");
  EXPECT_EQ(form->Document.SaveDialog.FilterIndex, 2);
  EXPECT_EQ(form->Document.SaveDialog.DefaultExt, "*.html");
  EXPECT_EQ(shell.RecentDocuments.back(), file);

  form->MemoSource1.SetCaretPos(3, 0);
  Type("X");
  EXPECT_EQ(Panel(2), "Modified");
  OpenMenu("File1");
  EXPECT_TRUE(Command("ReverttoSaved1")->isEnabled());
  Run("Save1");  // named: writes at once
  EXPECT_EQ(ReadBytes(file), "<p>Xhello</p>");
  EXPECT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(Panel(2), "");
}

TEST_F(MainWindow, UndoingBackToTheSavedTextShowsItClean) {
  std::string file = dir.File("a.txt");
  WriteBytes(file, "text");
  Open(file);
  Type("more ");
  EXPECT_EQ(Panel(2), "Modified");
  form->MemoSource1.Undo();
  EXPECT_EQ(Panel(2), "");
  EXPECT_FALSE(Command("Save1")->isEnabled());
}

TEST_F(MainWindow, CaptionForms) {
  std::string file = dir.File("index.html");
  WriteBytes(file, "x");
  form->Settings.ProgramCaptionType = 2;
  form->Settings.TaskbarCaptionType = 3;
  Open(file);
  EXPECT_EQ(Caption(), "Quorel 1.5 - " + file);
  EXPECT_EQ(form->TaskbarTitle, "index.html");
  form->Settings.ProgramCaptionType = 3;
  form->Settings.TaskbarCaptionType = 2;
  form->SetDocumentName(file);
  EXPECT_EQ(Caption(), "Quorel 1.5 - index.html");
  EXPECT_EQ(form->TaskbarTitle, file);
}

TEST_F(MainWindow, NewAsksFirstAndEachAnswerDoesItsPart) {
  std::string file = dir.File("doc.htm");
  WriteBytes(file, "old");
  Open(file);
  Type("changed ");

  dialogs.AnswerMessage(mrCancel);  // Cancel: nothing happens
  Run("New1");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, platform::mkConfirmation);
  EXPECT_EQ(dialogs.Messages()[0].Buttons, platform::mbYesNoCancel);
  EXPECT_EQ(LastMessage(), "Do you wish to save this file first? - \r\r" + file);
  EXPECT_EQ(form->Document.Name(), file);

  files.FailWriteAfter = 1;  // Yes, but the save fails: the command stops
  dialogs.AnswerMessage(mrYes);
  Run("New1");
  EXPECT_EQ(LastMessage(),
            "Unable to Save the file, \r\r" + file + "\r\r" + "please check the destination!");
  EXPECT_EQ(dialogs.Messages()[dialogs.Messages().size() - 1].Kind, platform::mkWarning);
  EXPECT_EQ(form->Document.Name(), file);
  EXPECT_EQ(ReadBytes(file), "old");

  files.FailWriteAfter = -1;  // Yes: saved, then cleared
  dialogs.AnswerMessage(mrYes);
  Run("New1");
  EXPECT_EQ(ReadBytes(file), "changed old");
  EXPECT_EQ(form->Document.Name(), "[untitled]");
  EXPECT_EQ(form->MemoSource1.LineCount(), 0);
  EXPECT_EQ(Caption(), "Quorel 1.5 - [untitled]");

  Type("scratch");
  dialogs.AnswerMessage(mrNo);  // No: cleared without saving
  Run("New1");
  EXPECT_EQ(form->MemoSource1.LineCount(), 0);
  EXPECT_EQ(Panel(2), "");
}

TEST_F(MainWindow, EachCommandAsksWithItsOwnWords) {
  Type("x");
  dialogs.AnswerMessage(mrCancel);
  Run("Open1");
  EXPECT_EQ(LastMessage(), "Do you wish to save this file first? - \r\r[untitled]");
  dialogs.AnswerMessage(mrCancel);
  EXPECT_FALSE(form->FormCloseQuery());
  EXPECT_EQ(LastMessage(), "Do you wish to save this file? - \r\r[untitled]");
  std::string other = dir.File("other.txt");
  WriteBytes(other, "other");
  dialogs.AnswerMessage(mrCancel);
  form->WMDropFiles({QString::fromStdString(other)});
  EXPECT_EQ(LastMessage(), "Do you wish to save your file first? - \r\r[untitled]");
  EXPECT_EQ(form->Document.Name(), "[untitled]");
  dialogs.AnswerMessage(mrNo);
  EXPECT_TRUE(form->FormCloseQuery());
}

TEST_F(MainWindow, OpenWithTheDialog) {
  std::string file = dir.File("site.asp");
  WriteBytes(file, "<% x %>\r\nline two");
  dialogs.AnswerFile(file);
  Run("Open1");
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Open");
  EXPECT_EQ(dialogs.FileDialogs()[0].Filters.size(), 13u);
  EXPECT_EQ(dialogs.FileDialogs()[0].Filters[10].Pattern, "*.pas;*.dfm;*.dpr");
  EXPECT_EQ(form->Document.Name(), file);
  EXPECT_EQ(form->MemoSource1.LineCount(), 2);
  EXPECT_EQ(form->Document.SaveDialog.FilterIndex, 5);
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);

  dialogs.AnswerFile(std::nullopt);  // cancelled: nothing changes
  Run("Open1");
  EXPECT_EQ(form->Document.Name(), file);
}

// A version-controlled page keeps its LF line ends through an edit; a new page gets CR LF.
TEST_F(MainWindow, APageIsSavedWithTheLineEndsItCameWith) {
  std::string file = dir.File("page.html");
  WriteBytes(file, "<p>\nold</p>\n");
  Open(file);
  form->MemoSource1.SetCaretPos(0, 1);
  form->MemoSource1.InsertText("the ");
  ASSERT_TRUE(form->SaveDocument());
  EXPECT_EQ(ReadBytes(file), "<p>\nthe old</p>\n");

  Run("New1");
  form->MemoSource1.InsertText("a");
  form->MemoSource1.SetCaretPos(1, 0);
  form->MemoSource1.SplitLine();
  std::string fresh = dir.File("new.html");
  dialogs.AnswerFile(fresh);
  ASSERT_TRUE(form->SaveDocumentAs());
  EXPECT_EQ(ReadBytes(fresh), "a\r\n");
}

TEST_F(MainWindow, TheEncodingMenuAndPanelsShowAndChangeTheLineEnds) {
  EXPECT_EQ(form->EncodingPanel->text(), "UTF-8");
  EXPECT_EQ(form->LineEndPanel->text(), "CR LF");
  std::string file = dir.File("old.htm");
  WriteBytes(file, "<p>caf\xE9</p>\n<p>two</p>\n");
  Open(file);
  EXPECT_EQ(form->EncodingPanel->text(), "Windows-1252");
  EXPECT_EQ(form->LineEndPanel->text(), "LF");
  emit Menu("Encoding1")->aboutToShow();
  EXPECT_FALSE(Command("CRLF1")->isChecked());
  EXPECT_TRUE(Command("LF1")->isChecked());
  EXPECT_FALSE(Command("CR1")->isChecked());

  // Choosing the checked style changes nothing; another one is for the next save.
  Run("LF1");
  EXPECT_FALSE(form->MemoSource1.Modified());
  Run("CRLF1");
  EXPECT_TRUE(form->MemoSource1.Modified());
  EXPECT_EQ(form->LineEndPanel->text(), "CR LF");
  EXPECT_EQ(Panel(2), "Modified");
  ASSERT_TRUE(form->SaveDocument());
  EXPECT_EQ(ReadBytes(file), "<p>caf\xE9</p>\r\n<p>two</p>");
  emit Menu("Encoding1")->aboutToShow();
  EXPECT_TRUE(Command("CRLF1")->isChecked());
  EXPECT_FALSE(Command("LF1")->isChecked());

  Run("New1");
  EXPECT_EQ(form->EncodingPanel->text(), "UTF-8");
  EXPECT_EQ(form->LineEndPanel->text(), "CR LF");
}

// Characters come into the view as key events with their text, as the keyboard sends them.
void TypeKeys(TCustomVrelMemo* view, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    static_cast<QObject*>(view)->event(&press);
  }
}

void PressBackspace(TCustomVrelMemo* view) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  static_cast<QObject*>(view)->event(&press);
}

TEST_F(MainWindow, TypedCharactersAreSavedAsUtf8AndBackspaceTakesAWholeOne) {
  TypeKeys(form->VrelMemo1, QString::fromUtf8("\xC3\xBC\xE2\x82\xAC\xE6\x97\xA5"));  // ü€日
  EXPECT_EQ(form->MemoSource1.RawLine(0), "\xC3\xBC\xE2\x82\xAC\xE6\x97\xA5");
  EXPECT_EQ(form->MemoSource1.CaretX(), 4);  // 日 takes two columns
  EXPECT_EQ(Panel(0), "Char: 4");            // but it is one character
  std::string file = dir.File("typed.html");
  dialogs.AnswerFile(file);
  ASSERT_TRUE(form->SaveDocumentAs());
  EXPECT_EQ(ReadBytes(file), "\xC3\xBC\xE2\x82\xAC\xE6\x97\xA5");

  PressBackspace(form->VrelMemo1);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "\xC3\xBC\xE2\x82\xAC");
  EXPECT_EQ(Panel(0), "Char: 3");
  PressBackspace(form->VrelMemo1);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "\xC3\xBC");
  ASSERT_TRUE(form->SaveDocument());
  EXPECT_EQ(ReadBytes(file), "\xC3\xBC");
}

TEST_F(MainWindow, AWindows1252PageTypesWhatItCanHoldAndConvertsToUtf8) {
  std::string file = dir.File("old.htm");
  WriteBytes(file, "caf\xE9");
  Open(file);
  form->MemoSource1.SetCaretPos(4, 0);
  TypeKeys(form->VrelMemo1, QString::fromUtf8("\xE6\x97\xA5\xC3\xBC"));  // 日ü
  EXPECT_EQ(form->MemoSource1.RawLine(0), "caf\xE9\xFC");  // ü fits the code page, 日 not
  EXPECT_TRUE(form->NotePanel->text().contains(QString::fromUtf8("\xE6\x97\xA5")));
  EXPECT_TRUE(form->NotePanel->text().contains("Windows-1252"));

  emit Menu("Encoding1")->aboutToShow();
  EXPECT_TRUE(Command("Windows12521")->isChecked());
  EXPECT_FALSE(Command("UTF81")->isChecked());
  EXPECT_TRUE(Command("ConverttoUtf81")->isEnabled());
  Run("ConverttoUtf81");
  EXPECT_EQ(form->EncodingPanel->text(), "UTF-8");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "caf\xC3\xA9\xC3\xBC");
  TypeKeys(form->VrelMemo1, QString::fromUtf8("\xE6\x97\xA5"));
  ASSERT_TRUE(form->SaveDocument());
  EXPECT_EQ(ReadBytes(file), "caf\xC3\xA9\xC3\xBC\xE6\x97\xA5");
  emit Menu("Encoding1")->aboutToShow();
  EXPECT_FALSE(Command("ConverttoUtf81")->isEnabled());
}

TEST_F(MainWindow, ChoosingAnEncodingReReadsTheSameBytes) {
  std::string file = dir.File("page.html");
  WriteBytes(file, "na\xC3\xAFve\r\n");
  Open(file);
  EXPECT_EQ(form->EncodingPanel->text(), "UTF-8");
  EXPECT_EQ(form->MemoSource1.LineLength(0), 5);
  Run("Windows12521");
  EXPECT_EQ(form->EncodingPanel->text(), "Windows-1252");
  EXPECT_EQ(form->MemoSource1.LineLength(0), 6);  // "naÃ¯ve": one column a byte
  EXPECT_FALSE(form->MemoSource1.Modified());
  EXPECT_EQ(ReadBytes(file), "na\xC3\xAFve\r\n");
  Run("UTF81");
  EXPECT_EQ(form->MemoSource1.LineLength(0), 5);
}

TEST_F(MainWindow, OpeningAMissingFileWarns) {
  std::string missing = dir.File("gone.html");
  Open(missing);
  EXPECT_EQ(LastMessage(), "Unable to open the File - \r\r" + missing);
  EXPECT_EQ(form->Document.Name(), "[untitled]");
}

TEST_F(MainWindow, ReadOnlyFilesOpenUntitledAndModified) {
  std::string file = dir.File("locked.html");
  WriteBytes(file, "<b>locked</b>");
  ::chmod(file.c_str(), 0444);
  Open(file);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<b>locked</b>");
  EXPECT_EQ(Caption(), "Quorel 1.5 - [untitled]");
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_EQ(Panel(3), "[untitled]");
  EXPECT_TRUE(form->Document.ReadOnlyOrigin());
  OpenMenu("File1");
  EXPECT_TRUE(Command("ReverttoSaved1")->isEnabled());

  form->MemoSource1.SetCaretPos(0, 0);
  Type("edited ");
  dialogs.AnswerMessage(mrOk);
  Run("ReverttoSaved1");
  EXPECT_EQ(LastMessage(), "Revert to the read only file of?\r\r" + file);
  EXPECT_EQ(dialogs.Messages().back().Buttons, platform::mbOKCancel);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<b>locked</b>");

  // New and Save As keep offering the read-only file until another file is opened.
  dialogs.AnswerMessage(mrNo);
  Run("New1");
  OpenMenu("File1");
  EXPECT_TRUE(Command("ReverttoSaved1")->isEnabled());
  std::string other = dir.File("free.txt");
  WriteBytes(other, "free");
  Open(other);
  OpenMenu("File1");
  EXPECT_FALSE(Command("ReverttoSaved1")->isEnabled());
}

TEST_F(MainWindow, RevertReloadsTheSavedFile) {
  std::string file = dir.File("r.html");
  WriteBytes(file, "saved");
  Open(file);
  Type("unsaved ");
  dialogs.AnswerMessage(mrCancel);
  Run("ReverttoSaved1");
  EXPECT_EQ(LastMessage(), "Revert to the last saved version of?\r\r" + file);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "unsaved saved");
  dialogs.AnswerMessage(mrOk);
  Run("ReverttoSaved1");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "saved");
  EXPECT_EQ(Panel(2), "");
}

TEST_F(MainWindow, AFailedSaveKeepsTheDocumentModifiedAndTheFileIntact) {
  std::string file = dir.File("keep.html");
  WriteBytes(file, "on disk");
  Open(file);
  Type("new ");
  files.FailWriteAfter = 2;
  Run("Save1");
  EXPECT_EQ(LastMessage(),
            "Unable to Save the file, \r\r" + file + "\r\rplease check the destination!");
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_TRUE(Command("Save1")->isEnabled());
  EXPECT_TRUE(Command("ToolButton3")->isEnabled());
  EXPECT_EQ(ReadBytes(file), "on disk");
  EXPECT_EQ(dir.FileCount(), 1);

  dialogs.AnswerFile(dir.File("elsewhere.html"));
  Run("SaveAs1");
  EXPECT_EQ(LastMessage(), "Unable to Save the file - \r\r" + dir.File("elsewhere.html") +
                               "\r\rplease check the destination!");
  EXPECT_EQ(form->Document.Name(), file);
  EXPECT_EQ(Panel(2), "Modified");
}

TEST_F(MainWindow, SaveACopyChangesNothingElse) {
  std::string file = dir.File("main.html");
  WriteBytes(file, "main");
  Open(file);
  Type("edited ");
  dialogs.AnswerFile(dir.File("copy.html"));
  Run("SaveaCopy1");
  EXPECT_EQ(ReadBytes(dir.File("copy.html")), "edited main");
  EXPECT_EQ(form->Document.Name(), file);
  EXPECT_EQ(Panel(2), "Modified");
  files.FailWriteAfter = 1;
  dialogs.AnswerFile(dir.File("copy2.html"));
  Run("SaveaCopy1");
  EXPECT_EQ(LastMessage(),
            "An error has occured and save aborted, check destinations read only properties!");
}

TEST_F(MainWindow, RtfDocumentsSelectTheAllTypesFilter) {
  std::string file = dir.File("Letter.RTF");
  WriteBytes(file, "{\\rtf1 hello}");
  Open(file);
  EXPECT_EQ(form->Document.CurrentExtension(), ".rtf");
  EXPECT_EQ(form->Document.SaveDialog.FilterIndex, 11);
  EXPECT_EQ(form->Document.SaveDialog.DefaultExt, "*.rtf");
}

TEST_F(MainWindow, DropOfAFolderAndTwoFiles) {
  std::string first = dir.File("one.html"), second = dir.File("two.html");
  WriteBytes(first, "one");
  WriteBytes(second, "two");
  form->WMDropFiles({QString::fromStdString(dir.Path()), QString::fromStdString(first),
                     QString::fromStdString(second)});
  EXPECT_EQ(form->Document.Name(), first);
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Program, "/opt/quorel/quorel");
  EXPECT_EQ(processes.Launches[0].Arguments, std::vector<std::string>{second});
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(MainWindow, DropWhoseInstancesCannotStartWarnsOnce) {
  std::string a = dir.File("a.html"), b = dir.File("b.html"), c = dir.File("c.html");
  for (auto& f : {a, b, c}) WriteBytes(f, "x");
  processes.FailLaunch = processes.FailSimple = true;
  form->WMDropFiles(
      {QString::fromStdString(a), QString::fromStdString(b), QString::fromStdString(c)});
  EXPECT_EQ(form->Document.Name(), a);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), "Unable to open multiple dropped files!!");
  EXPECT_EQ(processes.Launches.size(), 2u);  // the launch and the simpler one, for b only
}

TEST_F(MainWindow, CtrlStartsNewInstancesInsteadOfReplacingTheDocument) {
  std::string file = dir.File("here.html");
  WriteBytes(file, "here");
  Open(file);
  Type("unsaved ");
  shell.Ctrl = true;
  Run("New1");
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_TRUE(processes.Launches[0].Arguments.empty());
  EXPECT_EQ(form->Document.Name(), file);
  EXPECT_TRUE(dialogs.Messages().empty());  // no save question: this window stays as it is

  std::string chosen = dir.File("there.html");
  WriteBytes(chosen, "there");
  dialogs.AnswerFile(chosen);
  Run("Open1");
  ASSERT_EQ(processes.Launches.size(), 2u);
  EXPECT_EQ(processes.Launches[1].Arguments, std::vector<std::string>{chosen});
  EXPECT_EQ(form->Document.Name(), file);

  processes.FailLaunch = processes.FailSimple = true;
  Run("New1");
  EXPECT_EQ(LastMessage(), "Unable to start new instance of the editor!!");
}

TEST_F(MainWindow, ReloadQuestionWhenTheFileChangedOnDisk) {
  std::string file = dir.File("live.html");
  WriteBytes(file, "first");
  Open(file);
  EXPECT_FALSE(form->WMMouseActivate());  // unchanged: nothing asked
  EXPECT_TRUE(dialogs.Messages().empty());

  WriteBytes(file, "second");
  struct timespec times[2] = {{1200000000, 0}, {1200000000, 0}};
  ::utimensat(AT_FDCWD, file.c_str(), times, 0);
  dialogs.AnswerMessage(mrNo);
  EXPECT_FALSE(form->WMMouseActivate());
  EXPECT_EQ(LastMessage(),
            file + " Date and Time has changed!!\r\rDo you wish to reload the file?");
  EXPECT_EQ(dialogs.Messages().back().Buttons, platform::mbYesNo);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "first");
  dialogs.AnswerMessage(mrYes);  // asked again at the next press; Yes reloads and eats the press
  EXPECT_TRUE(form->WMMouseActivate());
  EXPECT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "second");
  EXPECT_FALSE(form->WMMouseActivate());
}

TEST_F(MainWindow, AMousePressInTheWindowRunsTheCheck) {
  std::string file = dir.File("click.html");
  WriteBytes(file, "a");
  Open(file);
  form->show();
  struct timespec times[2] = {{1300000000, 0}, {1300000000, 0}};
  ::utimensat(AT_FDCWD, file.c_str(), times, 0);
  dialogs.AnswerMessage(mrNo);
  QTest::mouseClick(form->centralWidget()->window(), Qt::LeftButton);
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  clipboard.SetForeignText("paste me");
  dialogs.AnswerMessage(mrNo);
  form->WMMouseActivate();
  EXPECT_TRUE(Command("ToolButton7")->isEnabled());
}

TEST_F(MainWindow, CommandLineOpensTheFirstFileHereAndTheRestElsewhere) {
  std::string a = dir.File("a.html"), b = dir.File("b.html");
  WriteBytes(a, "a");
  WriteBytes(b, "b");
  form->OpenCommandLine({QString::fromStdString(a), QString::fromStdString(b)});
  EXPECT_EQ(form->Document.Name(), a);
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Arguments, std::vector<std::string>{b});
}

}  // namespace
}  // namespace quorel
