// The per-user settings store: named values, each an integer or a string. Booleans are kept as
// the integers 0 and 1 and read as true when not 0. A value read as the other type than it was
// written counts as absent, so a damaged or hand-edited store falls back to the defaults.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace quorel::platform {

class ISettings {
 public:
  virtual ~ISettings() = default;

  virtual std::optional<int32_t> ReadInteger(const std::string& name) = 0;
  virtual std::optional<std::string> ReadString(const std::string& name) = 0;
  virtual void WriteInteger(const std::string& name, int32_t value) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  // Writes what is pending to its place; false when it could not be written.
  virtual bool Flush() { return true; }

  std::optional<bool> ReadBool(const std::string& name) {
    std::optional<int32_t> value = ReadInteger(name);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
  }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

  // Read into `value` only what is stored with the right type; otherwise `value` keeps its default.
  void ReadInto(const std::string& name, int32_t& value) {
    if (std::optional<int32_t> v = ReadInteger(name)) value = *v;
  }
  void ReadInto(const std::string& name, bool& value) {
    if (std::optional<bool> v = ReadBool(name)) value = *v;
  }
  void ReadInto(const std::string& name, std::string& value) {
    if (std::optional<std::string> v = ReadString(name)) value = *v;
  }
};

// Settings kept in memory only (the default without a window system, and for tests).
class TMemorySettings : public ISettings {
 public:
  std::optional<int32_t> ReadInteger(const std::string& name) override;
  std::optional<std::string> ReadString(const std::string& name) override;
  void WriteInteger(const std::string& name, int32_t value) override { values_[name] = value; }
  void WriteString(const std::string& name, const std::string& value) override {
    values_[name] = value;
  }
  const std::map<std::string, std::variant<int32_t, std::string>>& Values() const {
    return values_;
  }

 private:
  std::map<std::string, std::variant<int32_t, std::string>> values_;
};

// How a value is kept as text, with its type in front: "dword:350", "sz:Courier New". Decoding
// answers nothing for text of another type or without a valid tag.
std::string EncodeSetting(int32_t value);
std::string EncodeSetting(const std::string& value);
std::optional<int32_t> DecodeIntegerSetting(const std::string& text);
std::optional<std::string> DecodeStringSetting(const std::string& text);

}  // namespace quorel::platform
