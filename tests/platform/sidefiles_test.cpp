// Side files: the user's copy wins over the shipped one, and writing never touches the program
// folder.
#include "platform/sidefiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fileerror.h"
#include "platform/stdfilesystem.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct SideFiles : ::testing::Test {
  test::TTempDir dir;
  std::string program = dir.File("bin");
  std::string user = dir.File("home/.local/share/Quorel");
  platform::TStdFileSystem files;
  platform::TSideFiles side{files, user, program + "/"};
  void SetUp() override { std::filesystem::create_directories(program); }
};

TEST_F(SideFiles, ReadsTheUsersCopyFirstThenTheShippedOne) {
  EXPECT_EQ(side.ReadPath("Items.txt"), program + "/Items.txt");  // neither exists yet
  WriteBytes(program + "/Items.txt", "shipped");
  EXPECT_EQ(side.ReadPath("Items.txt"), program + "/Items.txt");
  std::filesystem::create_directories(user);
  WriteBytes(user + "/Items.txt", "mine");
  EXPECT_EQ(side.ReadPath("Items.txt"), user + "/Items.txt");
  // A folder of that name is no copy.
  std::filesystem::create_directories(user + "/Custom.txt");
  WriteBytes(program + "/Custom.txt", "shipped");
  EXPECT_EQ(side.ReadPath("Custom.txt"), program + "/Custom.txt");
}

TEST_F(SideFiles, WritingMakesTheUsersFolderAndLeavesTheProgramFolderAlone) {
  WriteBytes(program + "/Custom.txt", "shipped");
  EXPECT_EQ(side.Write("Custom.txt", "my text"), user + "/Custom.txt");
  EXPECT_EQ(ReadBytes(user + "/Custom.txt"), "my text");
  EXPECT_EQ(ReadBytes(program + "/Custom.txt"), "shipped");
  EXPECT_EQ(side.ReadPath("Custom.txt"), user + "/Custom.txt");
  side.Write("Custom.txt", "changed");
  EXPECT_EQ(ReadBytes(user + "/Custom.txt"), "changed");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program), {}), 1);
}

TEST_F(SideFiles, AFailedWriteNamesTheRealPathAndKeepsTheOldFile) {
  // The user's folder cannot be made where a file stands in its way.
  WriteBytes(dir.File("home"), "a file, not a folder");
  try {
    side.Write("Temp.html", "<p>");
    ADD_FAILURE() << "wrote";
  } catch (const platform::EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(user + "/Temp.html"), std::string::npos) << e.what();
  }

  test::TTempDir other;
  test::TFaultyFileSystem faulty;
  platform::TSideFiles side2(faulty, other.Path(), program);
  WriteBytes(other.File("Custom.txt"), "old");
  faulty.FailWriteAfter = 2;
  try {
    side2.Write("Custom.txt", "new text");
    ADD_FAILURE() << "wrote";
  } catch (const platform::EFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Can't write " + other.File("Custom.txt") + ": ", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(ReadBytes(other.File("Custom.txt")), "old");
  EXPECT_EQ(other.FileCount(), 1);
}

}  // namespace
}  // namespace quorel
