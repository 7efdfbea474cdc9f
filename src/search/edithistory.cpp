// TEditHistory: adding entries and keeping them in the settings store.
#include "search/edithistory.h"

#include <algorithm>

#include "platform/settings.h"

namespace quorel {

std::string TEditHistory::ValueName(const std::string& regName, const std::string& formName,
                                    const std::string& boxName) {
  if (!regName.empty()) return regName;
  if (!formName.empty() || !boxName.empty()) return formName + boxName;
  return "Default";
}

void TEditHistory::Add(const std::string& text) {
  if (text.empty()) return;
  std::erase(items_, text);
  items_.insert(items_.begin(), text);
}

void TEditHistory::Load(platform::ISettings& settings, const std::string& valueName) {
  items_.clear();
  std::optional<std::string> value = settings.ReadString(kSettingsKey + valueName);
  if (!value) return;
  // Lines end in CR LF as written; a lone CR or LF also ends one.
  std::string item;
  for (size_t i = 0; i < value->size(); ++i) {
    const char c = (*value)[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < value->size() && (*value)[i + 1] == '\n') ++i;
      if (!item.empty()) items_.push_back(item);
      item.clear();
    } else {
      item += c;
    }
  }
  if (!item.empty()) items_.push_back(item);
}

void TEditHistory::Save(platform::ISettings& settings, const std::string& valueName) const {
  std::string value;
  for (const std::string& item : items_) value += item + "\r\n";
  settings.WriteString(kSettingsKey + valueName, value);
}

}  // namespace quorel
