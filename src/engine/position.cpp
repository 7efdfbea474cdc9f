// Positions and how edits shift them.
#include "engine/position.h"

#include <algorithm>

namespace quorel {

TPosition* TPositions::Add(int x, int y, TAllowUpdateEvent onAllowUpdate) {
  auto p = std::make_unique<TPosition>();
  p->X = x;
  p->Y = y;
  p->OnAllowUpdate = std::move(onAllowUpdate);
  items_.push_back(std::move(p));
  return items_.back().get();
}

void TPositions::Remove(TPosition* p) {
  auto it = std::find_if(items_.begin(), items_.end(), [p](auto& q) { return q.get() == p; });
  if (it != items_.end()) items_.erase(it);
}

void TPositions::Shift(TShiftKind kind, int cx, int cy, int count) {
  for (auto& item : items_) {
    TPosition& p = *item;
    if (!p.OnAllowUpdate || p.Y < cy) continue;
    bool adjustX = true, adjustY = true;
    p.OnAllowUpdate(p, adjustX, adjustY);
    // "Right of the caret": the selection start counts from the caret's own column.
    bool atOrRight = p.Y == cy && (p.IsSelectionStart ? p.X >= cx : p.X > cx);
    int x = p.X, y = p.Y;
    switch (kind) {
      case TShiftKind::Insert:
        if (atOrRight) x += count;
        break;
      case TShiftKind::Delete:
        if (atOrRight) x = std::max(x - count, cx);
        break;
      case TShiftKind::Split:
        if (atOrRight) {
          y += 1;
          x -= cx;
        } else if (p.Y > cy) {
          y += 1;
        }
        break;
      case TShiftKind::Join:
        if (p.Y == cy && p.X > cx)
          x = cx;
        else if (p.Y == cy + 1) {
          x += cx;
          y -= 1;
        } else if (p.Y > cy + 1) {
          y -= 1;
        }
        break;
    }
    if (adjustX) p.X = std::max(x, 0);
    if (adjustY) p.Y = std::max(y, 0);
  }
}

TTempPosition::TTempPosition(TPositions& owner, int x, int y)
    : owner_(owner), pos_(owner.Add(x, y, [](TPosition&, bool&, bool&) {})) {}

}  // namespace quorel
