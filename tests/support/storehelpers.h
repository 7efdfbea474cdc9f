// Helpers for text store tests: building a store from text, reading it back, recording
// notifications.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/linesplitter.h"
#include "engine/memosource.h"

namespace quorel::test {

// `splitter` after it was fed `text` in two pieces cut at `cut` and finished: what it tells must
// not depend on where a file's chunks end.
inline TLineSplitter& SplitInTwo(TLineSplitter& splitter, std::string_view text, size_t cut) {
  splitter.Feed(text.substr(0, cut));
  splitter.Feed(text.substr(cut));
  splitter.Finish();
  return splitter;
}

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
