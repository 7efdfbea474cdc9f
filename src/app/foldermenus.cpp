// The main window's recent-file list at the end of the File menu, its current folder, and the
// three folder menus that list the documents and pictures there.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <algorithm>

#include "app/form1.h"
#include "app/recentfiles.h"
#include "engine/casemap.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/services.h"

namespace quorel {

namespace {

// Folder listings let the window repaint after this many entries (user input waits, so that no
// command runs while the menus are half built).
constexpr int kEntriesBetweenEvents = 256;

// The file name a generated menu item stands for (kept apart from its caption).
std::string ItemFile(const QAction* item) { return item->data().toByteArray().toStdString(); }

// Removes every item from position 2 on (after the folder item and its separator). The items
// are freed later: the menus are rebuilt from the click handler of one of them.
void ClearFileItems(QMenu* menu) {
  QList<QAction*> items = menu->actions();
  for (qsizetype i = 2; i < items.size(); ++i) {
    menu->removeAction(items[i]);
    items[i]->deleteLater();
  }
}

int FileItemCount(const QMenu* menu) { return static_cast<int>(menu->actions().size()) - 2; }

}  // namespace

QString MenuText(const std::string& text) {
  return QFile::decodeName(text.c_str()).replace('&', "&&");
}

QAction* TForm1::RecentItem(int slot) const {
  return Commands["FileName" + std::to_string(slot + 1)];
}

// ---- Recent files ----

void TForm1::AddToRecentFiles() {
  if (!Settings.HistoryEnabled || !HasDocumentName()) return;
  PushRecentFile(RecentFiles, DocumentName);
  ShowRecentFiles();
}

void TForm1::ShowRecentFiles() {
  if (!Settings.HistoryEnabled) return;
  for (int i = 0; i < kRecentSlots; ++i) {
    QAction* item = RecentItem(i);
    item->setText(MenuText(RecentFiles[i]));
    bool shown = i < Settings.HistoryListNo && !RecentFiles[i].empty();
    item->setVisible(shown);
    if (shown) ShortenRecentCaption(item);
  }
  Commands["FileSep3"]->setVisible(!RecentFiles[0].empty());
}

void TForm1::ShortenRecentCaption(QAction* item) {
  const std::string& full = RecentFiles[item->data().toInt() - 1];
  item->setToolTip(QFile::decodeName(full.c_str()));
  item->setStatusTip(item->toolTip());
  QFontMetrics metrics(Label1->font());
  auto width = [&](const std::string& text) {
    return metrics.horizontalAdvance(QFile::decodeName(text.c_str()));
  };
  item->setText(MenuText(ShortenedCaption(full, width)));
}

void TForm1::FileName1Click(QAction* item) {
  std::string entry = RecentFiles[item->data().toInt() - 1];
  if (services_.Shell->CtrlDown()) {
    if (!StartNewInstance(services_.Processes->ShortPath(entry), true))
      Warn("Unable to open file in a new window!!");
    return;
  }
  if (!services_.Files->Exists(entry))
    Warn("File Does Not Exist  -  " + entry);
  else if (AskToSave("Do you wish to save this file? - \r\r"))
    OpenDocument(entry);
  AddToRecentFiles();
}

// ---- The current folder and the folder menus ----

void TForm1::UpdateFolders(bool fromSave, bool fromOpen) {
  std::string old = CurrentFolder;
  if (fromSave && Settings.LastFolder) CurrentFolder = FolderOf(SaveDialog1.FileName);
  if (fromOpen && Settings.LastFolder) CurrentFolder = FolderOf(OpenDialog1.FileName);
  CurrentFolder = AddTrailingBackslash(CurrentFolder);
  OpenDialog1.InitialDir = CurrentFolder;
  SaveDialog1.InitialDir = CurrentFolder;
  if (CurrentFolder != old && Settings.SmartMenuEnabled) RefreshFolderMenus();
}

std::vector<std::string> TForm1::ListFolderFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::string path = folder;
  if (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
  if (path.empty()) return names;
  services_.Files->ListFiles(path, [&](const std::string& name) {
    names.push_back(name);
    if (names.size() % kEntriesBetweenEvents == 0)
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  return names;
}

void TForm1::RefreshFolderMenus() {
  std::string images = CurrentFolder + "images" + kPathSeparator;
  Commands["none1"]->setText(MenuText(CurrentFolder));
  Commands["none2"]->setText(MenuText(CurrentFolder));
  Commands["none3"]->setText(MenuText(images));
  for (QMenu* menu :
       {Commands.Menu("SameFolder1"), Commands.Menu("CurrentFolder1"), Commands.Menu("images2")})
    ClearFileItems(menu);

  auto addItem = [](QMenu* menu, const std::string& name) {
    QAction* item = menu->addAction(MenuText(name));
    item->setData(QByteArray::fromStdString(name));
  };
  std::vector<std::string> names = ListFolderFiles(CurrentFolder);
  SortCaseInsensitive(names);
  for (const std::string& name : names) {
    if (IsDocumentFile(name) &&
        FileItemCount(Commands.Menu("SameFolder1")) < Settings.SmartMenuItems)
      addItem(Commands.Menu("SameFolder1"), name);
    if (IsImageFile(name) &&
        FileItemCount(Commands.Menu("CurrentFolder1")) < Settings.SmartMenuItems)
      addItem(Commands.Menu("CurrentFolder1"), name);
  }
  bool hasImages = !CurrentFolder.empty() && services_.Files->IsFolder(images);
  Commands["none3"]->setEnabled(hasImages);
  if (hasImages) {
    names = ListFolderFiles(images);
    SortCaseInsensitive(names);
    for (const std::string& name : names)
      if (IsImageFile(name) &&
          FileItemCount(Commands.Menu("images2")) < Settings.SmartMenuItems - 1)
        addItem(Commands.Menu("images2"), name);
  }
  Commands["N10"]->setVisible(FileItemCount(Commands.Menu("SameFolder1")) > 0);
  Commands["N11"]->setVisible(FileItemCount(Commands.Menu("CurrentFolder1")) > 0);
  Commands["N12"]->setVisible(FileItemCount(Commands.Menu("images2")) > 0);
}

void TForm1::none1Click(QAction* item) {
  if (item == Commands["none1"]) {  // the folder itself
    services_.Shell->Open(CurrentFolder);
    return;
  }
  std::string file = CurrentFolder + ItemFile(item);
  if (services_.Shell->CtrlDown()) {
    if (!StartNewInstance(services_.Processes->ShortPath(file), true))
      Warn("Unable to open file in a new window!!");
    return;
  }
  if (AskToSave("Do you wish to save this file?\r\r")) OpenDocument(file);
}

}  // namespace quorel
