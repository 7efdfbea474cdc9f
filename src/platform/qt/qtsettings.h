// The settings store as an INI file: by default "Quorel/Quorel.ini" under the user's
// configuration folder (the registry under Windows has the same names and types).
#pragma once

#include <QSettings>
#include <memory>

#include "platform/settings.h"

namespace quorel::platform {

class TQtSettings : public ISettings {
 public:
  // The user's own store.
  TQtSettings();
  // A store in the file `path` (tests, portable set-ups).
  explicit TQtSettings(const std::string& path);

  std::optional<int32_t> ReadInteger(const std::string& name) override;
  std::optional<std::string> ReadString(const std::string& name) override;
  void WriteInteger(const std::string& name, int32_t value) override;
  void WriteString(const std::string& name, const std::string& value) override;
  bool Flush() override;

 private:
  // The stored text of a value, or nothing when it is absent.
  std::optional<std::string> Raw(const std::string& name) const;
  void Put(const std::string& name, const std::string& text);
  std::unique_ptr<QSettings> settings_;
};

}  // namespace quorel::platform
