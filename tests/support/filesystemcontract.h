// What every implementation of the file services must do; each test program instantiates it for
// its implementation with INSTANTIATE_TYPED_TEST_SUITE_P(Name, FileSystemContract, Type).
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fileerror.h"
#include "support/tempdir.h"

namespace quorel::test {

template <typename TFiles>
class FileSystemContract : public ::testing::Test {
 protected:
  TTempDir dir;
  TFiles files;

  std::string ReadAll(const std::string& path, int* pieces = nullptr) {
    std::string all;
    files.ReadFileChunks(path, [&](std::string_view chunk) {
      all += chunk;
      if (pieces) ++*pieces;
      return true;
    });
    return all;
  }
  unsigned Mode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
  }
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, ReadsFilesWithAnyBytesInPieces) {
  std::string bytes("a\0b\r\n\xff", 6);
  WriteBytes(this->dir.File("f"), bytes);
  EXPECT_EQ(this->ReadAll(this->dir.File("f")), bytes);
  WriteBytes(this->dir.File("empty"), "");
  EXPECT_EQ(this->ReadAll(this->dir.File("empty")), "");
  std::string big(1000000, 'z');
  WriteBytes(this->dir.File("big"), big);
  int pieces = 0;
  EXPECT_EQ(this->ReadAll(this->dir.File("big"), &pieces), big);
  EXPECT_GT(pieces, 1);
}

TYPED_TEST_P(FileSystemContract, ReadingStopsWhenTheConsumerSaysSo) {
  WriteBytes(this->dir.File("big"), std::string(1000000, 'z'));
  int pieces = 0;
  this->files.ReadFileChunks(this->dir.File("big"), [&](std::string_view) { return ++pieces < 1; });
  EXPECT_EQ(pieces, 1);
}

TYPED_TEST_P(FileSystemContract, ReadingMissingFilesAndFoldersFailsWithTheName) {
  try {
    this->ReadAll(this->dir.File("missing.html"));
    ADD_FAILURE();
  } catch (const platform::EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.html"), std::string::npos);
  }
  EXPECT_THROW(this->ReadAll(this->dir.Path()), platform::EFileError);
}

TYPED_TEST_P(FileSystemContract, TemporaryFilesAreUniqueAndInTheFolder) {
  std::string a = this->files.CreateTempFile(this->dir.Path(), ".page.");
  std::string b = this->files.CreateTempFile(this->dir.Path(), ".page.");
  EXPECT_NE(a, b);
  EXPECT_EQ(a.rfind(this->dir.Path() + "/.page.", 0), 0u) << a;
  EXPECT_TRUE(this->files.Exists(a));
  EXPECT_EQ(this->files.CreateTempFile("/nonexistent/folder", "x"), "");
}

TYPED_TEST_P(FileSystemContract, WriteRenameReplaceRemove) {
  auto& files = this->files;
  auto file = [this](const char* name) { return this->dir.File(name); };
  files.WriteFile(file("a"), "content");
  EXPECT_EQ(ReadBytes(file("a")), "content");
  WriteBytes(file("b"), "other");
  EXPECT_FALSE(files.Rename(file("a"), file("b")));  // never over an existing file
  EXPECT_EQ(ReadBytes(file("b")), "other");
  EXPECT_TRUE(files.Replace(file("a"), file("b")));
  EXPECT_EQ(ReadBytes(file("b")), "content");
  EXPECT_FALSE(files.Exists(file("a")));
  EXPECT_TRUE(files.Rename(file("b"), file("c")));
  EXPECT_TRUE(files.Remove(file("c")));
  EXPECT_FALSE(files.Remove(file("c")));
  EXPECT_THROW(files.WriteFile("/nonexistent/folder/x", "y"), platform::EFileError);
}

TYPED_TEST_P(FileSystemContract, WritesAFileInPieces) {
  auto& files = this->files;
  const std::string file = this->dir.File("pieces");
  files.WriteFilePieces(file, [](const platform::IFileSystem::TPieceWriter& write) {
    write("one ");
    write("");
    write(std::string(70000, 'x'));
    write(" three");
  });
  EXPECT_EQ(ReadBytes(file), "one " + std::string(70000, 'x') + " three");
  // What the maker of the pieces throws comes through as it was.
  EXPECT_THROW(files.WriteFilePieces(file,
                                     [](const platform::IFileSystem::TPieceWriter& write) {
                                       write("half");
                                       throw std::runtime_error("no more");
                                     }),
               std::runtime_error);
  EXPECT_THROW(
      files.WriteFilePieces("/nonexistent/folder/x",
                            [](const platform::IFileSystem::TPieceWriter& write) { write("y"); }),
      platform::EFileError);
}

