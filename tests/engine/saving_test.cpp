// Saving: line end formats, backups, and saves that fail without touching the file on disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/memosource.h"
#include "engine/vrelerror.h"
#include "platform/services.h"
#include "support/faultyfilesystem.h"
#include "support/storehelpers.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::Load;
using test::ReadBytes;
using test::TTempDir;
using test::WriteBytes;

std::string Saved(const std::string& text, TOutFormatType format, TStringsOptions extra = {}) {
  TMemoSource store;
  store.SetOptions(store.Options() | extra);
  Load(store, text);
  store.SetOutFormat(format);  // after loading, which takes the text's own line ends
  return store.SaveToString();
}

TEST(SaveFormat, WindowsJoinsWithCrLfAndNoFinalLineEnd) {
  EXPECT_EQ(Saved("a\nb", ofWindows), "a\r\nb");
  EXPECT_EQ(Saved("", ofWindows), "");
}

TEST(SaveFormat, UnixAndMacEndEveryLine) {
  EXPECT_EQ(Saved("a\nb", ofUnix), "a\nb\n");
  EXPECT_EQ(Saved("a\nb", ofMac), "a\rb\r");
}

TEST(SaveFormat, TabsAreWrittenRaw) {
  EXPECT_EQ(Saved("\tx", ofUnix, {soUseTabCharacter}), "\tx\n");
}

TEST(SaveFormat, ReadOnlyLinesCanBeLeftOut) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soExcludeReadOnlyLines});
  Load(store, "keep\r\nskip\r\nkeep too");
  store.SetLineReadOnly(1, true);
  EXPECT_EQ(store.SaveToString(), "keep\r\nkeep too\r\n");
}

TEST(SaveFile, WritesTheTextAndLeavesNoTemporaryFile) {
  TTempDir dir;
  TMemoSource store;
  Load(store, "<p>\r\nhello");
  store.SaveToFile(dir.File("page.html"));
  EXPECT_EQ(ReadBytes(dir.File("page.html")), "<p>\r\nhello");
  EXPECT_EQ(dir.FileCount(), 1);
}

// A file is written in pieces of a few thousand lines: across the pieces' seams it must be what
// SaveToString makes, in every line-end style, with the byte-order mark and left-out lines.
TEST(SaveFile, AFileWrittenInPiecesIsTheWholeText) {
  TTempDir dir;
  std::string text = "\xEF\xBB\xBF";
  for (int y = 0; y < 20000; ++y) text += "<p>line " + std::to_string(y) + "</p>\r\n";
  for (TOutFormatType format : {ofWindows, ofUnix, ofMac}) {
    for (bool leaveOut : {false, true}) {
      TMemoSource store;
      if (leaveOut) store.SetOptions(store.Options() | TStringsOptions{soExcludeReadOnlyLines});
      Load(store, text);
      store.SetOutFormat(format);
      for (int y : {0, 8191, 8192, 16384, 19999}) store.SetLineReadOnly(y, true);
      store.SaveToFile(dir.File("page.html"));
      ASSERT_EQ(ReadBytes(dir.File("page.html")), store.SaveToString())
          << "format " << format << (leaveOut ? " leaving read-only lines out" : "");
    }
  }
  EXPECT_EQ(dir.FileCount(), 1);
}

TEST(SaveFile, KeepsTheFilesPermissions) {
  TTempDir dir;
  std::string file = dir.File("script.js");
  WriteBytes(file, "old");
  ::chmod(file.c_str(), 0640);
  TMemoSource store;
  Load(store, "new");
  store.SaveToFile(file);
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadBytes(file), "new");
}

