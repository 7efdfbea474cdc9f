// The parts of the main window its controllers share.
#include "app/mainparts.h"

#include "platform/dialogs.h"

namespace quorel {

void TMainParts::Warn(const std::string& text) const {
  Services.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

}  // namespace quorel
