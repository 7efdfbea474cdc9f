// A document's character encoding, and how it is told from the bytes of its file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorel {

enum TEncoding { enWindows1252, enUtf8 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Checks bytes for well-formed UTF-8 piece by piece, so a file read in chunks is checked as it
// arrives: no stray continuation bytes, overlong forms, surrogates or values above U+10FFFF. A
// character cut at the end of one piece may go on in the next.
class TUtf8Validator {
 public:
  void Feed(std::string_view bytes);
  // Every byte so far formed whole characters (plain ASCII does).
  bool Valid() const { return valid_ && needed_ == 0; }

 private:
  bool valid_ = true;
  int needed_ = 0;      // continuation bytes still to come for the current character
  uint8_t low_ = 0x80;  // the range the next continuation byte must lie in
  uint8_t high_ = 0xBF;
};

bool IsValidUtf8(std::string_view bytes);

// The encoding a page declares in `head` (its first 1,024 bytes) with <meta charset=...> or an
// http-equiv content type: utf-8 reads as UTF-8; windows-1252, iso-8859-1 and us-ascii (and
// their usual aliases) as Windows-1252. Nothing for no declaration or another charset.
std::optional<TEncoding> DeclaredEncoding(std::string_view head);

// The rules in order: a byte-order mark means UTF-8; then a declared charset; then UTF-8 when
// the bytes are valid UTF-8, else Windows-1252.
TEncoding ChooseEncoding(bool byteOrderMark, std::string_view head, bool validUtf8);

}  // namespace quorel
