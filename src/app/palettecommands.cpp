// The palettes opened from the main window: the colours palette edits the window's 16 custom
// colours, which the Colors menus insert.
#include "app/form1.h"

namespace quorel {

TForm3& TForm1::ColorsPalette() {
  if (!Form3) {
    TColorSlotsOwner owner;
    owner.Names = &CustomColorName;
    owner.Values = &CustomHexValue;
    owner.ColorsChanged = &ColorsChanged;
    owner.RefreshColors = [this] { RefreshColorMenus(); };
    owner.ClipboardFilled = [this] { ToolButton7->setEnabled(true); };
    Form3 = std::make_unique<TForm3>(this, services_, std::move(owner));
  }
  return *Form3;
}

void TForm1::EditColors1Click() { ColorsPalette().Execute(); }

}  // namespace quorel
