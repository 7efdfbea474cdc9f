// A line record and the raw line list that holds a document's lines.
#pragma once

#include <cstddef>
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
// references only. Grows by max(capacity / 2, 64) when full. Records live in blocks of slots
// owned by the list (a million lines are a few hundred allocations, not a million), and the
// slots of deleted lines are reused.
class TInternalStrings {
 public:
  TInternalStrings() = default;
  ~TInternalStrings();
  TInternalStrings(TInternalStrings&& other) noexcept;
  TInternalStrings& operator=(TInternalStrings&& other) noexcept;
  TInternalStrings(const TInternalStrings&) = delete;
  TInternalStrings& operator=(const TInternalStrings&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  size_t Capacity() const { return items_.capacity(); }
  TStringItem* At(int i) const {
    return i >= 0 && i < Count() ? items_[static_cast<size_t>(i)] : nullptr;
  }
  TStringItem& operator[](int i) const { return *items_[static_cast<size_t>(i)]; }

  // A new record holding `text` at index i (clamped to 0..Count()).
  TStringItem& Insert(int i, std::string text = {});
  TStringItem& Add(std::string text = {}) { return Insert(Count(), std::move(text)); }
  void Delete(int i);
  // Removes every line and gives the blocks back.
  void Clear();
  void Reserve(size_t count) { items_.reserve(count); }

 private:
  struct alignas(TStringItem) TSlot {
    std::byte Bytes[sizeof(TStringItem)];
  };
  static constexpr size_t kBlockSlots = 4096;

  TStringItem* NewRecord(std::string text);
  void Release(TStringItem* item);
  void DestroyAll();
  void Take(TInternalStrings& other);

  std::vector<TStringItem*> items_;
  std::vector<std::unique_ptr<TSlot[]>> blocks_;
  size_t usedInLastBlock_ = kBlockSlots;
  std::vector<TStringItem*> free_;
};

}  // namespace quorel
