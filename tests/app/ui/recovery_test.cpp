// Unsaved text kept for recovery: the journal follows the document's unsaved changes, and at
// start-up the journals of instances that are gone are offered back, one after another.
#include <QLabel>

#include "mainwindowfixture.h"
#include "platform/filelock.h"
#include "recovery/journalformat.h"

namespace quorel {
namespace {

using test::ReadBytes;

struct Recovery : MainWindow {
  std::string folder;

  void SetUp() override {
    MainWindow::SetUp();
    // The window again, now with a state folder for its journals.
    form.reset();
    shell.StateFolder = dir.File("state");
    folder = shell.StateFolder + "/recovery";
    form = std::make_unique<TForm1>(services);
    ASSERT_NE(form->Recovery->Journal, nullptr);
  }
  // Everything due is written, as if the user had stopped typing long ago.
  void Flush() {
    for (int i = 0; i < 10000 && form->Recovery->Journal->Pending(); ++i) {
      form->Recovery->Journal->Tick(int64_t{1} << 50);
      form->Recovery->Journal->WaitForWrite();
    }
    form->Recovery->Journal->Tick(int64_t{1} << 50);  // takes the result of the last write
  }
  std::string JournalText() {
    std::string path = form->Recovery->Journal->Path();
    return files.IsFile(path) ? ReadJournal(ReadBytes(path)).Text : "(none)";
  }
  std::string Page(const std::string& name, const std::string& text) {
    std::string path = dir.File(name);
    test::WriteBytes(path, text);
    return path;
  }
  // A journal left by the instance `instance`, which is gone.
  std::string Orphan(const std::string& instance, const TJournalHeader& header,
                     const std::string& text) {
    files.CreateFolders(folder);
    std::string journal = JournalHead(header) + text;
    SealJournal(journal);
    std::string path = folder + "/" + instance + ".journal";
    test::WriteBytes(path, journal);
    return path;
  }
  int FilesIn(const std::string& path) {
    int n = 0;
    files.ListFiles(path, [&](const std::string&) { ++n; });
    return n;
  }
};

TEST_F(Recovery, TheJournalHoldsTheUnsavedTextUntilItIsSavedRevertedOrDropped) {
  std::string page = Page("index.html", "<html>\r\n</html>");
  Open(page);
  Flush();
  EXPECT_EQ(JournalText(), "(none)");  // nothing unsaved yet

  Type("<p>new</p>");
  Flush();
  TJournal journal = ReadJournal(ReadBytes(form->Recovery->Journal->Path()));
  EXPECT_EQ(journal.Header.DocumentName, page);
  EXPECT_EQ(journal.Text, "<p>new</p><html>\r\n</html>");
  EXPECT_EQ(ReadBytes(page), "<html>\r\n</html>");  // the file itself is left alone

  Run("Save1");
  EXPECT_EQ(JournalText(), "(none)");

  Type("x");
  Flush();
  ASSERT_NE(JournalText(), "(none)");
  dialogs.AnswerMessage(platform::mrOk);
  Run("ReverttoSaved1");
  EXPECT_EQ(JournalText(), "(none)");

  Type("y");
  Flush();
  ASSERT_NE(JournalText(), "(none)");
  dialogs.AnswerMessage(platform::mrNo);  // New: do not save
  Run("New1");
  EXPECT_EQ(JournalText(), "(none)");

  // Undoing back to the saved text leaves nothing unsaved either.
  Open(page);
  Type("z");
  Flush();
  ASSERT_NE(JournalText(), "(none)");
  form->MemoSource1.Undo();
  EXPECT_EQ(JournalText(), "(none)");
}

TEST_F(Recovery, ClosingKeepsTheJournalOnlyWhenTheCloseIsCancelled) {
  Type("unsaved words");
  Flush();
  dialogs.AnswerMessage(platform::mrCancel);
  EXPECT_FALSE(form->close());
  EXPECT_EQ(JournalText(), "unsaved words");

  dialogs.AnswerMessage(platform::mrNo);
  EXPECT_TRUE(form->close());
  // A clean exit leaves neither the journal nor this instance's lock.
  EXPECT_EQ(FilesIn(folder), 0);
}

TEST_F(Recovery, AJournalThatCannotBeWrittenIsSaidAndThePreviousOneStays) {
  Type("first");
  Flush();
  const std::string before = ReadBytes(form->Recovery->Journal->Path());
  files.FailWriteAfter = 5;
  Type(" second");
  Flush();
  EXPECT_EQ(ReadBytes(form->Recovery->Journal->Path()), before);
  EXPECT_EQ(form->NotePanel->text().left(46), "Unsaved text could not be kept for recovery: C");
  files.FailWriteAfter = -1;
}

TEST_F(Recovery, TheUnsavedTextOfAnInstanceThatIsGoneIsOfferedAndRestored) {
  std::string page = Page("index.html", "<p>on disk</p>");
  TJournalHeader header;
  header.DocumentName = page;
  header.SavedAt = 1796900000;  // 2026-12-09, early afternoon here
  header.Encoding = enWindows1252;
  header.OutFormat = ofUnix;
  std::string orphan = Orphan("77-gone", header, "<p>caf\xE9 unsaved</p>\n<p>more</p>\n");

  dialogs.AnswerMessage(platform::mrYes);
  form->Recovery->OfferRecoveredText();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  char when[64];
  std::time_t t = header.SavedAt;
  std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&t));
  EXPECT_EQ(LastMessage(),
            "Quorel found unsaved text of " + page + " from " + when + ". Restore it?");
  EXPECT_EQ(dialogs.Messages()[0].Buttons, platform::mbYesNo);

