// Writing the confirmed preferences to the settings store.
#include "prefs/preferencevalues.h"

namespace quorel {

void WritePreferenceValues(platform::ISettings& s, const TPreferenceValues& v) {
  static const char* const kNames[] = {"SecondBrowser", "ThirdBrowser", "FourthBrowser"};
  static const char* const kLocations[] = {"SecondLocation", "ThirdLocation", "FourthLocation"};
  s.WriteInteger("PrimaryBrowser", v.PrimaryBrowser);
  for (size_t i = 0; i < 3; ++i)
    if (!v.BrowserNames[i].empty()) s.WriteString(kNames[i], v.BrowserNames[i]);
  for (size_t i = 0; i < 3; ++i)
    if (!v.BrowserLocations[i].empty()) s.WriteString(kLocations[i], v.BrowserLocations[i]);
  s.WriteBool("DisableWarning", v.DisableWarning);
  s.WriteBool("AutoSave", v.AutoSave);
  s.WriteBool("LastFolder", v.LastFolder);
  s.WriteString("SpecifiedFolder", v.SpecifiedFolder);
  s.WriteBool("FileNameSpaces", v.FileNameSpaces);
  s.WriteString("SpaceReplacement", v.SpaceReplacement);
  s.WriteInteger("TaskbarCaptionType", v.TaskbarCaptionType);
  s.WriteInteger("ProgramCaptionType", v.ProgramCaptionType);
  s.WriteBool("HistoryEnabled", v.HistoryEnabled);
  s.WriteInteger("HistoryListNo", v.HistoryListNo);
  s.WriteBool("SmartMenuEnabled", v.SmartMenuEnabled);
  s.WriteInteger("SmartMenuItems", v.SmartMenuItems);
  s.Flush();
}

}  // namespace quorel
