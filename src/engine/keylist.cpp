// Key bindings, their lookup and the prefix state between key presses.
#include "engine/keylist.h"

namespace quorel {

void TKeyList::Add(const TKeyData& binding) {
  items_.push_back(binding);
  cached_ = -1;
}

void TKeyList::Clear() {
  items_.clear();
  cached_ = -1;
}

bool TKeyList::Matches(const TKeyData& b, TKeyCode key, TShiftState shift, uint8_t state) {
  return b.KeyCode == key && b.ShiftState == shift &&
         (b.ActiveState == state || b.ActiveState == kAnyState);
}

const TKeyData* TKeyList::FindBinding(TKeyCode key, TShiftState shift, uint8_t state) const {
  // A binding found for another prefix state may be shadowed in this one, so the cache answers
  // only the very same question.
  if (cached_ >= 0 && cachedKey_ == key && cachedShift_ == shift && cachedState_ == state)
    return &items_[static_cast<size_t>(cached_)];
  for (size_t i = items_.size(); i-- > 0;) {
    if (Matches(items_[i], key, shift, state)) {
      cached_ = static_cast<int>(i);
      cachedKey_ = key;
      cachedShift_ = shift;
      cachedState_ = state;
      return &items_[i];
    }
  }
  return nullptr;
}

TKeyOutcome TKeyHandler::Press(TKeyCode key, TShiftState shift, bool wantTabs, bool wantReturns,
                               const TKeyData*& binding) {
  handled_ = false;
  binding = nullptr;
  if ((key == vkReturn && !wantReturns) || (key == vkTab && !wantTabs)) {
    if (!(shift & ssCtrl)) return koLeftToDialog;
    shift = ssNone;
  }
  if (key == 0) return koUnbound;
  binding = keys_.FindBinding(key, shift, prefixState_);
  if (!binding) {
    prefixState_ = 0;
    return koUnbound;
  }
  prefixState_ = binding->LeaveState;
  handled_ = true;
  return koBound;
}

}  // namespace quorel
