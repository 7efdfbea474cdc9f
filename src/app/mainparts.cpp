// The parts of the main window its controllers share.
#include "app/mainparts.h"

#include "engine/vrelerror.h"
#include "platform/dialogs.h"

namespace quorel {

void TMainParts::Warn(const std::string& text) const {
  Services.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

void TMainParts::ShowingErrors(const std::function<void()>& command) const {
  try {
    command();
  } catch (const EVrelError& e) {
    Services.Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
  }
}

}  // namespace quorel
