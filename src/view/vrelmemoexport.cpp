// The view's export to HTML and RTF, and its copy that puts the selection's RTF beside the text.
#include "view/vrelmemo.h"

namespace quorel {

TExportSource TCustomVrelMemo::ExportSource() {
  TExportSource source;
  source.Store = store_;
  source.Font = font_;
  source.Color = Color;
  source.ColorSyntax = options_.Contains(moColorSyntax);
  source.TextStyles = &TextStyles;
  source.Title = store_->Name();
  if (OnExportString)
    source.OnExportString = [this](TVrelExporter& exporter, std::string& text) {
      OnExportString(*this, exporter, text);
    };
  return source;
}

void TCustomVrelMemo::Export(TVrelExporter& exporter, bool selectionOnly) {
  RunExport(ExportSource(), exporter, selectionOnly);
}

void TCustomVrelMemo::ExportHtmlFile(const std::string& fileName) {
  quorel::ExportHtmlFile(ExportSource(), fileName);
}

void TCustomVrelMemo::ExportRtfFile(const std::string& fileName) {
  quorel::ExportRtfFile(ExportSource(), fileName);
}

std::function<std::string()> TCustomVrelMemo::SelectionRtf() {
  if (ClipboardType != cbRtf) return nullptr;
  return [this] { return ExportRtf(ExportSource(), true); };
}

// The RTF goes with the text in one clipboard change: a watcher such as the clipboard history
// sees the copy once.
void TCustomVrelMemo::CopyToClipboard() { store_->CopyToClipboard(SelectionRtf()); }

void TCustomVrelMemo::CutToClipboard() { store_->CutToClipboard(SelectionRtf()); }

}  // namespace quorel
