// The journal file: what is written comes back exactly, and a journal that is cut short,
// changed or not a journal at all is refused with a reason, never read in part.
#include "recovery/journalformat.h"

#include <gtest/gtest.h>

#include <string>

namespace quorel {
namespace {

std::string Sealed(const TJournalHeader& header, const std::string& text) {
  std::string journal = JournalHead(header) + text;
  SealJournal(journal);
  return journal;
}

TEST(JournalFile, EveryHeaderFieldAndEveryByteComeBack) {
  struct TCase {
    std::string Name;
    TEncoding Encoding;
    TOutFormatType OutFormat;
    bool Mark;
    bool Rtf;
    std::string Text;
  };
  const std::string binary("a\0b\r\rc\n\xFF\xFE%0A\r\n", 14);
  const TCase cases[] = {
      {"/home/ann/site/index.html", enUtf8, ofWindows, false, false, "<p>caf\xC3\xA9</p>\r\nx"},
      {"[untitled]", enWindows1252, ofMac, false, false, "caf\xE9\rline"},
      {"/tmp/odd\nname%41\r.html", enUtf8, ofUnix, true, false, "\xEF\xBB\xBFtext\n"},
      {"/tmp/doc.rtf", enUtf8, ofWindows, false, true, "{\\rtf1\\ansi hello}"},
      {"/tmp/empty.txt", enUtf8, ofUnix, false, false, ""},
      {"/tmp/binary.bin", enWindows1252, ofWindows, false, false, binary},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJournalHeader header;
    header.DocumentName = c.Name;
    header.SavedAt = 1796900000;
    header.Encoding = c.Encoding;
    header.OutFormat = c.OutFormat;
    header.ByteOrderMark = c.Mark;
    header.Rtf = c.Rtf;
    TJournal back = ReadJournal(Sealed(header, c.Text));
    EXPECT_EQ(back.Header.DocumentName, c.Name);
    EXPECT_EQ(back.Header.SavedAt, 1796900000);
    EXPECT_EQ(back.Header.Encoding, c.Encoding);
    EXPECT_EQ(back.Header.OutFormat, c.OutFormat);
    EXPECT_EQ(back.Header.ByteOrderMark, c.Mark);
    EXPECT_EQ(back.Header.Rtf, c.Rtf);
    EXPECT_EQ(back.Text, c.Text);
  }
}

// The reason a journal is refused, or "" when it is read.
std::string Refusal(const std::string& data) {
  try {
    ReadJournal(data);
    return "";
  } catch (const EJournalDamaged& e) {
    return e.what();
  }
}

TEST(JournalFile, DamagedJournalsAreRefusedWithTheirReason) {
  TJournalHeader header;
  header.DocumentName = "/tmp/page.html";
  const std::string text = "<html>\r\n<body>unsaved words</body>\r\n</html>";
  const std::string good = Sealed(header, text);
  ASSERT_EQ(Refusal(good), "");
  const size_t body = good.size() - text.size();

  // Cut anywhere: inside the header, at its end, inside the text, one byte short.
  for (size_t cut : {size_t{0}, size_t{10}, body / 2, body - 1, body, body + 5, good.size() - 1})
    EXPECT_NE(Refusal(good.substr(0, cut)), "") << "cut at " << cut;
  EXPECT_EQ(Refusal(good.substr(0, body + 3)), "its text ends early");
  EXPECT_EQ(Refusal(good + "x"), "it runs on past its text");
  EXPECT_EQ(Refusal(""), "it is not a recovery journal");
  EXPECT_EQ(Refusal("<html>unsaved</html>"), "it is not a recovery journal");

  // Any one byte of the text changed, at its start, middle and end.
  for (size_t at : {body, body + text.size() / 2, good.size() - 1}) {
    std::string changed = good;
    changed[at] ^= 0x20;
    EXPECT_EQ(Refusal(changed), "its text does not match its checksum") << "byte " << at;
  }
  // A journal whose write never reached its seal.
  EXPECT_NE(Refusal(JournalHead(header) + text), "");
  // A length out of all proportion is refused, not believed.
  std::string huge = good;
  huge.replace(huge.find("Length: ") + 8, 20, "99999999999999999999");
  EXPECT_EQ(Refusal(huge), "its header has a garbled \"Length\"");
  // A time past what the system holds (found by fuzzing: it came back negative).
  std::string late = good;
  late.replace(late.find("Saved: ") + 7, 1, "15161700000000000038");
  EXPECT_EQ(Refusal(late), "its header has a garbled \"Saved\"");
  std::string unknown = good;
  unknown.replace(unknown.find("CR LF"), 5, "CR CR");
  EXPECT_EQ(Refusal(unknown), "its header has an unknown \"Line ends\"");
}

TEST(JournalFile, TheChecksumSeesSwappedWordsAndZeroesAtTheEnd) {
  EXPECT_NE(JournalChecksum("abcdefgh12345678"), JournalChecksum("12345678abcdefgh"));
  EXPECT_NE(JournalChecksum("text"), JournalChecksum(std::string("text\0", 5)));
  EXPECT_NE(JournalChecksum(""), JournalChecksum(std::string(8, '\0')));
}

}  // namespace
}  // namespace quorel
