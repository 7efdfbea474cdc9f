// A small parser for store tests: "<...>" is style 1, and "/*" ... "*/" comments (style 2) may
// run over several lines, which the line state carries.
#pragma once

#include "engine/simpleparser.h"

namespace quorel::test {

class TTestParser : public TSimpleParser {
 public:
  static constexpr uint32_t InComment = 1;

  uint32_t ParseLine(std::string_view text, uint32_t state, TLineColors& colors) override;
  bool HasAttributes() const override { return attributes_; }
  // Attribute documents keep their colours: only the length follows the text.
  void InitColors(int line, std::string_view text, TLineColors& colors) override;
  void SetAttributes(bool on) { attributes_ = on; }

  int Calls = 0;
  std::vector<int> ParsedLines;

 private:
  bool attributes_ = false;
};

}  // namespace quorel::test
