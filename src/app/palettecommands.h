// The palettes of the main window: the items palette, the colours palette with the 16 custom
// colours that the Colors menus insert, and the image map creator; their commands and windows.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "app/mainparts.h"
#include "codecs/imagetag.h"
#include "imagemap/ui/imagemapform.h"
#include "palettes/ui/colorpalette.h"
#include "palettes/ui/itemspalette.h"

class QAction;

namespace quorel {

class TSyntaxParser;

class TPaletteCommands {
 public:
  // `parser` colours the image map creator's code window like the document.
  TPaletteCommands(TMainParts& parts, TSyntaxParser& parser);
  ~TPaletteCommands();

  // What the palettes ask of the rest of the window.
  std::function<void()> InsertCustomText;
  std::function<void()> EditCustomText;
  std::function<TImageTagOptions()> ImageTagOptions;

  void AddCommands();
  // The items palette, made with the window and kept until it goes; closing it hides it.
  void CreateItemsPalette();
  // The first showing of the window: the colour menus, the items palette where it was.
  void FormShow();
  // The window closes: the items palette's placement is written.
  void FormClose();

  // "Edit Colors", "Colors Palette" (F2): the colours palette, shown modally.
  void EditColors1Click();
  // The colours palette, made on first use; it keeps its sliders between openings.
  TForm3& ColorsPalette();
  // "I&mage Map Creator" and the toolbar's "Image Map": the creator, shown beside the window.
  void ToolButton24Click();
  // "&Items Palette" (F1) and its toolbar button: shows or hides the palette.
  void ItemsPalatte1Click();
  // The palette shrinks to its title when the caret runs under it.
  void ShrinkPaletteUnderCaret();

  // The custom-colour slots shown in the Colors menu and the colour drop-down.
  void RefreshColorMenus();
  // The Colors menus are rebuilt as they open when the slots changed.
  void Color1Click();
  // Inserts the code of colour slot `tag` (1 to 16) at the caret, replacing a selection.
  void MenuColor1Click(int tag);

  std::unique_ptr<TForm2> Form2;
  std::unique_ptr<TForm3> Form3;
  std::unique_ptr<TImageMap> ImageMap;
  // The first 16 items of the Colors menu and of the drop-down, remembered when first shown.
  std::array<QAction*, 16> MenuColorItems{};
  std::array<QAction*, 16> PopupColorItems{};
  // The custom-colour slots changed since the colour menus were last refreshed.
  bool ColorsChanged = false;

 private:
  TMainParts& parts_;
  TSyntaxParser& parser_;
};

}  // namespace quorel
