// A clipboard held in memory: the default where no window system is present, and the tests'
// clipboard.
#pragma once

#include <string>

#include "platform/clipboard.h"
#include "platform/watchers.h"

namespace quorel::platform {

class TMemoryClipboard : public IClipboard {
 public:
  bool HasText() const override { return hasText_; }
  std::string GetText() const override { return text_; }
  void SetText(const std::string& text) override;
  void SetTextAndRtf(const std::string& text, const std::string& rtf) override;
  bool HasRtf() const override { return hasRtf_; }
  std::string GetRtf() const override { return rtf_; }
  bool OwnedByThisApplication() const override { return ownedHere_; }
  int Watch(std::function<void()> changed) override { return watchers_.Add(std::move(changed)); }
  void Unwatch(int id) override { watchers_.Remove(id); }

  // Text put there by another program.
  void SetForeignText(const std::string& text);
  // Content that is not text (a picture, say), put there by another program.
  void SetForeignNonText();
  int WatcherCount() const { return watchers_.Count(); }

 private:
  void Changed();

  std::string text_;
  bool hasText_ = false;
  std::string rtf_;
  bool hasRtf_ = false;
  bool ownedHere_ = false;
  TWatchers watchers_;
};

}  // namespace quorel::platform
