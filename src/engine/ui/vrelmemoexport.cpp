// The view's export to HTML and RTF, and its copy that puts the selection's RTF beside the text.
#include "engine/ui/vrelmemo.h"
#include "engine/updateguard.h"

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

void TCustomVrelMemo::CopyToClipboard() {
  if (ClipboardType != cbRtf) return store_->CopyToClipboard();
  // One clipboard change: a watcher such as the clipboard history sees the copy once.
  store_->CopyToClipboard([this] { return ExportRtf(ExportSource(), true); });
}

void TCustomVrelMemo::CutToClipboard() {
  if (!store_->HasSelection()) return;
  TUpdateGuard update(*store_, urCut);
  CopyToClipboard();
  store_->DeleteSelection();
}

}  // namespace quorel