TYPED_TEST_P(FileSystemContract, CopiesPermissionsOrGivesNewFilesOrdinaryOnes) {
  auto file = [this](const char* name) { return this->dir.File(name); };
  WriteBytes(file("from"), "");
  WriteBytes(file("to"), "");
  ::chmod(file("from").c_str(), 0600);
  ::chmod(file("to").c_str(), 0666);
  this->files.CopyPermissions(file("from"), file("to"));
  EXPECT_EQ(this->Mode(file("to")), 0600u);

  mode_t mask = ::umask(022);
  ::chmod(file("to").c_str(), 0600);
  this->files.CopyPermissions(file("missing"), file("to"));
  ::umask(mask);
  EXPECT_EQ(this->Mode(file("to")), 0644u);
}

TYPED_TEST_P(FileSystemContract, FileFactsForTheDocumentWindow) {
  auto file = [this](const char* name) { return this->dir.File(name); };
  WriteBytes(file("doc.html"), "x");
  EXPECT_TRUE(this->files.IsFile(file("doc.html")));
  EXPECT_FALSE(this->files.IsFile(this->dir.Path()));
  EXPECT_FALSE(this->files.IsFile(file("missing")));
  int32_t age = this->files.FileAge(file("doc.html"));
  EXPECT_GT(age, 0);
  EXPECT_EQ(this->files.FileAge(file("missing")), -1);
  // Rewriting the file with an older time changes the stamp.
  struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  ::utimensat(AT_FDCWD, file("doc.html").c_str(), times, 0);
  EXPECT_NE(this->files.FileAge(file("doc.html")), age);
  EXPECT_FALSE(this->files.IsReadOnly(file("doc.html")));
  ::chmod(file("doc.html").c_str(), 0444);
  EXPECT_TRUE(this->files.IsReadOnly(file("doc.html")));  // even for root, who could still write it
}

TYPED_TEST_P(FileSystemContract, ListsTheFilesOfAFolderButNotItsFolders) {
  auto file = [this](const char* name) { return this->dir.File(name); };
  WriteBytes(file("b.htm"), "x");
  WriteBytes(file(".hidden.gif"), "x");
  WriteBytes(file("name with space.png"), "x");
  std::filesystem::create_directory(file("images"));
  WriteBytes(file("images/inner.gif"), "x");
  std::filesystem::create_symlink(file("b.htm"), file("link.htm"));
  std::filesystem::create_directory_symlink(file("images"), file("folderlink"));
  std::vector<std::string> names;
  for (const std::string& folder : {this->dir.Path(), this->dir.Path() + "/"}) {
    names.clear();
    this->files.ListFiles(folder, [&](const std::string& name) { names.push_back(name); });
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".hidden.gif", "b.htm", "link.htm",
                                               "name with space.png"}));
  }
  EXPECT_TRUE(this->files.IsFolder(file("images")));
  EXPECT_FALSE(this->files.IsFolder(file("b.htm")));
  names.clear();
  this->files.ListFiles(file("missing"), [&](const std::string& name) { names.push_back(name); });
  this->files.ListFiles(file("b.htm"), [&](const std::string& name) { names.push_back(name); });
  EXPECT_TRUE(names.empty());
}

TYPED_TEST_P(FileSystemContract, MakesMissingFoldersButNotOverAFile) {
  std::string deep = this->dir.File("a/b/c");
  EXPECT_TRUE(this->files.CreateFolders(deep));
  EXPECT_TRUE(this->files.IsFolder(deep));
  EXPECT_TRUE(this->files.CreateFolders(deep));  // already there
  WriteBytes(this->dir.File("f"), "x");
  EXPECT_FALSE(this->files.CreateFolders(this->dir.File("f/g")));
  EXPECT_FALSE(this->files.CreateFolders(this->dir.File("f")));
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, FileFactsForTheDocumentWindow,
                            MakesMissingFoldersButNotOverAFile,
                            ListsTheFilesOfAFolderButNotItsFolders, ReadsFilesWithAnyBytesInPieces,
                            ReadingStopsWhenTheConsumerSaysSo,
                            ReadingMissingFilesAndFoldersFailsWithTheName,
                            TemporaryFilesAreUniqueAndInTheFolder, WriteRenameReplaceRemove,
                            WritesAFileInPieces, CopiesPermissionsOrGivesNewFilesOrdinaryOnes);

}  // namespace quorel::test
