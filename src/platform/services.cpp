// The platform services in force, with defaults that need no window system.
#include "platform/services.h"

#include "platform/dialogs.h"
#include "platform/memoryclipboard.h"
#include "platform/stdfilesystem.h"

namespace quorel::platform {

namespace {

// Without a window system nobody can answer a dialog: every question is cancelled.
class TCancellingDialogs : public IDialogs {
 public:
  bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
};

TServices MakeDefaults() {
  static TMemoryClipboard clipboard;
  static TCancellingDialogs dialogs;
  static TStdFileSystem files;
  return TServices{&clipboard, &dialogs, &files};
}

}  // namespace

TServices& Services() {
  static TServices services = MakeDefaults();
  return services;
}

TServicesOverride::TServicesOverride(const TServices& replacement) : saved_(Services()) {
  TServices& current = Services();
  if (replacement.Clipboard) current.Clipboard = replacement.Clipboard;
  if (replacement.Dialogs) current.Dialogs = replacement.Dialogs;
  if (replacement.Files) current.Files = replacement.Files;
}

TServicesOverride::~TServicesOverride() { Services() = saved_; }

}  // namespace quorel::platform
