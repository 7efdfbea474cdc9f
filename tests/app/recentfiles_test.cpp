// The rules of the recent-file list and of path captions, without a window.
#include "app/recentfiles.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(RecentFiles, PushMovesUpOrShiftsTheLastOut) {
  TRecentFiles files{"a", "b", "c", "b"};
  PushRecentFile(files, "b");  // the last copy moves up; the list keeps its length
  EXPECT_EQ(files, (TRecentFiles{"b", "a", "b", "c"}));
  PushRecentFile(files, "B");
  EXPECT_EQ(files, (TRecentFiles{"B", "b", "a", "b", "c"}));
  for (int i = 0; i < 10; ++i) PushRecentFile(files, "n" + std::to_string(i));
  EXPECT_EQ(files.front(), "n9");
  EXPECT_EQ(files.back(), "n0");
}

TEST(RecentFiles, SplitStringPartsQuotesAndBlanks) {
  EXPECT_EQ(SplitString("a,b , c", ','), (std::vector<std::string>{"a", "b ", "c"}));
  EXPECT_EQ(SplitString("  \"x,\"\"y\"\" \" ,z", ','), (std::vector<std::string>{"x,\"y\" ", "z"}));
  EXPECT_EQ(SplitString("/home/me/f", '/'), (std::vector<std::string>{"", "home", "me", "f"}));
  EXPECT_EQ(SplitString(std::string_view("a,b\0,c", 6), ','), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitString("a\tb", ','), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(SplitString("", ',').empty());
  EXPECT_EQ(SplitString("\"open", ','), std::vector<std::string>{"open"});
}

TEST(RecentFiles, CaptionsWiderThanTheMenuAreShortened) {
  auto wide = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
  EXPECT_EQ(ShortenedCaption("/home/user/web/site/index.html", wide),
            "/hom../use../web../sit../index.html");
  auto tooWide = [](const std::string&) { return 151; };
  EXPECT_EQ(ShortenedCaption("/a/index.html", tooWide), "/a../index.html");
  // Quotes, leading blanks and tabs are ordinary characters of folder names.
  EXPECT_EQ(ShortenedCaption("/home/\"my\" stuff/ sp/t\tb/index.html", tooWide),
            "/hom../\"my../ sp../t\tb../index.html");
  EXPECT_EQ(ShortenedCaption("/a/index.html", [](const std::string&) { return 150; }),
            "/a/index.html");
  EXPECT_EQ(ShortenedCaption("/a/b.htm", wide), "/a/b.htm");  // 8 characters fit in 150 pixels
  EXPECT_EQ(ShortenedCaption("/a-very-long-name-in-the-root-folder.html", tooWide),
            "/a-very-long-name-in-the-root-folder.html");
  EXPECT_EQ(AddTrailingBackslash(""), "");
  EXPECT_EQ(AddTrailingBackslash("/x"), "/x/");
  EXPECT_EQ(AddTrailingBackslash("/x/"), "/x/");
  EXPECT_EQ(FolderOf("/x/y.htm"), "/x/");
}

TEST(RecentFiles, ExtensionsDecideTheMenus) {
  EXPECT_TRUE(IsImageFile("A.JPEG"));
  EXPECT_TRUE(IsImageFile("sound.aiff"));
  EXPECT_FALSE(IsImageFile("x.tiff"));
  EXPECT_TRUE(IsDocumentFile("Page.HTM"));
  EXPECT_FALSE(IsDocumentFile("noext"));
  EXPECT_FALSE(IsDocumentFile("a.pdf"));
  EXPECT_FALSE(IsDocumentFile("a.*"));
}

}  // namespace
}  // namespace quorel
