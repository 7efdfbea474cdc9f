// The journal's timing.
#include "recovery/journalschedule.h"

#include <algorithm>

namespace quorel {

void TJournalSchedule::Edited(int64_t now) {
  if (!pending_) firstEdit_ = now;
  pending_ = true;
  lastEdit_ = now;
}

void TJournalSchedule::Taken() { pending_ = false; }

void TJournalSchedule::RetryAfter(int64_t now, int64_t retryMs) {
  if (!pending_) firstEdit_ = lastEdit_ = now;
  pending_ = true;
  notBefore_ = now + retryMs;
}

int64_t TJournalSchedule::DueAt() const {
  int64_t due = std::min(lastEdit_ + kQuietMs, firstEdit_ + kLongestMs);
  return std::max(due, notBefore_);
}

}  // namespace quorel
