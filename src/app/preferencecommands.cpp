// The preferences dialog from the main window: its values copied in and taken back into use.
#include <QAction>

#include "app/form1.h"

namespace quorel {

void TForm1::CreatePreferences() {
  Preferences = std::make_unique<TPreferences>(services_, this);
  Preferences->OnReadValues = [this] { return PreferenceValues(); };
  Preferences->OnApplyValues = [this](const TPreferenceValues& v) { ApplyPreferences(v); };
  Preferences->OnEditScheme = [this](TSyntaxEdForm& editor) { EditWorkingScheme(editor); };
}

void TForm1::Preferences1Click() { Preferences->Execute(ppSendToLink); }

void TForm1::DefineBrowsers1Click() { Preferences->Execute(ppBrowserSetup); }

TPreferenceValues TForm1::PreferenceValues() const {
  TPreferenceValues v;
  v.PrimaryBrowser = PrimaryBrowser;
  v.BrowserNames = BrowserNames;
  v.BrowserLocations = BrowserLocations;
  v.DisableWarning = DisableWarning;
  v.AutoSave = AutoSave;
  v.LastFolder = LastFolder;
  v.SpecifiedFolder = CurrentFolder;
  v.FileNameSpaces = FileNameSpaces;
  v.SpaceReplacement = SpaceReplacement;
  v.TaskbarCaptionType = TaskbarCaptionType;
  v.ProgramCaptionType = ProgramCaptionType;
  v.HistoryEnabled = HistoryEnabled;
  v.HistoryListNo = HistoryListNo;
  v.SmartMenuEnabled = SmartMenuEnabled;
  v.SmartMenuItems = SmartMenuItems;
  return v;
}

void TForm1::ApplyPreferences(const TPreferenceValues& v) {
  const bool menusChanged =
      v.SmartMenuEnabled != SmartMenuEnabled || v.SmartMenuItems != SmartMenuItems;
  PrimaryBrowser = v.PrimaryBrowser;
  BrowserNames = v.BrowserNames;
  BrowserLocations = v.BrowserLocations;
  DisableWarning = v.DisableWarning;
  AutoSave = v.AutoSave;
  LastFolder = v.LastFolder;
  FileNameSpaces = v.FileNameSpaces;
  SpaceReplacement = v.SpaceReplacement;
  TaskbarCaptionType = v.TaskbarCaptionType;
  ProgramCaptionType = v.ProgramCaptionType;
  HistoryEnabled = v.HistoryEnabled;
  HistoryListNo = v.HistoryListNo;
  SmartMenuEnabled = v.SmartMenuEnabled;
  SmartMenuItems = v.SmartMenuItems;
  // An emptied folder box keeps the folder the dialogs use now; the stored value is empty, so
  // the next start takes the documents folder.
  if (!v.SpecifiedFolder.empty()) CurrentFolder = v.SpecifiedFolder;
  UpdateFolders(false, false);
  if (menusChanged && SmartMenuEnabled) RefreshFolderMenus();
  ShowRecentFiles();
  if (!HistoryEnabled) {
    // The list is no longer shown (ShowRecentFiles leaves it alone while history is off).
    for (QAction* item : FileNames()) item->setVisible(false);
    FileSep3->setVisible(false);
  }
  ShowCaptions();
}

}  // namespace quorel
