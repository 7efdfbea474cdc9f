// A small parser for store tests.
#include "support/testparser.h"

namespace quorel::test {

void TTestParser::InitColors(int line, const std::string& text, std::string& colors) {
  if (attributes_)
    colors.resize(text.size(), '\0');
  else
    TSimpleParser::InitColors(line, text, colors);
}

uint32_t TTestParser::ParseLine(const std::string& text, uint32_t state, std::string& colors) {
  ++Calls;
  ParsedLines.push_back(LinePos());
  if (attributes_) return state;
  bool inTag = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (state == InComment) {
      colors[i] = 2;
      if (c == '*' && next == '/') {
        colors[++i] = 2;
        state = 0;
      }
    } else if (c == '/' && next == '*') {
      colors[i] = colors[i + 1] = 2;
      ++i;
      state = InComment;
    } else {
      if (c == '<') inTag = true;
      colors[i] = inTag ? 1 : 0;
      if (c == '>') inTag = false;
    }
  }
  return state;
}

}  // namespace quorel::test
