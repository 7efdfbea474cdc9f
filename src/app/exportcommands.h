// The export half of File > Import and Export: its commands and their save dialogs.
#pragma once

#include <string>

#include "app/mainparts.h"
#include "platform/dialogs.h"

namespace quorel {

class TCustomVrelMemo;

class TExportCommands {
 public:
  explicit TExportCommands(TMainParts& parts);

  void AddCommands();
  void ExportasRTF1Click();
  void ExportasHTML1Click();
  // Exporting needs at least one character or two lines.
  bool HasText() const;

  platform::TFileDialog SaveDialog2;  // export as RTF
  platform::TFileDialog SaveDialog3;  // export as HTML

 private:
  // Proposes the folder and name of an export: the document's name with `ext` for its last
  // extension, or "untitled" + `ext` in the current folder.
  void PrepareExportDialog(platform::TFileDialog& dialog, const std::string& ext);
  // Shows `dialog`, exports to the chosen file and says so (or why not).
  bool ExportWith(platform::TFileDialog& dialog, const std::string& ext,
                  void (TCustomVrelMemo::*exportFile)(const std::string&), const std::string& done);

  TMainParts& parts_;
};

}  // namespace quorel
