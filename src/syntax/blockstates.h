// The block-state table of a scheme: each entry is a chain of open blocks, innermost first, that
// a line state refers to by its index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorel {

struct TBlockInfo {
  int Block = 0;       // index in the scheme's blocks
  int Delimiter = -1;  // index of the block delimiter that opened it
  bool operator==(const TBlockInfo&) const = default;
};

class TBlockStateTable {
 public:
  // A line state keeps the index in 8 bits.
  static constexpr int MaxEntries = 256;

  TBlockStateTable() { Reset(); }
  // Back to entry 0 alone: the root block. Each reset gives the table a new generation, unique
  // among all tables, so that what was worked out from its entries can tell it is stale.
  void Reset();
  uint64_t Generation() const { return generation_; }
  int Count() const { return static_cast<int>(chains_.size()); }
  // The chain of entry i; entry 0 for an index outside the table.
  const std::vector<TBlockInfo>& Chain(int i) const;
  // The innermost block of entry i (Chain(i).front()), kept apart in one flat array because the
  // scanner asks for it at every block change.
  const TBlockInfo& Head(int i) const {
    return heads_[i >= 0 && i < Count() ? static_cast<std::size_t>(i) : 0];
  }
  // The entry for `head` opened inside entry `from`, found or appended (entry 0 when full).
  // The transitions taken before are answered inline: the scanner takes one at every tag.
  int Push(int from, TBlockInfo head) {
    if (from >= 0 && from < Count())
      for (const TPushCache& c : pushCache_[static_cast<std::size_t>(from)])
        if (c.Head == head) return c.Target;
    return PushNew(from, head);
  }
  // The entry for entry `from` without its innermost block; 0 when there is none.
  int Pop(int from) {
    if (from <= 0 || from >= Count()) return 0;
    const int cached = popCache_[static_cast<std::size_t>(from)];
    return cached >= 0 ? cached : PopNew(from);
  }

 private:
  int PushNew(int from, TBlockInfo head);
  int PopNew(int from);
  int Find(const std::vector<TBlockInfo>& chain) const;
  std::vector<std::vector<TBlockInfo>> chains_;
  std::vector<TBlockInfo> heads_;
  uint64_t generation_ = 0;
  // Transitions already looked up, so that each push or pop is a short search.
  struct TPushCache {
    TBlockInfo Head;
    int Target;
  };
  std::vector<std::vector<TPushCache>> pushCache_;
  std::vector<int> popCache_;
};

}  // namespace quorel
