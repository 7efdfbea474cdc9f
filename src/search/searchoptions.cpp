// TSearchOptions: reading and writing the shared options in the settings store.
#include "search/searchoptions.h"

#include "engine/encoding.h"
#include "engine/utf8.h"
#include "platform/settings.h"

namespace quorel {

namespace {

std::string Key(const char* property) {
  return std::string(TSearchOptions::kSettingsKey) + property;
}

template <typename TEnum>
void ReadEnum(platform::ISettings& s, const char* name, int count, TEnum& value) {
  std::optional<int32_t> v = s.ReadInteger(Key(name));
  if (v && *v >= 0 && *v < count) value = static_cast<TEnum>(*v);
}

template <typename T>
void ReadValue(platform::ISettings& s, const char* name, T& value) {
  s.ReadInto(Key(name), value);
}

// Older versions kept the texts as Windows-1252: a value that is not UTF-8 is read as such.
void ReadText(platform::ISettings& s, const char* name, std::string& value) {
  ReadValue(s, name, value);
  if (!IsValidUtf8(value)) value = Cp1252ToUtf8(value);
}

}  // namespace

void TSearchOptions::LoadFrom(platform::ISettings& s) {
  ReadValue(s, "ShowNotFound", showNotFound_);
  ReadValue(s, "ReplaceAll", replaceAll_);
  ReadValue(s, "InReplace", inReplace_);
  ReadValue(s, "FirstSearch", firstSearch_);
  ReadText(s, "TextToFind", textToFind_);
  ReadText(s, "ReplaceWith", replaceWith_);
  ReadValue(s, "PromptOnReplace", promptOnReplace_);
  ReadValue(s, "CaseSensitive", caseSensitive_);
  ReadValue(s, "WholeWordsOnly", wholeWordsOnly_);
  ReadValue(s, "RegularExpr", regularExpr_);
  ReadEnum(s, "Direction", 2, direction_);
  ReadEnum(s, "Scope", 2, scope_);
  ReadEnum(s, "Origin", 2, origin_);
  ReadEnum(s, "Where", 3, where_);
  ReadValue(s, "FileMask", fileMask_);
  ReadValue(s, "IncludeSubDirs", includeSubDirs_);
}

void TSearchOptions::SaveTo(platform::ISettings& s) const {
  s.WriteBool(Key("ShowNotFound"), showNotFound_);
  s.WriteBool(Key("ReplaceAll"), replaceAll_);
  s.WriteBool(Key("InReplace"), inReplace_);
  s.WriteBool(Key("FirstSearch"), firstSearch_);
  s.WriteString(Key("TextToFind"), textToFind_);
  s.WriteString(Key("ReplaceWith"), replaceWith_);
  s.WriteBool(Key("PromptOnReplace"), promptOnReplace_);
  s.WriteBool(Key("CaseSensitive"), caseSensitive_);
  s.WriteBool(Key("WholeWordsOnly"), wholeWordsOnly_);
  s.WriteBool(Key("RegularExpr"), regularExpr_);
  s.WriteInteger(Key("Direction"), direction_);
  s.WriteInteger(Key("Scope"), scope_);
  s.WriteInteger(Key("Origin"), origin_);
  s.WriteInteger(Key("Where"), where_);
  s.WriteString(Key("FileMask"), fileMask_);
  s.WriteBool(Key("IncludeSubDirs"), includeSubDirs_);
}

}  // namespace quorel
