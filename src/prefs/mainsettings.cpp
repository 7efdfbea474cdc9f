// The key table of the main window's settings, and reading and writing through it.
#include "prefs/mainsettings.h"

namespace quorel {

namespace {

using W = TSettingWriters;

// One field of the record by its member; array members by slot.
template <auto Member>
TSettingField Plain(TMainSettings& s, size_t) {
  return &(s.*Member);
}

template <auto Member>
TSettingField Slot(TMainSettings& s, size_t i) {
  return &(s.*Member)[i];
}

void AddNumbered(std::vector<TSettingKey>& keys, const char* name, size_t count,
                 TSettingField (*field)(TMainSettings&, size_t)) {
  for (size_t i = 0; i < count; ++i)
    keys.push_back({name + std::to_string(i + 1), W::Exit, field, i});
}

std::vector<TSettingKey> BuildKeys() {
  std::vector<TSettingKey> k;
  k.push_back({"Maximized", W::Exit, &Plain<&TMainSettings::Maximized>});
  k.push_back({"Height", W::Exit, &Plain<&TMainSettings::Height>});
  k.push_back({"Width", W::Exit, &Plain<&TMainSettings::Width>});
  k.push_back({"Left", W::Exit, &Plain<&TMainSettings::Left>});
  k.push_back({"Top", W::Exit, &Plain<&TMainSettings::Top>});
  for (size_t i = 0; i < 16; ++i) {
    std::string n = std::to_string(i + 1);
    k.push_back({"CustomColorName" + n, W::Exit, &Slot<&TMainSettings::CustomColorName>, i});
    k.push_back({"CustomHexValue" + n, W::Exit, &Slot<&TMainSettings::CustomHexValue>, i});
  }
  AddNumbered(k, "FileName", 10, &Slot<&TMainSettings::FileName>);
  k.push_back({"ToolBarVisible", W::Exit, &Plain<&TMainSettings::ToolBarVisible>});
  k.push_back({"ToolBarAlignment", W::Exit, &Plain<&TMainSettings::ToolBarAlignment>});
  k.push_back({"WordWrap", W::Exit, &Plain<&TMainSettings::WordWrap>});
  k.push_back({"Font", W::Exit, &Plain<&TMainSettings::Font>});
  k.push_back({"FontSize", W::Exit, &Plain<&TMainSettings::FontSize>});
  k.push_back({"Highlighting", W::Exit, &Plain<&TMainSettings::Highlighting>});
  k.push_back({"HighlightUrls", W::Exit, &Plain<&TMainSettings::HighlightUrls>});
  k.push_back({"CurrentSyntaxScheme", W::Exit, &Plain<&TMainSettings::CurrentSyntaxScheme>});
  k.push_back({"SyntaxSchemeLocation", W::Exit, &Plain<&TMainSettings::SyntaxSchemeLocation>});
  // The preferences' values, in the order their OK writes them.
  k.push_back({"PrimaryBrowser", W::Preferences, &Plain<&TMainSettings::PrimaryBrowser>});
  const char* const names[] = {"SecondBrowser", "ThirdBrowser", "FourthBrowser"};
  const char* const locations[] = {"SecondLocation", "ThirdLocation", "FourthLocation"};
  for (size_t i = 0; i < 3; ++i)
    k.push_back({names[i], W::PreferencesWhenNotEmpty, &Slot<&TMainSettings::BrowserNames>, i});
  for (size_t i = 0; i < 3; ++i)
    k.push_back(
        {locations[i], W::PreferencesWhenNotEmpty, &Slot<&TMainSettings::BrowserLocations>, i});
  k.push_back({"DisableWarning", W::Preferences, &Plain<&TMainSettings::DisableWarning>});
  k.push_back({"AutoSave", W::Preferences, &Plain<&TMainSettings::AutoSave>});
  k.push_back({"LastFolder", W::Preferences, &Plain<&TMainSettings::LastFolder>});
  k.push_back({"SpecifiedFolder", W::Preferences, &Plain<&TMainSettings::SpecifiedFolder>});
  k.push_back({"FileNameSpaces", W::Preferences, &Plain<&TMainSettings::FileNameSpaces>});
  k.push_back({"SpaceReplacement", W::Preferences, &Plain<&TMainSettings::SpaceReplacement>});
  k.push_back({"TaskbarCaptionType", W::Preferences, &Plain<&TMainSettings::TaskbarCaptionType>});
  k.push_back({"ProgramCaptionType", W::Preferences, &Plain<&TMainSettings::ProgramCaptionType>});
  k.push_back({"HistoryEnabled", W::Preferences, &Plain<&TMainSettings::HistoryEnabled>});
  k.push_back({"HistoryListNo", W::Preferences, &Plain<&TMainSettings::HistoryListNo>});
  k.push_back({"SmartMenuEnabled", W::Preferences, &Plain<&TMainSettings::SmartMenuEnabled>});
  k.push_back({"SmartMenuItems", W::Preferences, &Plain<&TMainSettings::SmartMenuItems>});
  k.push_back({"Gutter", W::Exit, &Plain<&TMainSettings::Gutter>});
  k.push_back({"LineNumbers", W::Exit, &Plain<&TMainSettings::LineNumbers>});
  return k;
}

void Write(platform::ISettings& store, const std::string& name, const TSettingField& field) {
  std::visit(
      [&](auto* value) {
        using T = std::remove_pointer_t<decltype(value)>;
        if constexpr (std::is_same_v<T, bool>)
          store.WriteBool(name, *value);
        else if constexpr (std::is_same_v<T, int32_t>)
          store.WriteInteger(name, *value);
        else
          store.WriteString(name, *value);
      },
      field);
}

bool IsEmpty(const TSettingField& field) {
  auto* text = std::get_if<std::string*>(&field);
  return text && (*text)->empty();
}

}  // namespace

const std::vector<TSettingKey>& MainSettingKeys() {
  static const std::vector<TSettingKey> keys = BuildKeys();
  return keys;
}

void ReadMainSettings(platform::ISettings& store, TMainSettings& settings) {
  const TMainSettings defaults;
  for (const TSettingKey& key : MainSettingKeys())
    std::visit([&](auto* value) { store.ReadInto(key.Name, *value); }, key.In(settings));
  // The line numbers are a part of the gutter: without it they are off, whatever is stored.
  if (!settings.Gutter) settings.LineNumbers = false;
  if (settings.FontSize <= 0) settings.FontSize = defaults.FontSize;
  // Rich text is shown for an ".rtf" document only; it is not a scheme to start with.
  if (settings.CurrentSyntaxScheme == "RTF") settings.CurrentSyntaxScheme = "Default";
}

void WriteMainSettings(platform::ISettings& store, const TMainSettings& settings) {
  TMainSettings copy = settings;
  for (const TSettingKey& key : MainSettingKeys()) Write(store, key.Name, key.In(copy));
  store.Flush();
}

void WritePreferenceSettings(platform::ISettings& store, const TMainSettings& settings) {
  TMainSettings copy = settings;
  for (const TSettingKey& key : MainSettingKeys()) {
    if (key.Writers == TSettingWriters::Exit) continue;
    TSettingField field = key.In(copy);
    if (key.Writers == TSettingWriters::PreferencesWhenNotEmpty && IsEmpty(field)) continue;
    Write(store, key.Name, field);
  }
  store.Flush();
}

}  // namespace quorel
