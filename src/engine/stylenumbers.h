// The style bytes with a fixed meaning. Without a parser a style byte indexes the view's named text
// styles in this order; with one it is the scheme's FontID, where 0 is still plain text and 12
// still marks web and mail addresses.
#pragma once

#include <cstdint>

namespace quorel {

enum TStyleNumber : uint8_t {
  tsPlain = 0,  // named "Whitespace" among the text styles
  tsString = 1,
  tsComment = 2,
  tsIdentifier = 3,
  tsInteger = 4,
  tsFloat = 5,
  tsReservedWord = 6,
  tsDelimiter = 7,
  tsDefine = 8,
  tsAssembler = 9,
  tsHtmlTag = 10,
  tsHtmlParam = 11,
  tsUrl = 12,
  tsBreakPoint = 13,
  tsErrorLine = 14,
  tsMarkedBlock = 15,
  tsSearchMatch = 16,
  tsEmphasis = 17,
  tsSystemVariable = 18,
  tsScriptWhitespace = 19,
  tsScriptDelimiter = 20,
  tsScriptComment = 21,
  tsScriptString = 22,
  tsScriptNumber = 23,
  tsScriptReservedWord = 24,
  tsTextStyleCount = 25,
};

}  // namespace quorel
