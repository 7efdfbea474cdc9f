// Splitting paths and lists into parts, and joining them again.
#include "engine/pathtext.h"

namespace quorel {

namespace {

bool IsBlank(char c) { return c >= 1 && c <= 32; }

}  // namespace

std::vector<std::string> SplitString(std::string_view text, char separator) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> parts;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  while (i < text.size()) {
    std::string part;
    if (text[i] == '"') {
      for (++i; i < text.size(); ++i) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            part += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        part += text[i];
      }
    } else {
      while (i < text.size() && text[i] != separator && static_cast<unsigned char>(text[i]) >= 32)
        part += text[i++];
    }
    parts.push_back(std::move(part));
    skipBlanks();
    if (i < text.size() && text[i] == separator) {
      ++i;
      skipBlanks();
    } else if (i < text.size() && static_cast<unsigned char>(text[i]) < 32) {
      ++i;  // a control character ends a part like a separator
    }
  }
  return parts;
}

std::string ReplaceSeparator(std::string_view text, char separator, std::string_view replacement) {
  std::vector<std::string> parts = SplitString(text, separator);
  if (parts.empty()) return std::string(text);
  std::string out = parts[0];
  for (size_t i = 1; i < parts.size(); ++i) {
    out += replacement;
    out += parts[i];
  }
  return out;
}

}  // namespace quorel
