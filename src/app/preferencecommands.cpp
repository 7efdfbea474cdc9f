// The preferences dialog from the main window: its values copied in and taken back into use.
#include <QAction>
#include <variant>

#include "app/form1.h"

namespace quorel {

void TForm1::CreatePreferences() {
  Preferences = std::make_unique<TPreferences>(services_, this);
  Preferences->OnReadValues = [this] { return PreferenceValues(); };
  Preferences->OnApplyValues = [this](const TMainSettings& v) { ApplyPreferences(v); };
  Preferences->OnEditScheme = [this](TSyntaxEdForm& editor) { EditWorkingScheme(editor); };
}

void TForm1::Preferences1Click() { Preferences->Execute(ppSendToLink); }

void TForm1::DefineBrowsers1Click() { Preferences->Execute(ppBrowserSetup); }

TMainSettings TForm1::PreferenceValues() const {
  TMainSettings v = Settings;
  v.SpecifiedFolder = CurrentFolder;
  return v;
}

void TForm1::ApplyPreferences(const TMainSettings& v) {
  const bool menusChanged = v.SmartMenuEnabled != Settings.SmartMenuEnabled ||
                            v.SmartMenuItems != Settings.SmartMenuItems;
  // Only what the dialog edits is taken: the rest of the record may have changed in the window
  // while the dialog was open (the scheme editor on its Highlighting page applies schemes).
  TMainSettings source = v;
  for (const TSettingKey& key : MainSettingKeys()) {
    if (key.Writers == TSettingWriters::Exit || key.Name == "SpecifiedFolder") continue;
    std::visit([&](auto* to) { *to = *std::get<decltype(to)>(key.In(source)); }, key.In(Settings));
  }
  // An emptied folder box keeps the folder the dialogs use now; the stored value is empty, so
  // the next start takes the documents folder.
  if (!v.SpecifiedFolder.empty()) CurrentFolder = v.SpecifiedFolder;
  UpdateFolders(false, false);
  if (menusChanged && Settings.SmartMenuEnabled) RefreshFolderMenus();
  ShowRecentFiles();
  if (!Settings.HistoryEnabled) {
    // The list is no longer shown (ShowRecentFiles leaves it alone while history is off).
    for (int i = 0; i < kRecentSlots; ++i) RecentItem(i)->setVisible(false);
    Commands["FileSep3"]->setVisible(false);
  }
  ShowCaptions();
}

}  // namespace quorel
