// The platform services in force, with defaults that need no window system.
#include "platform/services.h"

#include "platform/dialogs.h"
#include "platform/memoryclipboard.h"
#include "platform/settings.h"
#include "platform/stdfilesystem.h"
#include "platform/stdprocesses.h"

namespace quorel::platform {

namespace {

// Without a window system nobody can answer a dialog: every question is cancelled.
class TCancellingDialogs : public IDialogs {
 public:
  TMsgResult MessageBox(TMsgKind, const std::string&, TMsgButtons buttons) override {
    return buttons == mbOK ? mrOk : mrCancel;
  }
  bool OpenFileDialog(TFileDialog&) override { return false; }
  bool SaveFileDialog(TFileDialog&) override { return false; }
  bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
  bool FontDialog(TFontChoice&) override { return false; }
  bool ColorDialog(TColorChoice&) override { return false; }
};

TServices MakeDefaults() {
  static TMemoryClipboard clipboard;
  static TCancellingDialogs dialogs;
  static TStdFileSystem files;
  static TStdProcesses processes;
  static TNoShell shell;
  static TMemorySettings settings;
  return TServices{&clipboard, &dialogs, &files, &processes, &shell, &settings};
}

}  // namespace

const char* MessageTitle(TMsgKind kind) {
  switch (kind) {
    case mkWarning:
      return "Warning";
    case mkConfirmation:
      return "Confirm";
    case mkInformation:
      return "Information";
    case mkError:
      return "Error";
  }
  return "";
}

const TServices& DefaultServices() {
  static const TServices services = MakeDefaults();
  return services;
}

TServices WithDefaults(const TServices& partial) {
  const TServices& d = DefaultServices();
  return TServices{
      partial.Clipboard ? partial.Clipboard : d.Clipboard,
      partial.Dialogs ? partial.Dialogs : d.Dialogs,
      partial.Files ? partial.Files : d.Files,
      partial.Processes ? partial.Processes : d.Processes,
      partial.Shell ? partial.Shell : d.Shell,
      partial.Settings ? partial.Settings : d.Settings,
  };
}

}  // namespace quorel::platform
