// Named text styles and the editor-wide options.
#include "syntax/textstyles.h"

#include <algorithm>
#include <cctype>

namespace quorel {

const TTextStyle* TTextStyles::Find(const std::string& name) const {
  for (const TTextStyle& s : Items) {
    if (s.Name.size() == name.size() && std::equal(s.Name.begin(), s.Name.end(), name.begin(),
                                                   [](unsigned char a, unsigned char b) {
                                                     return std::tolower(a) == std::tolower(b);
                                                   }))
      return &s;
  }
  return nullptr;
}

void TMemoEnvOptions::AddListener(const void* owner, std::function<void()> changed) {
  listeners_.push_back({owner, std::move(changed)});
}

void TMemoEnvOptions::RemoveListener(const void* owner) {
  std::erase_if(listeners_, [owner](const TListener& l) { return l.Owner == owner; });
}

void TMemoEnvOptions::Changed() {
  auto snapshot = listeners_;
  for (auto& l : snapshot) l.Callback();
}

TMemoEnvOptions& MemoEnvOptions() {
  static TMemoEnvOptions options;
  return options;
}

}  // namespace quorel
