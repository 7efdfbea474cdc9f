// The block-state table.
#include "syntax/blockstates.h"

#include <atomic>
#include <cstddef>

namespace quorel {

void TBlockStateTable::Reset() {
  static std::atomic<uint64_t> generations{0};
  generation_ = ++generations;
  chains_.assign(1, std::vector<TBlockInfo>{TBlockInfo{0, -1}});
  heads_.assign(1, TBlockInfo{0, -1});
  pushCache_.assign(1, {});
  popCache_.assign(1, -1);
}

const std::vector<TBlockInfo>& TBlockStateTable::Chain(int i) const {
  return i >= 0 && i < Count() ? chains_[static_cast<std::size_t>(i)] : chains_[0];
}

int TBlockStateTable::Find(const std::vector<TBlockInfo>& chain) const {
  for (int i = 0; i < Count(); ++i)
    if (chains_[static_cast<std::size_t>(i)] == chain) return i;
  return -1;
}

int TBlockStateTable::PushNew(int from, TBlockInfo head) {
  if (from < 0 || from >= Count()) {
    from = 0;
    for (const TPushCache& c : pushCache_[0])
      if (c.Head == head) return c.Target;
  }
  std::vector<TBlockInfo> chain;
  chain.reserve(Chain(from).size() + 1);
  chain.push_back(head);
  chain.insert(chain.end(), Chain(from).begin(), Chain(from).end());
  int target = Find(chain);
  if (target < 0) {
    // More nesting than a line state can name: stay in the root rather than misread a state.
    if (Count() >= MaxEntries) return 0;
    heads_.push_back(head);
    chains_.push_back(std::move(chain));
    pushCache_.emplace_back();
    popCache_.push_back(-1);
    target = Count() - 1;
  }
  pushCache_[static_cast<std::size_t>(from)].push_back({head, target});
  return target;
}

int TBlockStateTable::PopNew(int from) {
  const std::vector<TBlockInfo>& chain = chains_[static_cast<std::size_t>(from)];
  std::vector<TBlockInfo> outer(chain.begin() + 1, chain.end());
  const int target = Find(outer);
  return popCache_[static_cast<std::size_t>(from)] = target < 0 ? 0 : target;
}

}  // namespace quorel
