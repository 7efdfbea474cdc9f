// The block-state table of a scheme: each entry is a chain of open blocks, innermost first, that
// a line state refers to by its index.
#pragma once

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
  // Back to entry 0 alone: the root block.
  void Reset();
  int Count() const { return static_cast<int>(chains_.size()); }
  // The chain of entry i; entry 0 for an index outside the table.
  const std::vector<TBlockInfo>& Chain(int i) const;
  // The entry for `head` opened inside entry `from`, found or appended (entry 0 when full).
  int Push(int from, TBlockInfo head);
  // The entry for entry `from` without its innermost block; 0 when there is none.
  int Pop(int from);

 private:
  int Find(const std::vector<TBlockInfo>& chain) const;
  std::vector<std::vector<TBlockInfo>> chains_;
  // Transitions already looked up, so that each push or pop is a short search.
  struct TPushCache {
    TBlockInfo Head;
    int Target;
  };
  std::vector<std::vector<TPushCache>> pushCache_;
  std::vector<int> popCache_;
};

}  // namespace quorel
