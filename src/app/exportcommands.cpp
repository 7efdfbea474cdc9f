// The export half of File > Import and Export: the document written as an RTF document or an
// HTML page with the colours of its highlighting. Exports leave the document, its name, its
// Modified state, the recent files and the current folder as they were.
#include "app/exportcommands.h"

#include <filesystem>

#include "app/recentfiles.h"
#include "platform/dialogs.h"
#include "view/vrelmemo.h"

namespace quorel {

TExportCommands::TExportCommands(TMainParts& parts) : parts_(parts) {}

void TExportCommands::AddCommands() {
  TCommandTable& commands = parts_.Commands;
  auto hasText = [this] { return HasText(); };
  commands.Add({.Name = "ExportasRTF1",
                .Caption = "&Export as RTF",
                .Run = [this] { ExportasRTF1Click(); },
                .Enabled = hasText});
  commands.Add({.Name = "ExportasHTML1",
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
bool TExportCommands::HasText() const {
  const TMemoSource& store = parts_.Store;
  return store.LineCount() > 1 || (store.LineCount() == 1 && !store.LineRecord(0)->Text.empty());
}

void TExportCommands::PrepareExportDialog(platform::TFileDialog& dialog, const std::string& ext) {
  const std::string document = parts_.Document.Name();
  if (!parts_.HasDocumentName()) {
    dialog.InitialDir = parts_.CurrentFolder();
    dialog.FileName = "untitled" + ext;
    return;
  }
  dialog.InitialDir = FolderOf(document);
  // Only the last extension goes: archive.tar.htm becomes archive.tar.rtf.
  std::string name = std::filesystem::path(document).filename().string();
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  dialog.FileName = name + ext;
}

bool TExportCommands::ExportWith(platform::TFileDialog& dialog, const std::string& ext,
                                 void (TCustomVrelMemo::*exportFile)(const std::string&),
                                 const std::string& done) {
  PrepareExportDialog(dialog, ext);
  if (!parts_.Services.Dialogs->SaveFileDialog(dialog)) return false;
  try {
    (parts_.View.*exportFile)(dialog.FileName);
  } catch (const std::exception&) {
    parts_.Warn(
        "An error has occured and export aborted, check destinations read only properties!");
    return false;
  }
  parts_.Services.Dialogs->MessageBox(platform::mkInformation, done + dialog.FileName,
                                      platform::mbOK);
  return true;
}

void TExportCommands::ExportasRTF1Click() {
  ExportWith(SaveDialog2, ".rtf", &TCustomVrelMemo::ExportRtfFile,
             "Your document has been exported to a rtf file of name:-\r\r");
}

void TExportCommands::ExportasHTML1Click() {
  ExportWith(SaveDialog3, ".html", &TCustomVrelMemo::ExportHtmlFile,
             "Your document has been exported to a html file of name:-\r\r");
}

}  // namespace quorel
