// A line record and the raw line list that holds a document's lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/linecolors.h"
#include "engine/linetext.h"

namespace quorel {

// What almost no line has: the auxiliary string the application may give a line and the string
// list's object slot. One pointer until either is set, so that a million lines do not carry a
// million empty strings.
class TLineTag {
 public:
  TLineTag() = default;
  TLineTag(const TLineTag& other) { *this = other; }
  TLineTag(TLineTag&&) noexcept = default;
  TLineTag& operator=(const TLineTag& other) {
    if (this != &other) data_ = other.data_ ? std::make_unique<TData>(*other.data_) : nullptr;
    return *this;
  }
  TLineTag& operator=(TLineTag&&) noexcept = default;
  // The tag's text; an empty one clears it.
  TLineTag& operator=(std::string text) {
    if (!text.empty() || data_) Data().Text = std::move(text);
    Tidy();
    return *this;
  }
  const std::string& str() const {
    static const std::string none;
    return data_ ? data_->Text : none;
  }
  operator const std::string&() const { return str(); }
  bool empty() const { return str().empty(); }
  void clear() { *this = std::string(); }
  friend bool operator==(const TLineTag& tag, std::string_view text) { return tag.str() == text; }

  // The object slot (not owned).
  void* Object() const { return data_ ? data_->Object : nullptr; }
  void SetObject(void* object) {
    if (object || data_) Data().Object = object;
    Tidy();
  }

 private:
  struct TData {
    std::string Text;
    void* Object = nullptr;
  };
  TData& Data() {
    if (!data_) data_ = std::make_unique<TData>();
    return *data_;
  }
  void Tidy() {
    if (data_ && data_->Text.empty() && !data_->Object) data_.reset();
  }
  std::unique_ptr<TData> data_;
};

// One line of a document with everything that travels with it.
struct TStringItem {
  TLineText Text;      // raw text without line end; tabs only with soUseTabCharacter
  TLineColors Colors;  // one style byte per character of Text; empty while unknown
  TLineTag LineTag;    // auxiliary string owned by the application, and the object slot
  uint32_t EndState = 0;
  uint32_t StartState = 0;
  uint16_t LineFlags = 0;
  uint8_t LineState = 0;  // lsParsed, lsReadOnly, lsHidden, lsExpandedHeader, lsCollapsedHeader
  uint8_t ImageIndex = 0;
  // The string list's object slot (not owned), kept with the tag.
  void* Object() const { return LineTag.Object(); }
  void SetObject(void* object) { LineTag.SetObject(object); }
};

// The raw line list: references to line records, so that inserting or deleting a line moves
// references only. The references have a gap where the last edit was, so that a run of line
// inserts or deletes near one place (a paste, deleting a selection, undoing either) moves each
// reference once instead of the whole list every time. Grows by max(capacity / 2, 64) when full.
// Records live in blocks of slots owned by the list (a million lines are a few hundred
// allocations, not a million), and the slots of deleted lines are reused. Loaded lines keep their
// text side by side in the list's text store (see TLineText), which is given back with the list.
class TInternalStrings {
 public:
  TInternalStrings() = default;
  ~TInternalStrings();
  TInternalStrings(TInternalStrings&& other) noexcept;
  TInternalStrings& operator=(TInternalStrings&& other) noexcept;
  TInternalStrings(const TInternalStrings&) = delete;
  TInternalStrings& operator=(const TInternalStrings&) = delete;

  int Count() const { return static_cast<int>(refs_.size() - (gapEnd_ - gapStart_)); }
  size_t Capacity() const { return refs_.size(); }
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
  // Removes every line and gives the blocks back.
  void Clear();
  void Reserve(size_t count);

 private:
  struct alignas(TStringItem) TSlot {
    std::byte Bytes[sizeof(TStringItem)];
  };
  static constexpr size_t kBlockSlots = 4096;

  TStringItem* Ref(size_t i) const { return refs_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)]; }
  void MoveGapTo(size_t i);
  void Regrow(size_t capacity);
  TStringItem* NewRecord();
  // A copy of `text` with a NUL after it, in the text store.
  const char* Store(std::string_view text);
  void Release(TStringItem* item);
  void DestroyAll();
  void Take(TInternalStrings& other);

  std::vector<TStringItem*> refs_;  // lines before the gap, the gap, lines after it
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;
  std::vector<std::unique_ptr<TSlot[]>> blocks_;
  size_t usedInLastBlock_ = kBlockSlots;
  std::vector<TStringItem*> free_;
  // The text store: blocks filled one after the other, never moved while the list lives.
  static constexpr size_t kFirstTextBlockBytes = 64 << 10, kTextBlockBytes = 4 << 20;
  struct TFree {
    void operator()(char* block) const { std::free(block); }
  };
  std::vector<std::unique_ptr<char, TFree>> textBlocks_;
  size_t textUsed_ = 0, textRoom_ = 0;  // in the last block
};

}  // namespace quorel
