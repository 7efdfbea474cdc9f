// A line record and the raw line list that holds a document's lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/linecolors.h"
#include "engine/linetext.h"

namespace quorel {

// One line of a document with everything that travels with it. Its auxiliary string (the tag) and
// the string list's object slot, which almost no line has, are kept by the line list beside the
// records (TInternalStrings::Tag, Object). The fields are ordered so that the record packs into
// 32 bytes: EndState fills the four bytes after the text's pointer and size.
struct TStringItem {
  TLineText Text;  // raw text without line end; tabs only with soUseTabCharacter
  uint32_t EndState = 0;
  TLineColors Colors;  // one style byte per character of Text; empty while unknown
  uint32_t StartState = 0;
  uint16_t LineFlags = 0;
  uint8_t LineState = 0;  // lsParsed, lsReadOnly, lsHidden, lsExpandedHeader, lsCollapsedHeader
  uint8_t ImageIndex = 0;
};

// The raw line list: references to line records (4-byte slot numbers), so that inserting or
// deleting a line moves references only; a record never moves while its line lives. The references
// have a gap where the last edit was, so that a run of line inserts or deletes near one place (a
// paste, deleting a selection, undoing either) moves each reference once instead of the whole list
// every time. Grows by max(capacity / 2, 64) when full. Records live in blocks of slots owned by
// the list (a million lines are a few hundred allocations, not a million), and the slots of deleted
// lines are reused. Loaded lines keep their text side by side in the list's text store (see
// TLineText), which is given back with the list.
class TInternalStrings {
 public:
  TInternalStrings() = default;
  ~TInternalStrings();
  TInternalStrings(TInternalStrings&& other) noexcept;
  TInternalStrings& operator=(TInternalStrings&& other) noexcept;
  TInternalStrings(const TInternalStrings&) = delete;
  TInternalStrings& operator=(const TInternalStrings&) = delete;

  int Count() const { return static_cast<int>(capacity_ - (gapEnd_ - gapStart_)); }
  size_t Capacity() const { return capacity_; }
  TStringItem* At(int i) const {
    return i >= 0 && i < Count() ? Ref(static_cast<size_t>(i)) : nullptr;
  }
  TStringItem& operator[](int i) const { return *Ref(static_cast<size_t>(i)); }

  // A new record holding `text` at index i (clamped to 0..Count()).
  TStringItem& Insert(int i, std::string_view text = {});
  TStringItem& Add(std::string_view text = {}) { return Insert(Count(), text); }
  // A new last record whose text is kept in the list's text store: how loading adds lines.
  TStringItem& AddStored(std::string_view text);
  void Delete(int i);
  // The auxiliary string the application may give line i, and the string list's object slot
  // (not owned): empty and null unless set. Kept in a table beside the records, as a million
  // lines would otherwise carry a million empty slots.
  const std::string& Tag(int i) const;
  void SetTag(int i, std::string tag);
  void* Object(int i) const;
  void SetObject(int i, void* object);
  // Line `to` takes line `from`'s tag and object, and `from` is left without either.
  void MoveExtras(int from, int to);
  // Removes every line and gives the blocks back.
  void Clear();
  void Reserve(size_t count);

 private:
  struct alignas(TStringItem) TSlot {
    std::byte Bytes[sizeof(TStringItem)];
  };
  static constexpr size_t kBlockSlots = 4096;

  // Slot n is record n % kBlockSlots of block n / kBlockSlots.
  TStringItem* Slot(uint32_t n) const {
    return reinterpret_cast<TStringItem*>(&blocks_[n / kBlockSlots][n % kBlockSlots]);
  }
  TStringItem* Ref(size_t i) const {
    return Slot(refs_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)]);
  }
  void MoveGapTo(size_t i);
  void Regrow(size_t capacity);
  // The slot of a new, empty record.
  uint32_t NewRecord();
  // A copy of `text` with a NUL after it, in the text store.
  const char* Store(std::string_view text);
  void Release(uint32_t slot);
  struct TExtras {
    std::string Tag;
    void* Object = nullptr;
  };
  // The entry of line i, made when missing; dropped again by Tidy once it holds nothing.
  TExtras& Extras(int i) { return extras_[Ref(static_cast<size_t>(i))]; }
  void Tidy(int i);
  void DestroyAll();
  void Take(TInternalStrings& other);

  // Lines before the gap, the gap, lines after it, as slot numbers (half the bytes of pointers).
  // A plain block from malloc, so that growing a large one is a remap rather than a copy beside
  // the old one, and the gap is never written: its pages cost nothing until lines fill them.
  uint32_t* refs_ = nullptr;
  size_t capacity_ = 0;
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;
  std::vector<std::unique_ptr<TSlot[]>> blocks_;
  size_t usedInLastBlock_ = kBlockSlots;
  std::vector<uint32_t> free_;                              // slots of deleted lines
  std::unordered_map<const TStringItem*, TExtras> extras_;  // by record: records never move
  // The text store: blocks filled one after the other, never moved while the list lives.
  static constexpr size_t kFirstTextBlockBytes = 64 << 10, kTextBlockBytes = 4 << 20;
  struct TFree {
    void operator()(char* block) const { std::free(block); }
  };
  std::vector<std::unique_ptr<char, TFree>> textBlocks_;
  size_t textUsed_ = 0, textRoom_ = 0;  // in the last block
};

}  // namespace quorel
