// Laying out a line's characters in screen cells.
#include "engine/cellrow.h"

#include <algorithm>

#include "engine/utf8.h"

namespace quorel {

std::vector<TCell> LayOutCells(std::string_view text, bool utf8) {
  std::vector<TCell> cells;
  cells.reserve(text.size());
  if (!utf8) {
    for (size_t i = 0; i < text.size(); ++i) cells.push_back({static_cast<uint32_t>(i), 1});
    return cells;
  }
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    const int length = DecodeUtf8(text, i, cp);
    const int width = CharCells(cp);
    if (width == 0 && !cells.empty()) {
      // A combining mark joins the character before it (the last cell that has one).
      auto base =
          std::find_if(cells.rbegin(), cells.rend(), [](const TCell& c) { return c.Length; });
      if (base != cells.rend()) {
        base->Length += static_cast<uint32_t>(length);
        i += static_cast<size_t>(length);
        continue;
      }
    }
    cells.push_back({static_cast<uint32_t>(i), static_cast<uint32_t>(length)});
    for (int k = 1; k < width; ++k) cells.push_back({static_cast<uint32_t>(i), 0});
    i += static_cast<size_t>(length);
  }
  return cells;
}

TShownPart ShownPart(std::string_view raw, std::string_view colors, const TCellLayout& layout,
                     int origin, int maxColumns) {
  TShownPart part;
  if (layout.IsPlain(raw)) {
    // One byte per column: only the shown bytes are copied, however long the line is.
    size_t from = static_cast<size_t>(std::min<int64_t>(origin, static_cast<int64_t>(raw.size())));
    size_t count = static_cast<size_t>(std::max(maxColumns, 0));
    part.Text = std::string(raw.substr(from, count));
    if (from < colors.size()) part.Colors = std::string(colors.substr(from, count));
    part.Column = static_cast<int>(from);
    part.ReachesEnd = from + part.Text.size() >= raw.size();
    return part;
  }
  std::string expanded = ExpandTabs(raw, layout);
  std::string styles = colors.empty() ? std::string() : ExpandColors(raw, colors, layout);
  // On tab-free text the walk only counts characters.
  size_t start = static_cast<size_t>(VisualToRaw(expanded, origin, layout));
  start = std::min(start, expanded.size());
  int column = RawToVisual(expanded, static_cast<int>(start), layout);
  size_t end = start;
  for (int col = column; end < expanded.size() && col < origin + maxColumns;)
    col = layout.Step(expanded, end, col);
  // Combining marks after the last character shown belong to it.
  while (end < expanded.size() && layout.Utf8()) {
    char32_t cp;
    int length = DecodeUtf8(expanded, end, cp);
    if (CharCells(cp) != 0) break;
    end += static_cast<size_t>(length);
  }
  part.Text = expanded.substr(start, end - start);
  if (start < styles.size()) part.Colors = styles.substr(start, end - start);
  part.Column = column;
  part.ReachesEnd = end >= expanded.size();
  return part;
}

}  // namespace quorel
