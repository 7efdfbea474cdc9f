// When a journal is due: two seconds after the last edit, and while edits go on, thirty seconds
// after the first edit not yet in a journal. Times are milliseconds on a steady clock.
#pragma once

#include <cstdint>

namespace quorel {

class TJournalSchedule {
 public:
  static constexpr int64_t kQuietMs = 2000;
  static constexpr int64_t kLongestMs = 30000;

  void Edited(int64_t now);
  // The edits so far are being written: later ones wait for the next journal.
  void Taken();
  // Nothing needs writing any more (the document was saved, reverted or closed).
  void Clear() { pending_ = false; }
  // A write failed: try again, but not before `retryMs` from now.
  void RetryAfter(int64_t now, int64_t retryMs);
  bool Pending() const { return pending_; }
  bool Due(int64_t now) const { return pending_ && now >= DueAt(); }
  // When the pending edits are due (meaningful only while Pending).
  int64_t DueAt() const;

 private:
  bool pending_ = false;
  int64_t firstEdit_ = 0;
  int64_t lastEdit_ = 0;
  int64_t notBefore_ = 0;
};

}  // namespace quorel
