// The selection as a string list.
#include "engine/selectionstrings.h"

#include <algorithm>

#include "engine/memosource.h"

namespace quorel {

int TSelectionStrings::Count() const {
  if (!store_.HasSelection()) return 0;
  TRect r = store_.TextSelectionRect();
  return std::max(r.Bottom - r.Top + 1, 0);
}

std::string TSelectionStrings::Get(int i) const {
  if (i < 0 || i >= Count()) return {};
  return store_.SelectedPart(store_.TextSelectionRect().Top + i);
}

void TSelectionStrings::Clear() { store_.DeleteSelection(); }

std::string TSelectionStrings::Text() const { return store_.SelectedText(); }

}  // namespace quorel
