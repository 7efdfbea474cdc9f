// The document's life without a window: every question answered by a script, writes that fail on
// demand and real files in a temporary folder.
#include "document/document.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/memoryclipboard.h"
#include "platform/settings.h"
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

void SetFileTime(const std::string& path, time_t seconds) {
  struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

struct Document : ::testing::Test {
  test::TScriptedDialogs dialogs;
  test::TRecordingProcesses processes;
  test::TFakeShell shell;
  test::TFaultyFileSystem files;
  platform::TMemoryClipboard clipboard;
  platform::TMemorySettings settings;
  platform::TServices services{&clipboard, &dialogs, &files, &processes, &shell, &settings};
  test::TTempDir dir;
  TMemoSource store{services};
  TDocument document{store, services};
  // What the document told the window, in order.
  std::vector<std::string> events;

  void SetUp() override {
    document.OnNameChanged = [this] { events.push_back("name " + document.Name()); };
    document.OnModifiedChanged = [this](bool m) { events.push_back(m ? "modified" : "clean"); };
    document.OnUpdateFolders = [this](bool fromSave, bool fromOpen) {
      events.push_back(std::string("folders") + (fromSave ? " save" : "") +
                       (fromOpen ? " open" : ""));
    };
  }
  std::string Page(const std::string& name, const std::string& text) {
    WriteBytes(dir.File(name), text);
    return dir.File(name);
  }
  std::string LastMessage() const {
    return dialogs.Messages().empty() ? "" : dialogs.Messages().back().Text;
  }
};

TEST_F(Document, StartsUntitledAndCleanAndClosesWithoutAQuestion) {
  EXPECT_EQ(document.Name(), "[untitled]");
  EXPECT_FALSE(document.HasName());
  EXPECT_EQ(document.FileAge(), -1);
  EXPECT_FALSE(document.ReadOnlyOrigin());
  EXPECT_FALSE(document.Modified());
  EXPECT_TRUE(document.CloseQuery());
  EXPECT_FALSE(document.ReloadIfChangedOnDisk());  // an untitled document has no file to check
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(Document, OpenEditAndSave) {
  std::string file = Page("page.HTML", "<p>old</p>");
  SetFileTime(file, 1200000000);
  document.Open(file);
  EXPECT_EQ(document.Name(), file);
  EXPECT_EQ(store.RawLine(0), "<p>old</p>");
  EXPECT_EQ(document.FileAge(), files.FileAge(file));
  EXPECT_EQ(document.CurrentExtension(), ".html");
  EXPECT_EQ(document.SaveDialog.FilterIndex, 2);  // the save filter follows the extension
  EXPECT_EQ(document.SaveDialog.DefaultExt, "*.html");
  EXPECT_EQ(events, (std::vector<std::string>{"name " + file, "clean", "folders open"}));
  EXPECT_EQ(shell.RecentDocuments.back(), file);

  store.InsertText("new ");
  EXPECT_TRUE(document.Modified());
  ASSERT_TRUE(document.Save());
  EXPECT_EQ(ReadBytes(file), "new <p>old</p>");
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.FileAge(), files.FileAge(file));  // the saved file's age, not the opened one's
  EXPECT_TRUE(dialogs.FileDialogs().empty());
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(Document, SavingAnUntitledDocumentAsksForAName) {
  store.InsertText("text");
  ASSERT_FALSE(document.Save());  // the dialog is cancelled
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Save As");
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(document.Name(), "[untitled]");
  EXPECT_EQ(dir.FileCount(), 0);

  std::string file = dir.File("Notes.txt");
  dialogs.AnswerFile(file);
  events.clear();
  ASSERT_TRUE(document.Save());
  EXPECT_EQ(ReadBytes(file), "text");
  EXPECT_EQ(document.Name(), file);
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.SaveDialog.FilterIndex, 3);
  EXPECT_EQ(events, (std::vector<std::string>{"folders", "name " + file, "folders save", "clean"}));

  // Once named, the dialog proposes the name.
  dialogs.AnswerFile(std::nullopt);
  EXPECT_FALSE(document.SaveAs());
  EXPECT_EQ(dialogs.FileDialogs().back().FileName, file);
}

TEST_F(Document, TheSaveQuestionBeforeNewOpenDropAndClose) {
  std::string file = Page("doc.htm", "old");
  std::string other = Page("other.htm", "other");
  document.Open(file);
  store.InsertText("changed ");

  dialogs.AnswerMessage(mrCancel);
  document.New();
  EXPECT_EQ(LastMessage(), "Do you wish to save this file first? - \r\r" + file);
  EXPECT_EQ(dialogs.Messages().back().Kind, platform::mkConfirmation);
  EXPECT_EQ(dialogs.Messages().back().Buttons, platform::mbYesNoCancel);
  dialogs.AnswerMessage(mrCancel);
  document.OpenChosen();
  EXPECT_TRUE(dialogs.FileDialogs().empty());  // stopped before the open dialog
  dialogs.AnswerMessage(mrCancel);
  document.OpenDropped({dir.Path(), other});
  EXPECT_EQ(LastMessage(), "Do you wish to save your file first? - \r\r" + file);
  dialogs.AnswerMessage(mrCancel);
  EXPECT_FALSE(document.CloseQuery());
  EXPECT_EQ(LastMessage(), "Do you wish to save this file? - \r\r" + file);
  EXPECT_EQ(dialogs.Messages().size(), 4u);
  EXPECT_EQ(document.Name(), file);
  EXPECT_EQ(store.RawLine(0), "changed old");

  files.FailWriteAfter = 1;  // Yes, but the save fails: New stops
  dialogs.AnswerMessage(mrYes);
  document.New();
  EXPECT_EQ(document.Name(), file);
  EXPECT_EQ(store.RawLine(0), "changed old");

  files.FailWriteAfter = -1;  // Yes: saved, then the dropped file opens
  dialogs.AnswerMessage(mrYes);
  document.OpenDropped({other});
  EXPECT_EQ(ReadBytes(file), "changed old");
  EXPECT_EQ(document.Name(), other);

  store.InsertText("scratch ");
  dialogs.AnswerMessage(mrNo);  // No: cleared without saving, as a new document
  document.New();
  EXPECT_EQ(ReadBytes(other), "other");
  EXPECT_EQ(document.Name(), "[untitled]");
  EXPECT_EQ(store.LineCount(), 0);
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(store.OutFormat(), ofWindows);
  EXPECT_EQ(store.Encoding(), enUtf8);
}

TEST_F(Document, AFailedSaveKeepsTheDocumentModifiedAndTheFileIntact) {
  std::string file = Page("keep.html", "on disk");
  document.Open(file);
  store.InsertText("new ");
  int32_t age = document.FileAge();
  files.FailWriteAfter = 2;

  EXPECT_FALSE(document.Save());
  EXPECT_EQ(LastMessage(),
            "Unable to Save the file, \r\r" + file + "\r\rplease check the destination!");
  EXPECT_EQ(dialogs.Messages().back().Kind, platform::mkWarning);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(ReadBytes(file), "on disk");
  EXPECT_EQ(dir.FileCount(), 1);
  EXPECT_EQ(document.FileAge(), age);

  std::string elsewhere = dir.File("elsewhere.html");
  dialogs.AnswerFile(elsewhere);
  EXPECT_FALSE(document.SaveAs());
  EXPECT_EQ(LastMessage(),
            "Unable to Save the file - \r\r" + elsewhere + "\r\rplease check the destination!");
  EXPECT_EQ(document.Name(), file);
  EXPECT_TRUE(document.Modified());

  dialogs.AnswerFile(dir.File("copy.html"));
  document.SaveCopy();
  EXPECT_EQ(LastMessage(),
            "An error has occured and save aborted, check destinations read only properties!");
}

TEST_F(Document, AReadOnlyFileOpensUntitledAndModifiedAndRevertOffersIt) {
  std::string file = Page("locked.html", "<b>locked</b>");
  ::chmod(file.c_str(), 0444);
  document.Open(file);
  EXPECT_EQ(store.RawLine(0), "<b>locked</b>");
  EXPECT_EQ(document.Name(), "[untitled]");
  EXPECT_TRUE(document.Modified());
  EXPECT_TRUE(document.ReadOnlyOrigin());
  EXPECT_EQ(document.ReadOnlyFileName(), file);

  store.InsertText("edited ");
  dialogs.AnswerMessage(mrCancel);
  document.Revert();
  EXPECT_EQ(LastMessage(), "Revert to the read only file of?\r\r" + file);
  EXPECT_EQ(dialogs.Messages().back().Buttons, platform::mbOKCancel);
  EXPECT_EQ(store.RawLine(0), "edited <b>locked</b>");
  dialogs.AnswerMessage(mrOk);
  document.Revert();
  EXPECT_EQ(store.RawLine(0), "<b>locked</b>");

  // Opening a writable file ends it; Revert then offers the last saved version.
  std::string free = Page("free.txt", "free");
  document.Open(free);
  EXPECT_FALSE(document.ReadOnlyOrigin());
  store.InsertText("unsaved ");
  dialogs.AnswerMessage(mrCancel);
  document.Revert();
  EXPECT_EQ(LastMessage(), "Revert to the last saved version of?\r\r" + free);
  EXPECT_EQ(store.RawLine(0), "unsaved free");
  dialogs.AnswerMessage(mrOk);
  document.Revert();
  EXPECT_EQ(store.RawLine(0), "free");
  EXPECT_FALSE(document.Modified());
}

TEST_F(Document, AsksToReloadOnlyWhenTheFilesAgeChanged) {
  std::string file = Page("live.html", "first");
  SetFileTime(file, 1200000000);
  document.Open(file);
  WriteBytes(file, "second");  // rewritten, but with the age it had
  SetFileTime(file, 1200000000);
  EXPECT_FALSE(document.ReloadIfChangedOnDisk());
  EXPECT_TRUE(dialogs.Messages().empty());

  SetFileTime(file, 1300000000);
  dialogs.AnswerMessage(mrNo);
  EXPECT_FALSE(document.ReloadIfChangedOnDisk());
  EXPECT_EQ(LastMessage(),
            file + " Date and Time has changed!!\r\rDo you wish to reload the file?");
  EXPECT_EQ(dialogs.Messages().back().Buttons, platform::mbYesNo);
  EXPECT_EQ(store.RawLine(0), "first");
  dialogs.AnswerMessage(mrYes);  // asked again; Yes reloads
  EXPECT_TRUE(document.ReloadIfChangedOnDisk());
  EXPECT_EQ(store.RawLine(0), "second");
  EXPECT_FALSE(document.ReloadIfChangedOnDisk());
  EXPECT_EQ(dialogs.Messages().size(), 2u);
}

TEST_F(Document, FormattedDocumentsGoThroughTheirHooks) {
  std::vector<std::string> loaded, written;
  bool formatted = false;
  document.LoadFormatted = [&](const std::string& name) {
    if (ReadBytes(name).empty()) throw std::runtime_error("unreadable");
    loaded.push_back(name);
    formatted = true;
  };
  document.IsFormatted = [&] { return formatted; };
  document.WriteFormatted = [&](const std::string& name) { written.push_back(name); };

  std::string letter = Page("Letter.RTF", "{\\rtf1 hello}");
  document.Open(letter);
  EXPECT_EQ(loaded, std::vector<std::string>{letter});
  EXPECT_EQ(store.LineCount(), 0);  // the hook loads it, not the store
  EXPECT_EQ(document.SaveDialog.FilterIndex, 11);
  EXPECT_EQ(document.SaveDialog.DefaultExt, "*.rtf");
  ASSERT_TRUE(document.Save());
  EXPECT_EQ(written, std::vector<std::string>{letter});
  EXPECT_EQ(ReadBytes(letter), "{\\rtf1 hello}");

  // A file the hook cannot read leaves the document as it was.
  std::string empty = Page("empty.rtf", "");
  document.Open(empty);
  EXPECT_EQ(LastMessage(), "Unable to open the File - \r\r" + empty);
  EXPECT_EQ(document.Name(), letter);
}

}  // namespace
}  // namespace quorel
