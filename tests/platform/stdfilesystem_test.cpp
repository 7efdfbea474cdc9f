// The standard file services: reading, temporary files, writing, rename and replace.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/fileerror.h"
#include "platform/stdfilesystem.h"
#include "support/tempdir.h"

namespace quorel::platform {
namespace {

using test::ReadBytes;
using test::TTempDir;
using test::WriteBytes;

std::string ReadAll(TStdFileSystem& files, const std::string& path, int* pieces = nullptr) {
  std::string all;
  files.ReadFileChunks(path, [&](std::string_view chunk) {
    all += chunk;
    if (pieces) ++*pieces;
    return true;
  });
  return all;
}

TEST(StdFileSystem, ReadsFilesWithAnyBytesInPieces) {
  TTempDir dir;
  std::string bytes("a\0b\r\n\xff", 6);
  WriteBytes(dir.File("f"), bytes);
  TStdFileSystem files;
  EXPECT_EQ(ReadAll(files, dir.File("f")), bytes);
  WriteBytes(dir.File("empty"), "");
  EXPECT_EQ(ReadAll(files, dir.File("empty")), "");
  std::string big(1000000, 'z');
  WriteBytes(dir.File("big"), big);
  int pieces = 0;
  EXPECT_EQ(ReadAll(files, dir.File("big"), &pieces), big);
  EXPECT_GT(pieces, 1);
}

TEST(StdFileSystem, ReadingStopsWhenTheConsumerSaysSo) {
  TTempDir dir;
  WriteBytes(dir.File("big"), std::string(1000000, 'z'));
  TStdFileSystem files;
  int pieces = 0;
  files.ReadFileChunks(dir.File("big"), [&](std::string_view) { return ++pieces < 1; });
  EXPECT_EQ(pieces, 1);
}

TEST(StdFileSystem, ReadingMissingFilesAndFoldersFailsWithTheName) {
  TTempDir dir;
  TStdFileSystem files;
  try {
    ReadAll(files, dir.File("missing.html"));
    ADD_FAILURE();
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.html"), std::string::npos);
  }
  EXPECT_THROW(ReadAll(files, dir.Path()), EFileError);
}

TEST(StdFileSystem, TemporaryFilesAreUniqueAndInTheFolder) {
  TTempDir dir;
  TStdFileSystem files;
  std::string a = files.CreateTempFile(dir.Path(), ".page.");
  std::string b = files.CreateTempFile(dir.Path(), ".page.");
  EXPECT_NE(a, b);
  EXPECT_EQ(a.rfind(dir.Path() + "/.page.", 0), 0u);
  EXPECT_TRUE(files.Exists(a));
  EXPECT_EQ(files.CreateTempFile("/nonexistent/folder", "x"), "");
}

TEST(StdFileSystem, WriteRenameReplaceRemove) {
  TTempDir dir;
  TStdFileSystem files;
  files.WriteFile(dir.File("a"), "content");
  EXPECT_EQ(ReadBytes(dir.File("a")), "content");
  WriteBytes(dir.File("b"), "other");
  EXPECT_FALSE(files.Rename(dir.File("a"), dir.File("b")));  // never over an existing file
  EXPECT_TRUE(files.Replace(dir.File("a"), dir.File("b")));
  EXPECT_EQ(ReadBytes(dir.File("b")), "content");
  EXPECT_FALSE(files.Exists(dir.File("a")));
  EXPECT_TRUE(files.Rename(dir.File("b"), dir.File("c")));
  EXPECT_TRUE(files.Remove(dir.File("c")));
  EXPECT_FALSE(files.Remove(dir.File("c")));
  EXPECT_THROW(files.WriteFile("/nonexistent/folder/x", "y"), EFileError);
}

TEST(StdFileSystem, CopiesPermissions) {
  TTempDir dir;
  TStdFileSystem files;
  WriteBytes(dir.File("from"), "");
  WriteBytes(dir.File("to"), "");
  ::chmod(dir.File("from").c_str(), 0600);
  ::chmod(dir.File("to").c_str(), 0666);
  files.CopyPermissions(dir.File("from"), dir.File("to"));
  struct stat st {};
  ::stat(dir.File("to").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace quorel::platform
