// Writing values in the object text notation.
#include "syntax/objecttext.h"

namespace quorel::objecttext {

namespace {

// Characters of a string per output line before it goes on after " +".
constexpr size_t kLineLength = 64;

bool Printable(char c) { return static_cast<unsigned char>(c) >= ' ' && c != '\''; }

}  // namespace

std::string Indent(int level) { return std::string(static_cast<size_t>(level) * 2, ' '); }

std::string QuoteString(std::string_view s, int level) {
  if (s.empty()) return "''";
  std::string out;
  std::string lineStart = std::string(kLineBreak) + Indent(level + 1);
  if (s.size() > kLineLength) out += lineStart;
  size_t i = 0, lineFrom = 0;
  while (i < s.size()) {
    bool full = false;
    if (Printable(s[i])) {
      size_t from = i;
      do ++i;
      while (i < s.size() && Printable(s[i]) && i - lineFrom < kLineLength);
      full = i - lineFrom >= kLineLength;
      out += '\'';
      out.append(s.substr(from, i - from));
      out += '\'';
    } else {
      out += '#';
      out += std::to_string(static_cast<unsigned char>(s[i]));
      ++i;
      full = i - lineFrom >= kLineLength;
    }
    if (full && i < s.size()) {
      out += " +";
      out += lineStart;
      lineFrom = i;
    }
  }
  return out;
}

}  // namespace quorel::objecttext
