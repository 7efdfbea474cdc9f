// Version strings read out of program files: blocks anywhere in a large file, marks without a
// block, and files without any.
#include "prefs/versionstrings.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/stdfilesystem.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using Strings = std::vector<std::string>;

std::string Noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

struct VersionStrings : ::testing::Test {
  test::TTempDir dir;
  platform::TStdFileSystem files;
  std::string Write(const std::string& bytes) {
    std::string path = dir.File("program");
    test::WriteBytes(path, bytes);
    return path;
  }
};

TEST_F(VersionStrings, ListsTheStampedValuesInKeyOrderWhereverTheBlockSits) {
  std::string stamp = VersionStamp({{"ProductName", "Quorel"},
                                    {"FileVersion", "1.4.2"},
                                    {"CompanyName", "The Quorel developers"},
                                    {"FileDescription", "HTML editor"}});
  const Strings expected = {"The Quorel developers", "HTML editor", "1.4.2", "Quorel"};
  // At the start, at the end, and across the boundaries of the pieces the file is read in.
  for (size_t offset : {size_t(0), size_t(65530), size_t(1 << 20) - 7, size_t(3 << 20)}) {
    std::string bytes = Noise(3 << 20, static_cast<unsigned>(offset));
    bytes.insert(offset, stamp);
    EXPECT_EQ(FileVersionStrings(files, Write(bytes)), expected) << "offset " << offset;
  }
}

TEST_F(VersionStrings, PassesOverMarksWithoutAWellFormedBlock) {
  std::string mark(kVersionMark);
  std::string good = VersionStamp({{"FileVersion", "1.5.0"}});
  // The reader's own copy of the mark ends in a NUL; others run into an unknown key, a control
  // character in a value, or text longer than any block.
  std::string bytes = mark + std::string(1, '\0') + "junk" + mark + "Colour\x02red\x01\x03" + mark +
                      "FileVersion\x02" + "1.\n5\x01\x03" + mark + "Comments\x02" +
                      std::string(10000, 'x') + good + "tail";
  EXPECT_EQ(FileVersionStrings(files, Write(bytes)), Strings{"1.5.0"});
}

TEST_F(VersionStrings, OnlyTheFirstBytesAreSearched) {
  std::string path = Write(Noise(100000, 7) + VersionStamp({{"FileVersion", "1.5.0"}}));
  EXPECT_EQ(FileVersionStrings(files, path, 200000), Strings{"1.5.0"});
  EXPECT_EQ(FileVersionStrings(files, path, 100010), Strings{"Error"});  // the block is cut off
  EXPECT_EQ(FileVersionStrings(files, path, 50000), Strings{"Error"});
}

TEST_F(VersionStrings, AnyOtherFileAnswersError) {
  EXPECT_EQ(FileVersionStrings(files, Write(Noise(200000, 1))), Strings{"Error"});
  EXPECT_EQ(FileVersionStrings(files, Write("")), Strings{"Error"});
  EXPECT_EQ(FileVersionStrings(files, dir.File("missing")), Strings{"Error"});
  EXPECT_EQ(FileVersionStrings(files, dir.Path()), Strings{"Error"});
  // A block cut off by the end of the file, and one with no entries.
  std::string cut = VersionStamp({{"FileVersion", "1.5.0"}});
  cut.pop_back();
  EXPECT_EQ(FileVersionStrings(files, Write(cut)), Strings{"Error"});
  EXPECT_EQ(FileVersionStrings(files, Write(VersionStamp({}))), Strings{"Error"});

  test::TFaultyFileSystem faulty;
  faulty.FailRead = true;
  EXPECT_EQ(FileVersionStrings(faulty, Write(VersionStamp({{"FileVersion", "1.5.0"}}))),
            Strings{"Error"});
}

}  // namespace
}  // namespace quorel
