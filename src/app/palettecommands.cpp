// The palettes opened from the main window: the colours palette edits the window's 16 custom
// colours, which the Colors menus insert.
#include "app/form1.h"

namespace quorel {

TForm3& TForm1::ColorsPalette() {
  if (!Form3) {
    TColorSlotsOwner owner;
    owner.Names = &Settings.CustomColorName;
    owner.Values = &Settings.CustomHexValue;
    owner.ColorsChanged = &ColorsChanged;
    owner.RefreshColors = [this] { RefreshColorMenus(); };
    owner.ClipboardFilled = [this] { ToolButton7->setEnabled(true); };
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
    owner.ClipboardFilled = [this] { ToolButton7->setEnabled(true); };
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
