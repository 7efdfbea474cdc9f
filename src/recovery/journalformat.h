// The recovery journal file: a short header naming the document and how it is saved, then the
// document's bytes exactly as a save would write them. The header carries the length and a
// checksum of those bytes, so a journal cut short or damaged is told from a whole one.
#pragma once

#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/encoding.h"
#include "engine/memotypes.h"

namespace quorel {

struct TJournalHeader {
  // The document's full path, or "[untitled]".
  std::string DocumentName = "[untitled]";
  // When the text was taken (seconds since 1970).
  std::time_t SavedAt = 0;
  TEncoding Encoding = enUtf8;
  TOutFormatType OutFormat = ofWindows;
  bool ByteOrderMark = false;
  // The bytes are the RTF a formatted document saves as, not plain text.
  bool Rtf = false;
};

struct TJournal {
  TJournalHeader Header;
  std::string Text;
};

// A journal that cannot be read back whole; what() says why.
class EJournalDamaged : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The header of a journal whose bytes are still to come. Its length and checksum are left
// blank, to be filled in by SealJournal once the bytes follow it.
std::string JournalHead(const TJournalHeader& header);

// Fills in the length and checksum of `journal`, which is JournalHead's text followed by the
// document's bytes. Changes only the header, in place.
void SealJournal(std::string& journal);

// Reads a whole journal file. Throws EJournalDamaged when it is not one, ends early, runs on,
// or its bytes do not match its checksum.
TJournal ReadJournal(std::string_view data);

// The checksum journals carry: 64 bits over the bytes, eight at a time.
uint64_t JournalChecksum(std::string_view bytes);

}  // namespace quorel
