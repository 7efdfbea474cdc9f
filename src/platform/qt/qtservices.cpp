// Wires the Qt implementations of the platform services.
#include "platform/qt/qtservices.h"

#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtdialogs.h"
#include "platform/qt/qtfilesystem.h"
#include "platform/qt/qtprocesses.h"
#include "platform/qt/qtsettings.h"
#include "platform/services.h"

namespace quorel::platform {

void InstallQtServices() {
  // They live as long as the program.
  static TQtClipboard clipboard;
  static TQtDialogs dialogs;
  static TQtFileSystem files;
  static TQtProcesses processes;
  static TQtShell shell;
  static TQtSettings settings;
  Services().Clipboard = &clipboard;
  Services().Dialogs = &dialogs;
  Services().Files = &files;
  Services().Processes = &processes;
  Services().Shell = &shell;
  Services().Settings = &settings;
}

}  // namespace quorel::platform
