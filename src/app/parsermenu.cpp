// The Parser submenu: the schemes of the program's Syntax folder, the choice among them, and the
// stored scheme brought back at start.
#include <QAction>
#include <QMenu>

#include "app/form1.h"
#include "app/recentfiles.h"
#include "engine/vrelerror.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/services.h"

namespace quorel {

namespace {

// Parser submenu positions 0..4 are fixed: None, a separator, Default, Rich Text Format and the
// separator before the scheme items.
constexpr int kFirstSchemeItem = 5;

}  // namespace

std::string TForm1::SyntaxFolder() const {
  return FolderOf(services_.Processes->ProgramPath()) + "Syntax" + kPathSeparator;
}

bool TForm1::FillParserMenu() {
  QList<QAction*> items = Commands.Menu("Parser1")->actions();
  for (qsizetype i = kFirstSchemeItem; i < items.size(); ++i) {
    Commands.Menu("Parser1")->removeAction(items[i]);
    delete items[i];
  }
  bool added = false;
  std::string folder = SyntaxFolder();
  if (services_.Files->IsFolder(folder)) {
    // Listed in name order so that the menu is the same on every file system.
    std::vector<std::string> names = ListFolderFiles(folder);
    SortCaseInsensitive(names);
    for (const std::string& name : names) {
      std::string path = folder + name;
      // A file that is not a scheme stays out of the menu (the reader has said why).
      try {
        SyntaxParser2.SyntaxScheme().LoadFromFile(path, services_);
      } catch (const EVrelError&) {
        continue;
      }
      QAction* item =
          Commands.Menu("Parser1")->addAction(MenuText(SyntaxParser2.SyntaxScheme().Name));
      item->setCheckable(true);
      item->setData(QString::fromStdString(SyntaxParser2.SyntaxScheme().Name));
      item->setToolTip(QString::fromLocal8Bit(path.c_str()));
      item->setStatusTip(item->toolTip());
      connect(item, &QAction::triggered, this, [this, item] { RichTextFormat1Click(item); });
      added = true;
    }
  }
  SyntaxParser1.SyntaxScheme().Assign(DefaultParser.SyntaxScheme());
  return added;
}

std::string TForm1::SchemeCaption(const QAction* item) {
  return item->data().toString().toStdString();
}

std::string TForm1::SchemePath(const QAction* item) {
  return item->toolTip().toLocal8Bit().toStdString();
}

void TForm1::RestoreDefaultScheme() {
  SyntaxParser1.SyntaxScheme().Assign(DefaultParser.SyntaxScheme());
  Settings.CurrentSyntaxScheme = "Default";
  Settings.SyntaxSchemeLocation = "Default";
}

// The scheme stored at the last close, when highlighting is on and it is not the built-in one.
// A file that is gone, unreadable or now holds a scheme of another name brings back the built-in
// scheme.
void TForm1::LoadStoredScheme() {
  if (!Settings.Highlighting || Settings.CurrentSyntaxScheme == "Default") return;
  try {
    SyntaxParser1.SyntaxScheme().LoadFromFile(Settings.SyntaxSchemeLocation, services_);
    if (SyntaxParser1.SyntaxScheme().Name != Settings.CurrentSyntaxScheme) RestoreDefaultScheme();
  } catch (const EVrelError&) {
    RestoreDefaultScheme();
  }
}

// A scheme item: highlighting with the scheme of the item's file.
void TForm1::RichTextFormat1Click(QAction* item) {
  Settings.Highlighting = true;
  if (MemoSource1.SyntaxParser() != &SyntaxParser1) MemoSource1.SetSyntaxParser(&SyntaxParser1);
  for (QAction* other : Commands.Menu("Parser1")->actions()) other->setChecked(false);
  std::string path = SchemePath(item);
  if (!services_.Files->IsFile(path)) {
    Warn("Unable to find syntax parser file!!(4)");
  } else {
    try {
      SyntaxParser1.SyntaxScheme().LoadFromFile(path, services_);
      Settings.CurrentSyntaxScheme = SchemeCaption(item);
      Settings.SyntaxSchemeLocation = path;
      if (SyntaxParser1.SyntaxScheme().Name != Settings.CurrentSyntaxScheme) {
        // The file was changed since the menu was filled.
        RestoreDefaultScheme();
        Commands["Default1"]->setChecked(true);
      } else {
        item->setChecked(true);
      }
    } catch (const EVrelError&) {
      Warn("Unable to assign syntax parser!!(2)");
      RestoreDefaultScheme();
      Commands["Default1"]->setChecked(true);
    }
  }
  SyntaxParser1.SyntaxScheme().Changed();
}

}  // namespace quorel

namespace quorel {

void TForm1::EditWorkingScheme(TSyntaxEdForm& editor) {
  editor.TextStyleNames.clear();
  for (const TTextStyle& style : VrelMemo1->TextStyles.Items)
    editor.TextStyleNames.push_back(style.Name);
  editor.EditScheme(SyntaxParser1.SyntaxScheme());
}

void TForm1::SchemeEditor1Click() {
  if (!SyntaxEdForm1) {
    SyntaxEdForm1 = std::make_unique<TSyntaxEdForm>(services_, this);
    SyntaxEdForm1->setWindowFlags(Qt::Window);
    SyntaxEdForm1->resize(1040, 600);
    SyntaxEdForm1->OnClose = [this](bool) { SyntaxEdForm1->hide(); };
  }
  EditWorkingScheme(*SyntaxEdForm1);
  SyntaxEdForm1->show();
  SyntaxEdForm1->raise();
}

}  // namespace quorel
