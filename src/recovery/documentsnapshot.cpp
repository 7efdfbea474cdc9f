// Copying a document's text in steps.
#include "recovery/documentsnapshot.h"

#include <algorithm>

namespace quorel {

void TDocumentSnapshot::Start(const TCustomMemoSource& store, std::string head) {
  store_ = &store;
  head_ = std::move(head);
  Restart();
}

void TDocumentSnapshot::Restart() {
  const TCustomMemoSource& store = *store_;
  outFormat_ = store.OutFormat();
  byteOrderMark_ = store.ByteOrderMark();
  encoding_ = store.Encoding();
  data_.clear();
  data_ += head_;
  if (byteOrderMark_) data_ += kUtf8ByteOrderMark;
  steps_.clear();
  next_ = 0;
  done_ = false;
  measured_ = 0;
  total_ = data_.size();
}

bool TDocumentSnapshot::Measure() {
  // Room for all of it before the copy begins: growing a copy of many megabytes would copy it
  // again within one step. Measuring is done in steps too; edits meanwhile may need a little
  // more room, which the reserve leaves.
  const TCustomMemoSource& store = *store_;
  const int count = store.LineCount();
  const int last = std::min(count, measured_ + kMeasureLines);
  for (; measured_ < last; ++measured_) total_ += store.LineRecord(measured_)->Text.size() + 2;
  if (measured_ < count) return false;
  data_.reserve(total_ + total_ / 64 + 4096);
  measured_ = kMeasured;
  return true;
}

bool TDocumentSnapshot::Step(size_t bytes) {
  if (!store_) return false;
  const TCustomMemoSource& store = *store_;
  if (store.OutFormat() != outFormat_ || store.ByteOrderMark() != byteOrderMark_ ||
      store.Encoding() != encoding_)
    Restart();
  if (measured_ != kMeasured) {
    Measure();
    return false;
  }
  const int count = store.LineCount();
  next_ = std::min(next_, count);
  steps_.emplace_back(next_, data_.size());
  const size_t goal = data_.size() + bytes;
  // Lines are taken in small batches, so a step never walks far past its share.
  while (next_ < count && data_.size() < goal) {
    int last = std::min(count, next_ + 256);
    store.AppendSavedLines(data_, next_, last);
    next_ = last;
  }
  done_ = next_ >= count;
  return done_;
}

void TDocumentSnapshot::TextChanged(int first) {
  if (!store_) return;
  first = std::max(first, 0);
  done_ = false;
  if (first >= next_) return;  // not copied yet: it will be copied as it is then
  // Back to the last step that began at or above the edited line.
  while (!steps_.empty() && steps_.back().first > first) steps_.pop_back();
  if (steps_.empty()) {
    data_.resize(head_.size() + (byteOrderMark_ ? kUtf8ByteOrderMark.size() : 0));
    next_ = 0;
    return;
  }
  next_ = steps_.back().first;
  data_.resize(steps_.back().second);
  steps_.pop_back();
}

std::string TDocumentSnapshot::Take() {
  std::string out = done_ ? std::move(data_) : std::string();
  Abandon();
  return out;
}

void TDocumentSnapshot::Abandon() {
  store_ = nullptr;
  data_ = std::string();
  steps_.clear();
  next_ = 0;
  done_ = false;
}

}  // namespace quorel
