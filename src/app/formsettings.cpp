// The main window's settings: read from the per-user settings store when the window is made,
// written back when it closes. A value that is absent (or of the wrong type) keeps its default.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QToolBar>

#include "app/form1.h"
#include "search/searchoptions.h"
#include "app/recentfiles.h"
#include "engine/strings.h"
#include "platform/clipboard.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "platform/settings.h"

namespace quorel {

namespace {

using platform::Services;

const char* const kBrowserNames[] = {"SecondBrowser", "ThirdBrowser", "FourthBrowser"};
const char* const kBrowserLocations[] = {"SecondLocation", "ThirdLocation", "FourthLocation"};

// Reads into `value` only what is stored with the right type.
void Read(platform::ISettings& s, const std::string& name, int& value) {
  if (auto v = s.ReadInteger(name)) value = *v;
}
void Read(platform::ISettings& s, const std::string& name, bool& value) {
  if (auto v = s.ReadBool(name)) value = *v;
}
void Read(platform::ISettings& s, const std::string& name, std::string& value) {
  if (auto v = s.ReadString(name)) value = *v;
}

std::string Numbered(const char* name, int n) { return name + std::to_string(n); }

}  // namespace

void TForm1::ReadPopupList() {
  std::string path = FolderOf(Services().Processes->ProgramPath()) + "Popup.txt";
  std::string text;
  PopupList.clear();
  PopupLoaded = false;
  if (!Services().Files->IsFile(path)) return;
  try {
    Services().Files->ReadFileChunks(path, [&](std::string_view chunk) {
      text += chunk;
      return true;
    });
  } catch (const std::exception&) {
    return;  // unreadable: no completions, as when the file is missing
  }
  PopupList = SplitLines(text);
  PopupLoaded = true;
}

void TForm1::ReadSettings() {
  ReadPopupList();
  platform::ISettings& s = *Services().Settings;
  int height = 350, width = 500, top = 20, left = 20;
  Read(s, "Height", height);
  Read(s, "Width", width);
  Read(s, "Top", top);
  Read(s, "Left", left);
  resize(width, height);
  move(left, top);
  NormalBounds = QRect(left, top, width, height);
  bool maximized = false;
  Read(s, "Maximized", maximized);
  setWindowState(maximized ? Qt::WindowMaximized : Qt::WindowNoState);

  for (int n = 1; n <= 16; ++n) {
    Read(s, Numbered("CustomColorName", n), CustomColorName[n - 1]);
    Read(s, Numbered("CustomHexValue", n), CustomHexValue[n - 1]);
  }
  Read(s, "HistoryEnabled", HistoryEnabled);
  Read(s, "HistoryListNo", HistoryListNo);
  for (int n = 1; n <= kRecentSlots; ++n) Read(s, Numbered("FileName", n), RecentFiles[n - 1]);

  bool toolBarVisible = true;
  Read(s, "ToolBarVisible", toolBarVisible);
  ToolBar1->setVisible(toolBarVisible);
  int alignment = 0;
  Read(s, "ToolBarAlignment", alignment);
  Bottom1Click(alignment);

  bool wordWrap = false;
  Read(s, "WordWrap", wordWrap);
  VrelMemo1->SetWordWrap(wordWrap);
  ReadFontSettings();

  Read(s, "Highlighting", Highlighting);
  MemoSource1.SetSyntaxParser(Highlighting ? &SyntaxParser1 : nullptr);
  bool highlightUrls = false;
  Read(s, "HighlightUrls", highlightUrls);
  MemoSource1.SetHighlightUrls(highlightUrls);

  for (int i = 0; i < 3; ++i) {
    Read(s, kBrowserNames[i], BrowserNames[i]);
    Read(s, kBrowserLocations[i], BrowserLocations[i]);
  }
  Read(s, "PrimaryBrowser", PrimaryBrowser);
  Read(s, "DisableWarning", DisableWarning);
  Read(s, "AutoSave", AutoSave);
  Read(s, "FileNameSpaces", FileNameSpaces);
  Read(s, "SpaceReplacement", SpaceReplacement);
  Read(s, "LastFolder", LastFolder);
  ReadCurrentFolder();
  Read(s, "TaskbarCaptionType", TaskbarCaptionType);
  Read(s, "ProgramCaptionType", ProgramCaptionType);
  Read(s, "SmartMenuEnabled", SmartMenuEnabled);
  Read(s, "SmartMenuItems", SmartMenuItems);

  N7->setVisible(FillParserMenu());
  // Rich text is not a scheme one can start with.
  Read(s, "CurrentSyntaxScheme", CurrentSyntaxScheme);
  Read(s, "SyntaxSchemeLocation", SyntaxSchemeLocation);
  if (CurrentSyntaxScheme == "RTF") CurrentSyntaxScheme = "Default";
  LoadStoredScheme();

  bool gutter = false, lineNumbers = false;
  Read(s, "Gutter", gutter);
  if (gutter) Read(s, "LineNumbers", lineNumbers);
  TMemoOptions options = VrelMemo1->Options();
  if (gutter) options.Include(moDrawGutter);
  if (lineNumbers) options |= TMemoOptions{moLineNumbers, moLineNumbersOnGutter};
  VrelMemo1->SetOptions(options);

  ToolButton7->setEnabled(Services().Clipboard->HasText());
  if (HistoryEnabled) ShowRecentFiles();
  if (SmartMenuEnabled) RefreshFolderMenus();
}

// "Font" and "FontSize" name the program font: the default attribute of both HTML parsers and
// the view's font.
void TForm1::ReadFontSettings() {
  platform::ISettings& s = *Services().Settings;
  std::optional<std::string> name = s.ReadString("Font");
  std::optional<int32_t> size = s.ReadInteger("FontSize");
  if (size && *size <= 0) size.reset();
  if (!name && !size) return;
  auto change = [&](TFont& font) {
    if (name) font.Name = *name;
    if (size) font.SetSize(*size);
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
  std::string folder;
  Read(*Services().Settings, "SpecifiedFolder", folder);
  if (folder.empty() || folder == std::string(1, kPathSeparator)) {
    folder = Services().Shell->DocumentsFolder();
    if (folder.empty()) folder = FolderOf(Services().Processes->ProgramPath());
  }
  CurrentFolder = AddTrailingBackslash(folder);
  OpenDialog1.InitialDir = CurrentFolder;
  SaveDialog1.InitialDir = CurrentFolder;
}

void TForm1::WriteSettings() {
  platform::ISettings& s = *Services().Settings;
  QRect bounds = isMaximized() ? NormalBounds : QRect(pos(), size());
  s.WriteBool("Maximized", isMaximized());
  s.WriteInteger("Height", bounds.height());
  s.WriteInteger("Width", bounds.width());
  s.WriteInteger("Left", bounds.left());
  s.WriteInteger("Top", bounds.top());
  for (int n = 1; n <= 16; ++n) {
    s.WriteString(Numbered("CustomColorName", n), CustomColorName[n - 1]);
    s.WriteString(Numbered("CustomHexValue", n), CustomHexValue[n - 1]);
  }
  s.WriteBool("HistoryEnabled", HistoryEnabled);
  s.WriteInteger("HistoryListNo", HistoryListNo);
  for (int n = 1; n <= kRecentSlots; ++n) s.WriteString(Numbered("FileName", n), RecentFiles[n - 1]);
  s.WriteBool("ToolBarVisible", !ToolBar1->isHidden());
  s.WriteInteger("ToolBarAlignment", ToolBarAlignment);
  s.WriteBool("WordWrap", VrelMemo1->WordWrap());
  s.WriteString("Font", SyntaxParser1.DefaultAttr().Font.Name);
  s.WriteInteger("FontSize", SyntaxParser1.DefaultAttr().Font.Size());
  s.WriteBool("Highlighting", Highlighting);
  s.WriteBool("HighlightUrls", MemoSource1.HighlightUrls());
  s.WriteString("CurrentSyntaxScheme", CurrentSyntaxScheme);
  s.WriteString("SyntaxSchemeLocation", SyntaxSchemeLocation);
  for (int i = 0; i < 3; ++i) {
    s.WriteString(kBrowserNames[i], BrowserNames[i]);
    s.WriteString(kBrowserLocations[i], BrowserLocations[i]);
  }
  s.WriteInteger("PrimaryBrowser", PrimaryBrowser);
  s.WriteBool("DisableWarning", DisableWarning);
  s.WriteBool("AutoSave", AutoSave);
  s.WriteBool("FileNameSpaces", FileNameSpaces);
  s.WriteString("SpaceReplacement", SpaceReplacement);
  s.WriteBool("LastFolder", LastFolder);
  s.WriteString("SpecifiedFolder", CurrentFolder);
  s.WriteInteger("TaskbarCaptionType", TaskbarCaptionType);
  s.WriteInteger("ProgramCaptionType", ProgramCaptionType);
  s.WriteBool("SmartMenuEnabled", SmartMenuEnabled);
  s.WriteInteger("SmartMenuItems", SmartMenuItems);
  s.WriteBool("Gutter", VrelMemo1->Options().Contains(moDrawGutter));
  s.WriteBool("LineNumbers", VrelMemo1->Options().Contains(moLineNumbers));
  // The search options live in their own part of the store, shared with the search dialogs.
  SaveSearchOptions();
  s.Flush();
}

// ---- Toolbar placement ----

void TForm1::Bottom1Click(int tag) {
  // The tag of the placement item chosen: anything unknown is the top.
  if (tag < 0 || tag > 3) tag = 0;
  ToolBarAlignment = tag;
  Qt::ToolBarArea area = tag == 1 ? Qt::BottomToolBarArea
                         : tag == 2 ? Qt::LeftToolBarArea
                         : tag == 3 ? Qt::RightToolBarArea
                                    : Qt::TopToolBarArea;
  bool visible = !ToolBar1->isHidden();
  addToolBar(area, ToolBar1);  // also turns it upright at the sides
  ToolBar1->setVisible(visible);
  Top1->setChecked(area == Qt::TopToolBarArea);
  Bottom1->setChecked(area == Qt::BottomToolBarArea);
  Left1->setChecked(area == Qt::LeftToolBarArea);
  Right1->setChecked(area == Qt::RightToolBarArea);
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
