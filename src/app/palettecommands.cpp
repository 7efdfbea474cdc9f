// The palettes opened from the main window: the colours palette edits the window's 16 custom
// colours, which the Colors menus insert.
#include "app/form1.h"

namespace quorel {

void TForm1::AddPaletteCommands() {
  TCommandTable& c = Commands;
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

TForm3& TForm1::ColorsPalette() {
  if (!Form3) {
    TColorSlotsOwner owner;
    owner.Names = &Settings.CustomColorName;
    owner.Values = &Settings.CustomHexValue;
    owner.ColorsChanged = &ColorsChanged;
    owner.RefreshColors = [this] { RefreshColorMenus(); };
    owner.ClipboardFilled = [this] { Commands.Refresh(); };
    Form3 = std::make_unique<TForm3>(this, services_, std::move(owner));
  }
  return *Form3;
}

void TForm1::EditColors1Click() { ColorsPalette().Execute(); }

void TForm1::CreateItemsPalette() {
  TItemsPaletteOwner owner;
  owner.View = VrelMemo1;
  owner.ColorNames = &Settings.CustomColorName;
  owner.ColorValues = &Settings.CustomHexValue;
  owner.InsertCustomText = [this] { ToolButton8Click(); };
  owner.EditCustomText = [this] { ToolButton12Click(); };
  owner.EditColors = [this] { EditColors1Click(); };
  Form2 = std::make_unique<TForm2>(this, services_, SideFiles, std::move(owner));
  Form2->FormCreate();
}

void TForm1::ToolButton24Click() {
  if (!ImageMap) {
    TImageMapOwner owner;
    owner.MainWindow = this;
    owner.View = VrelMemo1;
    owner.Parser = &SyntaxParser1;
    owner.ItemsPalette = Form2.get();
    owner.TagOptions = [this] { return ImageTagOptions(); };
    owner.CurrentFolder = [this] { return CurrentFolder; };
    owner.ClipboardFilled = [this] { Commands.Refresh(); };
    ImageMap = std::make_unique<TImageMap>(this, services_, std::move(owner));
  }
  ImageMap->show();
  ImageMap->raise();
}

void TForm1::ItemsPalatte1Click() { Form2->setVisible(!Form2->isVisible()); }

void TForm1::ShrinkPaletteUnderCaret() {
  if (!Form2 || !VrelMemo1->isVisible()) return;
  Form2->ShrinkIfOver(VrelMemo1->viewport()->mapToGlobal(VrelMemo1->CaretToClient()));
}

}  // namespace quorel
