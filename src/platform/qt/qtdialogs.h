// The engine's and the program's modal dialogs as Qt dialogs.
#pragma once

#include "platform/dialogs.h"

namespace quorel::platform {

class TQtDialogs : public IDialogs {
 public:
  TMsgResult MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
  bool OpenFileDialog(TFileDialog& dialog) override;
  bool SaveFileDialog(TFileDialog& dialog) override;
  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override;
  bool FontDialog(TFontChoice& font) override;
  bool ColorDialog(TColorChoice& colors) override;
  bool SelectFolder(const std::string& title, std::string& folder) override;
};

}  // namespace quorel::platform
