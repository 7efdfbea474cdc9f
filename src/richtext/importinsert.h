// Imported text entering a text store at the caret: the pieces an importer reads become
// text, line breaks and tabs, and in an attribute document their formatting becomes styles.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/fonttypes.h"
#include "richtext/attributeparser.h"
#include "richtext/importer.h"

namespace quorel {

class TCustomMemoSource;

// What the import needs of the view that shows the store.
struct TImportTarget {
  TCustomMemoSource* Store = nullptr;
  TFont Font;               // the view's font
  TColor Color = clWindow;  // the view's background
  // Called when the store has no parser: the view makes an attribute parser styled from its
  // font and background, owns it and attaches it to the store.
  std::function<TAttributeParser&()> AttachParser;
};

// An AttachParser for a target without a view: the parser goes to `owner`, with style 0 the
// target's font and background and style 12 `url`. `target` must outlive the import.
std::function<TAttributeParser&()> OwnedParser(const TImportTarget& target,
                                               std::unique_ptr<TAttributeParser>& owner,
                                               const TAttributeValues& url);

// The import of `data` at the caret with `importer`, as one update (reason 72). Data the
// importer does not recognise is inserted as plain lines. Formatting is kept only when the
// store's parser is an attribute parser.
void ImportInto(TImportTarget& target, TVrelImporter& importer, std::string_view data);

// Replaces the whole text by the RTF document `data`, its formatting kept when the store's
// parser is an attribute parser (whose styles are reset first). Not undoable; the store is left
// unmodified with the caret at the start.
void LoadRtfInto(TImportTarget& target, std::string_view data);

// Reads a file for import; throws EFileError when it cannot be read.
std::string ReadImportFile(const TCustomMemoSource& store, const std::string& fileName);

}  // namespace quorel
