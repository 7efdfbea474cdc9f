// Comma text.
#include "syntax/commatext.h"

namespace quorel {

namespace {

bool IsSeparatorBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> items;
  size_t i = 0, n = text.size();
  while (i < n && IsSeparatorBlank(text[i])) ++i;
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
      // Anything glued to the closing quote belongs to the item as well.
      while (i < n && text[i] != ',' && !IsSeparatorBlank(text[i])) item += text[i++];
    } else {
      while (i < n && text[i] != ',' && !IsSeparatorBlank(text[i])) item += text[i++];
    }
    items.push_back(std::move(item));
    while (i < n && IsSeparatorBlank(text[i])) ++i;
    if (i < n && text[i] == ',') {
      ++i;
      while (i < n && IsSeparatorBlank(text[i])) ++i;
      if (i == n) items.emplace_back();  // a trailing comma ends with an empty item
    }
  }
  return items;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  std::string out;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) out += ',';
    const std::string& item = items[k];
    bool quote = item.empty() && items.size() > 1 ? true : false;
    for (char c : item)
      if (c == ',' || c == '"' || IsSeparatorBlank(c)) quote = true;
    if (!quote) {
      out += item;
      continue;
    }
    out += '"';
    for (char c : item) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

}  // namespace quorel
