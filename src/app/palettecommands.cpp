// The palettes opened from the main window: the colours palette edits the window's 16 custom
// colours, which the Colors menus insert.
#include "app/palettecommands.h"

#include <QAction>

#include "platform/settings.h"
#include "syntax/syntaxparser.h"
#include "view/vrelmemo.h"

namespace quorel {

TPaletteCommands::TPaletteCommands(TMainParts& parts, TSyntaxParser& parser)
    : parts_(parts), parser_(parser) {}

TPaletteCommands::~TPaletteCommands() = default;

void TPaletteCommands::AddCommands() {
  TCommandTable& c = parts_.Commands;
  auto itemsShown = [this] { return Form2 && Form2->isVisible(); };
  c.Add({.Name = "ItemsPalatte1",
         .Caption = "&Items Palette",
         .Shortcut = "F1",
         .Checkable = true,
         .Run = [this] { ItemsPalatte1Click(); },
         .Checked = itemsShown});
  c.Add({.Name = "ToolButton18",
         .Caption = "Items Palette",
         .Hint = "Items Palette",
         .Image = 11,
         .Run = [this] { ItemsPalatte1Click(); }});
  auto editColors = [this] { EditColors1Click(); };
  c.Add({.Name = "EditColors1", .Caption = "Edit Colors", .Shortcut = "F2", .Run = editColors});
  c.Add({.Name = "EditColors2", .Caption = "Edit Colors", .Run = editColors});
  c.Add({.Name = "EditColors3", .Caption = "&Colors Palette", .Shortcut = "F2", .Run = editColors});
  c.Add({.Name = "ToolButton20",
         .Caption = "Colors Palette",
         .Hint = "Color Palette",
         .Image = 12,
         .Run = editColors});
  auto imageMap = [this] { ToolButton24Click(); };
  c.Add({.Name = "ImageMap1", .Caption = "I&mage Map Creator", .Run = imageMap});
  c.Add({.Name = "ImageMapCreator1", .Caption = "I&mage Map Creator", .Run = imageMap});
  c.Add({.Name = "ToolButton24",
         .Caption = "Image Map",
         .Hint = "Image Map Creator",
         .Image = 15,
         .Run = imageMap});
  // The custom colours: the Colors menu's items (Ctrl+F1 to Ctrl+F12 for the first twelve) and
  // the drop-down's, captioned and shown when the slots are named.
  for (int n = 1; n <= 16; ++n) {
    QString pop = n < 10 ? QString("&%1 ").arg(n) : n == 10 ? QString("1&0 ") : QString::number(n);
    c.Add({.Name = "MenuColor" + std::to_string(n),
           .Shortcut = n <= 12 ? QString("Ctrl+F%1").arg(n) : QString(),
           .Data = n,
           .Run = [this, n] { MenuColor1Click(n); }});
    c.Add({.Name = "MenuColorPop" + std::to_string(n),
           .Caption = pop,
           .Visible = false,
           .Data = n,
           .Run = [this, n] { MenuColor1Click(n); }});
  }
}

TForm3& TPaletteCommands::ColorsPalette() {
  if (!Form3) {
    TColorSlotsOwner owner;
    owner.Names = &parts_.Settings.CustomColorName;
    owner.Values = &parts_.Settings.CustomHexValue;
    owner.ColorsChanged = &ColorsChanged;
    owner.RefreshColors = [this] { RefreshColorMenus(); };
    owner.ClipboardFilled = [this] { parts_.Commands.Refresh(); };
    Form3 = std::make_unique<TForm3>(&parts_.Window, parts_.Services, std::move(owner));
  }
  return *Form3;
}

void TPaletteCommands::EditColors1Click() { ColorsPalette().Execute(); }

void TPaletteCommands::CreateItemsPalette() {
  TItemsPaletteOwner owner;
  owner.View = &parts_.View;
  owner.ColorNames = &parts_.Settings.CustomColorName;
  owner.ColorValues = &parts_.Settings.CustomHexValue;
  owner.InsertCustomText = [this] { InsertCustomText(); };
  owner.EditCustomText = [this] { EditCustomText(); };
  owner.EditColors = [this] { EditColors1Click(); };
  Form2 =
      std::make_unique<TForm2>(&parts_.Window, parts_.Services, parts_.SideFiles, std::move(owner));
  Form2->FormCreate();
}

void TPaletteCommands::ToolButton24Click() {
  if (!ImageMap) {
    TImageMapOwner owner;
    owner.MainWindow = &parts_.Window;
    owner.View = &parts_.View;
    owner.Parser = &parser_;
    owner.ItemsPalette = Form2.get();
    owner.TagOptions = [this] { return ImageTagOptions(); };
    owner.CurrentFolder = [this] { return parts_.CurrentFolder(); };
    owner.ClipboardFilled = [this] { parts_.Commands.Refresh(); };
    ImageMap = std::make_unique<TImageMap>(&parts_.Window, parts_.Services, std::move(owner));
  }
  ImageMap->show();
  ImageMap->raise();
}

void TPaletteCommands::ItemsPalatte1Click() { Form2->setVisible(!Form2->isVisible()); }

void TPaletteCommands::ShrinkPaletteUnderCaret() {
  TVrelMemo& view = parts_.View;
  if (!Form2 || !view.isVisible()) return;
  Form2->ShrinkIfOver(view.viewport()->mapToGlobal(view.CaretToClient()));
}

// ---- The custom colours in the Colors menus ----

void TPaletteCommands::RefreshColorMenus() {
  TCommandTable& c = parts_.Commands;
  const TMainSettings& settings = parts_.Settings;
  for (size_t i = 0; i < 16; ++i) {
    if (!MenuColorItems[i] || !PopupColorItems[i]) continue;
    QString name = QString::fromStdString(settings.CustomColorName[i]);
    MenuColorItems[i]->setText(name);
    PopupColorItems[i]->setText(name);
    bool used = !settings.CustomColorName[i].empty();
    PopupColorItems[i]->setVisible(used);
    MenuColorItems[i]->setVisible(used);
    // The separators are shown once a colour is in use and never hidden again here.
    if (used) c["MenuColorSep1"]->setVisible(true);
  }
  c["ColorMenuPopSep1"]->setVisible(c["MenuColorSep1"]->isVisible());
  if (Form2) Form2->RebuildCustomColorsBranch();
  ColorsChanged = false;
}

void TPaletteCommands::Color1Click() {
  if (ColorsChanged) RefreshColorMenus();
}

void TPaletteCommands::MenuColor1Click(int tag) {
  if (tag < 1 || tag > 16) return;
  parts_.View.InsertText(parts_.Settings.CustomHexValue[static_cast<size_t>(tag - 1)]);
}

void TPaletteCommands::FormShow() {
  for (size_t i = 0; i < 16; ++i) {
    MenuColorItems[i] = parts_.Commands["MenuColor" + std::to_string(i + 1)];
    PopupColorItems[i] = parts_.Commands["MenuColorPop" + std::to_string(i + 1)];
  }
  ColorsChanged = true;
  RefreshColorMenus();
  if (Form2->VisibleAtStart) Form2->show();
}

void TPaletteCommands::FormClose() {
  Form2->SavePalettePlacement();
  // The image map creator hides the palette only while it is open.
  if (ImageMap && ImageMap->isVisible())
    parts_.Services.Settings->WriteBool("ItemsVisible", ImageMap->SavedItemsVisible);
}

}  // namespace quorel
