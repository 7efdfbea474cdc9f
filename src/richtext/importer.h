// The importers: tolerant readers of RTF and HTML that hand the text they find, piece by piece,
// with its character formatting, to whoever inserts it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/fonttypes.h"

namespace quorel {

// The formatting in effect for a piece of imported text.
struct TImportAttributes {
  std::string FontName;  // the reader's default font when the text names none
  int Charset = DEFAULT_CHARSET;
  int Size = 12;     // points
  TColor Color = 0;  // RGB (0x00BBGGRR); black unless the text gives one
  TFontStyles Style;
  bool HasBack = false;  // false: the view's own background
  TColor Back = 0;       // RGB, when HasBack
  bool operator==(const TImportAttributes&) const = default;
};

enum TImportPieceKind {
  ipText,       // text to insert at the caret, in the target document's encoding
  ipLineBreak,  // split the line at the caret
  ipTab         // the store's tab insertion
};

class TVrelImporter {
 public:
  virtual ~TVrelImporter() = default;

  // Whether `data` is in the importer's format (the HTML importer takes anything).
  virtual bool Recognises(std::string_view data) const = 0;
  // Reads `data` from start to end, calling OnPiece for every piece. Never throws on bad input:
  // unknown keywords and tags are skipped, and what is still open at the end is closed. Time is
  // linear in the size, and nesting depth costs memory, never stack.
  virtual void Import(std::string_view data) = 0;

  // The text is inserted into a UTF-8 document (else Windows-1252): pieces arrive in that
  // encoding.
  bool Utf8 = false;
  std::function<void(TImportPieceKind kind, std::string_view text,
                     const TImportAttributes& attributes)>
      OnPiece;
};

}  // namespace quorel
