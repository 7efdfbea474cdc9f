// Tab stops and the conversion between a line's raw text and its tab-expanded (visual) form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorel {

class TTabStops {
 public:
  TTabStops();  // "9,17"

  // Parses a comma list of increasing positive columns. Throws EVrelError("Invalid Tab Rack")
  // and keeps the previous stops when the list is malformed. An empty text gives one stop at 8.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }

  // The i-th stop (0-based); beyond the list the stops continue at TabInterval().
  int TabStop(int i) const;
  int TabInterval() const;
  // The first stop greater than `column`.
  int NextStop(int column) const;

 private:
  std::string text_;
  std::vector<int> stops_;
};

// Visual length of raw text.
int VisualLength(std::string_view raw, const TTabStops& stops);
// Raw text with every tab replaced by spaces up to its stop.
std::string ExpandTabs(std::string_view raw, const TTabStops& stops);
// Colours lined up with the expanded text: each tab's byte repeated over its span.
std::string ExpandColors(std::string_view raw, std::string_view colors, const TTabStops& stops);
// Index into raw text for a visual column. A column inside a tab's span maps to the tab; a
// column past the end maps past the end by the excess.
int VisualToRaw(std::string_view raw, int column, const TTabStops& stops);
// Visual column at which raw index `index` starts (past the end: by the excess).
int RawToVisual(std::string_view raw, int index, const TTabStops& stops);
// If `column` lies strictly inside a tab's span, the span's [start, end); else {column, column}.
std::pair<int, int> TabSpanAround(std::string_view raw, int column, const TTabStops& stops);
// Every tab replaced by exactly `spacesInTab` spaces, without alignment.
std::string ExpandTabsFixed(std::string_view text, int spacesInTab);

}  // namespace quorel
