// A clipboard held in memory.
#include "platform/memoryclipboard.h"

namespace quorel::platform {

void TMemoryClipboard::SetText(const std::string& text) {
  text_ = text;
  hasText_ = true;
  ownedHere_ = true;
  Changed();
}

void TMemoryClipboard::SetForeignText(const std::string& text) {
  text_ = text;
  hasText_ = true;
  ownedHere_ = false;
  Changed();
}

void TMemoryClipboard::SetForeignNonText() {
  text_.clear();
  hasText_ = false;
  ownedHere_ = false;
  Changed();
}

void TMemoryClipboard::Changed() { watchers_.Notify(); }

}  // namespace quorel::platform
