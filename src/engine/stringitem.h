// A line record and the raw line list that holds a document's lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// An auxiliary string of a line that almost no line has: one pointer until it is set, so that
// a million lines do not carry a million empty strings.
class TLineTag {
 public:
  TLineTag() = default;
  TLineTag(const TLineTag& other) { *this = other; }
  TLineTag(TLineTag&&) noexcept = default;
  TLineTag& operator=(const TLineTag& other) {
    if (this != &other) *this = other.str();
    return *this;
  }
  TLineTag& operator=(TLineTag&&) noexcept = default;
  TLineTag& operator=(std::string text) {
    if (text.empty())
      text_.reset();
    else
      text_ = std::make_unique<std::string>(std::move(text));
    return *this;
  }
  const std::string& str() const {
    static const std::string none;
    return text_ ? *text_ : none;
  }
  operator const std::string&() const { return str(); }
  bool empty() const { return !text_; }
  void clear() { text_.reset(); }
  friend bool operator==(const TLineTag& tag, std::string_view text) { return tag.str() == text; }

 private:
  std::unique_ptr<std::string> text_;
};

// One line of a document with everything that travels with it.
struct TStringItem {
  std::string Text;        // raw text without line end; tabs only with soUseTabCharacter
  TLineTag LineTag;        // auxiliary string owned by the application
  void* Object = nullptr;  // the string list's object slot (not owned)
  std::string Colors;      // one style byte per character of Text; empty while unknown
  uint32_t EndState = 0;
  uint32_t StartState = 0;
  uint16_t LineFlags = 0;
  uint8_t LineState = 0;  // lsParsed, lsReadOnly, lsHidden, lsExpandedHeader, lsCollapsedHeader
  uint8_t ImageIndex = 0;
  int32_t WidthCache[3] = {0, 0, 0};  // display data of a proportional-font view
};

// The raw line list: references to line records, so that inserting or deleting a line moves
// references only. The references have a gap where the last edit was, so that a run of line
// inserts or deletes near one place (a paste, deleting a selection, undoing either) moves each
// reference once instead of the whole list every time. Grows by max(capacity / 2, 64) when full.
// Records live in blocks of slots owned by the list (a million lines are a few hundred
// allocations, not a million), and the slots of deleted lines are reused.
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
  TStringItem& Insert(int i, std::string text = {});
  TStringItem& Add(std::string text = {}) { return Insert(Count(), std::move(text)); }
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
  TStringItem* NewRecord(std::string text);
  void Release(TStringItem* item);
  void DestroyAll();
  void Take(TInternalStrings& other);

  std::vector<TStringItem*> refs_;  // lines before the gap, the gap, lines after it
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;
  std::vector<std::unique_ptr<TSlot[]>> blocks_;
  size_t usedInLastBlock_ = kBlockSlots;
  std::vector<TStringItem*> free_;
};

}  // namespace quorel
