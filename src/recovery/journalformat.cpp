// Writing and reading the recovery journal's header.
#include "recovery/journalformat.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace quorel {

namespace {

constexpr std::string_view kMagic = "Quorel recovery journal 1\n";
constexpr size_t kLengthDigits = 20;
constexpr size_t kChecksumDigits = 16;

// A name holds any byte but the header's own line breaks: those and "%" are written as "%XX".
std::string EscapeName(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c == '%' || c == '\n' || c == '\r') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string UnescapeName(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low < 0) throw EJournalDamaged("its document name is garbled");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

const char* EncodingName(TEncoding e) { return e == enUtf8 ? "UTF-8" : "Windows-1252"; }

const char* LineEndName(TOutFormatType f) {
  return f == ofWindows ? "CR LF" : f == ofMac ? "CR" : "LF";
}

// The header's lines one by one, each checked for the field it must hold.
class THeaderReader {
 public:
  explicit THeaderReader(std::string_view data) : data_(data) {}

  std::string_view Field(std::string_view label) {
    size_t end = data_.find('\n', at_);
    if (end == std::string_view::npos) throw EJournalDamaged("it ends inside its header");
    std::string_view line = data_.substr(at_, end - at_);
    if (line.substr(0, label.size()) != label || line.substr(label.size(), 2) != ": ")
      throw EJournalDamaged("its header has no \"" + std::string(label) + "\"");
    at_ = end + 1;
    return line.substr(label.size() + 2);
  }
  template <typename T>
  T Choice(std::string_view label, std::initializer_list<std::pair<std::string_view, T>> options) {
    std::string_view value = Field(label);
    for (const auto& [name, result] : options)
      if (value == name) return result;
    throw EJournalDamaged("its header has an unknown \"" + std::string(label) + "\"");
  }
  uint64_t Number(std::string_view label, int base) {
    std::string_view value = Field(label);
    uint64_t n = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n, base);
    if (value.empty() || error != std::errc() || end != value.data() + value.size())
      throw EJournalDamaged("its header has a garbled \"" + std::string(label) + "\"");
    return n;
  }
  void Skip(size_t n) { at_ += n; }
  size_t At() const { return at_; }

 private:
  std::string_view data_;
  size_t at_ = 0;
};

}  // namespace

uint64_t JournalChecksum(std::string_view bytes) {
  // FNV-1a's prime over whole words, with a shift that spreads high bits down; any change of
  // one byte changes the result.
  uint64_t h = 0xcbf29ce484222325ULL;
  const char* p = bytes.data();
  size_t n = bytes.size();
  for (; n >= 8; p += 8, n -= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    h = (h ^ word) * 0x100000001b3ULL;
    h ^= h >> 31;
  }
  for (; n > 0; ++p, --n) h = (h ^ static_cast<unsigned char>(*p)) * 0x100000001b3ULL;
  return h ^ bytes.size();
}

std::string JournalHead(const TJournalHeader& header) {
  std::string head(kMagic);
  head += "Name: " + EscapeName(header.DocumentName) + "\n";
  head += "Saved: " + std::to_string(static_cast<long long>(header.SavedAt)) + "\n";
  head += std::string("Encoding: ") + EncodingName(header.Encoding) + "\n";
  head += std::string("Line ends: ") + LineEndName(header.OutFormat) + "\n";
  head += std::string("Byte-order mark: ") + (header.ByteOrderMark ? "yes" : "no") + "\n";
  head += std::string("Kind: ") + (header.Rtf ? "RTF" : "text") + "\n";
  head += "Length: " + std::string(kLengthDigits, '?') + "\n";
  head += "Checksum: " + std::string(kChecksumDigits, '?') + "\n\n";
  return head;
}

void SealJournal(std::string& journal) {
  size_t end = journal.find("\n\n");
  size_t length = journal.find("\nLength: ");
  size_t checksum = journal.find("\nChecksum: ");
  if (end == std::string::npos || length > end || checksum > end) return;
  std::string_view text = std::string_view(journal).substr(end + 2);
  char digits[32];
  std::snprintf(digits, sizeof digits, "%0*llu", static_cast<int>(kLengthDigits),
                static_cast<unsigned long long>(text.size()));
  journal.replace(length + 9, kLengthDigits, digits);
  std::snprintf(digits, sizeof digits, "%0*llx", static_cast<int>(kChecksumDigits),
                static_cast<unsigned long long>(JournalChecksum(text)));
  journal.replace(checksum + 11, kChecksumDigits, digits);
}

TJournal ReadJournal(std::string_view data) {
  if (data.substr(0, kMagic.size()) != kMagic)
    throw EJournalDamaged("it is not a recovery journal");
  THeaderReader reader(data);
  reader.Skip(kMagic.size());
  TJournal journal;
  TJournalHeader& h = journal.Header;
  h.DocumentName = UnescapeName(reader.Field("Name"));
  uint64_t saved = reader.Number("Saved", 10);
  // A time the system cannot hold is no time a journal was written at.
  if (saved > static_cast<uint64_t>(std::numeric_limits<std::time_t>::max()))
    throw EJournalDamaged("its header has a garbled \"Saved\"");
  h.SavedAt = static_cast<std::time_t>(saved);
  h.Encoding =
      reader.Choice<TEncoding>("Encoding", {{"UTF-8", enUtf8}, {"Windows-1252", enWindows1252}});
  h.OutFormat = reader.Choice<TOutFormatType>(
      "Line ends", {{"CR LF", ofWindows}, {"CR", ofMac}, {"LF", ofUnix}});
  h.ByteOrderMark = reader.Choice<bool>("Byte-order mark", {{"yes", true}, {"no", false}});
  h.Rtf = reader.Choice<bool>("Kind", {{"RTF", true}, {"text", false}});
  uint64_t length = reader.Number("Length", 10);
  uint64_t checksum = reader.Number("Checksum", 16);
  if (reader.At() >= data.size() || data[reader.At()] != '\n')
    throw EJournalDamaged("its header does not end where it should");
  std::string_view text = data.substr(reader.At() + 1);
  if (text.size() < length) throw EJournalDamaged("its text ends early");
  if (text.size() > length) throw EJournalDamaged("it runs on past its text");
  if (JournalChecksum(text) != checksum)
    throw EJournalDamaged("its text does not match its checksum");
  journal.Text = std::string(text);
  return journal;
}

}  // namespace quorel
