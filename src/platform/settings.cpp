// The settings kept in memory, and the typed text form of a value.
#include "platform/settings.h"

#include <charconv>

namespace quorel::platform {

namespace {

constexpr std::string_view kIntegerTag = "dword:";
constexpr std::string_view kStringTag = "sz:";

}  // namespace

std::optional<int32_t> TMemorySettings::ReadInteger(const std::string& name) {
  auto it = values_.find(name);
  if (it == values_.end() || !std::holds_alternative<int32_t>(it->second)) return std::nullopt;
  return std::get<int32_t>(it->second);
}

std::optional<std::string> TMemorySettings::ReadString(const std::string& name) {
  auto it = values_.find(name);
  if (it == values_.end() || !std::holds_alternative<std::string>(it->second)) return std::nullopt;
  return std::get<std::string>(it->second);
}

std::string EncodeSetting(int32_t value) {
  return std::string(kIntegerTag) + std::to_string(value);
}

std::string EncodeSetting(const std::string& value) { return std::string(kStringTag) + value; }

std::optional<int32_t> DecodeIntegerSetting(const std::string& text) {
  if (text.compare(0, kIntegerTag.size(), kIntegerTag) != 0) return std::nullopt;
  const char* first = text.data() + kIntegerTag.size();
  const char* last = text.data() + text.size();
  int32_t value = 0;
  auto [end, error] = std::from_chars(first, last, value);
  // The whole rest must be the number, and it must fit in 32 bits.
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

std::optional<std::string> DecodeStringSetting(const std::string& text) {
  if (text.compare(0, kStringTag.size(), kStringTag) != 0) return std::nullopt;
  return text.substr(kStringTag.size());
}

}  // namespace quorel::platform
