// File > Import and Export: text imported from RTF and HTML files at the caret, and the document
// exported as an RTF document or an HTML page; their commands and file dialogs.
#pragma once

#include <string>

#include "app/mainparts.h"
#include "platform/dialogs.h"

namespace quorel {

class TCustomVrelMemo;

class TImportExportCommands {
 public:
  explicit TImportExportCommands(TMainParts& parts);

  void AddCommands();
  void ImportfromRTF1Click();
  void ImportHTML1Click();
  void ExportasRTF1Click();
  void ExportasHTML1Click();
  // Exporting needs at least one character or two lines.
  bool HasText() const;

  platform::TFileDialog OpenDialog3;  // import HTML
  platform::TFileDialog OpenDialog4;  // import RTF
  platform::TFileDialog SaveDialog2;  // export as RTF
  platform::TFileDialog SaveDialog3;  // export as HTML

 private:
  // Shows `dialog` and imports the chosen file at the caret, or says the import failed.
  void ImportWith(platform::TFileDialog& dialog,
                  void (TCustomVrelMemo::*import)(const std::string&));
  // Proposes the folder and name of an export: the document's name with `ext` for its last
  // extension, or "untitled" + `ext` in the current folder.
  void PrepareExportDialog(platform::TFileDialog& dialog, const std::string& ext);
  // Shows `dialog`, exports to the chosen file and says so (or why not).
  bool ExportWith(platform::TFileDialog& dialog, const std::string& ext,
                  void (TCustomVrelMemo::*exportFile)(const std::string&), const std::string& done);

  TMainParts& parts_;
};

}  // namespace quorel
