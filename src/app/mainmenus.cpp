// The Edit, Colors, Highlighting, View and Window menus, the colour drop-down, and the menu
// shortcuts that refresh their menu before running.
#include <QAction>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <set>

#include "app/form1.h"

namespace quorel {

QAction* MenuItem(QMenu* menu, const char* caption, const char* shortcut) {
  QAction* a = menu->addAction(caption);
  if (shortcut) a->setShortcut(QKeySequence(shortcut));
  return a;
}

void TForm1::CreateEditMenu() {
  Edit1 = new QMenu("&Edit", this);
  menuBar()->insertMenu(Images1->menuAction(), Edit1);
  Undo1 = MenuItem(Edit1, "&Undo", "Ctrl+Z");
  Redo1 = MenuItem(Edit1, "&Redo", "Ctrl+R");
  Edit1->addSeparator();
  Cut1 = MenuItem(Edit1, "Cu&t", "Ctrl+X");
  Copy1 = MenuItem(Edit1, "&Copy", "Ctrl+C");
  Paste1 = MenuItem(Edit1, "&Paste", "Ctrl+V");
  SelectAll1 = MenuItem(Edit1, "&Select All", "Ctrl+A");
  ViewClipboard1 = MenuItem(Edit1, "&View Clipboard");
  Edit1->addSeparator();
  Find1 = MenuItem(Edit1, "&Find...", "Ctrl+F");
  FindNext1 = MenuItem(Edit1, "F&ind Next", "F3");
  Replace1 = MenuItem(Edit1, "R&eplace", "Ctrl+Shift+R");
  GotoLine1 = MenuItem(Edit1, "Goto Line", "Ctrl+J");
  Edit1->addSeparator();
  Wrap1 = MenuItem(Edit1, "&Wrap", "Ctrl+W");
  Wrap1->setCheckable(true);
  ProgramFontSize1 = Edit1->addMenu("&Program Font Size");
  const char* sizeKeys[7] = {"Shift+F8",  "Shift+F9", "Ctrl+F10", "Ctrl+F11",
                             "Shift+F12", nullptr,    nullptr};
  for (int i = 0; i < 7; ++i) {
    QString caption = QString("%1pt").arg(8 + i);
    FontSizeItems[i] = MenuItem(ProgramFontSize1, caption.toLatin1().constData(), sizeKeys[i]);
    FontSizeItems[i]->setData(8 + i);
    FontSizeItems[i]->setCheckable(true);
  }
  ProgramFont1 = MenuItem(Edit1, "Pr&ogram Font");
  for (QAction* item : {Find1, FindNext1, Replace1}) item->setEnabled(false);

  connect(Edit1, &QMenu::aboutToShow, this, [this] { Edit1Click(); });
  connect(ProgramFontSize1, &QMenu::aboutToShow, this, [this] { ProgramFontSize1Click(); });
  connect(Undo1, &QAction::triggered, this, [this] { MemoSource1.Undo(); });
  connect(Redo1, &QAction::triggered, this, [this] { MemoSource1.Redo(); });
  connect(Cut1, &QAction::triggered, this, [this] { Cut1Click(); });
  connect(Copy1, &QAction::triggered, this, [this] { Copy1Click(); });
  connect(Paste1, &QAction::triggered, this, [this] { VrelMemo1->PasteFromClipboard(); });
  connect(SelectAll1, &QAction::triggered, this, [this] { SelectAll1Click(); });
  connect(GotoLine1, &QAction::triggered, this, [this] { GotoLine1Click(); });
  connect(Find1, &QAction::triggered, this, [this] { Find1Click(); });
  connect(FindNext1, &QAction::triggered, this, [this] { FindNext1Click(); });
  connect(Replace1, &QAction::triggered, this, [this] { Replace1Click(); });
  connect(Wrap1, &QAction::triggered, this, [this] { Wrap1Click(); });
  connect(ProgramFont1, &QAction::triggered, this, [this] { ProgramFont1Click(); });
  connect(ViewClipboard1, &QAction::triggered, this, [this] { ViewClipboard1Click(); });
  for (QAction* size : FontSizeItems)
    connect(size, &QAction::triggered, this, [this, size] { N8pt1Click(size); });
}

void TForm1::CreateColorsMenu() {
  Color1 = new QMenu("&Colors", this);
  menuBar()->insertMenu(HighLighting1->menuAction(), Color1);
  PopupMenu1 = new QMenu(this);
  for (int i = 0; i < 16; ++i) {
    MenuColor[i] = Color1->addAction(QString());
    MenuColor[i]->setData(i + 1);
    if (i < 12) MenuColor[i]->setShortcut(QKeySequence(QString("Ctrl+F%1").arg(i + 1)));
    QString popCaption = i < 9    ? QString("&%1 ").arg(i + 1)
                         : i == 9 ? QString("1&0 ")
                                  : QString::number(i + 1);
    MenuColorPop[i] = PopupMenu1->addAction(popCaption);
    MenuColorPop[i]->setData(i + 1);
    MenuColorPop[i]->setVisible(false);
    for (QAction* item : {MenuColor[i], MenuColorPop[i]})
      connect(item, &QAction::triggered, this, [this, i] { MenuColor1Click(i + 1); });
  }
  MenuColorSep1 = Color1->addSeparator();
  MenuColorSep1->setVisible(false);
  EditColors1 = MenuItem(Color1, "Edit Colors", "F2");
  ColorMenuPopSep1 = PopupMenu1->addSeparator();
  ColorMenuPopSep1->setVisible(false);
  EditColors2 = PopupMenu1->addAction("Edit Colors");
  for (QAction* entry : {EditColors1, EditColors2})
    connect(entry, &QAction::triggered, this, [this] { EditColors1Click(); });
  connect(ToolButton20, &QAction::triggered, this, [this] { EditColors1Click(); });
  connect(Color1, &QMenu::aboutToShow, this, [this] { Color1Click(); });
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { Color1Click(); });
  // The "Colors Palette" button drops the colour menu down from its arrow.
  if (auto* button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(ToolButton20))) {
    button->setMenu(PopupMenu1);
    button->setPopupMode(QToolButton::MenuButtonPopup);
  }
}

