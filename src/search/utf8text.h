// Reading UTF-8 lines while searching: where characters start, and case folding that keeps
// every character at its byte offset.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "engine/utf8.h"

namespace quorel {

// Whether a character starts at byte i of UTF-8 text (i < s.size()), reading characters as
// DecodeUtf8 does: a continuation byte starts one only when no well-formed character covers it.
inline bool IsUtf8CharStart(std::string_view s, size_t i) {
  if (!IsUtf8Continuation(static_cast<unsigned char>(s[i]))) return true;
  for (size_t back = 1; back <= 3 && back <= i; ++back)
    if (!IsUtf8Continuation(static_cast<unsigned char>(s[i - back])))
      return Utf8CharLength(s, i - back) <= static_cast<int>(back);
  return true;
}

// The case folding of a character in folded text: FoldUpper where the result keeps the
// character's UTF-8 length (as FoldUtf8 folds), else the character itself.
inline char32_t FoldUtf8Char(char32_t cp) {
  if (cp < 0x80) return cp >= 'a' && cp <= 'z' ? cp - 32 : cp;
  const char32_t folded = FoldUpper(cp);
  if (folded == cp || EncodeUtf8(folded).size() != EncodeUtf8(cp).size()) return cp;
  return folded;
}

// `out` becomes FoldUtf8(s), reusing its storage: a search folds every line it reads.
inline void FoldUtf8Into(std::string_view s, std::string& out) {
  out.assign(s.data(), s.size());
  for (size_t i = 0; i < out.size();) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (c < 0x80) {
      if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
      ++i;
      continue;
    }
    char32_t cp;
    const size_t length = static_cast<size_t>(DecodeUtf8(out, i, cp));
    if (length > 1) {
      const char32_t folded = FoldUtf8Char(cp);
      if (folded != cp) std::memcpy(&out[i], EncodeUtf8(folded).data(), length);
    }
    i += length;
  }
}

}  // namespace quorel
