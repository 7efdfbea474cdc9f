// Wires the Qt implementations of the platform services.
#include "platform/qt/qtservices.h"

#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtdialogs.h"
#include "platform/services.h"

namespace quorel::platform {

void InstallQtServices() {
  // They live as long as the program; files keep the standard implementation, which is portable.
  static TQtClipboard clipboard;
  static TQtDialogs dialogs;
  Services().Clipboard = &clipboard;
  Services().Dialogs = &dialogs;
}

}  // namespace quorel::platform
