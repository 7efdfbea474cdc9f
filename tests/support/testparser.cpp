// A small parser for store tests.
#include "support/testparser.h"

namespace quorel::test {

void TTestParser::InitColors(int line, std::string_view text, TLineColors& colors) {
  if (attributes_)
    colors.resize(text.size(), '\0');
  else
    TSimpleParser::InitColors(line, text, colors);
}

uint32_t TTestParser::ParseLine(std::string_view text, uint32_t state, TLineColors& colors) {
  ++Calls;
  ParsedLines.push_back(LinePos());
  if (attributes_) return state;
  bool inTag = false;
  char* out = colors.MutableData();
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (state == InComment) {
      out[i] = 2;
      if (c == '*' && next == '/') {
        out[++i] = 2;
        state = 0;
      }
    } else if (c == '/' && next == '*') {
      out[i] = out[i + 1] = 2;
      ++i;
      state = InComment;
    } else {
      if (c == '<') inTag = true;
      out[i] = inTag ? 1 : 0;
      if (c == '>') inTag = false;
    }
  }
  return state;
}

}  // namespace quorel::test
