// The export walk: the document's lines (or the selection) turned into the exporter's calls,
// runs of equal-looking styles inside font, size, colour and style tags.
#pragma once

#include <functional>
#include <string>

#include "engine/fonttypes.h"
#include "richtext/exporter.h"
#include "syntax/textstyles.h"

namespace quorel {

class TCustomMemoSource;

// What the export needs of the view that shows the store.
struct TExportSource {
  TCustomMemoSource* Store = nullptr;
  TFont Font;                               // the view's font: the base font
  TColor Color = clWindow;                  // the view's background
  bool ColorSyntax = true;                  // the view colours by the parser
  const TTextStyles* TextStyles = nullptr;  // the view's named styles (used without a parser)
  std::string Title;                        // the store's name
  // Called with every escaped piece of text before it is written; may change it.
  std::function<void(TVrelExporter&, std::string& text)> OnExportString;
};

// Runs the export of the whole text, or with `selectionOnly` of the selected part (only the
// document frame when nothing is selected).
void RunExport(const TExportSource& source, TVrelExporter& exporter, bool selectionOnly);

// The export as a string.
std::string ExportHtml(const TExportSource& source, bool selectionOnly = false);
std::string ExportRtf(const TExportSource& source, bool selectionOnly = false);

// The whole text exported to `fileName` through the safe write, so a failed export leaves an
// existing file as it was. A read-only target is refused. Throws EFileError.
void ExportHtmlFile(const TExportSource& source, const std::string& fileName);
void ExportRtfFile(const TExportSource& source, const std::string& fileName);

}  // namespace quorel
