// Bookmarks and how edits shift them.
#include "engine/bookmarks.h"

#include <algorithm>
#include <tuple>

namespace quorel {

void TBookmarkList::Sort() {
  std::sort(items_.begin(), items_.end(), [](const TBookmark& a, const TBookmark& b) {
    return std::tie(a.Y, a.X, a.Number) < std::tie(b.Y, b.X, b.Number);
  });
}

void TBookmarkList::Set(int number, int x, int y) {
  Clear(number);
  items_.push_back({x, y, number});
  Sort();
}

int TBookmarkList::Clear(int number) {
  auto it = std::find_if(items_.begin(), items_.end(),
                         [number](const TBookmark& b) { return b.Number == number; });
  if (it == items_.end()) return -1;
  int y = it->Y;
  items_.erase(it);
  return y;
}

const TBookmark* TBookmarkList::Find(int number) const {
  for (const TBookmark& b : items_)
    if (b.Number == number) return &b;
  return nullptr;
}

int TBookmarkList::AtLine(int y) const {
  for (const TBookmark& b : items_)
    if (b.Y == y) return b.Number;
  return 0;
}

void TBookmarkList::ShiftInsert(int x, int y, int count) {
  for (TBookmark& b : items_)
    if (b.Y == y && b.X >= x) b.X += count;
  Sort();
}

void TBookmarkList::ShiftDelete(int x, int y, int count) {
  for (TBookmark& b : items_)
    if (b.Y == y && b.X > x + count - 1) b.X -= count;
  Sort();
}

void TBookmarkList::ShiftSplit(int x, int y) {
  for (TBookmark& b : items_) {
    if (b.Y == y && b.X >= x) {
      b.Y += 1;
      b.X -= x;
    } else if (b.Y > y) {
      b.Y += 1;
    }
  }
  Sort();
}

void TBookmarkList::ShiftJoin(int y, int width) {
  for (TBookmark& b : items_) {
    if (b.Y == y + 1) {
      b.X += width;
      b.Y = y;
    } else if (b.Y > y + 1) {
      b.Y -= 1;
    }
  }
  Sort();
}

}  // namespace quorel
