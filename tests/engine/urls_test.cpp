// Web and mail addresses: the recognisers as one table, and whole lines marked with the address
// style while the store parses them.
#include "engine/urls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

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
      {"http: example.com", false, false},  // the colon must be followed by "//"
      {"ftp:/x", false, false},
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
      {"mAILTO:a@b@c", false, true},  // with the prefix nothing else is looked at
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
  const TLineColors& colors = store.GetLineColors(y);
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

// Marks are part of the colouring: they follow edits, and the switch re-colours lines that were
// already coloured.
TEST(UrlMarking, FollowsEditsAndTheSwitch) {
  for (bool withParser : {false, true}) {
    SCOPED_TRACE(withParser ? "with a parser" : "without a parser");
    test::TTestParser parser;
    TMemoSource store;
    if (withParser) store.SetSyntaxParser(&parser);
    store.LoadFromBuffer("x www.example.com y\nhttp: example.com\nMAILTO:me@x.org");
    store.EnsureParsed(2);
    EXPECT_EQ(Marks(store, 0).find('^'), std::string::npos);
    store.SetHighlightUrls(true);
    EXPECT_EQ(Marks(store, 0), "..^^^^^^^^^^^^^^^..");
    // "http:" and a space, then a host without a prefix: nothing.
    EXPECT_EQ(Marks(store, 1), ".................");
    EXPECT_EQ(Marks(store, 2), "^^^^^^^^^^^^^^^");
    // A space typed into the address splits it: only the part with the prefix stays marked.
    store.SetCaretPos(9, 0);
    store.InsertText(" ");
    EXPECT_EQ(Marks(store, 0), "..^^^^^^^...........");
    store.SetSyntaxParser(nullptr);
  }
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
  EXPECT_EQ(store.UndoList().Last().A, 0);
  EXPECT_EQ(store.UndoList().Last().B, 7);  // the 1-based column of "w"
  // Colouring the line again finds the bytes already marked and records nothing.
  const int records = store.UndoList().Count();
  store.ReparseAll();
  EXPECT_EQ(Marks(store, 0), "......^^^^^^^^^^^^^^^....");
  EXPECT_EQ(store.UndoList().Count(), records);
  // Undo puts the old bytes back and the line is not marked again while it does.
  store.Undo();
  EXPECT_EQ(Marks(store, 0), ".........................");
  store.SetSyntaxParser(nullptr);
}

// The plain rule, scanning from the left: skip to an identifier character, take the longest run
// of run characters, test it, go on after it.
std::vector<std::pair<size_t, size_t>> ScanFromTheLeft(std::string_view text) {
  auto identifier = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  auto run = [&](char c) { return identifier(c) || (c != 0 && std::strchr("-./:=?@~", c)); };
  std::vector<std::pair<size_t, size_t>> found;
  size_t p = 0;
  while (p < text.size()) {
    while (p < text.size() && !identifier(text[p])) ++p;
    if (p == text.size()) break;
    size_t e = p;
    while (e < text.size() && run(text[e])) ++e;
    if (IsUrl(text.substr(p, e - p))) found.emplace_back(p, e);
    p = e;
  }
  return found;
}

// The store's scan only looks closely at runs holding "." ":" or "@"; on lines made of pieces of
// addresses it must find exactly what the plain rule finds.
TEST(UrlMarking, FindsWhatThePlainRuleFinds) {
  const char* const pieces[] = {
      "www.",  "WWW.", "http://",  "Ftp://", "gopher://", "mailto:",
      "http:", "@",    "@@",       ".",      "..",        ":",
      "/",     "-",    "~",        "=",      "?",         "a",
      "me",    "host", "_",        "0",      "x@y.z",     " ",
      ",",     "\"",   "<a href=", ">",      "\xC3\xA9",  "\xE2\x82\xAC",
      "\t",
  };
  std::mt19937 random(20040501);
  std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1), length(0, 14);
  size_t addresses = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string line;
    for (size_t k = length(random); k > 0; --k) line += pieces[piece(random)];
    auto expected = ScanFromTheLeft(line);
    addresses += expected.size();
    ASSERT_EQ(FindUrls(line), expected) << line;
  }
  EXPECT_GT(addresses, 1000u);  // the lines hold many addresses, not only stray pieces
}

}  // namespace
}  // namespace quorel
