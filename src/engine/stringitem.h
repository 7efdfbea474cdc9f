// A line record and the raw line list that holds a document's lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorel {

// One line of a document with everything that travels with it.
struct TStringItem {
  std::string Text;       // raw text without line end; tabs only with soUseTabCharacter
  std::string LineTag;    // auxiliary string owned by the application
  void* Object = nullptr; // the string list's object slot (not owned)
  std::string Colors;     // one style byte per character of Text; empty while unknown
  uint32_t EndState = 0;
  uint32_t StartState = 0;
  uint16_t LineFlags = 0;
  uint8_t LineState = 0;   // lsParsed, lsReadOnly, lsHidden, lsExpandedHeader, lsCollapsedHeader
  uint8_t ImageIndex = 0;
  int32_t WidthCache[3] = {0, 0, 0};  // display data of a proportional-font view
};

// The raw line list: references to line records, so that inserting or deleting a line moves
// references only. Grows by max(capacity / 2, 64) when full.
class TInternalStrings {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  size_t Capacity() const { return items_.capacity(); }
  TStringItem* At(int i) const {
    return i >= 0 && i < Count() ? items_[static_cast<size_t>(i)].get() : nullptr;
  }
  TStringItem& operator[](int i) const { return *items_[static_cast<size_t>(i)]; }

  TStringItem& Insert(int i, std::unique_ptr<TStringItem> item);
  TStringItem& Add(std::unique_ptr<TStringItem> item) { return Insert(Count(), std::move(item)); }
  void Delete(int i);
  void Clear() { items_.clear(); }
  // Takes a whole new set of lines at once (loading).
  void Assign(std::vector<std::unique_ptr<TStringItem>> items) { items_ = std::move(items); }

 private:
  void Grow();
  std::vector<std::unique_ptr<TStringItem>> items_;
};

}  // namespace quorel
