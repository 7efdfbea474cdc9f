// The Qt implementations of the platform services, made once.
#include "platform/qt/qtservices.h"

#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtdialogs.h"
#include "platform/qt/qtfilesystem.h"
#include "platform/qt/qtprocesses.h"
#include "platform/qt/qtsettings.h"

namespace quorel::platform {

const TServices& QtServices() {
  static TQtClipboard clipboard;
  static TQtDialogs dialogs;
  static TQtFileSystem files;
  static TQtProcesses processes;
  static TQtShell shell;
  static TQtSettings settings;
  static const TServices services{&clipboard, &dialogs, &files, &processes, &shell, &settings};
  return services;
}

}  // namespace quorel::platform
