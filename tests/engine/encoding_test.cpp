// Telling a document's encoding from its bytes, and keeping those bytes through a load and save.
#include "engine/encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/linesplitter.h"
#include "engine/memosource.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using namespace std::string_literals;

TEST(Utf8Validity, WellFormedAndMalformedSequences) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"plain ASCII <p>", true},
      {"Espa\xC3\xB1ol", true},            // ñ, two bytes
      {"\xE2\x82\xAC", true},              // €, three
      {"\xE6\x97\xA5\xE6\x9C\xAC", true},  // 日本
      {"\xF0\x9F\x98\x80", true},          // an emoji, four
      {"\xF4\x8F\xBF\xBF", true},          // U+10FFFF, the last
      {"Espa\xF1ol", false},               // Windows-1252 ñ
      {"\x80", false},                     // continuation without a lead
      {"\xC3", false},                     // cut short at the end
      {"\xC3 x", false},                   // cut short in the middle
      {"\xC0\xAF", false},                 // overlong "/"
      {"\xE0\x80\xAF", false},             // overlong, three bytes
      {"\xF0\x8F\xBF\xBF", false},         // overlong, four bytes
      {"\xED\xA0\x80", false},             // a surrogate
      {"\xF4\x90\x80\x80", false},         // above U+10FFFF
      {"\xF5\x80\x80\x80", false},
      {"\xFF", false},
      {std::string(100, 'a') + "\xE2\x82\xAC" + std::string(50, 'b'), true},
      {std::string(100, 'a') + "\x93quoted\x94", false},
  };
  for (const auto& [bytes, valid] : cases) {
    EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
    // Fed in two pieces cut anywhere, even inside a character, the answer is the same.
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
      TUtf8Validator v;
      v.Feed(std::string_view(bytes).substr(0, cut));
      v.Feed(std::string_view(bytes).substr(cut));
      EXPECT_EQ(v.Valid(), valid) << bytes << " cut at " << cut;
    }
  }
}

TEST(EncodingDetection, MarkThenDeclarationThenValidity) {
  const std::pair<std::string, TEncoding> cases[] = {
      {"\xEF\xBB\xBF<p>Espa\xF1ol", enUtf8},  // the mark wins, even over invalid bytes
      {"<meta charset=\"utf-8\"><p>caf\xE9", enUtf8},
      {"<META CHARSET=UTF-8>", enUtf8},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
       "<p>caf\xC3\xA9",
       enWindows1252},  // declared Latin-1 although the bytes would be valid UTF-8
      {"<meta charset='windows-1252'>", enWindows1252},
      {"<meta\n  charset = us-ascii >", enWindows1252},
      {"<meta charset=\"shift_jis\"><p>caf\xC3\xA9", enUtf8},  // unknown: the bytes decide
      {"<p>caf\xC3\xA9", enUtf8},
      {"<p>caf\xE9", enWindows1252},
      {"only ASCII", enUtf8},
      {"", enUtf8},
      // A declaration past the first 1,024 bytes does not count.
      {std::string(1030, ' ') + "<meta charset=windows-1252>", enUtf8},
      // "charset" outside a meta tag does not count either.
      {"<p>charset=windows-1252</p>", enUtf8},
  };
  TTabStops stops;
  for (const auto& [bytes, encoding] : cases) {
    for (size_t cut = 0; cut <= std::min<size_t>(bytes.size(), 40); ++cut) {
      TLineSplitter splitter(stops, false);
      EXPECT_EQ(test::SplitInTwo(splitter, bytes, cut).Encoding(), encoding)
          << bytes << " cut at " << cut;
    }
  }
}

// Loading and saving without an edit gives back the file's bytes (only what loading always
// cleans, trailing blanks, tabs and a Windows file's last line end, may differ).
TEST(EncodingRoundTrip, BytesComeBackAsTheyWere) {
  const std::string files[] = {
      "\xEF\xBB\xBF<html>\r\n<p>Espa\xC3\xB1ol \xE6\x97\xA5\xE6\x9C\xAC</p>\r\n</html>",
      "<p>Espa\xF1ol \x93quoted\x94 \x80</p>\n<p>two</p>\n",
      "\xEF\xBB\xBF",
      "\xEF\xBB",  // the start of a mark only: plain bytes
      "<p>\xCE\xB1\xCE\xB2\xCE\xB3</p>\r<p>\xF0\x9F\x98\x80</p>\r",
  };
  for (const std::string& bytes : files) {
    TMemoSource store;
    store.LoadFromBuffer(bytes);
    EXPECT_EQ(store.SaveToString(), bytes);
  }
  TMemoSource store;
  store.LoadFromBuffer("\xEF\xBB\xBF<html>"s);
  EXPECT_TRUE(store.ByteOrderMark());
  EXPECT_EQ(store.RawLine(0), "<html>");  // the mark is no part of the text
  EXPECT_EQ(store.Encoding(), enUtf8);
  // Text set through Lines is no file: its leading mark bytes stay text, and the document's own
  // mark stays as it was.
  store.Lines().SetText("\xEF\xBB\xBFx");
  EXPECT_EQ(store.RawLine(0), "\xEF\xBB\xBFx");
  EXPECT_TRUE(store.ByteOrderMark());
  store.LoadFromBuffer("caf\xE9");
  EXPECT_FALSE(store.ByteOrderMark());
  EXPECT_EQ(store.Encoding(), enWindows1252);
}

TEST(EncodingRoundTrip, RandomBytesInRandomPiecesComeBackTheSame) {
  std::mt19937 random(17);
  const char alphabet[] = "ab <>\n\xC3\xA9\xE2\x82\xAC\xEF\xBB\xBF\x80\xFF";
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    int n = static_cast<int>(random() % 40);
    for (int i = 0; i < n; ++i) bytes += alphabet[random() % (sizeof alphabet - 1)];
    if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';  // a Unix file keeps its last
    // Lines end in something other than blanks, which loading would trim.
    std::string clean;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n' && (clean.empty() || clean.back() == ' ' || clean.back() == '\n'))
        clean += 'x';
      clean += bytes[i];
    }
    TMemoSource store;
    store.LoadFromBuffer(clean);
    EXPECT_EQ(store.SaveToString(), clean) << round;
    bool mark = clean.rfind(kUtf8ByteOrderMark, 0) == 0;
    EXPECT_EQ(store.Encoding() == enUtf8, mark || IsValidUtf8(clean)) << round;
  }
}

}  // namespace
}  // namespace quorel
