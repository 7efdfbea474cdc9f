// A clipboard held in memory: the default where no window system is present, and the tests' clipboard.
#pragma once

#include <map>
#include <string>

#include "platform/clipboard.h"

namespace quorel::platform {

class TMemoryClipboard : public IClipboard {
 public:
  bool HasText() const override { return hasText_; }
  std::string GetText() const override { return text_; }
  void SetText(const std::string& text) override;
  bool OwnedByThisApplication() const override { return ownedHere_; }
  int Watch(std::function<void()> changed) override;
  void Unwatch(int id) override;

  // Text put there by another program.
  void SetForeignText(const std::string& text);
  // Content that is not text (a picture, say), put there by another program.
  void SetForeignNonText();
  int WatcherCount() const { return static_cast<int>(watchers_.size()); }

 private:
  void Changed();

  std::string text_;
  bool hasText_ = false;
  bool ownedHere_ = false;
  int nextId_ = 1;
  std::map<int, std::function<void()>> watchers_;
};

}  // namespace quorel::platform
