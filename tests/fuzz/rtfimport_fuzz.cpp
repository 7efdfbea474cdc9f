// Fuzz target for the RTF reader: any bytes import without harm into both kinds of document,
// every piece is one the store can take as it is, and both imports make the same pieces with the
// same formatting (only the bytes of the text differ).
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/encoding.h"
#include "richtext/rtfimporter.h"

namespace {

using namespace quorel;

struct TShape {
  TImportPieceKind Kind;
  TImportAttributes Attributes;
  bool operator==(const TShape&) const = default;
};

// Text is never empty and holds no control character (a line break in it would split the line
// behind the store's back); breaks and tabs carry no text; UTF-8 text is well formed.
void CheckPiece(TImportPieceKind kind, std::string_view text, const TImportAttributes& a,
                bool utf8) {
  if (kind == ipText) {
    if (text.empty()) __builtin_trap();
    for (char c : text)
      if (static_cast<unsigned char>(c) < 0x20) __builtin_trap();
    if (utf8 && !IsValidUtf8(text)) __builtin_trap();
  } else if (!text.empty()) {
    __builtin_trap();
  }
  if (a.FontName.empty() || a.Size < 1 || a.Color > 0xFFFFFF) __builtin_trap();
  if (a.HasBack ? a.Back > 0xFFFFFF : a.Back != 0) __builtin_trap();
}

std::vector<TShape> Import(std::string_view input, bool utf8) {
  TVrelRtfImporter importer;
  importer.Utf8 = utf8;
  std::vector<TShape> shapes;
  importer.OnPiece = [&](TImportPieceKind kind, std::string_view text, const TImportAttributes& a) {
    CheckPiece(kind, text, a, utf8);
    shapes.push_back({kind, a});
  };
  importer.Import(input);
  return shapes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  TVrelRtfImporter importer;
  if (importer.Recognises(input) != (input.substr(0, 5) == "{\\rtf")) __builtin_trap();
  if (Import(input, false) != Import(input, true)) __builtin_trap();
  return 0;
}
