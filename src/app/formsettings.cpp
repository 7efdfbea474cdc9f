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
#include "search/searchoptions.h"

namespace quorel {

namespace {

const char* const kBrowserNames[] = {"SecondBrowser", "ThirdBrowser", "FourthBrowser"};
const char* const kBrowserLocations[] = {"SecondLocation", "ThirdLocation", "FourthLocation"};

std::string Numbered(const char* name, int n) { return name + std::to_string(n); }

}  // namespace

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
  SearchOptions1.LoadFrom(s);
  int height = 350, width = 500, top = 20, left = 20;
  s.ReadInto("Height", height);
  s.ReadInto("Width", width);
  s.ReadInto("Top", top);
  s.ReadInto("Left", left);
  resize(width, height);
  move(left, top);
  NormalBounds = QRect(left, top, width, height);
  bool maximized = false;
  s.ReadInto("Maximized", maximized);
  setWindowState(maximized ? Qt::WindowMaximized : Qt::WindowNoState);

  for (int n = 1; n <= 16; ++n) {
    s.ReadInto(Numbered("CustomColorName", n), CustomColorName[n - 1]);
    s.ReadInto(Numbered("CustomHexValue", n), CustomHexValue[n - 1]);
  }
  s.ReadInto("HistoryEnabled", HistoryEnabled);
  s.ReadInto("HistoryListNo", HistoryListNo);
  for (int n = 1; n <= kRecentSlots; ++n) s.ReadInto(Numbered("FileName", n), RecentFiles[n - 1]);

  bool toolBarVisible = true;
  s.ReadInto("ToolBarVisible", toolBarVisible);
  ToolBar1->setVisible(toolBarVisible);
  int alignment = 0;
  s.ReadInto("ToolBarAlignment", alignment);
  Bottom1Click(alignment);

  bool wordWrap = false;
  s.ReadInto("WordWrap", wordWrap);
  VrelMemo1->SetWordWrap(wordWrap);
  ReadFontSettings();

  s.ReadInto("Highlighting", Highlighting);
  MemoSource1.SetSyntaxParser(Highlighting ? &SyntaxParser1 : nullptr);
  bool highlightUrls = false;
  s.ReadInto("HighlightUrls", highlightUrls);
  MemoSource1.SetHighlightUrls(highlightUrls);

  for (int i = 0; i < 3; ++i) {
    s.ReadInto(kBrowserNames[i], BrowserNames[i]);
    s.ReadInto(kBrowserLocations[i], BrowserLocations[i]);
  }
  s.ReadInto("PrimaryBrowser", PrimaryBrowser);
  s.ReadInto("DisableWarning", DisableWarning);
  s.ReadInto("AutoSave", AutoSave);
  s.ReadInto("FileNameSpaces", FileNameSpaces);
  s.ReadInto("SpaceReplacement", SpaceReplacement);
  s.ReadInto("LastFolder", LastFolder);
  ReadCurrentFolder();
  s.ReadInto("TaskbarCaptionType", TaskbarCaptionType);
  s.ReadInto("ProgramCaptionType", ProgramCaptionType);
  s.ReadInto("SmartMenuEnabled", SmartMenuEnabled);
  s.ReadInto("SmartMenuItems", SmartMenuItems);

  N7->setVisible(FillParserMenu());
  // Rich text is not a scheme one can start with.
  s.ReadInto("CurrentSyntaxScheme", CurrentSyntaxScheme);
  s.ReadInto("SyntaxSchemeLocation", SyntaxSchemeLocation);
  if (CurrentSyntaxScheme == "RTF") CurrentSyntaxScheme = "Default";
  LoadStoredScheme();

  bool gutter = false, lineNumbers = false;
  s.ReadInto("Gutter", gutter);
  if (gutter) s.ReadInto("LineNumbers", lineNumbers);
  TMemoOptions options = VrelMemo1->Options();
  if (gutter) options.Include(moDrawGutter);
  if (lineNumbers) options |= TMemoOptions{moLineNumbers, moLineNumbersOnGutter};
  VrelMemo1->SetOptions(options);

  ToolButton7->setEnabled(services_.Clipboard->HasText());
  if (HistoryEnabled) ShowRecentFiles();
  if (SmartMenuEnabled) RefreshFolderMenus();
}

// "Font" and "FontSize" name the program font: the default attribute of both HTML parsers and
// the view's font.
void TForm1::ReadFontSettings() {
  platform::ISettings& s = *services_.Settings;
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
  services_.Settings->ReadInto("SpecifiedFolder", folder);
  if (folder.empty() || folder == std::string(1, kPathSeparator)) {
    folder = services_.Shell->DocumentsFolder();
    if (folder.empty()) folder = FolderOf(services_.Processes->ProgramPath());
  }
  CurrentFolder = AddTrailingBackslash(folder);
  OpenDialog1.InitialDir = CurrentFolder;
  SaveDialog1.InitialDir = CurrentFolder;
}

void TForm1::WriteSettings() {
  platform::ISettings& s = *services_.Settings;
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
  for (int n = 1; n <= kRecentSlots; ++n)
    s.WriteString(Numbered("FileName", n), RecentFiles[n - 1]);
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
  SearchOptions1.SaveTo(s);
  s.Flush();
}

// ---- Toolbar placement ----

void TForm1::Bottom1Click(int tag) {
  // The tag of the placement item chosen: anything unknown is the top.
  if (tag < 0 || tag > 3) tag = 0;
  ToolBarAlignment = tag;
  Qt::ToolBarArea area = tag == 1   ? Qt::BottomToolBarArea
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
