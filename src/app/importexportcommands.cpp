// File > Import and Export. Imports insert a file's text at the caret as one undo step. Exports
// write the document as an RTF document or an HTML page with the colours of its highlighting,
// and leave the document, its name, its Modified state, the recent files and the current folder
// as they were.
#include "app/importexportcommands.h"

#include <filesystem>

#include "app/recentfiles.h"
#include "platform/dialogs.h"
#include "view/vrelmemo.h"

namespace quorel {

TImportExportCommands::TImportExportCommands(TMainParts& parts) : parts_(parts) {}

void TImportExportCommands::AddCommands() {
  TCommandTable& commands = parts_.Commands;
  commands.Add({.Name = "ImportfromRTF1", .Caption = "&Import text from RTF", .Run = [this] {
                  ImportfromRTF1Click();
                }});
  commands.Add({.Name = "ImportHTML1", .Caption = "I&mport text from HTML", .Run = [this] {
                  ImportHTML1Click();
                }});
  OpenDialog4.Title = "Import from a RTF File";
  OpenDialog4.Filters = {{"Rich Text Files (*.rtf)", "*.rtf"}};
  OpenDialog3.Title = "Import from a HTML File";
  OpenDialog3.Filters = {
      {"HTML Files (*.html; *.htm; *.asp; *.htx)", "*.html; *.htm; *.asp; *.htx"}};
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
void TImportExportCommands::ImportWith(platform::TFileDialog& dialog,
                                       void (TCustomVrelMemo::*import)(const std::string&)) {
  dialog.FileName.clear();
  dialog.InitialDir = parts_.CurrentFolder();
  if (!parts_.Services.Dialogs->OpenFileDialog(dialog) || dialog.FileName.empty()) return;
  try {
    (parts_.View.*import)(dialog.FileName);
  } catch (const std::exception&) {
    parts_.Warn("An error has occured and import aborted!");
  }
}

void TImportExportCommands::ImportfromRTF1Click() {
  ImportWith(OpenDialog4, &TCustomVrelMemo::InsertRtfFile);
}

void TImportExportCommands::ImportHTML1Click() {
  ImportWith(OpenDialog3, &TCustomVrelMemo::ImportHtmlFile);
}

bool TImportExportCommands::HasText() const {
  const TMemoSource& store = parts_.Store;
  return store.LineCount() > 1 || (store.LineCount() == 1 && !store.LineRecord(0)->Text.empty());
}

void TImportExportCommands::PrepareExportDialog(platform::TFileDialog& dialog,
                                                const std::string& ext) {
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

bool TImportExportCommands::ExportWith(platform::TFileDialog& dialog, const std::string& ext,
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

void TImportExportCommands::ExportasRTF1Click() {
  ExportWith(SaveDialog2, ".rtf", &TCustomVrelMemo::ExportRtfFile,
             "Your document has been exported to a rtf file of name:-\r\r");
}

void TImportExportCommands::ExportasHTML1Click() {
  ExportWith(SaveDialog3, ".html", &TCustomVrelMemo::ExportHtmlFile,
             "Your document has been exported to a html file of name:-\r\r");
}

}  // namespace quorel
