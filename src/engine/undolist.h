// Undo records and the lists that hold them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/updatereasons.h"

namespace quorel {

enum TUndoKind : uint8_t {
  ukCaretMove = 0,       // A = line delta, B = column delta
  ukInserted = 1,        // A = visual characters inserted at the caret
  ukSplit = 2,           // the caret line was split at the caret
  ukJoined = 3,          // the next line was joined to the caret line
  ukDeleted = 4,         // DeletedText / DeletedColors were removed at the caret
  ukColorsReplaced = 5,  // A = line, B = 1-based column, DeletedColors = the old bytes
  ukRecoded = 6,         // every line re-encoded; A = the TEncoding it had before
};

struct TUndoRecord {
  uint8_t Kind = 0;
  int32_t A = 0;
  int32_t B = 0;
  std::string DeletedText;
  std::string DeletedColors;
  uint8_t First = 0;              // 1 for the first record of an outermost update
  TUpdateReason Reason = urNone;  // the reason of the outermost update
  uint8_t InGroup = 0;            // 1 inside an explicit undo group

  // Kinds 1 to 4 and 6 change text; kind 0 and 5 do not count as a difference from the saved
  // file.
  bool ChangesText() const {
    return (Kind >= ukInserted && Kind <= ukDeleted) || Kind == ukRecoded;
  }
};

// A list of records that grows as needed and halves its capacity when fewer than a quarter of
// its slots are used after removing from the end.
class TUndoList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  size_t Capacity() const { return items_.capacity(); }
  TUndoRecord& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TUndoRecord& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  TUndoRecord& Last() { return items_.back(); }
  const TUndoRecord& Last() const { return items_.back(); }

  TUndoRecord& Add();
  void RemoveLast();
  // Removes the oldest `count` records.
  void RemoveFirst(int count);
  void Clear();

 private:
  std::vector<TUndoRecord> items_;
};

}  // namespace quorel
