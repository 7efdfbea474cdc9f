// Helpers for text store tests: building a store from text, reading it back, recording
// notifications.
#pragma once

#include <string>
#include <vector>

#include "engine/memosource.h"

namespace quorel::test {

// A store holding `text` (lines separated by '\n'), loaded as a file would be.
inline void Load(TCustomMemoSource& store, const std::string& text) { store.LoadFromBuffer(text); }

// The raw lines joined by '\n'.
inline std::string Text(const TCustomMemoSource& store) {
  std::string out;
  for (int y = 0; y < store.LineCount(); ++y) {
    if (y > 0) out += '\n';
    out += store.RawLine(y);
  }
  return out;
}

// Records every notification a store sends.
struct TNotificationLog {
  struct TEntry {
    TMemoStates Flags;
    int First;
    int Last;
    int Reason;
  };
  std::vector<TEntry> Entries;

  explicit TNotificationLog(TCustomMemoSource& store) : store_(store) {
    store.AddListener(
        [this](TCustomMemoSource& s, int first, int last) {
          Entries.push_back({s.ChangeFlags(), first, last, s.UpdateReason()});
        },
        this, false);
  }
  ~TNotificationLog() { store_.RemoveListener(this); }
  int Count() const { return static_cast<int>(Entries.size()); }
  const TEntry& Last() const { return Entries.back(); }
  void Clear() { Entries.clear(); }

 private:
  TCustomMemoSource& store_;
};

}  // namespace quorel::test
