// What a print job prints: the option set a view keeps between prints (bit n is option n).
#pragma once

#include "engine/enumset.h"

namespace quorel {

enum TVrelPrintOption {
  poWrapLines,     // long lines wrap at the page width
  poInColor,       // without it everything prints black on white
  poPrintSel,      // only the selected lines
  poPrintHeader,   // the file name and "Page n/m" above the text
  poLineNumbers,   // line numbers left of the text
  poPrintSyntax,   // syntax highlighting
  poShowProgress,  // the progress window
};
using TVrelPrintOptions = TEnumSet<TVrelPrintOption>;

}  // namespace quorel
