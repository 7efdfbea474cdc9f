// The journal of a document's unsaved text: when it is written, what it holds, and that a
// failed write or a discard never leaves a wrong journal behind.
#include "recovery/recoveryjournal.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/memosource.h"
#include "recovery/journalformat.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

struct RecoveryJournal : ::testing::Test {
  test::TTempDir dir;
  test::TFaultyFileSystem files;
  TMemoSource store;
  std::string path = dir.File("1-a.journal");
  TRecoveryJournal journal{files, store, path};
  std::vector<std::string> failures;

  void SetUp() override {
    journal.DocumentName = [] { return std::string("/site/index.html"); };
    journal.Clock = [] { return std::time_t{1796900000}; };
    journal.OnWriteFailed = [this](const std::string& reason) { failures.push_back(reason); };
    store.LoadFromBuffer("<html>\r\n<body>\r\n</body>\r\n</html>");
  }
  // Types `text` at the start of line `y` and tells the journal, as the window does.
  void Type(int64_t now, int y, const std::string& text) {
    store.SetCaretPos(0, y);
    store.InsertText(text);
    journal.TextChanged(now, y);
  }
  // Runs the journal at `now` until it has nothing to do at that moment.
  void RunAt(int64_t now) {
    for (int i = 0; i < 1000; ++i) {
      int64_t next = journal.Tick(now);
      if (journal.Writing()) journal.WaitForWrite();
      if (next != 0 && !journal.Writing()) return;
    }
  }
  std::string OnDisk() {
    return files.IsFile(path) ? files.ReadWholeFile(path) : std::string("(none)");
  }
};

TEST_F(RecoveryJournal, WrittenTwoSecondsAfterTheLastEditOrThirtyIntoSteadyTyping) {
  Type(1000, 1, "a");
  RunAt(2900);
  EXPECT_EQ(OnDisk(), "(none)");
  Type(2900, 1, "b");
  RunAt(4800);  // two seconds after the first key, but not after the last
  EXPECT_EQ(OnDisk(), "(none)");
  RunAt(4900);
  TJournal first = ReadJournal(OnDisk());
  EXPECT_EQ(first.Header.DocumentName, "/site/index.html");
  EXPECT_EQ(first.Header.SavedAt, 1796900000);
  EXPECT_EQ(first.Text, store.SaveToString());

  // A key every second never leaves two quiet seconds: thirty seconds after the first key
  // not yet written, the journal is written anyway.
  int64_t now = 10000;
  for (; now < 40000; now += 1000) {
    Type(now, 2, "k");
    RunAt(now);
  }
  EXPECT_EQ(ReadJournal(OnDisk()).Text, first.Text);
  Type(now, 2, "k");
  RunAt(now);
  EXPECT_EQ(ReadJournal(OnDisk()).Text, store.SaveToString());
  EXPECT_EQ(journal.Tick(now), -1);  // nothing pending
}

TEST_F(RecoveryJournal, EditsWhileTheTextIsCopiedAreInTheJournal) {
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "<p>line " + std::to_string(i) + "</p>\r\n";
  store.LoadFromBuffer(big);
  Type(0, 5, "x");
  ASSERT_EQ(journal.Tick(5000), 0);  // the copy has begun
  ASSERT_EQ(journal.Tick(5000), 0);  // and takes more than one step
  Type(5000, 1, "early ");           // above what was copied
  Type(5000, 199000, "late ");       // below it
  RunAt(5000);
  EXPECT_EQ(ReadJournal(OnDisk()).Text, store.SaveToString());
  EXPECT_FALSE(journal.Pending());
}

TEST_F(RecoveryJournal, LineEndsChangedDuringTheCopyAreTheJournalsLineEnds) {
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "<p>line " + std::to_string(i) + "</p>\r\n";
  store.LoadFromBuffer(big);
  Type(0, 5, "x");
  ASSERT_EQ(journal.Tick(5000), 0);
  ASSERT_EQ(journal.Tick(5000), 0);
  store.SetOutFormat(ofUnix);
  store.SetByteOrderMark(true);
  RunAt(5000);
  TJournal back = ReadJournal(OnDisk());
  EXPECT_EQ(back.Header.OutFormat, ofUnix);
  EXPECT_TRUE(back.Header.ByteOrderMark);
  EXPECT_EQ(back.Text, store.SaveToString());
}

TEST_F(RecoveryJournal, AFullDiskLeavesThePreviousJournalWholeAndTriesAgainLater) {
  Type(0, 0, "first ");
  RunAt(3000);
  const std::string before = OnDisk();
  ASSERT_EQ(ReadJournal(before).Text, store.SaveToString());

  Type(4000, 0, "second ");
  files.FailWriteAfter = 20;
  RunAt(7000);
  EXPECT_EQ(OnDisk(), before);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(journal.LastError(), "");
  EXPECT_EQ(dir.FileCount(), 1);  // no temporary file left beside it
  // Not again at once: the disk gets thirty seconds.
  RunAt(20000);
  EXPECT_EQ(failures.size(), 1u);
  files.FailWriteAfter = -1;
  RunAt(37500);
  EXPECT_EQ(ReadJournal(OnDisk()).Text, store.SaveToString());
  EXPECT_EQ(journal.LastError(), "");
}

TEST_F(RecoveryJournal, DiscardRemovesTheJournalAndWhatWasAboutToBeWritten) {
  Type(0, 0, "x");
  RunAt(3000);
  ASSERT_NE(OnDisk(), "(none)");
  journal.Discard();
  EXPECT_EQ(OnDisk(), "(none)");

  // Discarded while the copy is under way, or while its write is in flight.
  std::string big(3 << 20, 'y');
  store.LoadFromBuffer(big + "\n" + big);
  Type(4000, 0, "z");
  ASSERT_EQ(journal.Tick(7000), 0);
  journal.Discard();
  RunAt(9000);
  EXPECT_EQ(OnDisk(), "(none)");
  Type(10000, 0, "z");
  for (int i = 0; i < 100 && !journal.Writing(); ++i) journal.Tick(13000);
  ASSERT_TRUE(journal.Writing());
  journal.Discard();
  EXPECT_EQ(OnDisk(), "(none)");
  EXPECT_EQ(dir.FileCount(), 0);
}

TEST_F(RecoveryJournal, AFormattedDocumentIsJournalledAsTheRtfItSavesAs) {
  journal.FormattedText = [](std::string& rtf) {
    rtf = "{\\rtf1\\ansi {\\b bold}}";
    return true;
  };
  Type(0, 0, "x");
  RunAt(3000);
  TJournal back = ReadJournal(OnDisk());
  EXPECT_TRUE(back.Header.Rtf);
  EXPECT_EQ(back.Text, "{\\rtf1\\ansi {\\b bold}}");
}

}  // namespace
}  // namespace quorel
