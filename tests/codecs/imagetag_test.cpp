// The IMG tags of the image commands and the path rules behind them.
#include "codecs/imagetag.h"

#include <gtest/gtest.h>

#include "engine/pathtext.h"

namespace quorel {
namespace {

TEST(ReplaceSeparator, Rows) {
  struct TRow {
    const char* Text;
    char Separator;
    const char* Replacement;
    const char* Result;
  };
  const TRow rows[] = {
      {"Web Site/logo.gif", ' ', "%20", "Web%20Site/logo.gif"},
      {"two  spaces", ' ', "%20", "two%20spaces"},  // a run of blanks is one separator
      {"  padded  ", ' ', "_", "padded"},           // blanks at either end go
      {"C:\\Web Site\\images\\logo.gif", '\\', "/", "C:/Web Site/images/logo.gif"},
      {"a\\  b", '\\', "/", "a/b"},  // blanks right after a backslash go
      {"/home/me/a.gif", '\\', "/", "/home/me/a.gif"},
      {"", ' ', "%20", ""},  // no parts: the text stays
      {"   ", ' ', "%20", "   "},
      {"tab\there", ' ', "+", "tab+here"},  // control characters end a part too
  };
  for (const TRow& r : rows)
    EXPECT_EQ(ReplaceSeparator(r.Text, r.Separator, r.Replacement), r.Result) << r.Text;
}

TEST(ImageTag, WithAndWithoutASize) {
  TImageTagOptions keep;
  EXPECT_EQ(ImageTag("/home/me/site/logo.gif", "logo.gif", keep, TPictureSize{88, 31, pkGif}),
            "<IMG SRC=\"file:///home/me/site/logo.gif\" Width=\"88\" Height=\"31\" "
            "Alt=\"logo.gif\">");
  // An absolute path gives three slashes, never four; a drive path gets the third.
  EXPECT_EQ(PictureSource("/a.gif", keep), "file:///a.gif");
  EXPECT_EQ(PictureSource("C:\\Web Site\\images\\logo.gif", keep),
            "file:///C:/Web Site/images/logo.gif");
  TImageTagOptions replace{false, "%20"};
  EXPECT_EQ(PictureSource("C:\\Web Site\\images\\logo.gif", replace),
            "file:///C:/Web%20Site/images/logo.gif");
  EXPECT_EQ(ImageTag("/x/broken.png", "/images/broken.png", keep, std::nullopt),
            "<IMG SRC=\"file:///x/broken.png\" Alt=\"/images/broken.png\">");
  EXPECT_EQ(BareFileName("/home/me/site/logo.gif"), "logo.gif");
  EXPECT_EQ(BareFileName("C:\\pics\\a b.jpg"), "a b.jpg");
  EXPECT_EQ(BareFileName("plain.gif"), "plain.gif");
}

}  // namespace
}  // namespace quorel
