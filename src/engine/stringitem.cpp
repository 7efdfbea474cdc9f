// The raw line list.
#include "engine/stringitem.h"

#include <algorithm>

namespace quorel {

void TInternalStrings::Grow() {
  size_t cap = items_.capacity();
  items_.reserve(cap + std::max<size_t>(cap / 2, 64));
}

TStringItem& TInternalStrings::Insert(int i, std::unique_ptr<TStringItem> item) {
  if (items_.size() == items_.capacity()) Grow();
  i = std::clamp(i, 0, Count());
  return **items_.insert(items_.begin() + i, std::move(item));
}

void TInternalStrings::Delete(int i) {
  if (i >= 0 && i < Count()) items_.erase(items_.begin() + i);
}

}  // namespace quorel
