// A stretch of a line laid out in screen cells, ready for the view to draw: the bytes shown
// (tabs as spaces), their styles, and which bytes each cell shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tabstops.h"

namespace quorel {

// One column of a row.
struct TCell {
  uint32_t Byte = 0;    // index of the shown character's first byte
  uint32_t Length = 0;  // its bytes, combining marks after it included; 0 for the second cell
                        // of a wide character (and the further cells of a tab, which are spaces)
};

// One cell per column of tab-free text: in Windows-1252 text a cell per byte; in UTF-8 text a
// cell per character (two for a wide one), with the marks that combine with it.
std::vector<TCell> LayOutCells(std::string_view text, bool utf8);

// The part of a line that a row shows from column `origin` on, at most `maxColumns` wide.
struct TShownPart {
  std::string Text;    // tab-free bytes, starting at a character's first byte
  std::string Colors;  // a style byte per byte of Text (empty when `colors` was)
  int Column = 0;      // the column of Text[0]: `origin`, or less when origin is inside a character
  bool ReachesEnd = false;  // Text goes on to the line's end
};
TShownPart ShownPart(std::string_view raw, std::string_view colors, const TCellLayout& layout,
                     int origin, int maxColumns);

}  // namespace quorel
