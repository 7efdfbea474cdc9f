// A list of callbacks told about a change, each removable by its id, even while being told.
#pragma once

#include <functional>
#include <map>
#include <vector>

namespace quorel::platform {

class TWatchers {
 public:
  int Add(std::function<void()> callback) {
    int id = nextId_++;
    callbacks_[id] = std::move(callback);
    return id;
  }
  void Remove(int id) { callbacks_.erase(id); }
  int Count() const { return static_cast<int>(callbacks_.size()); }
  // A callback may remove itself or others meanwhile: those removed are not told.
  void Notify() {
    std::vector<int> ids;
    for (auto& entry : callbacks_) ids.push_back(entry.first);
    for (int id : ids) {
      auto it = callbacks_.find(id);
      if (it == callbacks_.end()) continue;
      auto callback = it->second;
      callback();
    }
  }

 private:
  int nextId_ = 1;
  std::map<int, std::function<void()>> callbacks_;
};

}  // namespace quorel::platform
