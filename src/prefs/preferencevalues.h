// The main window's settings that the preferences dialog edits, as plain data, and how its OK
// writes them to the settings store.
#pragma once

#include <array>
#include <string>

#include "platform/settings.h"

namespace quorel {

struct TPreferenceValues {
  // 1 the desktop's default browser, 2 to 4 the added browsers 1 to 3.
  int PrimaryBrowser = 1;
  std::array<std::string, 3> BrowserNames;      // "SecondBrowser" .. "FourthBrowser"
  std::array<std::string, 3> BrowserLocations;  // "SecondLocation" .. "FourthLocation"
  bool DisableWarning = false;
  bool AutoSave = false;
  // The file dialogs start in the last used folder (true) or in SpecifiedFolder.
  bool LastFolder = true;
  std::string SpecifiedFolder;
  bool FileNameSpaces = true;
  std::string SpaceReplacement = "%20";
  int TaskbarCaptionType = 1;  // 1 "Filename - Filepath", 2 "Filepath+Filename", 3 "Filename only"
  int ProgramCaptionType = 1;
  bool HistoryEnabled = true;
  int HistoryListNo = 4;  // 0 to 10
  bool SmartMenuEnabled = true;
  int SmartMenuItems = 40;  // 0 to 100

  bool operator==(const TPreferenceValues&) const = default;
};

// The history list holds at most 10 files and the folder menus at most 100.
inline constexpr int kMaxHistoryListNo = 10;
inline constexpr int kMaxSmartMenuItems = 100;

// Writes every value in the order the dialog confirms them. A browser's name or path is written
// only when it is not empty, so an emptied box leaves the stored value until the main window
// writes its own settings at exit; every other value is always written.
void WritePreferenceValues(platform::ISettings& settings, const TPreferenceValues& values);

}  // namespace quorel
