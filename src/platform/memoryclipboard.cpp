// A clipboard held in memory.
#include "platform/memoryclipboard.h"

#include <vector>

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

int TMemoryClipboard::Watch(std::function<void()> changed) {
  int id = nextId_++;
  watchers_[id] = std::move(changed);
  return id;
}

void TMemoryClipboard::Unwatch(int id) { watchers_.erase(id); }

void TMemoryClipboard::Changed() {
  // A watcher may unwatch itself or others while being told: walk a snapshot of the ids and
  // skip those gone meanwhile.
  std::vector<int> ids;
  for (auto& entry : watchers_) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = watchers_.find(id);
    if (it != watchers_.end()) {
      auto fn = it->second;
      fn();
    }
  }
}

}  // namespace quorel::platform
