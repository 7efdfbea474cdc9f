// Keyword list files: loading into a keyword set (sorted, each keyword once) and saving a set.
#include "syntax/keywordlist.h"

#include <gtest/gtest.h>

#include "engine/vrelerror.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

TEST(KeywordList, ListTextBecomesSortedCommaText) {
  struct TCase {
    const char* text;
    const char* keywords;
  } cases[] = {
      {"", ""},
      {"while\r\nif\r\nelse\r\n", "else,if,while"},
      {"Begin\nBEGIN\nbegin\nend", "Begin,end"},  // the first spelling met stays
      {"if, else\r\nfor", "else,for,if"},         // commas and blanks separate too
      {"\"end if\"\r\nzebra\r\nApple", "Apple,\"end if\",zebra"},
      {"a,,b,\r\n\r\n  \r\n", "a,b"},  // empty items are no keywords
      {"last line without break", "break,last,line,without"},
      {"x\ry\rz", "x,y,z"},
  };
  for (const TCase& c : cases) EXPECT_EQ(KeywordsFromListText(c.text), c.keywords) << c.text;
}

TEST(KeywordList, SavedOnePerLineInTheOrderShown) {
  test::TTempDir dir;
  TKeywordSet set;
  set.Keywords = "while,Do,\"end if\",break,do";
  SaveKeywordList(dir.File("k.txt"), set);
  EXPECT_EQ(test::ReadBytes(dir.File("k.txt")), "break\r\nDo\r\n\"end if\"\r\nwhile\r\n");

  // Loading what was saved gives the same keywords; a keyword holding a blank keeps its quotes
  // in the list file, so it stays one keyword.
  TKeywordSet back;
  LoadKeywordList(dir.File("k.txt"), back);
  EXPECT_EQ(back.Keywords, "break,Do,\"end if\",while");

  TKeywordSet empty;
  empty.Keywords = "x";
  test::WriteBytes(dir.File("empty.txt"), "");
  LoadKeywordList(dir.File("empty.txt"), empty);
  EXPECT_EQ(empty.Keywords, "");
}

TEST(KeywordList, FilesThatCannotBeOpenedOrCreated) {
  test::TTempDir dir;
  TKeywordSet set;
  set.Keywords = "kept";
  std::string missing = dir.File("missing.txt");
  try {
    LoadKeywordList(missing, set);
    ADD_FAILURE();
  } catch (const EVrelError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
  }
  EXPECT_EQ(set.Keywords, "kept");
  std::string bad = dir.File("no/folder/k.txt");
  try {
    SaveKeywordList(bad, set);
    ADD_FAILURE();
  } catch (const EVrelError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + bad);
  }
}

TEST(KeywordList, AFailedSaveKeepsTheOldList) {
  test::TTempDir dir;
  std::string path = dir.File("words.txt");
  test::WriteBytes(path, "old\r\nlist\r\n");
  TKeywordSet set;
  set.Keywords = "alpha,beta,gamma";
  test::TFaultyFileSystem files;
  files.FailWriteAfter = 4;
  try {
    SaveKeywordList(path, set, files);
    ADD_FAILURE() << "reported success";
  } catch (const EVrelError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
  }
  EXPECT_EQ(test::ReadBytes(path), "old\r\nlist\r\n");
  EXPECT_EQ(dir.FileCount(), 1);
  files.FailWriteAfter = -1;
  SaveKeywordList(path, set, files);
  EXPECT_EQ(test::ReadBytes(path), "alpha\r\nbeta\r\ngamma\r\n");
}

}  // namespace
}  // namespace quorel