  EXPECT_EQ(form->MemoSource1.SaveToString(), "<p>caf\xE9 unsaved</p>\n<p>more</p>\n");
  EXPECT_EQ(form->DocumentName, page);
  EXPECT_EQ(Caption(), "Quorel 1.5 - index.html - " + dir.Path() + "/");
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_EQ(form->EncodingPanel->text(), "Windows-1252");
  EXPECT_EQ(form->LineEndPanel->text(), "LF");
  EXPECT_EQ(ReadBytes(page), "<p>on disk</p>");
  // The journal is this instance's own now: the text is never only in memory.
  EXPECT_FALSE(files.Exists(orphan));
  EXPECT_EQ(JournalText(), "<p>caf\xE9 unsaved</p>\n<p>more</p>\n");
  EXPECT_FALSE(form->WMMouseActivate());  // no question about the file's time

  // Saving writes the restored text and ends the journal.
  Run("Save1");
  EXPECT_EQ(ReadBytes(page), "<p>caf\xE9 unsaved</p>\n<p>more</p>\n");
  EXPECT_EQ(JournalText(), "(none)");
}

TEST_F(Recovery, UntitledTextComesBackUntitledAndNoDeletesTheJournal) {
  TJournalHeader header;
  Orphan("80-a", header, "draft\r\nwords");
  std::string declined = Orphan("81-b", header, "unwanted");
  dialogs.AnswerMessage(platform::mrYes);
  dialogs.AnswerMessage(platform::mrNo);
  form->Recovery->OfferRecoveredText();
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[1].Text.substr(0, 42), "Quorel found unsaved text of [untitled] fr");
  EXPECT_EQ(Caption(), "Quorel 1.5 - [untitled]");
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_EQ(form->MemoSource1.SaveToString(), "draft\r\nwords");
  EXPECT_FALSE(files.Exists(declined));
  EXPECT_FALSE(files.Exists(folder + "/81-b.lock"));
  // Saving asks for a name, as for any untitled text.
  dialogs.AnswerFile(dir.File("draft.html"));
  Run("Save1");
  EXPECT_EQ(ReadBytes(dir.File("draft.html")), "draft\r\nwords");
}

