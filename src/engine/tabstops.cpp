// Tab stops and raw/visual column conversion.
#include "engine/tabstops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/stylenumbers.h"
#include "engine/utf8.h"
#include "engine/vrelerror.h"

namespace quorel {

namespace {

bool HasTab(std::string_view raw) { return std::memchr(raw.data(), '\t', raw.size()) != nullptr; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Parses one list entry; false on anything but a plain decimal number that fits.
bool ParseStop(std::string_view item, int& value) {
  item = Trim(item);
  if (item.empty() || item.size() > 9) return false;
  value = 0;
  for (char c : item) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

TTabStops::TTabStops() : text_("9,17"), stops_{9, 17} {}

void TTabStops::SetText(const std::string& text) {
  std::vector<int> parsed;
  std::string_view rest = text;
  if (!Trim(rest).empty()) {
    for (;;) {
      size_t comma = rest.find(',');
      int value = 0;
      if (!ParseStop(rest.substr(0, comma), value) || value <= 0 ||
          (!parsed.empty() && value <= parsed.back()))
        throw EVrelError("Invalid Tab Rack");
      parsed.push_back(value);
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  if (parsed.empty()) parsed.push_back(8);
  stops_ = std::move(parsed);
  text_ = text;
}

int TTabStops::TabInterval() const {
  if (stops_.size() >= 2) return stops_[stops_.size() - 1] - stops_[stops_.size() - 2];
  return stops_.empty() ? 8 : stops_[0];
}

int TTabStops::TabStop(int i) const {
  int count = static_cast<int>(stops_.size());
  if (i < count) return stops_[i];
  return stops_.back() + (i - count + 1) * TabInterval();
}

int TTabStops::NextStop(int column) const {
  if (column < stops_.back()) return *std::upper_bound(stops_.begin(), stops_.end(), column);
  int interval = TabInterval();
  return stops_.back() + ((column - stops_.back()) / interval + 1) * interval;
}

bool TCellLayout::IsPlain(std::string_view raw) const {
  if (!utf8_) return !HasTab(raw);
  // Eight bytes at a time: a line with neither tab nor non-ASCII byte is the common case.
  const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
  const auto* end = p + raw.size();
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kTabs = kOnes * '\t';
  for (; end - p >= 8; p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    uint64_t tabs = word ^ kTabs;  // a zero byte where a tab was
    if ((word | ((tabs - kOnes) & ~tabs)) & (kOnes * 0x80)) return false;
  }
  for (; p < end; ++p)
    if (*p == '\t' || *p >= 0x80) return false;
  return true;
}

int TCellLayout::Step(std::string_view raw, size_t& i, int column) const {
  const unsigned char c = static_cast<unsigned char>(raw[i]);
  if (c == '\t') {
    ++i;
    return stops_->NextStop(column);
  }
  if (c < 0x80 || !utf8_) {
    ++i;
    return column + 1;
  }
  char32_t cp;
  i += static_cast<size_t>(DecodeUtf8(raw, i, cp));
  int width = CharCells(cp);
  // A mark with no base before it still needs a cell to be seen and reached.
  if (width == 0 && column == 0 && i == static_cast<size_t>(Utf8CharLength(raw, 0))) width = 1;
  return column + width;
}

int VisualLength(std::string_view raw, const TCellLayout& layout) {
  if (layout.IsPlain(raw)) return static_cast<int>(raw.size());
  int col = 0;
  for (size_t i = 0; i < raw.size();) col = layout.Step(raw, i, col);
  return col;
}

std::string ExpandTabs(std::string_view raw, const TCellLayout& layout) {
  if (!HasTab(raw)) return std::string(raw);
  std::string out;
  out.reserve(raw.size() + 16);
  int col = 0;
  for (size_t i = 0; i < raw.size();) {
    size_t from = i;
    int next = layout.Step(raw, i, col);
    if (raw[from] == '\t')
      out.append(static_cast<size_t>(next - col), ' ');
    else
      out.append(raw.substr(from, i - from));
    col = next;
  }
  return out;
}

std::string ExpandColors(std::string_view raw, std::string_view colors, const TCellLayout& layout) {
  if (!HasTab(raw)) return std::string(colors);
  std::string out;
  int col = 0;
  for (size_t i = 0; i < raw.size();) {
    size_t from = i;
    int next = layout.Step(raw, i, col);
    for (size_t k = from; k < i; ++k) {
      char style = k < colors.size() ? colors[k] : char{tsPlain};
      out.append(raw[k] == '\t' ? static_cast<size_t>(next - col) : 1, style);
    }
    col = next;
  }
  return out;
}

int VisualToRaw(std::string_view raw, int column, const TCellLayout& layout) {
  if (column <= 0) return 0;
  if (layout.IsPlain(raw)) return column;
  int col = 0;
  for (size_t i = 0; i < raw.size();) {
    size_t from = i;
    int next = layout.Step(raw, i, col);
    if (column < next) return static_cast<int>(from);
    col = next;
  }
  return static_cast<int>(raw.size()) + (column - col);
}

int RawToVisual(std::string_view raw, int index, const TCellLayout& layout) {
  if (index <= 0) return 0;
  int n = static_cast<int>(raw.size());
  int limit = std::min(index, n);
  std::string_view head = raw.substr(0, static_cast<size_t>(limit));
  if (layout.IsPlain(head)) return index;
  int col = 0;
  size_t i = 0;
  // The walk reads on past `limit` to finish a character that the index cuts.
  while (i < static_cast<size_t>(limit)) col = layout.Step(raw, i, col);
  return col + (index - limit);
}

namespace {

// The span of the character holding `column` strictly inside it, when `wanted` says it counts.
template <typename Wanted>
std::pair<int, int> SpanAround(std::string_view raw, int column, const TCellLayout& layout,
                               Wanted wanted) {
  if (column > 0) {
    int col = 0;
    for (size_t i = 0; i < raw.size();) {
      size_t from = i;
      int next = layout.Step(raw, i, col);
      if (column < next) {
        if (column > col && wanted(raw[from])) return {col, next};
        break;
      }
      col = next;
    }
  }
  return {column, column};
}

}  // namespace

std::pair<int, int> TabSpanAround(std::string_view raw, int column, const TCellLayout& layout) {
  if (!HasTab(raw)) return {column, column};
  return SpanAround(raw, column, layout, [](char c) { return c == '\t'; });
}

std::pair<int, int> WideCharAround(std::string_view raw, int column, const TCellLayout& layout) {
  if (!layout.Utf8() || layout.IsPlain(raw)) return {column, column};
  return SpanAround(raw, column, layout, [](char c) { return c != '\t'; });
}

std::string ExpandTabsFixed(std::string_view text, int spacesInTab) {
  if (!HasTab(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\t')
      out.append(spacesInTab, ' ');
    else
      out.push_back(c);
  }
  return out;
}

}  // namespace quorel
