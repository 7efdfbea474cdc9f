// The token dump.
#include "syntax/tokendump.h"

#include <cstdio>

#include "engine/memosource.h"

namespace quorel {

void WriteTokenDump(TCustomMemoSource& store, std::ostream& out, bool withText) {
  store.EnsureParsed(store.LineCount() - 1);
  char state[16];
  for (int y = 0; y < store.LineCount(); ++y) {
    std::string colors = store.GetExpandedColors(y);
    const TLineText& text = store.LineRecord(y)->Text;
    bool showText = withText && text.size() == colors.size();
    std::snprintf(state, sizeof state, "%08X", store.LineRecord(y)->EndState);
    out << 'L' << (y + 1) << ' ' << state;
    for (size_t i = 0; i < colors.size();) {
      size_t j = i;
      while (j < colors.size() && colors[j] == colors[i]) ++j;
      out << ' ' << static_cast<int>(static_cast<unsigned char>(colors[i]));
      if (showText)
        out << '[' << text.substr(i, j - i) << ']';
      else
        out << ':' << (j - i);
      i = j;
    }
    out << '\n';
  }
}

}  // namespace quorel