TEST_F(Recovery, DamagedAndLiveJournalsAreNeverLoaded) {
  TJournalHeader header;
  std::string damaged = Orphan("90-cut", header, "half of the text and the rest");
  std::string bytes = ReadBytes(damaged);
  test::WriteBytes(damaged, bytes.substr(0, bytes.size() - 8));
  std::string live = Orphan("91-live", header, "someone is typing this");
  auto liveLock = platform::TFileLock::TryLock(folder + "/91-live.lock");
  ASSERT_NE(liveLock, nullptr);
  const std::string liveBytes = ReadBytes(live);

  form->Recovery->OfferRecoveredText();
  ASSERT_EQ(dialogs.Messages().size(), 1u);  // no question for the live one
  EXPECT_EQ(dialogs.Messages()[0].Kind, platform::mkWarning);
  EXPECT_EQ(LastMessage(), "Quorel found a recovery journal that it cannot restore (" + damaged +
                               "): its text ends early.\r\rIt was kept as " + folder +
                               "/90-cut.damaged.");
  EXPECT_EQ(form->MemoSource1.LineCount(), 0);
  EXPECT_EQ(Panel(2), "");
  EXPECT_TRUE(files.IsFile(folder + "/90-cut.damaged"));
  EXPECT_EQ(ReadBytes(live), liveBytes);
  // Offered again at the next start, the damaged journal is not.
  dialogs.AnswerMessage(platform::mrYes);
  form->Recovery->OfferRecoveredText();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(Recovery, LaterJournalsGoToNewInstancesWhichTakeThemOver) {
  std::string a = Page("a.html", "a"), b = Page("b.html", "b");
  TJournalHeader header;
  header.DocumentName = a;
  Orphan("60-first", header, "a unsaved");
  header.DocumentName = b;
  std::string second = Orphan("61-second", header, "b unsaved");
  // The two are offered oldest first.
  std::filesystem::last_write_time(
      second, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  dialogs.AnswerMessage(platform::mrYes);
  dialogs.AnswerMessage(platform::mrYes);
  form->Recovery->OfferRecoveredText();
  EXPECT_EQ(form->DocumentName, a);
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Program, processes.Program);
  EXPECT_EQ(processes.Launches[0].Arguments, (std::vector<std::string>{"--recover", second}));
  EXPECT_TRUE(files.IsFile(second));  // left for the new instance

  // The command line's file is the restored one: it is open already.
  form->OpenCommandLine({QString::fromStdString(a)});
  EXPECT_EQ(processes.Launches.size(), 1u);
  form->OpenCommandLine({QString::fromStdString(b)});
  ASSERT_EQ(processes.Launches.size(), 2u);
  EXPECT_EQ(processes.Launches[1].Arguments, std::vector<std::string>{b});
  EXPECT_EQ(form->DocumentName, a);

  // The new instance restores what it was handed, without a question.
  form->MemoSource1.SetModified(false);
  form.reset();
  form = std::make_unique<TForm1>(services);
  size_t asked = dialogs.Messages().size();
  form->Recovery->RecoverHandedOver(second);
  EXPECT_EQ(dialogs.Messages().size(), asked);
  EXPECT_EQ(form->DocumentName, b);
  EXPECT_EQ(form->MemoSource1.SaveToString(), "b unsaved");
  EXPECT_EQ(JournalText(), "b unsaved");
  EXPECT_FALSE(files.Exists(second));
}

TEST_F(MainWindow, AStateFolderThatCannotBeMadeIsSaidAndTypingGoesOn) {
  form.reset();
  test::WriteBytes(dir.File("plainfile"), "x");
  shell.StateFolder = dir.File("plainfile");  // a file where the folder would go
  form = std::make_unique<TForm1>(services);
  EXPECT_EQ(form->Recovery->Journal, nullptr);
  form->Recovery->OfferRecoveredText();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, platform::mkWarning);
  EXPECT_EQ(LastMessage(), "Unsaved text cannot be kept for recovery: " + dir.File("plainfile") +
                               "/recovery cannot be written.");
  Type("still typing");
  EXPECT_EQ(Panel(2), "Modified");
}

TEST_F(Recovery, ReadingACleanDocumentAnotherWayWritesNoJournal) {
  Open(Page("plain.txt", "caf\xC3\xA9"));
  form->Encodings1Click(enWindows1252);
  Flush();
  EXPECT_EQ(JournalText(), "(none)");
  // Once it is modified, the way its bytes are read goes into the journal too.
  Type("x");
  form->Encodings1Click(enUtf8);
  Flush();
  EXPECT_EQ(ReadJournal(ReadBytes(form->Recovery->Journal->Path())).Header.Encoding, enUtf8);
}

TEST_F(Recovery, AFormattedDocumentComesBackFormatted) {
  std::string doc = Page("letter.rtf", "{\\rtf1\\ansi old}");
  TJournalHeader header;
  header.DocumentName = doc;
  header.Rtf = true;
  Orphan("70-rtf", header, "{\\rtf1\\ansi {\\b bold} words}");
  dialogs.AnswerMessage(platform::mrYes);
  form->Recovery->OfferRecoveredText();
  EXPECT_EQ(form->MemoSource1.SaveToString(), "bold words");
  EXPECT_TRUE(Command("RichTextFormat1")->isChecked());
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "RTF");
  EXPECT_EQ(Panel(2), "Modified");
  // Its journal is the RTF it saves as, with the formatting.
  Type("more ");
  Flush();
  TJournal again = ReadJournal(ReadBytes(form->Recovery->Journal->Path()));
  EXPECT_TRUE(again.Header.Rtf);
  EXPECT_NE(again.Text.find("\\b"), std::string::npos);
  EXPECT_NE(again.Text.find("more"), std::string::npos);
}

}  // namespace
}  // namespace quorel
