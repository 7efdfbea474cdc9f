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

// How a line's bytes fill the screen's cells, which are the store's columns. A tab runs to the
// next stop. In Windows-1252 text every other byte is a character of one cell; in UTF-8 text
// the bytes of a character share its cells: two for a wide East Asian character, none for a
// combining mark (drawn on its base, so it travels with it).
class TCellLayout {
 public:
  // Implicit, so a plain tab rack lays out Windows-1252 text.
  TCellLayout(const TTabStops& stops, bool utf8 = false) : stops_(&stops), utf8_(utf8) {}
  const TTabStops& Stops() const { return *stops_; }
  bool Utf8() const { return utf8_; }
  // Every byte is a character of one cell: no tab, and in UTF-8 text nothing but ASCII.
  bool IsPlain(std::string_view raw) const;
  // The column after the character at raw[i], which starts at `column`; `i` moves past it.
  // Inline for plain ASCII and the two-byte letters of Latin, Greek and Cyrillic that take
  // one column, as every walk over a line goes through here.
  int Step(std::string_view raw, size_t& i, int column) const {
    const auto c = static_cast<unsigned char>(raw[i]);
    if (c != '\t' && (c < 0x80 || !utf8_)) {
      ++i;
      return column + 1;
    }
    if (((c >= 0xC2 && c <= 0xCB) || (c >= 0xCE && c <= 0xD1)) && i + 1 < raw.size() &&
        (static_cast<unsigned char>(raw[i + 1]) & 0xC0) == 0x80) {
      i += 2;  // U+0080..U+02FF and U+0380..U+047F: no combining marks, none wide
      return column + 1;
    }
    return SlowStep(raw, i, column);
  }

  // How many bytes from raw[i] on (and before `limit`) are plain, taken eight at a time: the
  // walks over a line skip them without looking at each.
  size_t PlainRun(std::string_view raw, size_t i, size_t limit) const;

 private:
  int SlowStep(std::string_view raw, size_t& i, int column) const;

  const TTabStops* stops_;
  bool utf8_;
};

// Visual length of raw text.
int VisualLength(std::string_view raw, const TCellLayout& layout);
// Raw text with every tab replaced by spaces up to its stop.
std::string ExpandTabs(std::string_view raw, const TCellLayout& layout);
// Colours lined up byte for byte with the expanded text: each tab's byte repeated over its span.
std::string ExpandColors(std::string_view raw, std::string_view colors, const TCellLayout& layout);
// Index into raw text for a visual column. A column inside a tab's span or a wide character
// maps to its first byte; a column past the end maps past the end by the excess.
// With `length`, the walk goes on to the end and tells the text's visual length too.
int VisualToRaw(std::string_view raw, int column, const TCellLayout& layout, int* length = nullptr);
// Visual column at which raw index `index` starts (past the end: by the excess). An index
// inside a character counts as the character's end.
int RawToVisual(std::string_view raw, int index, const TCellLayout& layout);
// If `column` lies strictly inside a tab's span, the span's [start, end); else {column, column}.
std::pair<int, int> TabSpanAround(std::string_view raw, int column, const TCellLayout& layout);
// If `column` lies strictly inside a wide character, its [start, end); else {column, column}.
std::pair<int, int> WideCharAround(std::string_view raw, int column, const TCellLayout& layout);
// Every tab replaced by exactly `spacesInTab` spaces, without alignment.
std::string ExpandTabsFixed(std::string_view text, int spacesInTab);

}  // namespace quorel
