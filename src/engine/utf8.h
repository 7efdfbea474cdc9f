// UTF-8 characters in the store's bytes: decoding and encoding one character, how many cells a
// character takes on the screen, Windows-1252 conversion and case folding.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorel {

inline bool IsUtf8Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes the character at s[i] (i < s.size()) and returns its length in bytes. A byte that
// does not start a well-formed character is a character of its own, of length 1, and comes back
// as its Windows-1252 meaning, so stray bytes still show and can be deleted one by one.
int DecodeUtf8(std::string_view s, size_t i, char32_t& cp);
// Length of the character at s[i] as DecodeUtf8 counts it.
int Utf8CharLength(std::string_view s, size_t i);
// Start of the character before index i (i > 0).
size_t PreviousUtf8Start(std::string_view s, size_t i);
void AppendUtf8(std::string& out, char32_t cp);
std::string EncodeUtf8(char32_t cp);

// Cells a character takes in the monospaced view: 2 for wide East Asian characters, 0 for
// combining marks (they are drawn on their base), 1 for the rest.
int CharCells(char32_t cp);

char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t cp);
// Windows-1252 bytes as UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 text (stray bytes read as Windows-1252) as Windows-1252 bytes. Characters the code page
// cannot hold are left out; `dropped` counts them.
std::string Utf8ToCp1252(std::string_view text, int* dropped = nullptr);
// The text with every stray byte (one that starts no well-formed character) replaced by the
// UTF-8 of its Windows-1252 meaning; valid text comes back as it is.
std::string MakeValidUtf8(std::string_view text);
// Bytes in one encoding as the other: `utf8` tells which the bytes are in now.
std::string ToUtf8(std::string_view bytes, bool utf8);
// UTF-8 text for a document: made valid for a UTF-8 one, converted for a Windows-1252 one.
std::string FromUtf8(std::string_view text, bool utf8, int* dropped = nullptr);

// The upper case of a letter when it keeps its UTF-8 length (ASCII, Latin-1 and Latin
// Extended-A, Greek, Cyrillic), else the character itself; folding a text this way keeps every
// character at its byte offset, so a match found in folded text is a match in the original.
char32_t FoldUpper(char32_t cp);
// The lower case counterpart of FoldUpper, under the same rule.
char32_t FoldLower(char32_t cp);
// `s` with every character folded by FoldUpper, byte for byte the same length.
std::string FoldUtf8(std::string_view s);
// `s` with each character `map`ped; a result that would change the UTF-8 length is not taken.
template <typename Map>
std::string MapUtf8(std::string_view s, Map map);

// Number of characters (as DecodeUtf8 counts them) in the bytes.
size_t CountUtf8Chars(std::string_view s);

template <typename Map>
std::string MapUtf8(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp;
    const size_t length = static_cast<size_t>(DecodeUtf8(s, i, cp));
    const char32_t mapped = length == 1 && cp >= 0x80 ? cp : map(cp);
    if (mapped != cp && EncodeUtf8(mapped).size() == length)
      AppendUtf8(out, mapped);
    else
      out.append(s.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace quorel
