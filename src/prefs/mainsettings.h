// The main window's settings as one record, and the one table of their keys (names, types and
// defaults) that start-up reading, writing at exit and the preferences' OK all go through.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/settings.h"

namespace quorel {

// Every value of the main window kept in the per-user settings store. A field's initial value
// is the default that applies when the store has no value of the right type.
struct TMainSettings {
  // The window's place and size the last time it was neither maximized nor minimized.
  int32_t Height = 350;
  int32_t Width = 500;
  int32_t Top = 20;
  int32_t Left = 20;
  bool Maximized = false;
  // The custom-colour slots: a name and its "#RRGGBB" code; a slot is in use when named.
  std::array<std::string, 16> CustomColorName;
  std::array<std::string, 16> CustomHexValue;
  std::array<std::string, 10> FileName;  // the recent files, most recent first
  bool ToolBarVisible = true;
  int32_t ToolBarAlignment = 0;  // 0 top, 1 bottom, 2 left, 3 right; anything else is the top
  bool WordWrap = false;
  std::string Font = "Courier New";
  int32_t FontSize = 8;  // points; a stored size of 0 or less counts as absent
  bool Highlighting = true;
  bool HighlightUrls = false;
  std::string CurrentSyntaxScheme = "Default";  // "RTF" is never started with: it reads "Default"
  std::string SyntaxSchemeLocation = "Default";
  // The values the preferences edit, in the order their OK writes them.
  int32_t PrimaryBrowser = 1;  // 1 the desktop's default browser, 2 to 4 the named ones
  std::array<std::string, 3> BrowserNames;      // "SecondBrowser" .. "FourthBrowser"
  std::array<std::string, 3> BrowserLocations;  // "SecondLocation" .. "FourthLocation"
  bool DisableWarning = false;
  bool AutoSave = false;
  bool LastFolder = true;  // the file dialogs follow the last file used, else SpecifiedFolder
  // Where the file dialogs start: the current folder at the last exit, or the preferences' own.
  std::string SpecifiedFolder;
  bool FileNameSpaces = true;
  std::string SpaceReplacement = "%20";
  int32_t TaskbarCaptionType = 1;  // 1 "Filename - Filepath", 2 "Filepath+Filename", 3 name only
  int32_t ProgramCaptionType = 1;
  bool HistoryEnabled = true;
  int32_t HistoryListNo = 4;  // 0 to kMaxHistoryListNo
  bool SmartMenuEnabled = true;
  int32_t SmartMenuItems = 40;  // 0 to kMaxSmartMenuItems
  // The view's gutter, and its line numbers (read only while the gutter is on).
  bool Gutter = false;
  bool LineNumbers = false;

  bool operator==(const TMainSettings&) const = default;
};

// The history list holds at most 10 files and the folder menus at most 100.
inline constexpr int kMaxHistoryListNo = 10;
inline constexpr int kMaxSmartMenuItems = 100;

// Which writers besides the window's exit write a key.
enum class TSettingWriters {
  Exit,                     // only the window at exit
  Preferences,              // also the preferences' OK
  PreferencesWhenNotEmpty,  // also the preferences' OK, when the value is not empty
};

// A field of the record: its type is the type of the value stored under the key.
using TSettingField = std::variant<bool*, int32_t*, std::string*>;

struct TSettingKey {
  std::string Name;
  TSettingWriters Writers = TSettingWriters::Exit;
  // The field the key is read into and written from.
  TSettingField (*Field)(TMainSettings&, size_t) = nullptr;
  size_t Index = 0;  // the slot of an array field ("FileName3" is slot 2)

  TSettingField In(TMainSettings& settings) const { return Field(settings, Index); }
};

// Every key, in the order they are written at exit.
const std::vector<TSettingKey>& MainSettingKeys();

// Reads every key that is stored with its type; the rest keep what `settings` holds. A
// "LineNumbers" without "Gutter", a font size below 1 and a stored "RTF" scheme read as absent.
void ReadMainSettings(platform::ISettings& store, TMainSettings& settings);

// Writes every key, then flushes the store.
void WriteMainSettings(platform::ISettings& store, const TMainSettings& settings);

// Writes the keys the preferences edit, in the order the dialog confirms them: a browser's name
// or path only when it is not empty, so an emptied box leaves the stored value until the exit
// writes the window's own; then flushes the store.
void WritePreferenceSettings(platform::ISettings& store, const TMainSettings& settings);

}  // namespace quorel
