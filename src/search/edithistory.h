// TEditHistory: the earlier entries of a history text box, newest first, kept in the settings
// store as one string value holding the items one per line.
#pragma once

#include <string>
#include <vector>

namespace quorel {

namespace platform {
class ISettings;
}

class TEditHistory {
 public:
  static constexpr const char* kSettingsKey = "Editor/EditHistory/";

  // The value name: `regName` when set, else the form's name followed by the box's, else
  // "Default".
  static std::string ValueName(const std::string& regName, const std::string& formName,
                               const std::string& boxName);

  const std::vector<std::string>& Items() const { return items_; }
  // Puts `text` at the top, removing an equal item first; empty text is not added.
  void Add(const std::string& text);
  void Load(platform::ISettings& settings, const std::string& valueName);
  void Save(platform::ISettings& settings, const std::string& valueName) const;

 private:
  std::vector<std::string> items_;
};

}  // namespace quorel
