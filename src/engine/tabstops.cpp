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

// Every wide character is U+1100 or beyond, so its UTF-8 starts with 0xE1 or more.
bool MayHoldWide(std::string_view raw) {
  const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
  unsigned char top = 0;
  for (size_t i = 0; i < raw.size(); ++i) top = std::max(top, p[i]);  // vectorised
  return top >= 0xE1;
}

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
  if (HasTab(raw)) return false;
  if (!utf8_) return true;
  // Called on every edit of a line: a branch-free loop the compiler turns into vector code.
  const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
  unsigned char any = 0;
  for (size_t i = 0; i < raw.size(); ++i) any |= p[i];
  return (any & 0x80) == 0;
}

int TCellLayout::SlowStep(std::string_view raw, size_t& i, int column) const {
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

size_t TCellLayout::PlainRun(std::string_view raw, size_t i, size_t limit) const {
  const size_t start = i;
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHigh = kOnes * 0x80;
  const uint64_t notPlain = utf8_ ? kHigh : 0;
  while (limit - i >= 8) {
    uint64_t word;
    std::memcpy(&word, raw.data() + i, 8);
    uint64_t tabs = word ^ (kOnes * '\t');  // a zero byte where a tab was
    if ((word & notPlain) || ((tabs - kOnes) & ~tabs & kHigh)) break;
    i += 8;
  }
  return i - start;
}

int VisualLength(std::string_view raw, const TCellLayout& layout) {
  const size_t n = raw.size();
  int col = 0;
  for (size_t i = 0; i < n;) {
    size_t run = layout.PlainRun(raw, i, n);
    i += run;
    col += static_cast<int>(run);
    if (i < n) col = layout.Step(raw, i, col);
  }
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

int VisualToRaw(std::string_view raw, int column, const TCellLayout& layout, int* length) {
  if (column <= 0 && !length) return 0;
  int col = 0;
  int found = column <= 0 ? 0 : -1;
  for (size_t i = 0; i < raw.size();) {
    // Plain bytes are a column each: skip as many as lie wholly before `column` (all of them
    // once it is found and only the length is wanted).
    size_t limit =
        found >= 0 ? raw.size() : std::min(raw.size(), i + static_cast<size_t>(column - col));
    size_t run = layout.PlainRun(raw, i, limit);
    i += run;
    col += static_cast<int>(run);
    if (i >= raw.size()) break;
    size_t from = i;
    int next = layout.Step(raw, i, col);
    if (found < 0 && column < next) {
      found = static_cast<int>(from);
      if (!length) return found;
    }
    col = next;
  }
  if (length) *length = col;
  return found >= 0 ? found : static_cast<int>(raw.size()) + (column - col);
}

int RawToVisual(std::string_view raw, int index, const TCellLayout& layout) {
  if (index <= 0) return 0;
  int n = static_cast<int>(raw.size());
  int limit = std::min(index, n);
  int col = 0;
  size_t i = 0;
  // The walk reads on past `limit` to finish a character that the index cuts.
  while (i < static_cast<size_t>(limit)) {
    size_t run = layout.PlainRun(raw, i, static_cast<size_t>(limit));
    i += run;
    col += static_cast<int>(run);
    if (i < static_cast<size_t>(limit)) col = layout.Step(raw, i, col);
  }
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
  if (!layout.Utf8() || !MayHoldWide(raw)) return {column, column};
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