void TForm1::CreateHighlightingMenu() {
  HighLighting1 = new QMenu("&Highlighting", this);
  menuBar()->insertMenu(Images1->menuAction(), HighLighting1);
  HighlightUrls1 = MenuItem(HighLighting1, "&Clickable Urls");
  HighlightUrls1->setCheckable(true);
  Parser1 = HighLighting1->addMenu("&Parser");
  None4 = MenuItem(Parser1, "&None");
  N6 = Parser1->addSeparator();
  Default1 = MenuItem(Parser1, "Default");
  RichTextFormat1 = MenuItem(Parser1, "Rich Text Format");
  RichTextFormat1->setEnabled(false);  // only its check mark tells that an RTF file is loaded
  N7 = Parser1->addSeparator();
  N7->setVisible(false);
  for (QAction* item : {None4, Default1, RichTextFormat1}) item->setCheckable(true);
  connect(HighLighting1, &QMenu::aboutToShow, this, [this] { HighLighting1Click(); });
  connect(Parser1, &QMenu::aboutToShow, this, [this] { Parser1Click(); });
  connect(HighlightUrls1, &QAction::triggered, this, [this] { HighlightUrls1Click(); });
  connect(None4, &QAction::triggered, this, [this] { None4Click(); });
  connect(Default1, &QAction::triggered, this, [this] { Default1Click(); });
  HighLighting1->addSeparator();
  SchemeEditor1 = MenuItem(HighLighting1, "Scheme &Editor...");
  connect(SchemeEditor1, &QAction::triggered, this, [this] { SchemeEditor1Click(); });
}

