// Telling UTF-8 from Windows-1252.
#include "engine/encoding.h"

#include <cstring>
#include <string>

namespace quorel {

void TUtf8Validator::Feed(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end && valid_) {
    if (needed_ == 0) {
      // Plain ASCII, the most common by far, eight bytes at a time.
      while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL) break;
        p += 8;
      }
      if (p == end) break;
      unsigned char c = *p++;
      if (c < 0x80) continue;
      low_ = 0x80;
      high_ = 0xBF;
      if (c >= 0xC2 && c <= 0xDF) {
        needed_ = 1;
      } else if (c >= 0xE0 && c <= 0xEF) {
        needed_ = 2;
        if (c == 0xE0) low_ = 0xA0;   // no overlong three-byte forms
        if (c == 0xED) high_ = 0x9F;  // no surrogates
      } else if (c >= 0xF0 && c <= 0xF4) {
        needed_ = 3;
        if (c == 0xF0) low_ = 0x90;   // no overlong four-byte forms
        if (c == 0xF4) high_ = 0x8F;  // nothing above U+10FFFF
      } else {
        valid_ = false;  // a continuation byte without a lead, C0, C1 or F5..FF
      }
      continue;
    }
    unsigned char c = *p++;
    if (c < low_ || c > high_) {
      valid_ = false;
      break;
    }
    low_ = 0x80;
    high_ = 0xBF;
    --needed_;
  }
}

bool IsValidUtf8(std::string_view bytes) {
  TUtf8Validator v;
  v.Feed(bytes);
  return v.Valid();
}

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCopy(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Lower(c);
  return out;
}

std::optional<TEncoding> EncodingNamed(const std::string& name) {
  for (const char* utf8 : {"utf-8", "utf8", "unicode-1-1-utf-8"})
    if (name == utf8) return enUtf8;
  for (const char* latin : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
                            "iso_8859-1", "latin1", "l1", "us-ascii", "ascii"})
    if (name == latin) return enWindows1252;
  return std::nullopt;
}

bool NameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == ':' ||
         c == '.';
}

// The charset named after "charset" in one tag's text, if any.
std::optional<TEncoding> CharsetIn(const std::string& tag) {
  for (size_t at = tag.find("charset"); at != std::string::npos; at = tag.find("charset", at + 7)) {
    size_t i = at + 7;
    while (i < tag.size() && tag[i] == ' ') ++i;
    if (i >= tag.size() || tag[i] != '=') continue;
    ++i;
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '"' || tag[i] == '\'')) ++i;
    size_t start = i;
    while (i < tag.size() && NameChar(tag[i])) ++i;
    if (auto found = EncodingNamed(tag.substr(start, i - start))) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TEncoding> DeclaredEncoding(std::string_view head) {
  std::string text = LowerCopy(head.substr(0, 1024));
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n' || c == '\f') c = ' ';
  for (size_t at = text.find("<meta"); at != std::string::npos; at = text.find("<meta", at + 5)) {
    size_t close = text.find('>', at);
    if (auto found =
            CharsetIn(text.substr(at, close == std::string::npos ? std::string::npos : close - at)))
      return found;
  }
  return std::nullopt;
}

TEncoding ChooseEncoding(bool byteOrderMark, std::string_view head, bool validUtf8) {
  if (byteOrderMark) return enUtf8;
  if (auto declared = DeclaredEncoding(head)) return *declared;
  return validUtf8 ? enUtf8 : enWindows1252;
}

}  // namespace quorel
