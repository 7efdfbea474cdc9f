// The shared folder of journals: only journals of instances that are gone are found, each by
// one instance at a time, and a live instance's files are never touched.
#include "recovery/recoveryfolder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/filelock.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

struct RecoveryFolder : ::testing::Test {
  test::TTempDir dir;
  test::TFaultyFileSystem files;
  std::string folder = dir.File("state/recovery");

  std::unique_ptr<TRecoveryFolder> Instance(const std::string& name) {
    auto instance = std::make_unique<TRecoveryFolder>(files, folder, name);
    EXPECT_TRUE(instance->Open());
    return instance;
  }
  void Write(const std::string& path, const std::string& text) { files.WriteFile(path, text); }
  std::vector<std::string> Found(TRecoveryFolder& by) {
    std::vector<std::string> paths;
    for (TOrphanJournal& orphan : by.FindOrphans()) paths.push_back(orphan.Path);
    return paths;
  }
};

TEST_F(RecoveryFolder, OnlyJournalsOfInstancesThatAreGoneAreFound) {
  auto running = Instance("10-live");
  Write(running->JournalPath(), "live text");
  auto gone = Instance("11-gone");
  Write(gone->JournalPath(), "lost text");
  auto me = Instance("12-me");
  Write(me->JournalPath(), "my text");
  EXPECT_TRUE(Found(*me).empty());

  gone.reset();  // ends without a clean close, as a crash would
  EXPECT_EQ(Found(*me), std::vector<std::string>{folder + "/11-gone.journal"});
  EXPECT_EQ(files.ReadWholeFile(running->JournalPath()), "live text");

  // While one instance deals with the orphan, another does not see it.
  auto other = Instance("13-other");
  std::vector<TOrphanJournal> taken = me->FindOrphans();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(Found(*other).empty());
  me->Remove(taken[0]);
  EXPECT_FALSE(files.Exists(folder + "/11-gone.journal"));
  EXPECT_FALSE(files.Exists(folder + "/11-gone.lock"));
  EXPECT_TRUE(Found(*other).empty());
}

TEST_F(RecoveryFolder, AdoptedJournalsBelongToTheNewInstanceAndDamagedOnesAreKeptAside) {
  ASSERT_TRUE(files.CreateFolders(folder));
  Write(folder + "/20-a.journal", "text a");  // no lock file at all: its instance is gone
  {
    auto b = Instance("21-b");
    Write(b->JournalPath(), "text b");
  }
  auto me = Instance("22-me");
  std::vector<TOrphanJournal> orphans = me->FindOrphans();
  ASSERT_EQ(orphans.size(), 2u);
  ASSERT_TRUE(me->Adopt(orphans[0]));
  EXPECT_EQ(orphans[0].Path, me->JournalPath());
  std::string adoptedText = files.ReadWholeFile(me->JournalPath());
  EXPECT_TRUE(adoptedText == "text a" || adoptedText == "text b");

  std::string aside = me->KeepAside(orphans[1]);
  ASSERT_NE(aside, "");
  EXPECT_EQ(aside.substr(aside.size() - 8), ".damaged");
  EXPECT_TRUE(files.IsFile(aside));
  EXPECT_TRUE(Found(*me).empty());
  EXPECT_EQ(dir.FileCount(), 1);  // only "state"

  // A clean end leaves nothing of this instance.
  me->Close();
  int left = 0;
  files.ListFiles(folder, [&](const std::string&) { ++left; });
  EXPECT_EQ(left, 1);  // the damaged journal, kept for the user
}

TEST_F(RecoveryFolder, LockFilesWithoutJournalsAreClearedAndClaimsStayInTheFolder) {
  { auto quiet = Instance("30-quiet"); }
  auto me = Instance("31-me");
  EXPECT_TRUE(files.Exists(folder + "/30-quiet.lock"));
  EXPECT_TRUE(Found(*me).empty());
  EXPECT_FALSE(files.Exists(folder + "/30-quiet.lock"));
  EXPECT_TRUE(files.Exists(folder + "/31-me.lock"));

  Write(dir.File("elsewhere.journal"), "x");
  EXPECT_EQ(me->Claim(dir.File("elsewhere.journal")), nullptr);
  EXPECT_EQ(me->Claim(me->JournalPath()), nullptr);
  Write(folder + "/32-gone.journal", "handed over");
  auto claimed = me->Claim(folder + "/32-gone.journal");
  ASSERT_NE(claimed, nullptr);
  EXPECT_EQ(me->Claim(folder + "/32-gone.journal"), nullptr);  // held by the first claim
}

TEST(FileLock, AKilledHolderLeavesTheLockFree) {
  test::TTempDir dir;
  std::string path = dir.File("x.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t child = ::fork();
  if (child == 0) {
    auto lock = platform::TFileLock::TryLock(path);
    char ok = lock ? '1' : '0';
    (void)!::write(ready[1], &ok, 1);
    ::pause();
    ::_exit(0);
  }
  char ok = 0;
  ASSERT_EQ(::read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, '1');
  EXPECT_EQ(platform::TFileLock::TryLock(path), nullptr);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_NE(platform::TFileLock::TryLock(path), nullptr);
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace quorel
