// A clipboard held in memory.
#include "platform/memoryclipboard.h"

namespace quorel::platform {

void TMemoryClipboard::SetText(const std::string& text) {
  text_ = text;
  hasText_ = true;
  rtf_.clear();
  hasRtf_ = false;
  ownedHere_ = true;
  Changed();
}

void TMemoryClipboard::SetTextAndRtf(const std::string& text, const std::string& rtf) {
  text_ = text;
  hasText_ = true;
  rtf_ = rtf;
  hasRtf_ = true;
  ownedHere_ = true;
  Changed();
}

void TMemoryClipboard::SetForeignText(const std::string& text) {
  text_ = text;
  hasText_ = true;
  rtf_.clear();
  hasRtf_ = false;
  ownedHere_ = false;
  Changed();
}

void TMemoryClipboard::SetForeignNonText() {
  text_.clear();
  hasText_ = false;
  rtf_.clear();
  hasRtf_ = false;
  ownedHere_ = false;
  Changed();
}

void TMemoryClipboard::Changed() { watchers_.Notify(); }

}  // namespace quorel::platform
