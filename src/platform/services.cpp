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

TServices& Services() {
  static TServices services = MakeDefaults();
  return services;
}

TServicesOverride::TServicesOverride(const TServices& replacement) : saved_(Services()) {
  TServices& current = Services();
  if (replacement.Clipboard) current.Clipboard = replacement.Clipboard;
  if (replacement.Dialogs) current.Dialogs = replacement.Dialogs;
  if (replacement.Files) current.Files = replacement.Files;
  if (replacement.Processes) current.Processes = replacement.Processes;
  if (replacement.Shell) current.Shell = replacement.Shell;
  if (replacement.Settings) current.Settings = replacement.Settings;
}

TServicesOverride::~TServicesOverride() { Services() = saved_; }

}  // namespace quorel::platform
