// Fuzz target for scheme files: any bytes are read as a scheme; text that is no scheme must fail
// with the reader's message, and a scheme that reads must write back to text that reads again
// the same, and must colour lines without harm.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/vrelerror.h"
#include "syntax/schemefile.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"

namespace {

using namespace quorel;

// Lines of the input itself, and a few of ordinary code, coloured with the scheme just read.
void ColourSomeLines(TSyntaxParser& parser, std::string_view input) {
  const char* samples[] = {"<a href=\"x\">/* c */ 'q' 0x1F 2.5e3 // end", "{$I x} (* y *) #13 $FF",
                           "[s]\\", "\"open string \\", "  ; full line"};
  uint32_t state = 0;
  auto colour = [&](std::string line) {
    TLineColors colors;
    colors.assign(line.size(), '\0');
    state = parser.ParseLine(line, state, colors);
  };
  for (const char* s : samples) colour(s);
  size_t start = 0;
  for (int n = 0; n < 64 && start < input.size() && start < 8192; ++n) {
    size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    colour(std::string(input.substr(start, end - start)));
    start = end + 1;
  }
  for (int id = -1; id < 257; id += 13) {
    TColor back;
    parser.GetFont(id);
    parser.GetBackColor(id, back);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  TSyntaxParser parser;
  try {
    SchemeFromText(text, parser.SyntaxScheme());
  } catch (const EVrelError&) {
    return 0;
  }
  const TSyntaxScheme& scheme = parser.SyntaxScheme();
  std::string written = SchemeToText(scheme);
  TSyntaxScheme again;
  SchemeFromText(written, again);  // what the writer writes always reads
  // A style without a FontID takes a free one when read back, so only then may the text change.
  bool styleWithoutId = false;
  for (const TAttrItem& a : scheme.FontTable) styleWithoutId |= a.FontID == -1;
  if (!styleWithoutId && SchemeToText(again) != written) __builtin_trap();
  ColourSomeLines(parser, text);
  return 0;
}
