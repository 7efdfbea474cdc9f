// Tab stops and raw/visual column conversion.
#include "engine/tabstops.h"

#include <algorithm>
#include <cstring>

#include "engine/stylenumbers.h"
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

int VisualLength(std::string_view raw, const TTabStops& stops) {
  if (!HasTab(raw)) return static_cast<int>(raw.size());
  int col = 0;
  for (char c : raw) col = (c == '\t') ? stops.NextStop(col) : col + 1;
  return col;
}

std::string ExpandTabs(std::string_view raw, const TTabStops& stops) {
  if (!HasTab(raw)) return std::string(raw);
  std::string out;
  out.reserve(raw.size() + 16);
  for (char c : raw) {
    if (c == '\t')
      out.append(stops.NextStop(static_cast<int>(out.size())) - out.size(), ' ');
    else
      out.push_back(c);
  }
  return out;
}

std::string ExpandColors(std::string_view raw, std::string_view colors, const TTabStops& stops) {
  if (!HasTab(raw)) return std::string(colors);
  std::string out;
  int col = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    char style = i < colors.size() ? colors[i] : char{tsPlain};
    int next = raw[i] == '\t' ? stops.NextStop(col) : col + 1;
    out.append(next - col, style);
    col = next;
  }
  return out;
}

int VisualToRaw(std::string_view raw, int column, const TTabStops& stops) {
  if (column <= 0) return 0;
  if (!HasTab(raw)) return column;
  int col = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    int next = raw[i] == '\t' ? stops.NextStop(col) : col + 1;
    if (column < next) return static_cast<int>(i);
    col = next;
  }
  return static_cast<int>(raw.size()) + (column - col);
}

int RawToVisual(std::string_view raw, int index, const TTabStops& stops) {
  if (index <= 0) return 0;
  int n = static_cast<int>(raw.size());
  int limit = std::min(index, n);
  if (!HasTab(raw.substr(0, limit))) return index;
  int col = 0;
  for (int i = 0; i < limit; ++i) col = raw[i] == '\t' ? stops.NextStop(col) : col + 1;
  return col + (index - limit);
}

std::pair<int, int> TabSpanAround(std::string_view raw, int column, const TTabStops& stops) {
  if (column > 0 && HasTab(raw)) {
    int col = 0;
    for (char c : raw) {
      int next = c == '\t' ? stops.NextStop(col) : col + 1;
      if (column < next) {
        if (c == '\t' && column > col) return {col, next};
        break;
      }
      col = next;
    }
  }
  return {column, column};
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
