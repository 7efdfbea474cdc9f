// Cuts a document's bytes into cleaned line records as they arrive, chunk by chunk: line ends
// CR LF, LF or CR; a NUL ends the text; tabs expanded unless kept; trailing characters <= 32
// removed.
#pragma once

#include <string>
#include <string_view>

#include "engine/stringitem.h"
#include "engine/tabstops.h"

namespace quorel {

class TLineSplitter {
 public:
  TLineSplitter(const TTabStops& stops, bool keepTabs) : stops_(stops), keepTabs_(keepTabs) {}

  // Takes the next piece of the text. Returns false once a NUL has ended it.
  bool Feed(std::string_view chunk);
  // The text is complete: the lines.
  TInternalStrings Finish();

 private:
  void AddLine(std::string_view raw);

  const TTabStops& stops_;
  bool keepTabs_;
  TInternalStrings lines_;
  std::string pending_;     // the start of a line whose end is in a later chunk
  bool pendingCr_ = false;  // the last chunk ended in CR: a LF starting the next one belongs to it
  bool ended_ = false;
};

}  // namespace quorel
