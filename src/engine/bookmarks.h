// The numbered bookmarks of a store, kept sorted by line, column and number.
#pragma once

#include <vector>

namespace quorel {

struct TBookmark {
  int X = 0;
  int Y = 0;
  int Number = 0;  // 1..10; 10 is the one bound to the digit 0
  bool operator==(const TBookmark&) const = default;
};

class TBookmarkList {
 public:
  static constexpr int MaxNumber = 10;

  // Places bookmark `number` at (x, y), replacing an earlier one of that number.
  void Set(int number, int x, int y);
  // Removes bookmark `number`; returns the line it was on, or -1.
  int Clear(int number);
  const TBookmark* Find(int number) const;
  // Number of the first bookmark on line y, 0 if none.
  int AtLine(int y) const;
  void ClearAll() { items_.clear(); }
  const std::vector<TBookmark>& Items() const { return items_; }

  // Shifts for edits at (x, y).
  void ShiftInsert(int x, int y, int count);
  void ShiftDelete(int x, int y, int count);
  void ShiftSplit(int x, int y);
  // Line y + 1 joined to line y, whose visual length plus padding is `width`.
  void ShiftJoin(int y, int width);

 private:
  void Sort();
  std::vector<TBookmark> items_;
};

}  // namespace quorel