TEST(SaveFile, NewFileGetsOrdinaryPermissions) {
  TTempDir dir;
  mode_t mask = ::umask(022);
  TMemoSource store;
  Load(store, "x");
  store.SaveToFile(dir.File("new.txt"));
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(::stat(dir.File("new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(Backups, OldContentGoesToTheBackupName) {
  TTempDir dir;
  std::string file = dir.File("page.html");
  WriteBytes(file, "old content");
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
  Load(store, "new content");
  store.SaveToFile(file);
  EXPECT_EQ(ReadBytes(file), "new content");
  EXPECT_EQ(ReadBytes(dir.File("page.~ht")), "old content");
  EXPECT_EQ(dir.FileCount(), 2);

  Load(store, "newest");
  store.SaveToFile(file);  // an existing backup is replaced
  EXPECT_EQ(ReadBytes(dir.File("page.~ht")), "new content");
}

TEST(Backups, NamesFollowTheExtension) {
  TTempDir dir;
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
  Load(store, "x");
  for (const char* name : {"a.c", "README", "b.htm"}) {
    WriteBytes(dir.File(name), "old");
    store.SaveToFile(dir.File(name));
  }
  EXPECT_EQ(ReadBytes(dir.File("a.~c")), "old");
  EXPECT_EQ(ReadBytes(dir.File("README.~")), "old");
  EXPECT_EQ(ReadBytes(dir.File("b.~ht")), "old");
}

TEST(Backups, NoBackupWhenThereWasNoFile) {
  TTempDir dir;
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
  Load(store, "x");
  store.SaveToFile(dir.File("fresh.html"));
  EXPECT_EQ(dir.FileCount(), 1);
}

TEST(Backups, EventMayRenameTheBackup) {
  TTempDir dir;
  std::string file = dir.File("page.html");
  WriteBytes(file, "old");
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
  store.OnGetBackupName = [&](TCustomMemoSource&, const std::string& name, std::string& backup) {
    EXPECT_EQ(name, file);
    backup = dir.File("page.bak");
  };
  Load(store, "new");
  store.SaveToFile(file);
  EXPECT_EQ(ReadBytes(dir.File("page.bak")), "old");
}

TEST(Backups, ABackupNamedLikeTheFileDoesNotDestroyIt) {
  TTempDir dir;
  std::string file = dir.File("page.html");
  WriteBytes(file, "old");
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
  store.OnGetBackupName = [&](TCustomMemoSource&, const std::string&, std::string& backup) {
    backup = file;
  };
  Load(store, "new");
  store.SaveToFile(file);
  EXPECT_EQ(ReadBytes(file), "new");
}

// Every failing save must leave the original byte-identical and no temporary file behind.
struct FailedSave : ::testing::TestWithParam<bool> {
  TTempDir dir;
  std::string file = dir.File("page.html");
  test::TFaultyFileSystem files;
  TMemoSource store{platform::WithDefaults({nullptr, nullptr, &files})};
  void SetUp() override {
    WriteBytes(file, "original bytes\r\n");
    if (GetParam()) store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
    Load(store, std::string(100000, 'x'));
  }
  void ExpectOriginalUntouched() {
    EXPECT_EQ(ReadBytes(file), "original bytes\r\n");
    EXPECT_EQ(dir.FileCount(), 1) << "a temporary or backup file was left behind";
  }
  std::string SaveMessage() {
    try {
      store.SaveToFile(file);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "saved";
  }
};

TEST_P(FailedSave, WriteStoppingHalfway) {
  files.FailWriteAfter = 5000;
  EXPECT_NE(SaveMessage().find("No space left"), std::string::npos);
  ExpectOriginalUntouched();
}

TEST_P(FailedSave, NoTemporaryName) {
  files.FailCreateTemp = true;
  EXPECT_EQ(SaveMessage(), "Can't create temporary filename");
  ExpectOriginalUntouched();
}

TEST_P(FailedSave, FinalRenameFails) {
  files.FailReplace = true;
  files.FailRenameNumber = 2;  // with backups: the file went to the backup, the temp cannot follow
  std::string message = SaveMessage();
  EXPECT_EQ(message.rfind("Can't rename file ", 0), 0u) << message;
  EXPECT_NE(message.find(" to file " + file), std::string::npos) << message;
  ExpectOriginalUntouched();
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutBackups, FailedSave, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Backups" : "Direct"; });

TEST(FailedSaveBackups, OldBackupThatCannotBeDeleted) {
  TTempDir dir;
  std::string file = dir.File("page.html");
  WriteBytes(file, "original");
  WriteBytes(dir.File("page.~ht"), "older");
  test::TFaultyFileSystem files;
  TMemoSource store{platform::WithDefaults({nullptr, nullptr, &files})};
  store.SetOptions(store.Options() | TStringsOptions{soCreateBackups});
  Load(store, "new");
  files.FailRemove = true;
  try {
    store.SaveToFile(file);
    ADD_FAILURE() << "saved";
  } catch (const EVrelError& e) {
    EXPECT_EQ(std::string(e.what()), "Can't delete file " + dir.File("page.~ht"));
  }
  files.FailRemove = false;
  EXPECT_EQ(ReadBytes(file), "original");
  EXPECT_EQ(ReadBytes(dir.File("page.~ht")), "older");
}

// A real write error from the operating system: a file-size limit lower than the document.
TEST(FailedSaveReal, FileSizeLimit) {
  TTempDir dir;
  std::string file = dir.File("big.html");
  WriteBytes(file, "small original");
  TMemoSource store;
  Load(store, std::string(200000, 'y'));

  struct sigaction ignore {
  }, old{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &old);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit tiny = saved;
  tiny.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &tiny);
  bool threw = false;
  try {
    store.SaveToFile(file);
  } catch (const std::runtime_error&) {
    threw = true;
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &old, nullptr);

  EXPECT_TRUE(threw);
  EXPECT_EQ(ReadBytes(file), "small original");
  EXPECT_EQ(dir.FileCount(), 1);
}

TEST(SaveFile, IntoAMissingFolderFailsClearly) {
  TMemoSource store;
  Load(store, "x");
  EXPECT_THROW(store.SaveToFile("/nonexistent/folder/page.html"), EVrelError);
}

}  // namespace
}  // namespace quorel
