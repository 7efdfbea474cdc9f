// Fuzz target for the recovery journal reader: any bytes are either refused with a reason or
// read whole, and what is read writes out again as a journal that reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "recovery/journalformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorel;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TJournal journal;
  try {
    journal = ReadJournal(bytes);
  } catch (const EJournalDamaged& e) {
    if (std::string_view(e.what()).empty()) __builtin_trap();
    return 0;
  }
  std::string again = JournalHead(journal.Header) + journal.Text;
  SealJournal(again);
  TJournal back = ReadJournal(again);
  const TJournalHeader &a = journal.Header, &b = back.Header;
  if (back.Text != journal.Text || a.DocumentName != b.DocumentName || a.SavedAt != b.SavedAt ||
      a.Encoding != b.Encoding || a.OutFormat != b.OutFormat ||
      a.ByteOrderMark != b.ByteOrderMark || a.Rtf != b.Rtf)
    __builtin_trap();
  return 0;
}
