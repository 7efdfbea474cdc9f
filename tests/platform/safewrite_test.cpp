// The one safe write: whatever fails, the old file keeps every byte and no temporary file is left.
#include "platform/safewrite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <new>

#include "platform/fileerror.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::ReadBytes;
using test::WriteBytes;

std::string NewContent() { return std::string(100000, 'n'); }

struct TFault {
  const char* name;
  void (*arm)(test::TFaultyFileSystem&);
  const char* messageStart;
};

void PrintTo(const TFault& fault, std::ostream* out) { *out << fault.name; }

const TFault kFaults[] = {
    {"WriteStopsHalfway", [](test::TFaultyFileSystem& f) { f.FailWriteAfter = 5000; },
     "Cannot write file"},
    {"NoTemporaryName", [](test::TFaultyFileSystem& f) { f.FailCreateTemp = true; },
     "Can't create temporary filename"},
    {"ReplaceFails",
     [](test::TFaultyFileSystem& f) {
       f.FailReplace = true;
       f.FailRenameNumber =
           2;  // with a backup: the old file moved aside, the new one cannot follow
     },
     "Can't rename file "},
};

struct SafeWriteFault : ::testing::TestWithParam<std::tuple<TFault, bool>> {
  test::TTempDir dir;
  std::string file = dir.File("page.html");
  std::string backup = dir.File("page.~ht");
  test::TFaultyFileSystem files;
};

TEST_P(SafeWriteFault, LeavesTheOldFileAsItWas) {
  const auto& [fault, withBackup] = GetParam();
  WriteBytes(file, "old bytes\r\n");
  fault.arm(files);
  try {
    platform::SafeWriteFile(files, file, NewContent(), withBackup ? backup : std::string());
    ADD_FAILURE() << "reported success";
  } catch (const platform::EFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(fault.messageStart, 0), 0u) << e.what();
  }
  EXPECT_EQ(ReadBytes(file), "old bytes\r\n");
  EXPECT_EQ(dir.FileCount(), 1) << "a temporary or backup file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Faults, SafeWriteFault,
                         ::testing::Combine(::testing::ValuesIn(kFaults), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "WithBackup" : "Direct");
                         });

TEST(SafeWrite, ReplacesTheFileAndKeepsItsPermissions) {
  test::TTempDir dir;
  std::string file = dir.File("notes.txt");
  WriteBytes(file, "old");
  ::chmod(file.c_str(), 0640);
  platform::TStdFileSystem files;
  platform::SafeWriteFile(files, file, "new content");
  EXPECT_EQ(ReadBytes(file), "new content");
  EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0640));
  EXPECT_EQ(dir.FileCount(), 1);
}

// A document saved in pieces whose making fails halfway (memory running out, say).
TEST(SafeWrite, PiecesThatStopHalfwayLeaveTheOldFile) {
  test::TTempDir dir;
  std::string file = dir.File("page.html");
  WriteBytes(file, "old bytes");
  platform::TStdFileSystem files;
  EXPECT_THROW(platform::SafeWriteFilePieces(
                   files, file,
                   [](const platform::IFileSystem::TPieceWriter& write) {
                     write(std::string(100000, 'n'));
                     throw std::bad_alloc();
                   },
                   dir.File("page.~ht")),
               std::bad_alloc);
  EXPECT_EQ(ReadBytes(file), "old bytes");
  EXPECT_EQ(dir.FileCount(), 1) << "a temporary or backup file was left behind";
}

TEST(SafeWrite, MakesANewFileAndKeepsTheOldOneAsBackup) {
  test::TTempDir dir;
  platform::TStdFileSystem files;
  std::string file = dir.File("a.htm");
  platform::SafeWriteFile(files, file, "first", dir.File("a.~ht"));
  EXPECT_EQ(ReadBytes(file), "first");
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.~ht")));  // nothing to keep yet
  WriteBytes(dir.File("a.~ht"), "older backup");
  platform::SafeWriteFile(files, file, "second", dir.File("a.~ht"));
  EXPECT_EQ(ReadBytes(file), "second");
  EXPECT_EQ(ReadBytes(dir.File("a.~ht")), "first");
  // A backup named like the file would remove the file: the write goes ahead without one.
  platform::SafeWriteFile(files, file, "third", dir.Path() + "/./a.htm");
  EXPECT_EQ(ReadBytes(file), "third");
  EXPECT_EQ(dir.FileCount(), 2);
}

TEST(SafeWrite, AnOldBackupThatCannotGoStopsTheWrite) {
  test::TTempDir dir;
  test::TFaultyFileSystem files;
  std::string file = dir.File("a.htm");
  WriteBytes(file, "current");
  WriteBytes(dir.File("a.~ht"), "older");
  files.FailRemove = true;
  EXPECT_THROW(platform::SafeWriteFile(files, file, "new", dir.File("a.~ht")),
               platform::EFileError);
  files.FailRemove = false;
  EXPECT_EQ(ReadBytes(file), "current");
  EXPECT_EQ(ReadBytes(dir.File("a.~ht")), "older");
}

TEST(SafeWrite, IntoAFolderThatDoesNotExist) {
  test::TTempDir dir;
  platform::TStdFileSystem files;
  EXPECT_THROW(platform::SafeWriteFile(files, dir.File("none/x.txt"), "x"), platform::EFileError);
}

}  // namespace
}  // namespace quorel
