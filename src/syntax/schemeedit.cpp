// The scheme editor's rules on a scheme: tidying, the block tree and its commands, shared styles.
#include "syntax/schemeedit.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>

namespace quorel {

namespace {

// Calls `visit` with every FontID field of a block: its seven style fields and the FontID of
// every comment, string, number and identifier list item and keyword set.
template <typename Block, typename Visit>
void ForEachFontField(Block& b, Visit visit) {
  for (auto* field : {&b.FIText, &b.FIIdentifier, &b.FISymbol, &b.FIDirective, &b.FIIntNum,
                      &b.FIFloatNum, &b.FIHexNum})
    visit(*field);
  auto items = [&](auto& list) {
    for (auto& item : list) visit(item.FontID);
  };
  items(b.SingleLineCommentDelimiters);
  items(b.MultiLineCommentDelimiters);
  items(b.FullLineCommentDelimiters);
  items(b.SingleLineStringDelimiters);
  items(b.MultiLineStringDelimiters);
  items(b.NumPrefixes);
  items(b.NumSuffixes);
  items(b.NumPrefixesSuffixes);
  // Identifier prefixes and suffixes can carry a style of their own too; leaving them out would
  // drop that style the next time the scheme is tidied.
  items(b.IdentPrefixes);
  items(b.IdentSuffixes);
  items(b.IdentPrefixesSuffixes);
  items(b.KeywordSets);
}

void NormaliseBlock(TSyntaxBlock& b) {
  b.UseMetaSymbol = b.UseMetaSymbol && b.MetaSymbol != '\0';
  b.UseLineDirectives = b.UseLineDirectives && !b.LineDirectivePrefix.empty();
  b.UseSingleLineComments = b.UseSingleLineComments && !b.SingleLineCommentDelimiters.empty();
  b.UseMultiLineComments = b.UseMultiLineComments && !b.MultiLineCommentDelimiters.empty();
  b.UseFullLineComments = b.UseFullLineComments && !b.FullLineCommentDelimiters.empty();
  b.UseSingleLineStrings = b.UseSingleLineStrings && !b.SingleLineStringDelimiters.empty();
  b.UseMultiLineStrings = b.UseMultiLineStrings && !b.MultiLineStringDelimiters.empty();
  b.UsePrefixedNumbers = b.UsePrefixedNumbers && !b.NumPrefixes.empty();
  b.UseSuffixedNumbers = b.UseSuffixedNumbers && !b.NumSuffixes.empty();
  b.UsePrefixedSuffixedNumbers =
      b.UsePrefixedSuffixedNumbers && (b.UsePSNumComposition || !b.NumPrefixesSuffixes.empty());
  b.UsePrefixedIdentifiers = b.UsePrefixedIdentifiers && !b.IdentPrefixes.empty();
  b.UseSuffixedIdentifiers = b.UseSuffixedIdentifiers && !b.IdentSuffixes.empty();
  b.UsePrefixedSuffixedIdentifiers =
      b.UsePrefixedSuffixedIdentifiers && !b.IdentPrefixesSuffixes.empty();
  b.UseKeywords = b.UseKeywords && !b.KeywordSets.empty();
  b.UseComments =
      b.UseComments && (b.UseSingleLineComments || b.UseMultiLineComments || b.UseFullLineComments);
  b.UseStrings = b.UseStrings && (b.UseSingleLineStrings || b.UseMultiLineStrings);
}

int IndexOfID(const TSyntaxScheme& scheme, int id) {
  for (size_t i = 0; i < scheme.SyntaxBlocks.size(); ++i)
    if (scheme.SyntaxBlocks[i].ID == id) return static_cast<int>(i);
  return -1;
}

bool ValidIndex(const TSyntaxScheme& scheme, int index) {
  return index >= 0 && index < static_cast<int>(scheme.SyntaxBlocks.size());
}

}  // namespace

std::vector<bool> UsedFontIDs(const TSyntaxScheme& scheme) {
  std::vector<bool> used(256, false);
  for (const TSyntaxBlock& b : scheme.SyntaxBlocks)
    ForEachFontField(b, [&](int id) {
      if (id >= 0 && id <= 255) used[static_cast<size_t>(id)] = true;
    });
  return used;
}

void NormaliseScheme(TSyntaxScheme& scheme) {
  for (TSyntaxBlock& b : scheme.SyntaxBlocks) NormaliseBlock(b);
  std::vector<bool> used = UsedFontIDs(scheme);
  if (std::find(used.begin(), used.end(), true) != used.end()) {
    TFontList kept;
    for (const TAttrItem& a : scheme.FontTable)
      if (a.FontID >= 0 && a.FontID <= 255 && used[static_cast<size_t>(a.FontID)])
        kept.Append(TAttrItem()).Assign(a);
    scheme.FontTable = kept;
  }
  SortBlocksByTree(scheme);
}

// ---- The block tree ----

TBlockTree BuildBlockTree(const TSyntaxScheme& scheme) {
  TBlockTree tree;
  const int n = static_cast<int>(scheme.SyntaxBlocks.size());
  tree.Nodes.resize(static_cast<size_t>(n));
  if (n == 0) return tree;
  std::vector<bool> placed(static_cast<size_t>(n), false);
  auto place = [&](int block, int parent) {
    placed[static_cast<size_t>(block)] = true;
    tree.Nodes[static_cast<size_t>(block)].Parent = parent;
    if (parent < 0)
      tree.Roots.push_back(block);
    else
      tree.Nodes[static_cast<size_t>(parent)].Children.push_back(block);
  };
  place(0, -1);
  // Blocks whose parent is not placed yet wait for a later round, as at the back of a queue.
  std::vector<int> waiting;
  for (int b = 1; b < n; ++b) waiting.push_back(b);
  while (!waiting.empty()) {
    std::vector<int> later;
    for (int b : waiting) {
      int parentId = scheme.SyntaxBlocks[static_cast<size_t>(b)].ParentID;
      if (parentId < 0) {
        place(b, -1);
        continue;
      }
      int parent = IndexOfID(scheme, parentId);
      if (parent >= 0 && parent != b && placed[static_cast<size_t>(parent)])
        place(b, parent);
      else
        later.push_back(b);
    }
    if (later.size() == waiting.size()) {
      // Parents that name no block, or that form a circle: shown under the top node.
      for (int b : later) place(b, 0);
      break;
    }
    waiting = std::move(later);
  }
  return tree;
}

std::vector<int> TBlockTree::DepthFirst() const {
  std::vector<int> order;
  std::vector<int> stack(Roots.rbegin(), Roots.rend());
  while (!stack.empty()) {
    int b = stack.back();
    stack.pop_back();
    order.push_back(b);
    const std::vector<int>& children = Nodes[static_cast<size_t>(b)].Children;
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
  return order;
}

std::vector<int> TBlockTree::Subtree(int block) const {
  std::vector<int> blocks;
  std::vector<int> stack{block};
  while (!stack.empty()) {
    int b = stack.back();
    stack.pop_back();
    blocks.push_back(b);
    const std::vector<int>& children = Nodes[static_cast<size_t>(b)].Children;
    stack.insert(stack.end(), children.begin(), children.end());
  }
  return blocks;
}

bool TBlockTree::IsInSubtree(int block, int of) const {
  for (int b = block; b >= 0; b = Nodes[static_cast<size_t>(b)].Parent)
    if (b == of) return true;
  return false;
}

void SortBlocksByTree(TSyntaxScheme& scheme) {
  std::vector<int> order = BuildBlockTree(scheme).DepthFirst();
  std::vector<TSyntaxBlock> sorted;
  sorted.reserve(order.size());
  for (int b : order) sorted.push_back(std::move(scheme.SyntaxBlocks[static_cast<size_t>(b)]));
  scheme.SyntaxBlocks = std::move(sorted);
}

bool CanBeParent(const TSyntaxScheme& scheme, int block, int parent) {
  if (!ValidIndex(scheme, parent) || !ValidIndex(scheme, block)) return false;
  return !BuildBlockTree(scheme).IsInSubtree(parent, block);
}

int AddBlock(TSyntaxScheme& scheme, const std::string& name, int parentIndex) {
  TSyntaxBlock block;
  block.Name = name;
  block.ID = scheme.FreeBlockID();
  block.ParentID = ValidIndex(scheme, parentIndex)
                       ? scheme.SyntaxBlocks[static_cast<size_t>(parentIndex)].ID
                       : 0;
  scheme.SyntaxBlocks.push_back(block);
  return static_cast<int>(scheme.SyntaxBlocks.size()) - 1;
}

bool EditBlock(TSyntaxScheme& scheme, int index, const std::string& name, int parentIndex) {
  if (!ValidIndex(scheme, index)) return false;
  if (parentIndex >= 0 && !CanBeParent(scheme, index, parentIndex)) return false;
  TSyntaxBlock& block = scheme.SyntaxBlocks[static_cast<size_t>(index)];
  block.Name = name;
  if (parentIndex >= 0) block.ParentID = scheme.SyntaxBlocks[static_cast<size_t>(parentIndex)].ID;
  return true;
}

int RemoveBlock(TSyntaxScheme& scheme, int index) {
  if (index <= 0 || !ValidIndex(scheme, index)) return std::max(index, 0);
  TBlockTree tree = BuildBlockTree(scheme);
  int parent = std::max(tree.Nodes[static_cast<size_t>(index)].Parent, 0);
  std::vector<int> gone = tree.Subtree(index);
  std::sort(gone.rbegin(), gone.rend());
  for (int b : gone) {
    scheme.SyntaxBlocks.erase(scheme.SyntaxBlocks.begin() + b);
    if (b < parent) --parent;
  }
  return parent;
}

bool CanDragBlock(const TSyntaxScheme& scheme, int dragged, int target, bool asChild) {
  if (dragged <= 0 || !ValidIndex(scheme, dragged) || !ValidIndex(scheme, target)) return false;
  if (!asChild && target == 0) return false;
  return !BuildBlockTree(scheme).IsInSubtree(target, dragged);
}

int DragBlock(TSyntaxScheme& scheme, int dragged, int target, bool asChild) {
  if (!CanDragBlock(scheme, dragged, target, asChild)) return -1;
  std::vector<TSyntaxBlock>& blocks = scheme.SyntaxBlocks;
  const int id = blocks[static_cast<size_t>(dragged)].ID;
  if (asChild) {
    blocks[static_cast<size_t>(dragged)].ParentID = blocks[static_cast<size_t>(target)].ID;
  } else {
    TSyntaxBlock moved = std::move(blocks[static_cast<size_t>(dragged)]);
    moved.ParentID = blocks[static_cast<size_t>(target)].ParentID;
    blocks.erase(blocks.begin() + dragged);
    if (dragged < target) --target;
    blocks.insert(blocks.begin() + target, std::move(moved));
  }
  SortBlocksByTree(scheme);
  return IndexOfID(scheme, id);
}

int CopyBlock(TSyntaxScheme& scheme, const TSyntaxScheme& source, int sourceIndex,
              int parentIndex) {
  if (!ValidIndex(source, sourceIndex)) return -1;
  TSyntaxBlock block;
  block.Assign(source.SyntaxBlocks[static_cast<size_t>(sourceIndex)]);
  if (block.Name == "Default") block.Name = source.Name;
  block.ID = scheme.FreeBlockID();
  block.ParentID = ValidIndex(scheme, parentIndex)
                       ? scheme.SyntaxBlocks[static_cast<size_t>(parentIndex)].ID
                       : 0;
  // Each style of the copy becomes an entry of its own; fields that shared one still share.
  std::map<int, int> newIds;
  ForEachFontField(block, [&](int& fontId) {
    if (fontId < 0) return;
    auto known = newIds.find(fontId);
    if (known != newIds.end()) {
      fontId = known->second;
      return;
    }
    const TAttrItem* from = source.FontTable.Find(fontId);
    int newId = -1;
    if (from) {
      TAttrItem& entry = scheme.FontTable.Add();
      entry.BlockID = block.ID;
      entry.Font = from->Font;
      entry.UseDefFont = from->UseDefFont;
      newId = entry.FontID;  // -1 when the table is full: the field keeps no style
    }
    newIds[fontId] = newId;
    fontId = newId;
  });
  scheme.SyntaxBlocks.push_back(std::move(block));
  return static_cast<int>(scheme.SyntaxBlocks.size()) - 1;
}

// ---- Styles ----

TStyleChoice StyleOfField(const TSyntaxScheme& scheme, const TSyntaxBlock& block, int fontId) {
  const TAttrItem* entry = fontId >= 0 ? scheme.FontTable.Find(fontId) : nullptr;
  if (!entry && block.FIText >= 0) entry = scheme.FontTable.Find(block.FIText);
  TStyleChoice choice;
  if (!entry) return choice;
  choice.UseDefFont = entry->UseDefFont;
  choice.FontName = entry->Font.Name;
  choice.Size = entry->Font.Size();
  choice.Color = entry->Font.Color;
  choice.Styles = entry->Font.Style;
  choice.UseDefBack = entry->UseDefBack;
  choice.BackColor = entry->BackColor;
  choice.TextStyle = entry->GlobalAttrID;
  return choice;
}

void SetFieldStyle(TSyntaxScheme& scheme, const TSyntaxBlock& block, int& fontId,
                   const TStyleChoice& choice, const std::string& defaultFontName,
                   int defaultFontSize) {
  if (fontId < 0 || !scheme.FontTable.Find(fontId)) {
    TAttrItem& added = scheme.FontTable.Add();
    added.BlockID = block.ID;
    fontId = added.FontID;
    if (fontId < 0) return;  // all 255 styles are taken
  }
  TAttrItem& entry = *scheme.FontTable.Find(fontId);
  entry.UseDefFont = choice.UseDefFont;
  entry.Font.Name = choice.FontName.empty() ? defaultFontName : choice.FontName;
  entry.Font.SetSize(choice.Size > 0 ? choice.Size : defaultFontSize);
  entry.Font.Color = choice.Color;
  entry.Font.Style = choice.Styles;
  entry.UseDefBack = choice.UseDefBack;
  entry.BackColor = choice.BackColor;
  entry.GlobalAttrID = choice.TextStyle;
}

// ---- Keywords ----

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trimmed(const std::string& s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

int AddKeyword(std::vector<std::string>& sorted, const std::string& keyword) {
  const std::string word = Trimmed(keyword);
  if (word.empty()) return -1;
  const std::string key = Lower(word);
  for (size_t i = 0; i < sorted.size(); ++i)
    if (Lower(sorted[i]) == key) return static_cast<int>(i);
  auto at = std::lower_bound(
      sorted.begin(), sorted.end(), word,
      [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  const auto index = at - sorted.begin();
  sorted.insert(at, word);
  return static_cast<int>(index);
}

}  // namespace quorel
