// The main window's settings: read from the per-user settings store when the window is made,
// written back when it closes. A value that is absent (or of the wrong type) keeps its default.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QToolBar>

#include "app/form1.h"
#include "app/recentfiles.h"
#include "engine/strings.h"
#include "platform/clipboard.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "platform/settings.h"
#include "prefs/mainsettings.h"
#include "search/searchoptions.h"

namespace quorel {

void TForm1::ReadPopupList() {
  std::string path = SideFiles.ReadPath("Popup.txt");
  std::string text;
  PopupList.clear();
  PopupLoaded = false;
  if (!services_.Files->IsFile(path)) return;
  try {
    text = services_.Files->ReadWholeFile(path);
  } catch (const std::exception&) {
    return;  // unreadable: no completions, as when the file is missing
  }
  PopupList = SplitLines(text);
  PopupLoaded = true;
}

void TForm1::ReadSettings() {
  ReadPopupList();
  platform::ISettings& s = *services_.Settings;
  Search->ReadSettings();
  ReadMainSettings(s, Settings);
  resize(Settings.Width, Settings.Height);
  move(Settings.Left, Settings.Top);
  NormalBounds = QRect(Settings.Left, Settings.Top, Settings.Width, Settings.Height);
  setWindowState(Settings.Maximized ? Qt::WindowMaximized : Qt::WindowNoState);
  for (int n = 1; n <= kRecentSlots; ++n) RecentFiles[n - 1] = Settings.FileName[n - 1];

  ToolBar1->setVisible(Settings.ToolBarVisible);
  Bottom1Click(Settings.ToolBarAlignment);
  VrelMemo1->SetWordWrap(Settings.WordWrap);
  ApplyFontSettings();

  MemoSource1.SetSyntaxParser(Settings.Highlighting ? &SyntaxParser1 : nullptr);
  MemoSource1.SetHighlightUrls(Settings.HighlightUrls);
  ReadCurrentFolder();

  Commands["N7"]->setVisible(FillParserMenu());
  LoadStoredScheme();

  TMemoOptions options = VrelMemo1->Options();
  if (Settings.Gutter) options.Include(moDrawGutter);
  if (Settings.LineNumbers) options |= TMemoOptions{moLineNumbers, moLineNumbersOnGutter};
  VrelMemo1->SetOptions(options);

  Commands.Refresh();
  if (Settings.HistoryEnabled) ShowRecentFiles();
  if (Settings.SmartMenuEnabled) RefreshFolderMenus();
}

// "Font" and "FontSize" name the program font: the default attribute of both HTML parsers and
// the view's font. Only what differs from the font they have is changed, so a first run keeps
// the built-in font exactly.
void TForm1::ApplyFontSettings() {
  auto change = [&](TFont& font) {
    if (font.Name != Settings.Font) font.Name = Settings.Font;
    if (font.Size() != Settings.FontSize) font.SetSize(Settings.FontSize);
  };
  for (TSyntaxParser* parser : {&SyntaxParser1, &DefaultParser}) {
    TAttrItem attr = parser->DefaultAttr();
    change(attr.Font);
    parser->SetDefaultAttr(attr);
  }
  TFont font = VrelMemo1->Font();
  change(font);
  VrelMemo1->SetFont(font);
}

// The folder of the last exit or of the preferences; without one (or with a lone separator) the
// user's documents folder, or else the program's own folder.
void TForm1::ReadCurrentFolder() {
  std::string folder = Settings.SpecifiedFolder;
  if (folder.empty() || folder == std::string(1, kPathSeparator)) {
    folder = services_.Shell->DocumentsFolder();
    if (folder.empty()) folder = FolderOf(services_.Processes->ProgramPath());
  }
  CurrentFolder = AddTrailingBackslash(folder);
  OpenDialog1.InitialDir = CurrentFolder;
  SaveDialog1.InitialDir = CurrentFolder;
}

// The values that live in controls, copied into the record.
void TForm1::CollectSettings() {
  QRect bounds = isMaximized() ? NormalBounds : QRect(pos(), size());
  Settings.Maximized = isMaximized();
  Settings.Height = bounds.height();
  Settings.Width = bounds.width();
  Settings.Left = bounds.left();
  Settings.Top = bounds.top();
  for (int n = 1; n <= kRecentSlots; ++n) Settings.FileName[n - 1] = RecentFiles[n - 1];
  Settings.ToolBarVisible = !ToolBar1->isHidden();
  Settings.WordWrap = VrelMemo1->WordWrap();
  Settings.Font = SyntaxParser1.DefaultAttr().Font.Name;
  Settings.FontSize = SyntaxParser1.DefaultAttr().Font.Size();
  Settings.HighlightUrls = MemoSource1.HighlightUrls();
  Settings.SpecifiedFolder = CurrentFolder;
  Settings.Gutter = VrelMemo1->Options().Contains(moDrawGutter);
  Settings.LineNumbers = VrelMemo1->Options().Contains(moLineNumbers);
}

void TForm1::WriteSettings() {
  CollectSettings();
  // The search options live in their own part of the store, shared with the search dialogs.
  Search->WriteSettings();
  WriteMainSettings(*services_.Settings, Settings);
}

// ---- Toolbar placement ----

void TForm1::Bottom1Click(int tag) {
  // The tag of the placement item chosen: anything unknown is the top.
  if (tag < 0 || tag > 3) tag = 0;
  Settings.ToolBarAlignment = tag;
  Qt::ToolBarArea area = tag == 1   ? Qt::BottomToolBarArea
                         : tag == 2 ? Qt::LeftToolBarArea
                         : tag == 3 ? Qt::RightToolBarArea
                                    : Qt::TopToolBarArea;
  bool visible = !ToolBar1->isHidden();
  addToolBar(area, ToolBar1);  // also turns it upright at the sides
  ToolBar1->setVisible(visible);
}

void TForm1::Hide1Click() { ToolBar1->setVisible(ToolBar1->isHidden()); }

void TForm1::RememberNormalBounds() {
  if (!isMaximized() && !isMinimized()) NormalBounds = QRect(pos(), size());
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RememberNormalBounds();
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RememberNormalBounds();
}

}  // namespace quorel
