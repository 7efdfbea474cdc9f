// The export half of File > Import and Export: the document written as an RTF document or an
// HTML page with the colours of its highlighting. Exports leave the document, its name, its
// Modified state, the recent files and the current folder as they were.
#include <filesystem>

#include "app/form1.h"
#include "app/recentfiles.h"
#include "platform/dialogs.h"

namespace quorel {

void TForm1::AddExportCommands() {
  auto hasText = [this] { return ExportHasText(); };
  Commands.Add({.Name = "ExportasRTF1",
                .Caption = "&Export as RTF",
                .Run = [this] { ExportasRTF1Click(); },
                .Enabled = hasText});
  Commands.Add({.Name = "ExportasHTML1",
                .Caption = "E&xport as HTML",
                .Run = [this] { ExportasHTML1Click(); },
                .Enabled = hasText});
  SaveDialog2.Title = "Export as RTF";
  SaveDialog2.Filters = {{"Rich Text File (*.rtf)", "*.rtf"}};
  SaveDialog2.DefaultExt = "*.rtf";
  SaveDialog3.Title = "Export as HTML";
  SaveDialog3.Filters = {{"HTML (*.html)", "*.html"},
                         {"HTM (*.htm)", "*.htm"},
                         {"ASP (*.asp)", "*.asp"},
                         {"HTX (*.htx)", "*.htx"}};
  SaveDialog3.DefaultExt = "*.html";
}

// Exporting needs at least one character or two lines.
bool TForm1::ExportHasText() const {
  return MemoSource1.LineCount() > 1 ||
         (MemoSource1.LineCount() == 1 && !MemoSource1.LineRecord(0)->Text.empty());
}

void TForm1::PrepareExportDialog(platform::TFileDialog& dialog, const std::string& ext) {
  if (!HasDocumentName()) {
    dialog.InitialDir = CurrentFolder;
    dialog.FileName = "untitled" + ext;
    return;
  }
  dialog.InitialDir = FolderOf(DocumentName);
  // Only the last extension goes: archive.tar.htm becomes archive.tar.rtf.
  std::string name = std::filesystem::path(DocumentName).filename().string();
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  dialog.FileName = name + ext;
}

bool TForm1::ExportWith(platform::TFileDialog& dialog, const std::string& ext,
                        void (TCustomVrelMemo::*exportFile)(const std::string&),
                        const std::string& done) {
  PrepareExportDialog(dialog, ext);
  if (!services_.Dialogs->SaveFileDialog(dialog)) return false;
  try {
    (VrelMemo1->*exportFile)(dialog.FileName);
  } catch (const std::exception&) {
    Warn("An error has occured and export aborted, check destinations read only properties!");
    return false;
  }
  services_.Dialogs->MessageBox(platform::mkInformation, done + dialog.FileName, platform::mbOK);
  return true;
}

void TForm1::ExportasRTF1Click() {
  ExportWith(SaveDialog2, ".rtf", &TCustomVrelMemo::ExportRtfFile,
             "Your document has been exported to a rtf file of name:-\r\r");
}

void TForm1::ExportasHTML1Click() {
  ExportWith(SaveDialog3, ".html", &TCustomVrelMemo::ExportHtmlFile,
             "Your document has been exported to a html file of name:-\r\r");
}

}  // namespace quorel
