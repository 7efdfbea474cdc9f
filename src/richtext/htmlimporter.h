// The HTML reader behind "Import text from HTML".
#pragma once

#include <string_view>

#include "richtext/importer.h"

namespace quorel {

// Reads the text of an HTML page with the formatting of its B, I, U, S, FONT, BIG, SMALL and A
// tags; BR and P become line breaks, the page's head and title are left out and every other
// tag is skipped. Source line breaks count as one blank between words.
class TVrelHTMLImporter : public TVrelImporter {
 public:
  // Any text can be read as HTML.
  bool Recognises(std::string_view) const override { return true; }
  void Import(std::string_view data) override;
};

}  // namespace quorel
