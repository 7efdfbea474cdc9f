// Web and mail addresses: the recognisers as one table, and whole lines marked with the address
// style while the store parses them.
#include "engine/urls.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/memosource.h"
#include "engine/stylenumbers.h"
#include "support/testparser.h"

namespace quorel {
namespace {

TEST(UrlRecognisers, EveryRule) {
  struct TCase {
    const char* Text;
    bool Web, Mail;
  };
  const TCase cases[] = {
      {"www.example.com", true, false},
      {"WwW.x", true, false},
      {"www.", true, false},  // the prefix alone is enough
      {"http://example.com/a?b=c", true, false},
      {"HTTP://", true, false},
      {"gopher://old.host", true, false},
      {"ftp://files.example.org", true, false},
      {"https://example.com", false, false},  // only the four prefixes
      {"example.com", false, false},          // a host without prefix or "@"
      {"http:", false, false},
      {"wwwexample.com", false, false},
      {"name@example.com", false, true},
      {"name@example.", false, true},        // ending in the "." still counts
      {"a@b.c@d.e", false, false},           // two "@"
      {"name@example", false, false},        // no "." after the "@"
      {"first.last@example", false, false},  // the last "." before the "@"
      {"name@.example.com", false, false},   // a "." right after the "@"
      {"name@", false, false},               // "@" as the last character
      {"name@_x.y", false, true},            // "_" is an identifier character
      {"mailto:", false, true},
      {"MailTo:someone", false, true},
      {"@example.com", false, true},  // the rules say nothing of the part before the "@"
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(IsWebUrl(c.Text), c.Web) << c.Text;
    EXPECT_EQ(IsMailAddress(c.Text), c.Mail) << c.Text;
    EXPECT_EQ(IsUrl(c.Text), c.Web || c.Mail) << c.Text;
  }
}

// The columns of a line that carry the address style, as a picture: "^" marked, "." not.
std::string Marks(TCustomMemoSource& store, int y) {
  const std::string& colors = store.GetLineColors(y);
  std::string out;
  for (char c : colors) out += c == tsUrl ? '^' : '.';
  return out;
}

TEST(UrlMarking, WholeLinesWithAndWithoutAParser) {
  TMemoSource store;
  store.LoadFromBuffer(
      "<a href=\"http://x.org/p\">go</a>\n"
      "See www.example.com. Or mail me@host.net, thanks\n"
      "Two dots ..www.example.com and name @host.com\n"
      "caf\xC3\xA9 www.example.com/\xC3\xBC end");
  store.SetHighlightUrls(true);
  // Only the address between the quotes: "href=" is a candidate of its own.
  EXPECT_EQ(Marks(store, 0), ".........^^^^^^^^^^^^^^........");
  // The full stop after an address goes with it; a comma ends the run.
  EXPECT_EQ(Marks(store, 1), "....^^^^^^^^^^^^^^^^.........^^^^^^^^^^^........");
  // The dots before "www." are not marked, the address from its first letter is; an "@" after a
  // space starts no candidate, and "host.com" alone is none.
  EXPECT_EQ(Marks(store, 2), "...........^^^^^^^^^^^^^^^...................");
  // Bytes beyond ASCII end a run: no character is cut.
  EXPECT_EQ(Marks(store, 3), "......^^^^^^^^^^^^^^^^......");

  store.SetHighlightUrls(false);
  EXPECT_EQ(store.GetLineColors(1).find(char{tsUrl}), std::string::npos);

  test::TTestParser parser;
  store.SetSyntaxParser(&parser);
  store.SetHighlightUrls(true);
  // The parser colours the tag (style 1), then the address is written over it.
  EXPECT_EQ(Marks(store, 0), ".........^^^^^^^^^^^^^^........");
  EXPECT_EQ(store.GetLineColors(0)[1], 1);
  store.SetSyntaxParser(nullptr);
}

TEST(UrlMarking, AttributeColoursAreReplacedAsAnUndoableStep) {
  test::TTestParser parser;
  parser.SetAttributes(true);
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  store.LoadFromBuffer("visit www.example.com now");
  store.SetHighlightUrls(true);
  EXPECT_EQ(Marks(store, 0), "......^^^^^^^^^^^^^^^....");
  ASSERT_TRUE(store.CanUndo());
  EXPECT_EQ(store.UndoList().Last().Kind, ukColorsReplaced);
  store.Undo();
  EXPECT_EQ(Marks(store, 0), ".........................");
  store.SetSyntaxParser(nullptr);
}

}  // namespace
}  // namespace quorel