void TForm1::CreateViewMenu() {
  View1 = new QMenu("&View", this);
  menuBar()->insertMenu(Images1->menuAction(), View1);
  ItemsPalatte1 = MenuItem(View1, "&Items Palette", "F1");
  EditColors3 = MenuItem(View1, "&Colors Palette", "F2");
  connect(EditColors3, &QAction::triggered, this, [this] { EditColors1Click(); });
  ImageMap1 = MenuItem(View1, "I&mage Map Creator");
  connect(ImageMap1, &QAction::triggered, this, [this] { ToolButton24Click(); });
  View1->addSeparator();
  SplitView1 = MenuItem(View1, "Split View");
  ShowGutter1 = MenuItem(View1, "&Gutter");
  ShowLineNumbers1 = MenuItem(View1, "    &Line Numbers");
  ShowLineNumbers1->setEnabled(false);
  Toolbar2 = MenuItem(View1, "&Toolbar");
  for (QAction* item : {ItemsPalatte1, SplitView1, ShowGutter1, ShowLineNumbers1, Toolbar2})
    item->setCheckable(true);
  connect(View1, &QMenu::aboutToShow, this, [this] { View1Click(); });
  connect(ItemsPalatte1, &QAction::triggered, this, [this] { ItemsPalatte1Click(); });
  connect(ShowGutter1, &QAction::triggered, this, [this] { ShowGutter1Click(); });
  connect(SplitView1, &QAction::triggered, this, [this] { SplitView1Click(); });
  connect(ShowLineNumbers1, &QAction::triggered, this, [this] { ShowLineNumbers1Click(); });
  connect(Toolbar2, &QAction::triggered, this, [this] { Hide1Click(); });
}

void TForm1::CreateWindowMenu() {
  Window1 = menuBar()->addMenu("&Window");
  Help1 = MenuItem(Window1, "&Help", "Ctrl+H");
  About1 = MenuItem(Window1, "&About", "Ctrl+I");
  connect(About1, &QAction::triggered, this, [this] { About1Click(); });
  // The rest of the Images menu: picking any picture and the image map creator.
  InsertOther1 = MenuItem(Images1, "Insert &Other");
  connect(InsertOther1, &QAction::triggered, this, [this] { InsertOther1Click(); });
  N9 = Images1->addSeparator();
  ImageMapCreator1 = MenuItem(Images1, "I&mage Map Creator");
  connect(ImageMapCreator1, &QAction::triggered, this, [this] { ToolButton24Click(); });
}

// A shortcut refreshes the menus that hold its item, as opening them would, and then runs the
// item only when it is still enabled. The first item to claim a key keeps it: the font sizes
// Ctrl+F10 and Ctrl+F11 come before the colours of the same keys.
void TForm1::WireMenuShortcuts() {
  std::set<QKeySequence> claimed;
  std::function<void(QMenu*, std::vector<QMenu*>)> walk = [&](QMenu* menu,
                                                              std::vector<QMenu*> chain) {
    chain.push_back(menu);
    for (QAction* item : menu->actions()) {
      if (QMenu* sub = item->menu()) {
        walk(sub, chain);
        continue;
      }
      QKeySequence key = item->shortcut();
      if (key.isEmpty()) continue;
      if (!claimed.insert(key).second) {
        item->setShortcutContext(Qt::WidgetShortcut);
        continue;
      }
      auto run = [item, chain] {
        for (QMenu* m : chain) emit m->aboutToShow();
        if (item->isEnabled()) item->trigger();
      };
      menuShortcuts_[key] = run;
      auto* shortcut = new QShortcut(key, this);
      item->setShortcutContext(Qt::WidgetShortcut);
      connect(shortcut, &QShortcut::activated, this, run);
    }
  };
  for (QAction* top : menuBar()->actions())
    if (QMenu* menu = top->menu()) walk(menu, {});
}

bool TForm1::RunMenuShortcut(const QKeyEvent& key) {
  QKeyCombination combination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key()));
  auto found = menuShortcuts_.find(QKeySequence(combination));
  if (found == menuShortcuts_.end()) return false;
  // Copied first: the item may rebuild the menus and so the table.
  std::function<void()> run = found->second;
  run();
  return true;
}

}  // namespace quorel
